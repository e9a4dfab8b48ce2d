// Reading the report data file: lines (with the OEM switch), the pairs of a line
// ("|level:Key:value", repeated with the same prefix) and the text a value puts
// into the report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace RepoRTF_interface::detail {

// Splits the (text-mode) data file into lines. Like the C library's end-of-file
// flag, the end is noticed only by a read that finds nothing more: a file whose
// last line ends with LF yields one more, empty, line.
class DataLineReader {
  public:
    explicit DataLineReader(std::string& text) : text_(text) {}

    bool atEnd() const { return atEnd_; }
    // The next line without its LF. In OEM mode it is first converted from
    // CP866 to CP1251 in place (same length), so a second reading of the text
    // finds it converted.
    std::string_view next();
    void setOemMode(bool on) { oem_ = on; }

  private:
    std::string& text_;
    std::size_t at_ = 0;
    bool atEnd_ = false;
    bool oem_ = false;
};

// One pair taken from the front of a line.
struct DataPair {
    std::int64_t level = 0;
    bool hasKey = false;
    std::string_view key;
    std::string_view value;
};

// Takes the first pair from `rest` and leaves there the text of the next pair (or
// nothing when the line is finished). False when there is no pair; `pair.level`
// then still holds the level of a valid prefix.
bool takePair(std::string_view& rest, DataPair& pair);

// The level written in a prefix: the integer at the start of the text, after
// blanks and a sign, read up to the first non-digit (0 when there is none).
// Values too large for the engine are kept out of range, never wrapped.
std::int64_t parseLevel(std::string_view text);

// Appends the value as it goes into the report: "_SYM" keys spell it in font 3
// by character codes; otherwise RTF specials are escaped (RTF mode) and "|EOL:",
// "|EOP:" become a paragraph and a page break. In both, "|BAR:" stands for a
// literal "|" (what the data file writer puts for a "|" that would otherwise
// end the value or start one of these markers).
void appendValue(std::string& out, std::string_view key, std::string_view value, bool rtf);

}  // namespace RepoRTF_interface::detail
