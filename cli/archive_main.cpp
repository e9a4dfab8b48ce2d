// litm-archive: `litm archive` as a program of its own, which litm runs; it
// stores readings with Qt SQL, which the other commands of litm do not load.

#include "cli/subcommands.h"
#include "cli/terminal.h"

int main(int argc, char** argv) {
    cli::prepareConsoleOutput();
    cli::Utf8Arguments arguments(argc, argv);
    return cli::runSubcommand(cli::kArchiveCommand, arguments.argc(), arguments.argv());
}
