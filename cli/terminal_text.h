#pragma once
// Texts that come from outside (a reading's text slots, file names, an
// archive's columns) printed on a terminal. A terminal obeys the control
// characters in what it is sent: ESC sequences move the cursor, recolour or
// retitle the window, a CR or a line feed fakes a line. Every text output of
// `litm` for a person passes such texts through terminalText; JSON escapes them
// itself and CSV keeps the data as it is.

#include <string>
#include <string_view>

namespace cli {

// text with every control character (C0, DEL, C1), every bidirectional override
// and every byte that is not part of a UTF-8 character replaced by U+FFFD "�".
std::string terminalText(std::string_view text);

// A message of several lines (the program's own, which may quote such texts):
// its line feeds kept, each line cleaned as terminalText does.
std::string terminalLines(std::string_view text);

}  // namespace cli
