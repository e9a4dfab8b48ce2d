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

// A text field: quoted when it holds a quote, a line end or the separator. A
// spreadsheet takes a cell that starts with '=', '+', '-', '@', a tab or a CR as
// a formula, so such a text (an owner's name, a file name) gets a leading
// apostrophe and is quoted; a number ("-3,5", "+12", "-1.5e3") stays a number.
// Every CSV the program writes passes its texts through here.
std::string csvField(const std::string& text, char separator);

std::string framesCsv(const std::vector<const FrameRecord*>& frames, char separator);
std::string overloadsCsv(const std::vector<const OverloadRecord*>& records, char separator);

}  // namespace recorder
