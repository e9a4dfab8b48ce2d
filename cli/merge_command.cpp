#include "cli/merge_command.h"
#include "base/utf8_path.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "cli/terminal_text.h"
#include "rtf/report_engine.h"

namespace cli {

namespace {

void printUsage(std::ostream& out) {
    out << "usage: litm merge DATA TEMPLATE REPORT\n\n"
           "Fills the RTF (or plain-text) TEMPLATE with the lines of the report data\n"
           "file DATA (\"|level:Key:value\") and writes REPORT, replacing it.\n";
}

}  // namespace

const Subcommand kMergeCommand{"merge", "fill an RTF template from a report data file",
                               runMergeCommand};

int runMergeCommand(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help") || args.flag("-h")) {
        printUsage(std::cout);
        return kExitOk;
    }
    std::vector<std::string> files;
    try {
        files = args.positionals();
    } catch (const UsageError&) {
        files.clear();  // an unknown option: the same answer as a wrong count
    }
    if (files.size() != 3) {
        std::cerr << "litm merge: expected DATA TEMPLATE REPORT\n";
        printUsage(std::cerr);
        return kExitUsage;
    }
    try {
        RepoRTF_interface::CreateReport(base::pathFromUtf8(files[0]), base::pathFromUtf8(files[1]),
                                        base::pathFromUtf8(files[2]));
    } catch (const RepoRTF_interface::RepoRTF_Error& e) {
        std::cerr << "litm merge: " << e.fullMessage() << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        std::cerr << "litm merge: " << terminalLines(e.what()) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace cli
