#pragma once
// What litm needs of the terminal or console it runs in: its command line as
// UTF-8, and a console that shows the UTF-8 text the program writes.

#include <string>
#include <vector>

namespace cli {

// Whether standard error is a terminal a person watches: the progress bar is
// drawn there only, a log file gets plain lines.
bool stderrIsTerminal();

// The program's arguments in UTF-8, the program's own encoding of text. A POSIX
// system hands them over as they are; Windows passes main() the ANSI code page,
// which loses every character outside it, so there they are read again as
// UTF-16 from the system. argv() is valid while this object lives.
class Utf8Arguments {
  public:
    Utf8Arguments(int argc, char** argv);
    Utf8Arguments(const Utf8Arguments&) = delete;
    Utf8Arguments& operator=(const Utf8Arguments&) = delete;

    int argc() const { return static_cast<int>(texts_.size()); }
    char** argv() { return pointers_.data(); }

  private:
    std::vector<std::string> texts_;
    std::vector<char*> pointers_;  // into texts_, ending with a null pointer
};

// Makes the standard output and error show the program's UTF-8 text; called
// once at the start of main. A POSIX terminal takes UTF-8 as it is. On
// Windows a console gets the text as UTF-16 (the console's code page is left
// alone, so nothing is to be put back when the program ends or is
// interrupted), and a file or pipe gets the same bytes as on any other
// system, line feeds untranslated.
void prepareConsoleOutput();

}  // namespace cli
