#pragma once
// The commands of litm that are programs of their own (litm-report,
// litm-archive): litm runs litm-NAME in its place, as version-control tools run
// their helpers, so its standard input and output, its exit status and its
// signals are the program's own.

namespace cli {

// Replaces this process with litm-NAME and the arguments after NAME (argv[0] is
// NAME). The program is looked for beside the running litm, then on PATH.
// Returns only when it cannot be started, with a message and kExitFailure.
int runExternalCommand(const char* name, int argc, char** argv);

}  // namespace cli
