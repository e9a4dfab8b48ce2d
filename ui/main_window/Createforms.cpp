// The test-processing form commands of the main window: the prompts and file
// dialogs, then the forms core makes the data file and the report; the window
// shows the differences, narrows the frame view and the chart to the test
// (form 1) and opens the report in the desktop's application for RTF.

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <algorithm>

#include "base/local_time.h"
#include "dialogs/user_dialogs.h"
#include "forms/create_form.h"
#include "recorder/loader.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
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

void TForm_TIRS48CMain::N_CreateForma3Click() {
    dialogs_.showInformation(this, QString::fromUtf8(kChooseForProcessing));
    // Whatever the open command ends with (a cancel, a file that cannot be
    // opened), the form is made from what the window shows.
    Menu_OpenLITM3Click();
    finishForm(3, nullptr);
}

void TForm_TIRS48CMain::N_CreateForma2Click() {
    createComparedForm(2);
}

void TForm_TIRS48CMain::N_CreateForma1Click() {
    createComparedForm(1);
}

void TForm_TIRS48CMain::createComparedForm(int form) {
    using namespace main_window_texts;
    dialogs_.showInformation(this, QString::fromUtf8(kChooseLast));
    Menu_OpenLITM3Click();
    dialogs_.showInformation(this, QString::fromUtf8(kChoosePrevious));
    const QString path = chooseReadingFile();
    if (path.isEmpty()) return;
    forms::PreviousReading previous;
    std::string error;
    if (!forms::readPreviousReadingFile(toPath(path), previous, error)) {
        dialogs_.showError(this, QString::fromUtf8(kCannotOpenIndent) +
                                     QString::fromUtf8(recorder::kCannotOpenMessage));
        return;
    }
    finishForm(form, &previous);
}

void TForm_TIRS48CMain::finishForm(int form, const forms::PreviousReading* previous) {
    const forms::FormFiles files =
        forms::startDirectoryFiles(form, toPath(startDirectory_), *reading_, recorder::localNow());
    forms::FormResult result;
    try {
        if (form == 3)
            result = forms::createForm3(*reading_, files);
        else if (form == 2)
            result = forms::createForm2(*reading_, *previous, files, numberFormat());
        else
            result = forms::createForm1(*reading_, *previous, files, numberFormat());
    } catch (const forms::FormError& e) {
        // The engine may fail after the differences were shown: they stay.
        renderReading();
        dialogs_.showError(this, QString::fromUtf8(e.what()));
        return;
    }
    renderReading();
    if (result.period) narrowToTest(*result.period);
    dialogs_.openDocument(QFile::decodeName(result.report.string().c_str()));
}

void TForm_TIRS48CMain::narrowToTest(const forms::TestPeriod& period) {
    // The scroll bar cannot start beyond its maximum (the last four frames have
    // no page of their own): the view then starts at the last page.
    QScrollBar* bar = frameView_->scrollBar;
    bar->setMinimum(std::min(period.FirstFrame, bar->maximum()));
    ParamPage->showFrames(period.FirstFrame, reading_->FrameCount - 1);
}
