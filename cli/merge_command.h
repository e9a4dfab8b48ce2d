// `litm merge DATA TEMPLATE REPORT`: the report engine from a terminal.
#pragma once

namespace cli {

// argv[0] is "merge". Returns 0 when the report is written, 1 when the engine
// fails (its message goes to stderr), 64 for wrong usage.
int runMergeCommand(int argc, char** argv);

}  // namespace cli
