// `litm report`: the printed reports of readings as PDF files, without a
// display, so a service organisation prints the cards of a whole fleet at once.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHash>
#include <QSet>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "cli/terminal_text.h"
#include "fileio/bounded_read.h"
#include "reports/report_files.h"

namespace cli {
namespace {

constexpr const char* kReportHelp =
    "usage: litm report card|appendix|frames|overloads FILE... --pdf OUT\n"
    "                   [--range A B] [--decimal ,|.] [--strict]\n"
    "Writes a printed report of each reading as PDF, the same pages the print\n"
    "preview shows:\n"
    "  card        the information card (one page)\n"
    "  appendix    the card's two appendix pages of graphs\n"
    "  frames      the operational information, one line per frame\n"
    "  overloads   the overload table\n"
    "With one FILE, OUT is the PDF file (or a folder to write it into); with\n"
    "several, OUT is a folder. In a folder each reading NAME.litm gets\n"
    "\"NAME – KIND.pdf\", KIND in Russian (\"информационная карта\", \"приложения к\n"
    "карте\", \"оперативная информация\", \"таблица перегрузок\"), so the reports of\n"
    "one reading stand side by side. Readings of one NAME from different folders\n"
    "get the folder's name too, \"NAME (FOLDER) – KIND.pdf\", and a name this run\n"
    "has already written gets a number, \"… (2).pdf\": no PDF of a run replaces\n"
    "another of the same run. A PDF of that name left by an earlier run is replaced.\n"
    "--range A B   the frames to print (frames only; cut to the table's slots\n"
    "              0 to 7292); without it, every loaded frame.\n"
    "A reading that fails its checks (litm check lists them) is printed as loaded,\n"
    "with the number of failed checks and the first lines of the log on stderr;\n"
    "--strict      refuse such a reading instead (exit status 1; the others are\n"
    "              still written).\n"
    "Exit status: 0 all written, 1 a PDF could not be written or a reading was\n"
    "refused, 2 a data file could not be opened (the others are still written),\n"
    "64 usage.\n";

// The PDF names of one run into a folder: "NAME – KIND.pdf", with the reading's
// folder when readings of the run from two folders share a NAME, and a number for a name
// the run has given already, so no PDF of the run replaces another.
class PdfNames {
  public:
    PdfNames(QString folder, const std::vector<std::string>& files, reports::ReportKind kind)
        : folder_(std::move(folder)),
          label_(QString::fromStdString(reports::reportFileLabel(kind))) {
        for (const std::string& file : files) folders_[key(baseName(file))].insert(folderOf(file));
    }

    QString next(const std::string& file) {
        const QString base = baseName(file);
        QString name = base;
        if (folders_[key(base)].size() > 1) name += " (" + QDir(folderOf(file)).dirName() + ")";
        name += QString::fromUtf8(" – ") + label_;
        QString candidate = name;
        for (int n = 2; given_.contains(key(candidate)); ++n)
            candidate = name + QStringLiteral(" (%1)").arg(n);
        given_.insert(key(candidate));
        return QDir(folder_).filePath(candidate + ".pdf");
    }

  private:
    static QString baseName(const std::string& file) {
        return QFileInfo(QString::fromStdString(file)).completeBaseName();
    }
    static QString folderOf(const std::string& file) {
        return QFileInfo(QString::fromStdString(file)).absolutePath();
    }
    // Names that differ only in case are one file on some file systems.
    static QString key(const QString& name) { return name.toCaseFolded(); }

    QString folder_;
    QString label_;
    QHash<QString, QSet<QString>> folders_;  // by NAME: the folders of its readings
    QSet<QString> given_;
};

// Without a session (a cron job, a service) Qt remarks on the missing runtime
// folder, which it does not need for drawing pages; other messages pass.
QtMessageHandler previousHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

// Qt draws the pages; no window is ever shown, so no display is needed.
struct OffscreenApplication {
    int argc = 1;
    char name[5] = "litm";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;

