// `litm form 1|2|3 LAST [PREVIOUS] --template T --out REPORT`: the test-processing
// forms from a terminal, the same bytes as the window's commands write.

#include <iostream>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "cli/terminal_text.h"
#include "forms/create_form.h"

namespace cli {
namespace {

constexpr const char* kFormHelp =
    "usage: litm form 1|2|3 LAST [PREVIOUS] --template T --out REPORT [--decimal ,|.]\n"
    "                 [--strict]\n"
    "Makes test-processing form N of the reading LAST: writes the report data file\n"
    "\"Форма N.txt\" beside the template T and merges T into REPORT. Forms 1 and 2\n"
    "compare LAST with the PREVIOUS reading (the counters' differences; form 1 adds\n"
    "the period of the test). A PREVIOUS reading of another limiter, or one that is\n"
    "later than LAST or holds larger counters, is refused (exit 1).\n"
    "A LAST that fails its checks (litm check lists them) still makes the form, with\n"
    "the number of failed checks and the first lines of the log on stderr;\n"
    "--strict      refuse such a reading instead (exit status 1, nothing written).\n";

// A word of a command line as a POSIX shell reads it back.
std::string shellWord(const std::string& word) {
    if (!word.empty() &&
        word.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                               "0123456789-_./,=:+") == std::string::npos)
        return word;
    std::string quoted = "'";
    for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Refuses a previous reading of another limiter, or one that looks later than
// the last (the command with the two files swapped is suggested).
bool previousRefused(const recorder::Reading& reading, const forms::PreviousReading& previous,
                     const std::vector<std::string>& positionals, const std::string& templateFile,
                     const std::string& report) {
    const forms::PreviousCheck check = forms::checkPreviousReading(reading, previous);
    if (check.verdict == forms::PreviousVerdict::Comparable) return false;
    std::cerr << "litm form: " << check.message << "\n";
    if (check.verdict == forms::PreviousVerdict::Swapped)
        std::cerr << "Похоже, файлы перепутаны; поменяйте их местами:\n  litm form "
                  << positionals[0] << " " << shellWord(positionals[2]) << " "
                  << shellWord(positionals[1]) << " --template " << shellWord(templateFile)
                  << " --out " << shellWord(report) << "\n";
    return true;
}

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

    // Neither the report nor the data file beside the template may replace an input.
    const std::string previousFile = form == 3 ? std::string() : positionals[2];
    const std::filesystem::path templatePath = base::pathFromUtf8(*templateFile);
    const std::filesystem::path reportPath = base::pathFromUtf8(*report);
    const std::filesystem::path dataFile = forms::dataFilePath(form, templatePath);
    const std::filesystem::path inputs[] = {base::pathFromUtf8(positionals[1]),
                                            base::pathFromUtf8(previousFile), templatePath};
    if (overwritesInput("form", reportPath, inputs) || overwritesInput("form", dataFile, inputs))
        return kExitFailure;

    recorder::Reading reading;
    if (!loadOrReport(positionals[1], reading, format)) return kExitCannotOpen;
    if (!acceptCheckedReading("form", positionals[1], reading, strict)) return kExitFailure;
    const forms::FormFiles files{templatePath, reportPath};
    try {
        if (form == 3) {
            forms::createForm3(reading, files);
        } else {
            forms::PreviousReading previous;
            std::string error;
            if (!forms::readPreviousReadingFile(base::pathFromUtf8(positionals[2]), previous,
                                                error)) {
                reportCannotOpen(positionals[2], error);
                return kExitCannotOpen;
            }
            if (previousRefused(reading, previous, positionals, *templateFile, *report))
                return kExitFailure;
            if (form == 2)
                forms::createForm2(reading, previous, files, format);
            else
                forms::createForm1(reading, previous, files, format);
        }
    } catch (const forms::FormError& e) {
        std::cerr << "litm form: " << terminalLines(e.what()) << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

const Subcommand kFormCommand{"form", "make test-processing form 1, 2 or 3 from readings", runForm};

}  // namespace cli
