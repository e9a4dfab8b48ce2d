#include "ui/main_window/Tirs48c_litm3_main.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <algorithm>

#include "acquisition/Readlitm3.h"
#include "dialogs/user_dialogs.h"
#include "forms/differences.h"
#include "recorder/loader.h"
#include "ui/main_window/differences_caption.h"
#include "ui/main_window/main_charts.h"
#include "ui/main_window/main_print.h"
#include "ui/main_window/recent_files.h"
#include "ui/views/record_view.h"
#include "ui/windows/Logloaderror.h"
#include "ui/windows/Official.h"
#include "ui/windows/window_placement.h"

using namespace main_window_texts;

namespace {

// A status bar panel of a set width that a narrow window may cut.
class StatusPanel : public QLabel {
  public:
    StatusPanel(int width, QWidget* parent) : QLabel(parent), width_(width) {
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Sunken);
        setMaximumWidth(width);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    // A text wider than the panel widens it (a hint is shown whole); an empty
    // or short text gives the panel its own width back.
    void setText(const QString& text) {
        QLabel::setText(text);
        setMaximumWidth(std::max(width_, QLabel::sizeHint().width()));
        updateGeometry();
    }
    QSize sizeHint() const override {
        return {std::max(width_, QLabel::sizeHint().width()), QLabel::sizeHint().height()};
    }
    // A text wider than the panel is never cut: the panel beside gives way.
    QSize minimumSizeHint() const override {
        const int text = QLabel::sizeHint().width();
        return {text > width_ ? text : 0, QLabel::minimumSizeHint().height()};
    }

  private:
    int width_;
};

}  // namespace

TForm_TIRS48CMain::TForm_TIRS48CMain(UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(dialogs),
      reading_(std::make_unique<recorder::Reading>()),
      startDirectory_(QDir::currentPath()) {
    setObjectName("Form_TIRS48CMain");
    setWindowTitle(QString::fromUtf8(kCaption));
    setMaximumSize(kMaxWidth, kMaxHeight);
    resize(kMaxWidth, kMaxHeight);

    createMenu();
    createPages();
    createStatusBar();
    createCommands();
    createDesktopHabits();
    renderReading();  // the empty displays of a window without a reading
    centreOnScreen(this);
    restorePlacement();
}

TForm_TIRS48CMain::~TForm_TIRS48CMain() = default;

void TForm_TIRS48CMain::attachWindows(TForm_LogError* logError, TForm_Official* official) {
    logError_ = logError;
    official_ = official;
}

void TForm_TIRS48CMain::attachPrintWindow(TForm_Print* print) {
    printing_->attachPrintWindow(print);
}

QLabel* TForm_TIRS48CMain::statusPanel(int index) const {
    return index >= 0 && index < 3 ? statusPanels_[index] : nullptr;
}

void TForm_TIRS48CMain::createStatusBar() {
    StatusBar_Main = new QStatusBar(this);
    StatusBar_Main->setObjectName("StatusBar_Main");
    StatusBar_Main->setSizeGripEnabled(false);
    const int widths[3] = {150, 500, 50};
    for (int i = 0; i < 3; ++i) {
        auto* panel = new StatusPanel(widths[i], StatusBar_Main);
        panel->setObjectName(QString("StatusBar_Main_Panel%1").arg(i));
        StatusBar_Main->addWidget(panel);
        statusPanels_[i] = panel;
    }
    setStatusBar(StatusBar_Main);
}

bool TForm_TIRS48CMain::event(QEvent* event) {
    // The hint of the control under the mouse goes to the first panel, leaving
    // the other panels in place.
    if (event->type() == QEvent::StatusTip) {
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        static_cast<StatusPanel*>(statusPanels_[0])->setText(tip);
        statusPanels_[0]->setToolTip(tip);
        return true;
    }
    return QMainWindow::event(event);
}

recorder::NumberFormat TForm_TIRS48CMain::numberFormat() const {
    recorder::NumberFormat format;
    const QString point = QLocale().decimalPoint();
    // The core writes one ASCII character; other separators fall back to the point.
    format.decimalSeparator =
        point.size() == 1 && point.at(0).unicode() < 128 ? point.at(0).toLatin1() : '.';
    return format;
}

// ---- Commands ---------------------------------------------------------------------------------

void TForm_TIRS48CMain::ClearAll() {
    reading_->ClearAll();
    // Differences left by form 1 or 2 never stay on as if they were totals.
    showTotalsAgain();
    if (official_) official_->clearText();
    charts_->resetFrameAxis();
}

void TForm_TIRS48CMain::Menu_LITM3Click() {
    // A new acquisition dialog each time, shown modally; the reading reaches
    // this window only as a saved file that is then opened.
    runReadLitm3Dialog(this, startDirectory_, dialogs_,
                       [this](const QString& path) { emit readingSaved(path); });
}

void TForm_TIRS48CMain::Menu_OpenLITM3Click() {
    ClearAll();
    statusPanels_[1]->clear();

    const QString path = chooseReadingFile();
    if (path.isEmpty()) return;
    loadChosenFile(path);
}

QString TForm_TIRS48CMain::chooseReadingFile() {
    // Readings are saved under "Файлы"; start there when it exists.
    const QDir files(startDirectory_ + "/Файлы");
    const QString directory = files.exists() ? files.path() : startDirectory_;
    return dialogs_.getOpenFileName(this, QString::fromUtf8(kOpenTitle), directory,
                                    QString::fromUtf8(kOpenFilter),
                                    QString::fromUtf8(kOpenSelectedFilter));
}

void TForm_TIRS48CMain::openDataFilePath(const QString& path) {
    ClearAll();
    statusPanels_[1]->clear();
    loadChosenFile(path);
}

void TForm_TIRS48CMain::loadChosenFile(const QString& path) {
    openedFilePath_.clear();
    setWindowTitle(QString::fromUtf8(kCaption) + "  [" + QFileInfo(path).fileName() + "]");

    std::string error;
    const auto file = recorder::openDataFile(path.toStdString(), error);
    if (!file) {
        dialogs_.showError(this, QString::fromUtf8(kCannotOpenIndent) +
                                     QString::fromUtf8(recorder::kCannotOpenMessage));
        return;
    }
    openedFilePath_ = path;

    RecentFiles::remember(path);
    recorder::checkDataFile(*file, *reading_);
    if (logError_) {
        logError_->setLines(reading_->LoadErrorLog);
        if (!reading_->LoadErrorLog.empty()) dialogs_.runModal(*logError_);
    }

    recorder::decodeDataFile(*file, *reading_, numberFormat());
    renderReading();
    if (official_) official_->setReport(reading_->addressReportText());
    frameView_->setUpAfterLoad();
    overloadView_->setUpAfterLoad();
    charts_->fill(*reading_);
}

void TForm_TIRS48CMain::renderReading() {
    for (const auto& [name, text] : reading_->texts.entries())
        displays_.setText(QString::fromStdString(name), QString::fromStdString(text));
    for (const auto& [name, value] : reading_->gauges.entries())
        displays_.setGauge(QString::fromStdString(name), value);
}

void TForm_TIRS48CMain::changeReading(const std::function<void(recorder::Reading&)>& change) {
    try {
        change(*reading_);
    } catch (...) {
        renderReading();
        throw;
    }
    renderReading();
}

std::optional<FrameRangeFields> TForm_TIRS48CMain::frameRangeFields() {
    const auto first = frameView_->integerIn(frameView_->firstEdit, QString::fromUtf8("с"));
    if (!first) return std::nullopt;
    const auto last = frameView_->integerIn(frameView_->lastEdit, QString::fromUtf8("по"));
    if (!last) return std::nullopt;
    return FrameRangeFields{*first, *last};
}

void TForm_TIRS48CMain::whenReadingSaved(std::function<void(const QString& path)> saved) {
    connect(this, &TForm_TIRS48CMain::readingSaved, this, std::move(saved));
}

void TForm_TIRS48CMain::Menu_logClick() {
    if (logError_) dialogs_.runModal(*logError_);
}

void TForm_TIRS48CMain::N_AdresClick() {
    if (!official_) return;
    official_->show();
    official_->raise();
    official_->activateWindow();
}

void TForm_TIRS48CMain::Menu_ExitClick() {
    close();
}

void TForm_TIRS48CMain::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program, so the windows beside it go too.
    savePlacement();
    if (official_) official_->hide();
    if (logError_) logError_->hide();
    QMainWindow::closeEvent(event);
}

