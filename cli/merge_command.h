// `litm merge DATA TEMPLATE REPORT`: the report engine from a terminal.
#pragma once

namespace cli {

// argv[0] is "merge". Returns kExitOk when the report is written, kExitFailure
// when the engine fails (its message goes to stderr), kExitUsage for wrong usage.
int runMergeCommand(int argc, char** argv);

}  // namespace cli
