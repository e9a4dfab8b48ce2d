#pragma once
// Runs a shell command line for the tests that drive the programs as a user
// would: what it printed on standard output (append " 2>&1" for both streams)
// and how it ended.

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace test_support {

struct Outcome {
    int exitCode = -1;  // -1 when the command did not end by itself
    std::string out;
};

inline Outcome runShell(const std::string& command) {
    Outcome run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace test_support