// ---- Resize rule ------------------------------------------------------------------------------

void TForm_TIRS48CMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TForm_TIRS48CMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && (watched == TabSheet_Slug || watched == TabSheet_Nagr))
        FormResize();
    return QMainWindow::eventFilter(watched, event);
}

void TForm_TIRS48CMain::FormResize() {
    if (!TabSheet_Slug) return;
    // Both inner pages share one page control, so the "Служебная" page's size
    // serves for both panels. A page smaller than its panel gives negative
    // offsets: the panel stays centred and is cut on both sides.
    const int w = TabSheet_Slug->width();
    const int h = TabSheet_Slug->height();
    // The service panel fills its page, but never shrinks below what its
    // groups need.
    const QSize least = Panel_Slugebnaya->minimumSizeHint();
    const QSize size(std::max(w, least.width()), std::max(h, least.height()));
    Panel_Slugebnaya->setGeometry((w - size.width()) / 2, (h - size.height()) / 2, size.width(),
                                  size.height());
    Panel_Nagruzki->move((w - Panel_Nagruzki->width()) / 2, (h - Panel_Nagruzki->height()) / 2);
}

void TForm_TIRS48CMain::showDifferences(const QString& caption) {
    if (!differencesCaption_) {
        auto* counters = findChild<QTabWidget*>(QStringLiteral("PageControl_Inf"));
        differencesCaption_ =
            std::make_unique<DifferencesCaption>(*counters->parentWidget(), *StatusBar_Main);
    }
    differencesCaption_->show(caption);
}

void TForm_TIRS48CMain::showTotalsAgain() {
    if (!differencesCaption_ || !differencesCaption_->isShown()) return;
    forms::showTotals(*reading_, numberFormat());
    renderReading();
    differencesCaption_->hide();
}

void TForm_TIRS48CMain::showStatus(const QString& text, const QString& tooltip) {
    statusPanels_[1]->setText(text);
    statusPanels_[1]->setToolTip(tooltip);
}
