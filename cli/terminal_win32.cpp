#include <windows.h>

#include "cli/terminal.h"

namespace cli {

// A console answers GetConsoleMode; a file or pipe does not.
bool stderrIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace cli
