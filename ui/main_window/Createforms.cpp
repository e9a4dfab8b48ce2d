#include "ui/main_window/Createforms.h"

#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QScrollBar>
#include <algorithm>

#include "base/local_time.h"
#include "dialogs/user_dialogs.h"
#include "forms/create_form.h"
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

std::filesystem::path toPath(const QString& path) {
    return std::filesystem::path(QFile::encodeName(path).toStdString());
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
    using namespace main_window_texts;
    dialogs_.showInformation(window(), QString::fromUtf8(kChooseLast));
    host_.openChosenFile();
    dialogs_.showInformation(window(), QString::fromUtf8(kChoosePrevious));
    const QString path = host_.chooseReadingFile();
    if (path.isEmpty()) return;
    forms::PreviousReading previous;
    std::string error;
    if (!forms::readPreviousReadingFile(toPath(path), previous, error)) {
        dialogs_.showError(window(), QString::fromUtf8(kCannotOpenIndent) +
                                         QString::fromUtf8(recorder::kCannotOpenMessage));
        return;
    }
    finishForm(form, &previous);
}

void FormCommands::finishForm(int form, const forms::PreviousReading* previous) {
    const forms::FormFiles files = forms::startDirectoryFiles(
        form, toPath(host_.startDirectory()), host_.reading(), recorder::localNow());
    const recorder::NumberFormat format = host_.numberFormat();
    forms::FormResult result;
    try {
        // The window shows the changed texts also when the engine fails after
        // the differences were written: they stay.
        host_.changeReading([&](recorder::Reading& reading) {
            if (form == 3)
                result = forms::createForm3(reading, files);
            else if (form == 2)
                result = forms::createForm2(reading, *previous, files, format);
            else
                result = forms::createForm1(reading, *previous, files, format);
        });
    } catch (const forms::FormError& e) {
        dialogs_.showError(window(), QString::fromUtf8(e.what()));
        return;
    }
    if (result.period) narrowToTest(*result.period);
    dialogs_.openDocument(QFile::decodeName(result.report.string().c_str()));
}

void FormCommands::narrowToTest(const forms::TestPeriod& period) {
    // The scroll bar cannot start beyond its maximum (the last four frames have
    // no page of their own): the view then starts at the last page.
    QScrollBar* bar = frameView_.scrollBar;
    bar->setMinimum(std::min(period.FirstFrame, bar->maximum()));
    chart_.showFrames(period.FirstFrame, host_.reading().FrameCount - 1);
}
