#include <unistd.h>

#include "cli/terminal.h"

namespace cli {

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

}  // namespace cli
