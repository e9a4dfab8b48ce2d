#pragma once
// The state behind the frame and overload views: a selection list paged a few
// columns at a time by a scroll bar, the count of the last selection, and which
// record each column shows. The window only renders what this computes.
//
// Frames: 5 columns over 7293 entries; overloads: 8 columns over 2600 entries.

#include <optional>
#include <string>
#include <vector>

#include "recorder/number_format.h"
#include "recorder/reading.h"
#include "recorder/selection.h"

namespace recorder {

enum class ViewKind { Frames, Overloads };

// What a selection asks for: by load (tag 1), by range (tag 2) or by date (tag 3).
struct SelectionRequest {
    enum class Rule { ByLoad = 1, ByRange = 2, ByDate = 3 };
    Rule rule = Rule::ByLoad;
    std::int64_t minLoad = 0;
    std::int64_t first = 0, last = 0;
    std::string date;  // DD.MM.YY

    static SelectionRequest byLoad(std::int64_t m) { return {Rule::ByLoad, m, 0, 0, {}}; }
    static SelectionRequest byRange(std::int64_t a, std::int64_t b) {
        return {Rule::ByRange, 0, a, b, {}};
    }
    static SelectionRequest byDate(std::string ddmmyy) {
        return {Rule::ByDate, 0, 0, 0, std::move(ddmmyy)};
    }
};

// The outcome the window has to show.
enum class SelectionOutcome {
    Shown,         // the list, count, scroll range and position changed; redraw
    NothingFound,  // the list is empty, the count 0: show the message, then redraw
    EmptyRange,    // no loaded record in the range: the list stays, show the message
};

inline constexpr const char* kNothingFoundMessage = "Кадров удовлетворяющих условию не обнаружено!";
inline constexpr const char* kEmptyRangeMessage = "В диапазоне нет кадров";

class PagedView {
  public:
    explicit PagedView(ViewKind kind);

    ViewKind kind() const { return kind_; }
    int columns() const { return columns_; }
    int rows() const;

    // Identity list and the scroll range and position of a freshly opened file.
    void setUpAfterLoad(const Reading& reading);
    SelectionOutcome select(const Reading& reading, const SelectionRequest& request);
    // Moves to a position, clamped to the scroll range (a chart click uses it).
    void jumpTo(int position);
    // Puts record `slot` into the first column, or as near it as the scroll
    // range allows (a chart click shows the clicked frame). When the list does
    // not hold the record, the selection is left: every loaded record is
    // listed again, as after opening. False when the selection was left.
    bool showRecord(const Reading& reading, int slot);
    void setPosition(int position) { jumpTo(position); }

    int scrollMin() const { return 0; }
    int scrollMax() const { return scrollMax_; }
    int position() const { return position_; }
    const std::string& countText() const { return countText_; }
    const std::vector<int>& list() const { return list_; }

    // The record slot column c shows, or nothing for an empty column: an empty
    // entry, an entry past the list, or a record whose status is not "Норма".
    std::optional<int> shownSlot(const Reading& reading, int column) const;
    // The texts of the column's rows, all empty for an empty column.
    std::vector<std::string> columnTexts(const Reading& reading, int column,
                                         const NumberFormat& format) const;

    // The hint of a pointed cell (frame grid only; empty for an empty column).
    std::string cellExplanation(const Reading& reading, int column, int row) const;

    // How many entries the list holds: the loaded records after opening, the
    // count after a selection, 0 before any file.
    int listed() const { return listed_; }
    // The record slots of the list, in its order (what a saved selection holds).
    std::vector<int> listedSlots() const;
    // Where the columns stand in the list, 1-based: "1201–1205 из 7272";
    // "— из 3" when no listed entry is on screen; empty for an empty list.
    std::string positionText() const;
    // A block of cells as tab-separated lines, each led by its row caption, so
    // that it pastes into a spreadsheet: `rows` and `columns` of the grid in
    // ascending order.
    std::string copiedBlock(const Reading& reading, const std::vector<int>& rows,
                            const std::vector<int>& columns, const NumberFormat& format) const;

  private:
    ViewKind kind_;
    int columns_;
    std::vector<int> list_;
    int scrollMax_;
    int position_ = 0;
    int listed_ = 0;
    std::string countText_ = "0000";
};

}  // namespace recorder
