#pragma once
// What litm needs to know of the terminal or console it runs in.

namespace cli {

// Whether standard error is a terminal a person watches: the progress bar is
// drawn there only, a log file gets plain lines.
bool stderrIsTerminal();

}  // namespace cli
