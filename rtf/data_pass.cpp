#include "rtf/detail/data_pass.h"

#include <deque>
#include <string>
#include <vector>

#include "rtf/detail/data_lines.h"
#include "rtf/detail/key_table.h"
#include "rtf/detail/markers.h"
#include "rtf/report_messages.h"

namespace RepoRTF_interface::detail {

namespace {

constexpr std::int64_t kMaxLevel = 999;
constexpr std::uint32_t kNone = KeyTable::kNone;
constexpr std::size_t npos = std::string::npos;

bool isSkipped(std::string_view line) {
    return line.empty() || line[0] == '#' || line.starts_with("|DOS:") || line.starts_with("|WIN:");
}

// Every key a line can fill: the first pair of a document line, every pair of a
// block line. Reading the lines converts the OEM ones in place.
KeyTable collectKeys(std::string& data) {
    KeyTable keys(data);
    DataLineReader lines(data);
    while (!lines.atEnd()) {
        const std::string_view line = lines.next();
        if (line.starts_with("|DOS:")) lines.setOemMode(true);
        if (line.starts_with("|WIN:")) lines.setOemMode(false);
        if (isSkipped(line)) continue;
        std::string_view rest = line;
        DataPair pair;
        if (!takePair(rest, pair)) continue;
        keys.add(pair.key);
        if (pair.level == 0) continue;
        while (!rest.empty() && takePair(rest, pair)) keys.add(pair.key);
    }
    return keys;
}

// A value given to a key: it fills the key's fields that entered the output
// before `boundary` and had no value yet.
struct Fill {
    std::uint32_t boundary;
    std::uint32_t next;                      // the key's next fill
    std::uint32_t valueOffset, valueLength;  // in the data text
};

struct Range {
    std::size_t from, to;
};

class DataPass {
  public:
    DataPass(const TemplateText& converted, std::string_view data, KeyTable& keys, bool rtf,
             ReportWriter& report)
        : template_(converted),
          text_(converted.text()),
          data_(data),
          keys_(keys),
          rtf_(rtf),
          report_(report) {
        // Where each key's last field stands: a key whose last field lies before
        // the template buffer is not sought there.
        for (std::size_t open = text_.find(kFieldMark); open != npos;) {
            std::size_t after;
            const std::uint32_t k = keys_.findName(template_.fieldName(open, after));
            if (k != kNone) keys_[k].lastInTemplate = static_cast<std::uint32_t>(open);
            open = text_.find(kFieldMark, after);
        }
    }

    void line(std::string_view line) {
        std::string_view rest = line;
        DataPair pair;
        bool hasPair = takePair(rest, pair);
        if (pair.level < 0 || pair.level > kMaxLevel) throw RepoRTF_Error(messages::kStructure);
        if (pair.level == 0) {
            documentField(hasPair, pair);
        } else {
            blockRow(hasPair, pair, rest);
        }
    }

    void finish() {
        appendTemplate(start_, template_.size());
        start_ = template_.size();
        flush();
    }

  private:
    // The key's state, made current for this flush's output.
    KeyState& current(std::uint32_t k) {
        KeyState& key = keys_[k];
        if (key.generation != generation_) {
            key.generation = generation_;
            key.lastInOutput = kNoPosition;
            key.filledTo = 0;
            key.firstFill = key.lastFill = kNoPosition;
        }
        return key;
    }

    // True when the output holds a field of the key without a value.
    bool unfilledInOutput(std::uint32_t k) {
        const KeyState& key = current(k);
        return key.lastInOutput != kNoPosition && key.lastInOutput >= key.filledTo;
    }

    // Appends template text [from, to), noting the fields of the keys in it.
    void appendTemplate(std::size_t from, std::size_t to) {
        if (from >= to) return;
        if (!ranges_.empty() && ranges_.back().to == from) {
            ranges_.back().to = to;
        } else {
            ranges_.push_back({from, to});
        }
        for (std::size_t open = text_.find(kFieldMark, from); open < to;) {
            std::size_t after;
            const std::uint32_t k = keys_.findName(template_.fieldName(open, after));
            if (k != kNone) {
                current(k).lastInOutput = outputSize_ + static_cast<std::uint32_t>(open - from);
            }
            open = text_.find(kFieldMark, after);
        }
        outputSize_ += static_cast<std::uint32_t>(to - from);
    }

    void fill(std::uint32_t k, std::string_view value) {
        KeyState& key = current(k);
        const auto n = static_cast<std::uint32_t>(fills_.size());
        fills_.push_back({outputSize_, kNoPosition,
                          static_cast<std::uint32_t>(value.data() - data_.data()),
                          static_cast<std::uint32_t>(value.size())});
        if (key.lastFill == kNoPosition) {
            key.firstFill = n;
        } else {
            fills_[key.lastFill].next = n;
        }
        key.lastFill = n;
        key.filledTo = outputSize_;
    }

    // The first field of the key at or after `from` (it is known to exist).
    std::size_t findField(std::uint32_t k, std::size_t from) const {
        for (std::size_t open = text_.find(kFieldMark, from); open != npos;) {
            std::size_t after;
            if (keys_.findName(template_.fieldName(open, after)) == k) return open;
            open = text_.find(kFieldMark, after);
        }
        return npos;
    }

    void documentField(bool hasPair, const DataPair& pair) {
        previousLevel_ = 0;
        if (!hasPair) return;
        const std::uint32_t k = keys_.find(pair.key);
        if (k == kNone) return;
        if (!unfilledInOutput(k)) {
            const std::uint32_t last = keys_[k].lastInTemplate;
            if (last == kNoPosition || last < start_) return;
            const std::size_t blockMark = template_.nextBlockMark(findField(k, start_));
            const std::size_t to = blockMark == npos ? template_.size() : blockMark;
            appendTemplate(start_, to);
            start_ = to;
        }
        fill(k, pair.value);
    }

