#include "cli/external_command.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace cli {

int runExternalCommand(const char* name, int argc, char** argv) {
    std::string program = std::string("litm-") + name;
    std::vector<char*> args{program.data()};
    for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
    args.push_back(nullptr);

    // Beside litm first, so an installed or built litm runs its own helper and
    // not another version found on PATH.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::filesystem::path folder = error ? std::filesystem::path() : self.parent_path();
    if (!folder.empty()) {
        const std::string beside = (folder / program).string();
        ::execv(beside.c_str(), args.data());
        if (errno != ENOENT) {
            std::cerr << "litm " << name << ": cannot run " << beside << ": "
                      << std::strerror(errno) << "\n";
            return kExitFailure;
        }
    }
    ::execvp(program.c_str(), args.data());
    const int reason = errno;
    std::cerr << "litm " << name << ": the program " << program << " that runs this command ";
    if (reason == ENOENT)
        std::cerr << "is not installed: it is neither beside litm"
                  << (folder.empty() ? std::string() : " (" + folder.string() + ")")
                  << " nor on PATH\n";
    else
        std::cerr << "cannot be started: " << std::strerror(reason) << "\n";
    return kExitFailure;
}

}  // namespace cli
