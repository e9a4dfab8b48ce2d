#pragma once
// The commands of litm that are programs of their own (litm-report,
// litm-archive): litm runs litm-NAME in its place, as version-control tools run
// their helpers, so its standard input and output, its exit status and its
// interrupts are the program's own.

namespace cli {

// Runs litm-NAME with the arguments after NAME (argv[0] is NAME) in this
// process's place: a POSIX system replaces the process; Windows starts the
// program, waits for it and returns its exit status (Ctrl+C, which reaches
// both, is left to the program). The program is looked for beside the running
// litm, then on PATH. When it cannot be started: a message and kExitFailure.
int runExternalCommand(const char* name, int argc, char** argv);

}  // namespace cli