    OffscreenApplication() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
        // Off the screen Qt reads the font files itself, from this folder:
        // Windows' own fonts, where Arial is.
        if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
            qputenv("QT_QPA_FONTDIR", (qEnvironmentVariable("WINDIR") + "/Fonts").toLocal8Bit());
#endif
        previousHandler = qInstallMessageHandler(quietHandler);
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
};

struct ReportRequest {
    reports::ReportKind kind;
    std::vector<std::string> files;
    std::string out;
    std::optional<reports::FrameSpan> span;
    recorder::NumberFormat format;
    bool strict = false;
};

ReportRequest parseRequest(Arguments& args) {
    ReportRequest request;
    const auto out = args.value("--pdf");
    const auto range = args.values("--range", 2);
    request.format = numberFormat(args);
    request.strict = args.flag("--strict");
    std::vector<std::string> rest = args.positionals();
    if (rest.empty()) throw UsageError{"name the report: card, appendix, frames or overloads"};
    const auto kind = reports::reportKind(rest.front());
    if (!kind) throw UsageError{"unknown report '" + rest.front() + "'"};
    request.kind = *kind;
    rest.erase(rest.begin());
    if (rest.empty()) throw UsageError{"name at least one data file"};
    if (!out) throw UsageError{"--pdf OUT is required"};
    if (!range.empty() && *kind != reports::ReportKind::Frames)
        throw UsageError{"--range goes with the frames report"};
    if (!range.empty())
        request.span = reports::FrameSpan{parseInteger(range[0], "A", INT32_MIN, INT32_MAX),
                                          parseInteger(range[1], "B", INT32_MIN, INT32_MAX)};
    request.files = std::move(rest);
    request.out = *out;
    return request;
}

bool makeFolder(const std::string& folder) {
    std::error_code ec;
    std::filesystem::create_directories(base::pathFromUtf8(folder), ec);
    if (!ec) return true;
    std::cerr << "litm report: не удалось создать папку «" << terminalText(folder)
              << "»: " << fileio::reasonText(ec) << "\n";
    return false;
}

int runReport(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kReportHelp, kExitOk;
    const ReportRequest request = parseRequest(args);
    const QString target = QString::fromStdString(request.out);
    const bool intoFolder = request.files.size() > 1 || QFileInfo(target).isDir();
    if (intoFolder && !makeFolder(request.out)) return kExitFailure;
    PdfNames names(target, request.files, request.kind);

    OffscreenApplication application;
    std::vector<std::filesystem::path> inputs;
    for (const std::string& file : request.files) inputs.push_back(base::pathFromUtf8(file));
    // Every reading is tried; the status tells the worst that happened.
    bool cannotOpen = false, failed = false;
    for (const std::string& file : request.files) {
        recorder::Reading reading;
        if (!loadOrReport(file, reading, request.format)) {
            cannotOpen = true;
            continue;
        }
        if (!acceptCheckedReading("report", file, reading, request.strict)) {
            failed = true;
            continue;
        }
        const reports::FrameSpan frames =
            request.span ? *request.span : reports::FrameSpan{0, reading.FrameCount - 1};
        const QString pdf = intoFolder ? names.next(file) : target;
        if (overwritesInput("report", std::filesystem::path(pdf.toStdU16String()), inputs)) {
            failed = true;
            continue;
        }
        QString error;
        if (!reports::writeReportPdf(request.kind, reading, request.format, frames, pdf, error)) {
            std::cerr << "litm report: " << terminalLines(error.toStdString()) << " ("
                      << terminalText(pdf.toStdString()) << ")\n";
            failed = true;
        }
    }
    return failed ? kExitFailure : cannotOpen ? kExitCannotOpen : kExitOk;
}

}  // namespace

const Subcommand kReportCommand{"report", kReportSummary, runReport};

}  // namespace cli
