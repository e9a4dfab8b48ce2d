// `litm check`, `litm show`, `litm addresses`: the checks, the shown texts and
// the memory address report of one data file.

#include <iostream>
#include <string>

#include "cli/command_line.h"
#include "cli/json.h"
#include "cli/subcommands.h"
#include "cli/terminal_text.h"
#include "recorder/display_table.h"
#include "recorder/loader.h"

namespace cli {
namespace {

constexpr const char* kCheckHelp =
    "usage: litm check FILE\n"
    "Runs the whole-image sum and the fourteen bank block checks and prints the\n"
    "load-error log, one line per failed check, in order.\n"
    "Exit status: 0 no errors, 1 errors found, 2 the file cannot be opened.\n";

constexpr const char* kShowHelp =
    "usage: litm show FILE [--json] [--decimal ,|.]\n"
    "Prints the load-error log, every identification and counter text as the\n"
    "main window shows it, the load-band gauges, the record counts and the memory\n"
    "address report. --json gives one JSON object with the keys log, texts,\n"
    "gauges, counts and addressReport.\n";

// `litm show --help` ends with the display table: every name under "texts" and
// "gauges", its page and what it shows.
std::string showHelp() {
    std::string help = kShowHelp;
    help += "\nDisplays (name, page, what it shows):\n";
    for (const recorder::Display& d : recorder::displayTable()) {
        const std::string name(d.name);
        help += "  " + name + std::string(name.size() < 16 ? 16 - name.size() : 1, ' ') +
                recorder::pageTitle(d.page) + "  " + std::string(d.shows) + "\n";
    }
    return help;
}

constexpr const char* kAddressesHelp =
    "usage: litm addresses FILE\n"
    "Prints the memory address report: the three stored copies of every write pointer.\n";

// A text of CRLF lines for the terminal, its lines joined by lineBreak.
std::string shownLines(const std::string& text, const char* lineBreak) {
    std::string out;
    for (std::size_t from = 0;;) {
        const std::size_t end = text.find("\r\n", from);
        out += terminalText(std::string_view(text).substr(from, end - from));
        if (end == std::string::npos) return out;
        out += lineBreak;
        from = end + 2;
    }
}

struct Count {
    const char* name;
    long long value;
};

std::vector<Count> countsOf(const recorder::Reading& r) {
    return {{"PageAddress", r.PageAddress},
            {"BufferFrameCount", r.BufferFrameCount},
            {"FrameCount", r.FrameCount},
            {"OverloadCount", r.OverloadCount},
            {"KdsCount", r.KdsCount},
            {"SettingsCount", r.SettingsCount},
            {"TotalCycles", r.counters.TotalCycles}};
}

void printJson(const recorder::Reading& r) {
    std::string out = "{\n  \"log\": [";
    for (std::size_t i = 0; i < r.LoadErrorLog.size(); ++i)
        out += (i ? ",\n    " : "\n    ") + jsonString(r.LoadErrorLog[i]);
    out += r.LoadErrorLog.empty() ? "],\n  \"texts\": {" : "\n  ],\n  \"texts\": {";
    bool first = true;
    for (const auto& [name, text] : r.texts.entries()) {
        out += (first ? "\n    " : ",\n    ") + jsonString(name) + ": " + jsonString(text);
        first = false;
    }
    out += "\n  },\n  \"gauges\": {";
    first = true;
    for (const auto& [name, value] : r.gauges.entries()) {
        out += (first ? "\n    " : ",\n    ") + jsonString(name) + ": " + std::to_string(value);
        first = false;
    }
    out += "\n  },\n  \"counts\": {";
    first = true;
    for (const Count& c : countsOf(r)) {
        out += (first ? "\n    " : ",\n    ") + jsonString(c.name) + ": " + std::to_string(c.value);
        first = false;
    }
    out += "\n  },\n  \"addressReport\": " + jsonString(r.addressReportText()) + "\n}\n";
    std::cout << out;
}

void printForPerson(const recorder::Reading& r) {
    std::cout << "Лог ошибок загрузки файла данных:\n";
    if (r.LoadErrorLog.empty()) std::cout << "  (ошибок нет)\n";
    for (const auto& line : r.LoadErrorLog) std::cout << "  " << terminalText(line) << "\n";
    std::cout << "\nОтображаемые значения:\n";
    for (const auto& [name, text] : r.texts.entries())
        std::cout << "  " << name << std::string(name.size() < 16 ? 16 - name.size() : 1, ' ')
                  << terminalText(text) << "\n";
    std::cout << "\nДиаграммы нагрузок (%):\n";
    for (const auto& [name, value] : r.gauges.entries())
        std::cout << "  " << name << std::string(name.size() < 16 ? 16 - name.size() : 1, ' ')
                  << value << "\n";
    std::cout << "\nСчётчики:\n";
    for (const Count& c : countsOf(r)) std::cout << "  " << c.name << " = " << c.value << "\n";
    std::cout << "\nСлужебная информация:\n";
    for (const auto& entry : r.AddressReport)
        std::cout << "  " << shownLines(entry, "\n  ") << "\n";
}

int runCheck(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kCheckHelp, kExitOk;
    const auto files = args.positionals();
    if (files.size() != 1) throw UsageError{"expected one FILE"};
    std::string error;
    auto file = recorder::openDataFile(files[0], error);
    if (!file) {
        reportCannotOpen(files[0], error);
        return kExitCannotOpen;
    }
    recorder::Reading reading;
    recorder::checkDataFile(*file, reading);
    for (const auto& line : reading.LoadErrorLog) std::cout << terminalText(line) << "\n";
    return reading.LoadErrorLog.empty() ? kExitOk : kExitFailure;
}

int runShow(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << showHelp(), kExitOk;
    const bool json = args.flag("--json");
    const auto format = numberFormat(args);
    const auto files = args.positionals();
    if (files.size() != 1) throw UsageError{"expected one FILE"};
    recorder::Reading reading;
    if (!loadOrReport(files[0], reading, format)) return kExitCannotOpen;
    json ? printJson(reading) : printForPerson(reading);
    return kExitOk;
}

int runAddresses(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kAddressesHelp, kExitOk;
    const auto files = args.positionals();
    if (files.size() != 1) throw UsageError{"expected one FILE"};
    recorder::Reading reading;
    if (!loadOrReport(files[0], reading, {})) return kExitCannotOpen;
    std::cout << shownLines(reading.addressReportText(), "\n") << "\n";
    return kExitOk;
}

}  // namespace

const Subcommand kCheckCommand{"check", "list the load-error log of a data file", runCheck};
const Subcommand kShowCommand{"show", "show identification, counters and classification", runShow};
const Subcommand kAddressesCommand{"addresses", "print the memory address report", runAddresses};

}  // namespace cli
