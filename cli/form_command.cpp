// `litm form 1|2|3 LAST [PREVIOUS] --template T --out REPORT`: the test-processing
// forms from a terminal, the same bytes as the window's commands write.

#include <iostream>
#include <string>

#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "forms/create_form.h"

namespace cli {
namespace {

constexpr const char* kFormHelp =
    "usage: litm form 1|2|3 LAST [PREVIOUS] --template T --out REPORT [--decimal ,|.]\n"
    "                 [--strict]\n"
    "Makes test-processing form N of the reading LAST: writes the report data file\n"
    "\"Форма N.txt\" beside the template T and merges T into REPORT. Forms 1 and 2\n"
    "compare LAST with the PREVIOUS reading (the counters' differences; form 1 adds\n"
    "the period of the test).\n"
    "A LAST that fails its checks (litm check lists them) still makes the form, with\n"
    "the number of failed checks and the first lines of the log on stderr;\n"
    "--strict      refuse such a reading instead (exit status 1, nothing written).\n";

int runForm(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kFormHelp, kExitOk;
    const auto templateFile = args.value("--template");
    if (!templateFile) throw UsageError{"--template T is required"};
    const auto report = args.value("--out");
    if (!report) throw UsageError{"--out REPORT is required"};
    const recorder::NumberFormat format = numberFormat(args);
    const bool strict = args.flag("--strict");
    const std::vector<std::string> positionals = args.positionals();
    if (positionals.empty()) throw UsageError{"the form number 1, 2 or 3 is required"};
    const int form = static_cast<int>(parseInteger(positionals[0], "the form number", 1, 3));
    const std::size_t readings = form == 3 ? 1 : 2;
    if (positionals.size() != 1 + readings)
        throw UsageError{form == 3 ? "form 3 takes one reading: LAST"
                                   : "form " + std::to_string(form) +
                                         " compares two readings: LAST PREVIOUS"};

    recorder::Reading reading;
    if (!loadOrReport(positionals[1], reading, format)) return kExitCannotOpen;
    if (!acceptCheckedReading("form", positionals[1], reading, strict)) return kExitFailure;
    const forms::FormFiles files{*templateFile, *report};
    try {
        if (form == 3) {
            forms::createForm3(reading, files);
        } else {
            forms::PreviousReading previous;
            std::string error;
            if (!forms::readPreviousReadingFile(positionals[2], previous, error)) {
                reportCannotOpen(positionals[2], error);
                return kExitCannotOpen;
            }
            if (form == 2)
                forms::createForm2(reading, previous, files, format);
            else
                forms::createForm1(reading, previous, files, format);
        }
    } catch (const forms::FormError& e) {
        std::cerr << "litm form: " << e.what() << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

const Subcommand kFormCommand{"form", "make test-processing form 1, 2 or 3 from readings", runForm};

}  // namespace cli
