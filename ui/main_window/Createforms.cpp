#include "ui/main_window/Createforms.h"
#include "base/utf8_path.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "base/local_time.h"
#include "dialogs/user_dialogs.h"
#include "forms/create_form.h"
#include "forms/previous_check.h"
#include "recorder/loader.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/main_window/main_window_texts.h"
#include "ui/main_window/reading_host.h"
#include "ui/views/record_view.h"

namespace {

constexpr const char* kChooseForProcessing = "Выберите файл данных РП ТИРС-48С для обработки!";
constexpr const char* kChooseLast = "Выберите файл данных РП ТИРС-48С с последнего считывания!";
constexpr const char* kChoosePrevious =
    "Выберите файл данных РП ТИРС-48С с предыдущего считывания!";

constexpr const char* kSwapQuestion = "\n\nПохоже, файлы перепутаны. Поменять местами?";

std::filesystem::path toPath(const QString& path) {
    return base::pathFromUtf8(path.toStdString());
}

}  // namespace

FormCommands::FormCommands(UserDialogs& dialogs, ReadingHost& host, RecordView& frameView,
                           ParameterChartPage& chart, QObject* parent)
    : QObject(parent), dialogs_(dialogs), host_(host), frameView_(frameView), chart_(chart) {}

QWidget* FormCommands::window() const {
    return &host_.hostWindow();
}

void FormCommands::N_CreateForma3Click() {
    dialogs_.showInformation(window(), QString::fromUtf8(kChooseForProcessing));
    // Whatever the open command ends with (a cancel, a file that cannot be
    // opened), the form is made from what the window shows.
    host_.openChosenFile();
    finishForm(3, nullptr);
}

void FormCommands::N_CreateForma2Click() {
    createComparedForm(2);
}

void FormCommands::N_CreateForma1Click() {
    createComparedForm(1);
}

void FormCommands::createComparedForm(int form) {
    dialogs_.showInformation(window(), QString::fromUtf8(kChooseLast));
    host_.openChosenFile();
    dialogs_.showInformation(window(), QString::fromUtf8(kChoosePrevious));
    const QString path = host_.chooseReadingFile();
    if (path.isEmpty()) return;
    forms::PreviousReading previous;
    if (!readPrevious(path, previous) || !acceptPrevious(path, previous)) return;
    finishForm(form, &previous);
}

bool FormCommands::readPrevious(const QString& path, forms::PreviousReading& previous) {
    using namespace main_window_texts;
    std::string error;
    if (forms::readPreviousReadingFile(toPath(path), previous, error)) return true;
    dialogs_.showError(window(), QString::fromUtf8(kCannotOpenIndent) +
                                     QString::fromUtf8(recorder::kCannotOpenMessage));
    return false;
}

bool FormCommands::acceptPrevious(const QString& path, forms::PreviousReading& previous) {
    forms::PreviousCheck check = forms::checkPreviousReading(host_.reading(), previous);
    if (check.verdict == forms::PreviousVerdict::Comparable) return true;
    const QString message = QString::fromStdString(check.message);
    // Files the other way round are swapped on request: the previous one is
    // opened as the last, and the last read as the previous.
    const QString lastPath = host_.openedFilePath();
    if (check.verdict == forms::PreviousVerdict::OtherLimiter || lastPath.isEmpty()) {
        dialogs_.showError(window(), message);
        return false;
    }
    if (!dialogs_.askYesNo(window(), {}, message + QString::fromUtf8(kSwapQuestion))) return false;
    forms::PreviousReading swapped;
    if (!readPrevious(lastPath, swapped)) return false;
    host_.openDataFilePath(path);
    if (host_.openedFilePath() != path) return false;  // its message has been shown
    previous = swapped;
    check = forms::checkPreviousReading(host_.reading(), previous);
    if (check.verdict == forms::PreviousVerdict::Comparable) return true;
    dialogs_.showError(window(), QString::fromStdString(check.message));
    return false;
}

void FormCommands::finishForm(int form, const forms::PreviousReading* previous) {
    const forms::FormFiles files = forms::startDirectoryFiles(
        form, toPath(host_.startDirectory()), host_.reading(), recorder::localNow());
    const recorder::NumberFormat format = host_.numberFormat();
    forms::FormResult result;
    try {
        // The window shows the changed texts also when the engine fails after
        // the differences were written: they stay, and say so.
        host_.changeReading([&](recorder::Reading& reading) {
            if (form == 3)
                result = forms::createForm3(reading, files);
            else if (form == 2)
                result = forms::createForm2(reading, *previous, files, format);
            else
                result = forms::createForm1(reading, *previous, files, format);
        });
    } catch (const forms::FormError& e) {
        // Without a serial number nothing was shown.
        if (previous && std::strcmp(e.what(), forms::kNoLimiterSerial) != 0)
            showDifferences(*previous);
        dialogs_.showError(window(), QString::fromUtf8(e.what()));
        return;
    }
    if (previous) showDifferences(*previous);
    if (result.period) narrowToTest(*result.period);
    // Qt's own form of a path, with "/" on every system.
    const QString report =
        QDir::fromNativeSeparators(QString::fromStdString(base::utf8Of(result.report)));
    // The name first, so a narrow status bar still shows which file it is; the
    // whole path is its tooltip.
    const QFileInfo written(report);
    host_.showStatus(QString::fromUtf8("Форма %1 записана: %2 в папке %3")
                         .arg(form)
                         .arg(written.fileName(), QDir::toNativeSeparators(written.absolutePath())),
                     QDir::toNativeSeparators(written.absoluteFilePath()));
    dialogs_.openDocument(report);
}

void FormCommands::showDifferences(const forms::PreviousReading& previous) {
    host_.showDifferences(
        QString::fromStdString(forms::differencesCaption(host_.reading(), previous)));
}

void FormCommands::narrowToTest(const forms::TestPeriod& period) {
    // The scroll bar cannot start beyond its maximum (the last four frames have
    // no page of their own): the view then starts at the last page.
    QScrollBar* bar = frameView_.scrollBar;
    bar->setMinimum(std::min(period.FirstFrame, bar->maximum()));
    chart_.showFrames(period.FirstFrame, host_.reading().FrameCount - 1);
}
