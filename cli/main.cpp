// litm: the recorder analysis from a terminal, over the same core as the window.

#include <cstring>
#include <iostream>
#include <vector>

#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "cli/terminal_text.h"
#include "fileio/interrupt.h"

namespace {

const std::vector<const cli::Subcommand*>& subcommands() {
    static const std::vector<const cli::Subcommand*> list = {
        &cli::kCheckCommand,     &cli::kShowCommand,      &cli::kFramesCommand,
        &cli::kOverloadsCommand, &cli::kAddressesCommand, &cli::kSampleCommand,
        &cli::kMergeCommand,     &cli::kReadCommand,      &cli::kFormCommand,
#ifdef TIRS_HAVE_REPORTS
        &cli::kReportCommand,
#endif
#ifdef LITM_HAVE_ARCHIVE
        &cli::kArchiveCommand,
#endif
    };
    return list;
}

void printUsage(std::ostream& out) {
    out << "usage: litm COMMAND [ARGS]   (litm COMMAND --help for details)\n\ncommands:\n";
    for (const auto* c : subcommands())
        out << "  " << c->name << std::string(12 - std::strlen(c->name), ' ') << c->summary << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(std::cerr);
        return cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout);
        return cli::kExitOk;
    }
    // Ctrl+C, SIGTERM, a closed terminal or Ctrl+\ removes a file being written
    // and ends the command
    // (`litm read` takes the signals over while it talks to the device).
    const fileio::InterruptHandlers interrupts(fileio::OnInterrupt::Exit);
    for (const auto* c : subcommands()) {
        if (name != c->name) continue;
        try {
            return c->run(argc - 1, argv + 1);
        } catch (const cli::UsageError& e) {
            std::cerr << "litm " << name << ": " << cli::terminalText(e.message) << "\n"
                      << "(litm " << name << " --help shows the usage)\n";
            return cli::kExitUsage;
        } catch (const std::exception& e) {
            std::cerr << "litm " << name << ": " << cli::terminalText(e.what()) << "\n";
            return cli::kExitFailure;
        }
    }
    std::cerr << "litm: unknown command '" << cli::terminalText(name) << "'\n";
    printUsage(std::cerr);
    return cli::kExitUsage;
}
