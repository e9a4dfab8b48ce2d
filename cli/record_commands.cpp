// `litm frames` and `litm overloads`: the loaded records, or a selection of
// frames by the frame view's rules, as JSON, CSV or a table for a person.

#include <iostream>
#include <string>
#include <type_traits>
#include <vector>

#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/json.h"
#include "cli/subcommands.h"
#include "cli/terminal_text.h"
#include "recorder/paged_view.h"
#include "recorder/record_csv.h"
#include "recorder/record_fields.h"
#include "recorder/record_sheet.h"
#include "recorder/record_xlsx.h"
#include "recorder/selection.h"

namespace cli {
namespace {

constexpr const char* kFramesHelp =
    "usage: litm frames FILE [--json | --csv [--semicolon] | --xlsx OUT] [--decimal ,|.]\n"
    "                        [--min-load M | --range A B | --date DD.MM.YY]\n"
    "Lists the loaded frames (0 to FrameCount-1), or those a selection finds:\n"
    "  --min-load M   frames whose load percentage is M or more\n"
    "  --range A B    frame slots A to B, both included (cut at the last loaded frame)\n"
    "  --date D       frames recorded on the date D, written DD.MM.YY\n"
    "--json prints an array of objects with the 21 frame fields; --csv prints\n"
    "RFC 4180 CSV for a spreadsheet (UTF-8 with a byte-order mark, the frame\n"
    "view's Russian captions, bit strings as =\"00010001\" to keep their zeros);\n"
    "--semicolon uses ';' between fields and a decimal comma, as Russian\n"
    "spreadsheets expect; --xlsx OUT writes an Excel workbook instead.\n";

constexpr const char* kOverloadsHelp =
    "usage: litm overloads FILE [--json | --csv [--semicolon] | --xlsx OUT] [--decimal ,|.]\n"
    "Lists the loaded overload records (0 to OverloadCount-1) with their 7 fields;\n"
    "--csv and --xlsx as for `litm frames`.\n";

enum class Output { Table, Json, Csv, Xlsx };

struct OutputOptions {
    Output output = Output::Table;
    char csvSeparator = ',';
    std::string workbook;           // --xlsx OUT
    recorder::NumberFormat format;  // for the table
};

OutputOptions outputOptions(Arguments& args) {
    OutputOptions o;
    const bool json = args.flag("--json");
    const bool csv = args.flag("--csv");
    const bool semicolon = args.flag("--semicolon");
    const auto xlsx = args.value("--xlsx");
    if (int(json) + int(csv) + int(xlsx.has_value()) > 1)
        throw UsageError{"choose one of --json, --csv and --xlsx"};
    if (semicolon && !csv) throw UsageError{"--semicolon goes with --csv"};
    o.output = json ? Output::Json : csv ? Output::Csv : xlsx ? Output::Xlsx : Output::Table;
    o.workbook = xlsx.value_or("");
    o.csvSeparator = semicolon ? ';' : ',';
    o.format = numberFormat(args);
    return o;
}

// The records as an Excel workbook: the exit code, with the reason on stderr.
template <typename Record>
int writeWorkbook(const std::vector<const Record*>& records, const std::string& target) {
    recorder::RecordSheet sheet;
    if constexpr (std::is_same_v<Record, recorder::FrameRecord>)
        sheet = recorder::frameSheet(records);
    else
        sheet = recorder::overloadSheet(records);
    const fileio::WriteResult written = recorder::writeSheetXlsx(base::pathFromUtf8(target), sheet);
    if (written.ok) return kExitOk;
    std::cerr << written.message << "\n";
    return kExitFailure;
}

template <typename Record>
int print(const std::vector<const Record*>& records, const recorder::RecordField* fields,
          int fieldCount, recorder::FieldValue (*get)(const Record&, int), const OutputOptions& o) {
    using recorder::FieldKind;
    if (o.output == Output::Xlsx) return writeWorkbook(records, o.workbook);
    std::string out;
    if (o.output == Output::Json) {
        out = "[";
        for (std::size_t i = 0; i < records.size(); ++i) {
            out += i ? ",\n  {" : "\n  {";
            for (int f = 0; f < fieldCount; ++f) {
                const auto v = get(*records[i], f);
                out += (f ? ", " : "") + jsonString(fields[f].name) + ": ";
                out += v.kind == FieldKind::Integer  ? std::to_string(v.integer)
                       : v.kind == FieldKind::Number ? shortestNumber(v.number)
                                                     : jsonString(*v.text);
            }
            out += "}";
        }
        out += records.empty() ? "]\n" : "\n]\n";
    } else if (o.output == Output::Csv) {
        if constexpr (std::is_same_v<Record, recorder::FrameRecord>)
            out = recorder::framesCsv(records, o.csvSeparator);
        else
            out = recorder::overloadsCsv(records, o.csvSeparator);
    } else {
        for (int f = 0; f < fieldCount; ++f) out += (f ? "\t" : "") + std::string(fields[f].name);
        out += "\n";
        for (const Record* r : records) {
            for (int f = 0; f < fieldCount; ++f)
                out += (f ? "\t" : "") + terminalText(recorder::fieldText(get(*r, f), o.format));
            out += "\n";
        }
    }
    std::cout << out;
    return kExitOk;
}

std::string checkedDate(const std::string& text) {
    const bool shaped = text.size() == 8 && text[2] == '.' && text[5] == '.';
    bool digits = shaped;
    for (std::size_t i : {0, 1, 3, 4, 6, 7})
        if (shaped && (text[i] < '0' || text[i] > '9')) digits = false;
    if (!digits) throw UsageError{"--date takes a date written DD.MM.YY, not '" + text + "'"};
    return text;
}

int runFrames(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kFramesHelp, kExitOk;
    const OutputOptions o = outputOptions(args);
    const auto minLoad = args.value("--min-load");
    const auto range = args.values("--range", 2);
    const auto date = args.value("--date");
    if (int(minLoad.has_value()) + int(!range.empty()) + int(date.has_value()) > 1)
        throw UsageError{"choose one of --min-load, --range and --date"};
    const auto files = args.positionals();
    if (files.size() != 1) throw UsageError{"expected one FILE"};

    constexpr long long kInt32Max = 2147483647;
    recorder::Selection selection;
    bool selected = true;
    long long m = 0, a = 0, b = 0;
    std::string day;
    if (minLoad) m = parseInteger(*minLoad, "--min-load", 0, kInt32Max);
    if (!range.empty()) {
        a = parseInteger(range[0], "--range A", 0, kInt32Max);
        b = parseInteger(range[1], "--range B", 0, kInt32Max);
    }
    if (date) day = checkedDate(*date);

    recorder::Reading reading;
    if (!loadOrReport(files[0], reading, o.format)) return kExitCannotOpen;
    if (minLoad)
        selection = recorder::selectFramesByLoad(reading, m);
    else if (!range.empty())
        selection = recorder::selectFramesByRange(reading, a, b);
    else if (date)
        selection = recorder::selectFramesByDate(reading, day);
    else
        selected = false;

    std::vector<const recorder::FrameRecord*> frames;
    if (selected) {
        for (int i = 0; i < selection.count; ++i)
            frames.push_back(&reading.FrameTable[static_cast<std::size_t>(
                selection.entries[static_cast<std::size_t>(i)])]);
        if (selection.count == 0 && o.output == Output::Table)
            std::cerr << (selection.emptyRange ? recorder::kEmptyRangeMessage
                                               : recorder::kNothingFoundMessage)
                      << "\n";
    } else {
        for (int i = 0; i < reading.FrameCount; ++i)
            frames.push_back(&reading.FrameTable[static_cast<std::size_t>(i)]);
    }
    return print<recorder::FrameRecord>(frames, recorder::frameFields().data(),
                                        recorder::kFrameFieldCount, recorder::frameFieldValue, o);
}

int runOverloads(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kOverloadsHelp, kExitOk;
    const OutputOptions o = outputOptions(args);
    const auto files = args.positionals();
    if (files.size() != 1) throw UsageError{"expected one FILE"};
    recorder::Reading reading;
    if (!loadOrReport(files[0], reading, o.format)) return kExitCannotOpen;
    std::vector<const recorder::OverloadRecord*> records;
    for (int i = 0; i < reading.OverloadCount; ++i)
        records.push_back(&reading.OverloadTable[static_cast<std::size_t>(i)]);
    return print<recorder::OverloadRecord>(records, recorder::overloadFields().data(),
                                           recorder::kOverloadFieldCount,
                                           recorder::overloadFieldValue, o);
}

}  // namespace

const Subcommand kFramesCommand{"frames", "list frames, or select them by load, range or date",
                                runFrames};
const Subcommand kOverloadsCommand{"overloads", "list the overload records", runOverloads};

}  // namespace cli
