#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/external_command.h"
#include "cli/external_command_platform.h"

namespace cli {

int runExternalCommand(const char* name, int argc, char** argv) {
    std::string program = externalProgramName(name);
    std::vector<char*> args{program.data()};
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);

    // Beside litm first, so an installed or built litm runs its own helper and
    // not another version found on PATH.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = error ? std::filesystem::path() : self.parent_path();
    if (!folder.empty()) {
        const std::filesystem::path beside = folder / program;
        ::execv(beside.c_str(), args.data());
        if (errno != ENOENT) {
            reportCannotRun(name, beside, std::strerror(errno));
            return kExitFailure;
        }
    }
    ::execvp(program.c_str(), args.data());
    const int reason = errno;
    if (reason == ENOENT)
        reportNotInstalled(name, folder);
    else
        reportCannotStart(name, std::strerror(reason));
    return kExitFailure;
}

}  // namespace cli
