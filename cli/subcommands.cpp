#include "cli/subcommands.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>
#include <utility>

#include "cli/command_line.h"
#include "fileio/interrupt.h"

namespace cli {
namespace {

// The optional commands registered so far with their places; filled before main
// runs, by the static RegisterSubcommand objects of the files linked into litm.
std::vector<std::pair<int, Subcommand>>& registered() {
    static std::vector<std::pair<int, Subcommand>> list;
    return list;
}

}  // namespace

RegisterSubcommand::RegisterSubcommand(const Subcommand& command, int place) {
    registered().emplace_back(place, command);
}

std::vector<Subcommand> subcommands() {
    std::vector<Subcommand> list = {kCheckCommand,     kShowCommand,      kFramesCommand,
                                    kOverloadsCommand, kAddressesCommand, kSampleCommand,
                                    kMergeCommand,     kReadCommand,      kFormCommand};
    auto optional = registered();
    std::stable_sort(optional.begin(), optional.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& entry : optional) list.push_back(entry.second);
    return list;
}

int runSubcommand(const Subcommand& command, int argc, char** argv) {
    // Ctrl+C or SIGTERM removes a file being written and ends the command
    // (`litm read` takes the signals over while it talks to the device).
    const fileio::InterruptHandlers interrupts(fileio::OnInterrupt::Exit);
    try {
        return command.run(argc, argv);
    } catch (const UsageError& e) {
        std::cerr << "litm " << command.name << ": " << e.message << "\n"
                  << "(litm " << command.name << " --help shows the usage)\n";
        return kExitUsage;
    } catch (const std::exception& e) {
        std::cerr << "litm " << command.name << ": " << e.what() << "\n";
        return kExitFailure;
    }
}

}  // namespace cli
