#pragma once
// Frame and overload records as CSV (RFC 4180) that a spreadsheet opens right:
// UTF-8 with a byte-order mark, a header row of the grid's own Russian
// captions, the columns in the grid's order, one row per record, CRLF line
// ends. Numbers are written in their shortest form that reads back to the same
// value; with ';' between fields the decimal separator is a comma, as Russian
// spreadsheets expect. A bit string is written as the formula ="00010001", so
// a spreadsheet keeps it as text with its leading zeros instead of reading a
// number. `litm frames --csv`, `litm overloads --csv` and the window's "save
// selection" share it.

#include <string>
#include <vector>

#include "recorder/reading.h"
#include "recorder/record_sheet.h"

namespace recorder {

inline constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// Shortest decimal text of a float that reads back to the same float ("10.5", "-0.01").
std::string shortestNumber(float value, char decimalSeparator = '.');

// A text field: quoted when it holds a quote, a line end or the separator. A
// spreadsheet takes a cell that starts with '=', '+', '-', '@', a tab or a CR as
// a formula, so such a text (an owner's name, a file name) gets a leading
// apostrophe and is quoted; a number ("-3,5", "+12", "-1.5e3") stays a number.
// Every CSV the program writes passes its texts through here.
std::string csvField(const std::string& text, char separator);

std::string sheetCsv(const RecordSheet& sheet, char separator);
std::string framesCsv(const std::vector<const FrameRecord*>& frames, char separator);
std::string overloadsCsv(const std::vector<const OverloadRecord*>& records, char separator);

}  // namespace recorder
