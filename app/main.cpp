// The program's entry point: the application with its general error handler,
// the windows in their start-up order, the event loop. A data file named on
// the command line (as the file manager passes it) is opened as if chosen in
// the open dialog.

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "acquisition/Readlitm3.h"
#include "dialogs/qt_translations.h"
#include "dialogs/user_dialogs.h"
#include "screenshots.h"
#include "simulation/litm3_device/demo_line.h"
#include "start_directory.h"
#ifdef TIRS_HAVE_ARCHIVE_UI
#include "archive_ui/archive_menu.h"
#endif
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/guarded_application.h"
#include "ui/main_window/program_windows.h"

namespace {

// Reports when the main window has first painted itself.
class FirstPaintWatch : public QObject {
  public:
    FirstPaintWatch(const QElapsedTimer& clock, bool print, bool quit)
        : clock_(clock), print_(print), quit_(quit) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            if (print_)
                std::fprintf(stderr, "tirs48: main window shown after %lld ms\n",
                             static_cast<long long>(clock_.elapsed()));
            if (quit_) QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    const QElapsedTimer& clock_;
    bool print_;
    bool quit_;
    bool seen_ = false;
};

// The program's options; the development aids are not shown in the help.
struct ProgramOptions {
    QCommandLineOption demoDevice{
        "demo-device",
        "Read from a built-in demo reader device on COM0 (a generated reading) instead of "
        "the serial ports."};
    QCommandLineOption screenshots{"screenshot-dir", "", "directory"};
    QCommandLineOption timings{"timings"};
    QCommandLineOption quitWhenShown{"quit-when-shown"};

    void addTo(QCommandLineParser& parser) {
        parser.addPositionalArgument("file", "Data file (*.litm) to open.");
        parser.addOption(demoDevice);
        for (QCommandLineOption* option : {&screenshots, &timings, &quitWhenShown}) {
            option->setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(*option);
        }
        parser.addHelpOption();
    }
};

// --help is answered before any window system is needed: a terminal without a
// display gets the help, not an abort.
void answerHelpWithoutDisplay(int argc, char** argv) {
    bool help = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        help |= arg == "--help" || arg == "-h" || arg == "-?" || arg == "--help-all";
    }
    if (!help) return;
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tirs48"));
    QCommandLineParser parser;
    ProgramOptions options;
    options.addTo(parser);
    parser.process(core);  // prints the help and exits
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    answerHelpWithoutDisplay(argc, argv);

    // Pictures are taken unattended; everything else asks the person at the screen.
    bool unattended = false;
    for (int i = 1; i < argc; ++i) unattended |= QByteArray(argv[i]) == "--screenshot-dir";
    const QString boxTitle = QString::fromUtf8(main_window_texts::kCaption);
    QtUserDialogs interactive(boxTitle);
    UnattendedDialogs unattendedDialogs(boxTitle);
    UserDialogs& dialogs = unattended ? static_cast<UserDialogs&>(unattendedDialogs) : interactive;
    GuardedApplication app(argc, argv, dialogs);
    setProgramIdentity();
    app.setProperty("helpFile", QString::fromUtf8(main_window_texts::kHelpFile));
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setFont(QFont("Arial", 9));
    installQtTranslations(app);

    QCommandLineParser parser;
    ProgramOptions options;
    options.addTo(parser);
    parser.process(app);
    // A file named relative to where the program was started stays that file
    // when the program moves to another start directory.
    QStringList files;
    for (const QString& file : parser.positionalArguments())
        files << QFileInfo(file).absoluteFilePath();
    QDir::setCurrent(settleStartDirectory(dialogs, QDir::currentPath()));
    provideReadyTemplates(QDir::currentPath());
    if (parser.isSet(options.demoDevice))
        setProgramAcquisitionLine(litm3sim::demoAcquisitionLine());
    const QCommandLineOption& screenshots = options.screenshots;
    const QCommandLineOption& timings = options.timings;
    const QCommandLineOption& quitWhenShown = options.quitWhenShown;

    try {
        ProgramWindows windows = createProgramWindows(dialogs);
        TForm_TIRS48CMain& main = *windows.Form_TIRS48CMain;
#ifdef TIRS_HAVE_ARCHIVE_UI
        installArchiveMenu(main, dialogs);
#endif
        FirstPaintWatch watch(clock, parser.isSet(timings), parser.isSet(quitWhenShown));
        main.installEventFilter(&watch);
        main.show();

        if (!files.isEmpty() || parser.isSet(screenshots)) {
            QTimer::singleShot(0, &main, [&] {
                if (!files.isEmpty()) {
                    QElapsedTimer open;
                    open.start();
                    main.openDataFilePath(files.first());
                    if (parser.isSet(timings))
                        std::fprintf(stderr, "tirs48: reading opened and shown in %lld ms\n",
                                     static_cast<long long>(open.elapsed()));
                }
                if (parser.isSet(screenshots)) {
                    const int n = saveScreenshots(windows, dialogs, parser.value(screenshots));
                    std::fprintf(stderr, "tirs48: %d screenshots saved\n", n);
                    QCoreApplication::quit();
                }
            });
        }
        return QApplication::exec();
    } catch (const std::exception& e) {
        app.reportFailure(failureMessage(e.what()));
    } catch (...) {
        app.reportFailure(failureMessage(nullptr));
    }
    return 0;
}
