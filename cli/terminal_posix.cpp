#include <unistd.h>

#include "cli/terminal.h"

namespace cli {

bool stderrIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

Utf8Arguments::Utf8Arguments(int argc, char** argv) : texts_(argv, argv + argc) {
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

void prepareConsoleOutput() {}

}  // namespace cli
