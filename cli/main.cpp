// litm: the recorder analysis from a terminal, over the same core as the window.

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/external_command.h"
#include "cli/subcommands.h"
#include "cli/terminal.h"
#include "cli/terminal_text.h"

namespace {

void printUsage(std::ostream& out, const std::vector<cli::Subcommand>& commands) {
    out << "usage: litm COMMAND [ARGS]   (litm COMMAND --help for details)\n\ncommands:\n";
    for (const auto& c : commands)
        out << "  " << c.name << std::string(12 - std::strlen(c.name), ' ') << c.summary << "\n";
}

int run(int argc, char** argv) {
    const std::vector<cli::Subcommand> commands = cli::subcommands();
    if (argc < 2) {
        printUsage(std::cerr, commands);
        return cli::kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        printUsage(std::cout, commands);
        return cli::kExitOk;
    }
    for (const auto& c : commands) {
        if (name != c.name) continue;
        if (!c.run) return cli::runExternalCommand(c.name, argc - 1, argv + 1);
        return cli::runSubcommand(c, argc - 1, argv + 1);
    }
    std::cerr << "litm: unknown command '" << cli::terminalText(name) << "'\n";
    printUsage(std::cerr, commands);
    return cli::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    cli::prepareConsoleOutput();
    cli::Utf8Arguments arguments(argc, argv);
    return run(arguments.argc(), arguments.argv());
}
