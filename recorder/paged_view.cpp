#include "recorder/paged_view.h"

#include <algorithm>

#include "recorder/record_fields.h"

namespace recorder {
namespace {

constexpr int kFrameColumns = 5;
constexpr int kOverloadColumns = 8;
// The scroll ranges the views start with, before any file.
constexpr int kFrameInitialMax = 7288;
constexpr int kOverloadInitialMax = 2772;

}  // namespace

PagedView::PagedView(ViewKind kind)
    : kind_(kind),
      columns_(kind == ViewKind::Frames ? kFrameColumns : kOverloadColumns),
      // Before any file the list holds 0 everywhere; the cleared slots show nothing.
      list_(kind == ViewKind::Frames ? kFrameTableSize : kOverloadTableSize, 0),
      scrollMax_(kind == ViewKind::Frames ? kFrameInitialMax : kOverloadInitialMax) {}

int PagedView::rows() const {
    return kind_ == ViewKind::Frames ? kFrameFieldCount : kOverloadFieldCount;
}

void PagedView::setUpAfterLoad(const Reading& reading) {
    if (kind_ == ViewKind::Frames) {
        list_ = identitySelection(kFrameTableSize, reading.FrameCount);
        scrollMax_ = std::max(reading.FrameCount - columns_, 0);
        listed_ = std::clamp(reading.FrameCount, 0, static_cast<int>(kFrameTableSize));
    } else {
        list_ = identitySelection(kOverloadTableSize, static_cast<int>(kOverloadTableSize));
        // A few records are all shown from the first column on: paging never
        // leaves the listed records for empty columns.
        scrollMax_ = std::max(reading.OverloadCount - columns_, 0);
        listed_ = std::clamp(reading.OverloadCount, 0, static_cast<int>(kOverloadTableSize));
    }
    position_ = scrollMax_;
}

SelectionOutcome PagedView::select(const Reading& reading, const SelectionRequest& request) {
    const bool frames = kind_ == ViewKind::Frames;
    Selection s;
    switch (request.rule) {
        case SelectionRequest::Rule::ByLoad:
            s = frames ? selectFramesByLoad(reading, request.minLoad)
                       : selectOverloadsByLoad(reading, request.minLoad);
            break;
        case SelectionRequest::Rule::ByRange:
            s = frames ? selectFramesByRange(reading, request.first, request.last)
                       : selectOverloadsByRange(reading, request.first, request.last);
            break;
        case SelectionRequest::Rule::ByDate:
            s = frames ? selectFramesByDate(reading, request.date)
                       : selectOverloadsByDate(reading, request.date);
            break;
    }
    if (s.emptyRange) return SelectionOutcome::EmptyRange;
    list_ = std::move(s.entries);
    listed_ = std::clamp(s.count, 0, static_cast<int>(list_.size()));
    countText_ = std::to_string(listed_);
    // The scroll range ends where the last listed record reaches the last
    // column, so paging never shows columns past the list.
    scrollMax_ = std::max(listed_ - columns_, 0);
    position_ = scrollMax_;
    return listed_ == 0 ? SelectionOutcome::NothingFound : SelectionOutcome::Shown;
}

bool PagedView::showRecord(const Reading& reading, int slot) {
    const auto listedEnd = list_.begin() + static_cast<std::ptrdiff_t>(listed_);
    if (const auto entry = std::find(list_.begin(), listedEnd, slot); entry != listedEnd) {
        jumpTo(static_cast<int>(entry - list_.begin()));
        return true;
    }
    PagedView all(kind_);
    all.setUpAfterLoad(reading);
    const bool kept = all.list_ == list_ && all.listed_ == listed_;
    if (!kept) {
        list_ = std::move(all.list_);
        listed_ = all.listed_;
        scrollMax_ = all.scrollMax_;
        countText_ = std::to_string(listed_);
    }
    jumpTo(slot);  // the identity list holds record n at entry n
    return kept;
}

void PagedView::jumpTo(int position) {
    position_ = std::clamp(position, 0, scrollMax_);
}

std::optional<int> PagedView::shownSlot(const Reading& reading, int column) const {
    const long long index = static_cast<long long>(position_) + column;
    if (index < 0 || index >= static_cast<long long>(list_.size())) return std::nullopt;
    const int slot = list_[static_cast<std::size_t>(index)];
    if (slot < 0) return std::nullopt;
    const auto s = static_cast<std::size_t>(slot);
    if (kind_ == ViewKind::Frames) {
        if (s >= reading.FrameTable.size() || reading.FrameTable[s].Status != kStatusGood)
            return std::nullopt;
    } else if (s >= reading.OverloadTable.size() ||
               reading.OverloadTable[s].Status != kStatusGood) {
        return std::nullopt;
    }
    return slot;
}

std::vector<std::string> PagedView::columnTexts(const Reading& reading, int column,
                                                const NumberFormat& format) const {
    std::vector<std::string> texts(static_cast<std::size_t>(rows()));
    const auto slot = shownSlot(reading, column);
    if (!slot) return texts;
    const auto s = static_cast<std::size_t>(*slot);
    for (int row = 0; row < rows(); ++row) {
        texts[static_cast<std::size_t>(row)] =
            kind_ == ViewKind::Frames
                ? fieldText(frameFieldValue(reading.FrameTable[s], row), format)
                : fieldText(overloadFieldValue(reading.OverloadTable[s], overloadRowField(row)),
                            format);
    }
    return texts;
}

std::string PagedView::cellExplanation(const Reading& reading, int column, int row) const {
    if (kind_ != ViewKind::Frames) return {};
    const auto slot = shownSlot(reading, column);
    if (!slot) return {};
    return frameCellExplanation(reading.FrameTable[static_cast<std::size_t>(*slot)], row);
}

std::vector<int> PagedView::listedSlots() const {
    std::vector<int> listed;
    for (int i = 0; i < listed_; ++i)
        if (const int slot = list_[static_cast<std::size_t>(i)]; slot >= 0) listed.push_back(slot);
    return listed;
}

std::string PagedView::positionText() const {
    if (listed_ <= 0) return {};
    const std::string total = " из " + std::to_string(listed_);
    const int first = position_ + 1;
    const int last = std::min(position_ + columns_, listed_);
    if (first > last) return "—" + total;
    if (first == last) return std::to_string(first) + total;
    return std::to_string(first) + "–" + std::to_string(last) + total;
}

std::string PagedView::copiedBlock(const Reading& reading, const std::vector<int>& rows,
                                   const std::vector<int>& columns,
                                   const NumberFormat& format) const {
    std::vector<std::vector<std::string>> texts;
    for (int c : columns) texts.push_back(columnTexts(reading, c, format));
    std::string out;
    for (int r : rows) {
        if (r < 0 || r >= this->rows()) continue;
        out += kind_ == ViewKind::Frames ? frameFields()[static_cast<std::size_t>(r)].caption
                                         : overloadRowCaption(r);
        for (const auto& column : texts) out += "\t" + column[static_cast<std::size_t>(r)];
        out += "\n";
    }
    return out;
}

}  // namespace recorder
