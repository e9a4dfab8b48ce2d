// `litm report`: the printed reports of readings as PDF files, without a
// display, so a service organisation prints the cards of a whole fleet at once.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/subcommands.h"
#include "reports/report_files.h"

namespace cli {
namespace {

constexpr const char* kReportHelp =
    "usage: litm report card|appendix|frames|overloads FILE... --pdf OUT\n"
    "                   [--range A B] [--decimal ,|.]\n"
    "Writes a printed report of each reading as PDF, the same pages the print\n"
    "preview shows:\n"
    "  card        the information card (one page)\n"
    "  appendix    the card's two appendix pages of graphs\n"
    "  frames      the operational information, one line per frame\n"
    "  overloads   the overload table\n"
    "With one FILE, OUT is the PDF file (or a folder to write it into); with\n"
    "several, OUT is a folder and each reading gets NAME.pdf there.\n"
    "--range A B   the frames to print (frames only; cut to the table's slots\n"
    "              0 to 7292); without it, every loaded frame.\n"
    "Exit status: 0 all written, 1 a PDF could not be written, 2 a data file\n"
    "could not be opened (the others are still written), 64 usage.\n";

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
        previousHandler = qInstallMessageHandler(quietHandler);
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
};

int runReport(int argc, char** argv) {
    Arguments args(argc, argv);
    if (args.flag("--help")) return std::cout << kReportHelp, kExitOk;
    const auto out = args.value("--pdf");
    const auto range = args.values("--range", 2);
    const recorder::NumberFormat format = numberFormat(args);
    std::vector<std::string> rest = args.positionals();
    if (rest.empty()) throw UsageError{"name the report: card, appendix, frames or overloads"};
    const auto kind = reports::reportKind(rest.front());
    if (!kind) throw UsageError{"unknown report '" + rest.front() + "'"};
    rest.erase(rest.begin());
    if (rest.empty()) throw UsageError{"name at least one data file"};
    if (!out) throw UsageError{"--pdf OUT is required"};
    if (!range.empty() && *kind != reports::ReportKind::Frames)
        throw UsageError{"--range goes with the frames report"};
    std::optional<reports::FrameSpan> span;
    if (!range.empty())
        span = reports::FrameSpan{parseInteger(range[0], "A", INT32_MIN, INT32_MAX),
                                  parseInteger(range[1], "B", INT32_MIN, INT32_MAX)};

    const QString target = QString::fromStdString(*out);
    const bool intoFolder = rest.size() > 1 || QFileInfo(target).isDir();
    if (intoFolder && !QDir().mkpath(target)) {
        std::cerr << "litm report: cannot create the folder " << *out << "\n";
        return kExitFailure;
    }

    OffscreenApplication application;
    // Every reading is tried; the status tells the worst that happened.
    bool cannotOpen = false, failed = false;
    for (const std::string& file : rest) {
        recorder::Reading reading;
        if (!loadOrReport(file, reading, format)) {
            cannotOpen = true;
            continue;
        }
        const reports::FrameSpan frames =
            span ? *span : reports::FrameSpan{0, reading.FrameCount - 1};
        const QString pdf =
            intoFolder ? QDir(target).filePath(
                             QFileInfo(QString::fromStdString(file)).completeBaseName() + ".pdf")
                       : target;
        QString error;
        if (!reports::writeReportPdf(*kind, reading, format, frames, pdf, error)) {
            std::cerr << "litm report: cannot write " << pdf.toStdString() << ": "
                      << error.toStdString() << "\n";
            failed = true;
        }
    }
    return failed ? kExitFailure : cannotOpen ? kExitCannotOpen : kExitOk;
}

}  // namespace

const Subcommand kReportCommand{"report", kReportSummary, runReport};

}  // namespace cli
