#include "cli/merge_command.h"

#include <exception>
#include <iostream>
#include <string>

#include "rtf/report_engine.h"

namespace cli {

namespace {

constexpr int kOk = 0;
constexpr int kFailure = 1;
constexpr int kUsage = 64;

void printUsage(std::ostream& out) {
    out << "usage: litm merge DATA TEMPLATE REPORT\n\n"
           "Fills the RTF (or plain-text) TEMPLATE with the lines of the report data\n"
           "file DATA (\"|level:Key:value\") and writes REPORT, replacing it.\n";
}

}  // namespace

int runMergeCommand(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            printUsage(std::cout);
            return kOk;
        }
    }
    if (argc != 4) {
        std::cerr << "litm merge: expected DATA TEMPLATE REPORT\n";
        printUsage(std::cerr);
        return kUsage;
    }
    try {
        RepoRTF_interface::CreateReport(argv[1], argv[2], argv[3]);
    } catch (const RepoRTF_interface::RepoRTF_Error& e) {
        std::cerr << "litm merge: " << e.Message << "\n";
        return kFailure;
    } catch (const std::exception& e) {
        std::cerr << "litm merge: " << e.what() << "\n";
        return kFailure;
    }
    return kOk;
}

}  // namespace cli
