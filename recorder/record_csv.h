#pragma once
// Frame and overload records as CSV (RFC 4180): a header row of the field
// names, one row per record, CRLF line ends. Numbers are written in their
// shortest form that reads back to the same value; with ';' between fields the
// decimal separator is a comma, as Russian spreadsheets expect. `litm frames
// --csv`, `litm overloads --csv` and the window's "save selection" share it.

#include <string>
#include <vector>

#include "recorder/reading.h"

namespace recorder {

// Shortest decimal text of a float that reads back to the same float ("10.5", "-0.01").
std::string shortestNumber(float value, char decimalSeparator = '.');

// A field quoted when it holds a quote, a line end or the separator.
std::string csvField(const std::string& text, char separator);

std::string framesCsv(const std::vector<const FrameRecord*>& frames, char separator);
std::string overloadsCsv(const std::vector<const OverloadRecord*>& records, char separator);

}  // namespace recorder
