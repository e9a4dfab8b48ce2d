// litm-report: `litm report` as a program of its own, which litm runs; it draws
// its pages with Qt, which the other commands of litm do not load.

#include "cli/subcommands.h"
#include "cli/terminal.h"

int main(int argc, char** argv) {
    cli::prepareConsoleOutput();
    cli::Utf8Arguments arguments(argc, argv);
    return cli::runSubcommand(cli::kReportCommand, arguments.argc(), arguments.argv());
}