    void blockRow(bool hasPair, const DataPair& first, std::string_view rest) {
        auto [open, close] =
            template_.findBlockTags(blockTag(static_cast<int>(first.level)), start_);
        if (close == npos) return;
        if (previousLevel_ == 0) {
            // The text before block 1 goes out with the first row.
            const std::size_t block1 = template_.findBlockTags(blockTag(1), start_).first;
            if (block1 != npos && block1 > start_) {
                appendTemplate(start_, block1);
                start_ = block1;
            }
        }
        appendTemplate(open + kBlockTagSize, close);
        if (hasPair) {
            fillRow(first);
            DataPair pair;
            while (!rest.empty() && takePair(rest, pair)) fillRow(pair);
        }
        flush();
        previousLevel_ = first.level;
    }

    void fillRow(const DataPair& pair) {
        const std::uint32_t k = keys_.find(pair.key);
        if (k != kNone && unfilledInOutput(k)) fill(k, pair.value);
    }

    void flush();
    void writeField(std::string_view name, std::uint32_t at);
    void write(std::string_view text) { written_ = report_.write(text) && written_; }

    const TemplateText& template_;
    const std::string& text_;
    const std::string_view data_;
    KeyTable& keys_;
    const bool rtf_;
    ReportWriter& report_;
    std::size_t start_ = 0;  // the template buffer is text_ from here on
    std::int64_t previousLevel_ = 0;
    // The output buffer: ranges of the template, and the fills of its keys.
    std::vector<Range> ranges_;
    std::uint32_t outputSize_ = 0;  // see kNoPosition
    std::deque<Fill> fills_;        // grows without moving what it holds
    std::uint32_t generation_ = 1;
    std::string value_;  // a value as it is written, reused
    bool written_ = true;
};

void DataPass::writeField(std::string_view name, std::uint32_t at) {
    const std::uint32_t k = keys_.findName(name);
    if (k == kNone) return;
    KeyState& key = current(k);
    // Fields are walked in output order, so a fill passed by once is done with.
    while (key.firstFill != kNoPosition && fills_[key.firstFill].boundary <= at)
        key.firstFill = fills_[key.firstFill].next;
    if (key.firstFill == kNoPosition) return;  // no value: the field vanishes
    const Fill& fill = fills_[key.firstFill];
    value_.clear();
    appendValue(value_, keys_.key(k), data_.substr(fill.valueOffset, fill.valueLength), rtf_);
    write(value_);
}

// Writes the output buffer and empties it: the text, every field with its value
// or nothing, every block from its tag to the same tag's next occurrence in the
// output left out (a lone tag alone), and the template's escaped bytes as they were.
void DataPass::flush() {
    std::uint32_t rangeAt = 0;  // output position of the current range
    std::size_t r = 0;
    std::size_t p = ranges_.empty() ? 0 : ranges_[0].from;
    while (r < ranges_.size()) {
        const Range range = ranges_[r];
        const std::size_t run = p;
        while (p < range.to && !isMarkByte(text_[p])) ++p;
        if (p > run) write(std::string_view(text_).substr(run, p - run));
        if (p >= range.to) {
            rangeAt += static_cast<std::uint32_t>(range.to - range.from);
            if (++r < ranges_.size()) p = ranges_[r].from;
            continue;
        }
        if (text_[p] == kEscapeMark) {
            const char byte = static_cast<char>(text_[p + 1] - kEscapeOffset);
            write(std::string_view(&byte, 1));
            p += 2;
        } else if (text_[p] == kFieldMark) {
            std::size_t after;
            const std::string_view name = template_.fieldName(p, after);
            writeField(name, rangeAt + static_cast<std::uint32_t>(p - range.from));
            p = after;
        } else {
            const std::string_view tag = std::string_view(text_).substr(p, kBlockTagSize);
            const std::size_t same = template_.findBlockTags(tag, p).second;
            if (same != npos && same < range.to) {
                p = same + kBlockTagSize;
                continue;
            }
            // In a later range, or nowhere: then the tag alone goes.
            p += kBlockTagSize;
            for (std::size_t later = r + 1; later < ranges_.size(); ++later) {
                const std::size_t at = template_.findBlockTags(tag, ranges_[later].from).first;
                if (at == npos || at >= ranges_[later].to) continue;
                for (; r < later; ++r)
                    rangeAt += static_cast<std::uint32_t>(ranges_[r].to - ranges_[r].from);
                p = at + kBlockTagSize;
                break;
            }
        }
    }
    // The keys' fills and output positions go with the generation.
    fills_.clear();
    ranges_.clear();
    outputSize_ = 0;
    ++generation_;
    if (!written_) throw RepoRTF_Error(messages::kWriteError);
}

}  // namespace

void runDataPass(const TemplateText& converted, bool rtf, std::string& data,
                 const ProgressCallback& progress, ReportWriter& report) {
    KeyTable keys = collectKeys(data);
    DataPass pass(converted, data, keys, rtf, report);
    DataLineReader lines(data);  // already converted: read without the OEM switch
    std::int64_t counter = 0;
    while (!lines.atEnd()) {
        const std::string_view line = lines.next();
        ++counter;
        if (progress && progress(counter) != 0) throw RepoRTF_Error(messages::kAborted);
        if (isSkipped(line)) continue;
        pass.line(line);
    }
    pass.finish();
}

}  // namespace RepoRTF_interface::detail
