#pragma once
// The main window: it owns the one loaded Reading, shows it on its pages, and
// carries the menu with every command of the program.

#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <memory>

#include "recorder/number_format.h"
#include "recorder/reading.h"
#include "ui/main_window/displays.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QFrame;
class QLabel;
class QMenu;
class ParameterChartPage;
class ProtectionChartPage;
class QStatusBar;
class QTabWidget;
class RecordView;
class TForm_LogError;
class TForm_Official;
class TForm_Print;
class UserDialogs;
namespace forms {
struct PreviousReading;
struct TestPeriod;
}  // namespace forms

class TForm_TIRS48CMain : public QMainWindow {
    Q_OBJECT

  public:
    static constexpr int kMaxWidth = 800;
    static constexpr int kMaxHeight = 600;

    explicit TForm_TIRS48CMain(UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TForm_TIRS48CMain() override;

    // The error-log and service-information windows, created after this one.
    void attachWindows(TForm_LogError* logError, TForm_Official* official);
    void attachPrintWindow(TForm_Print* print) { print_ = print; }

    const recorder::Reading& reading() const { return *reading_; }
    const QString& startDirectory() const { return startDirectory_; }
    // The file the shown reading was loaded from; empty when none is loaded.
    const QString& openedFilePath() const { return openedFilePath_; }
    const Displays& displays() const { return displays_; }
    QLabel* statusPanel(int index) const;

    // The frame view ("Общая") and the overload view ("Перегрузки и КДС").
    RecordView* frameView() const { return frameView_; }
    RecordView* overloadView() const { return overloadView_; }

    // The decimal separator of the user's regional settings, as the displays use it.
    recorder::NumberFormat numberFormat() const;

    // Opens a data file named outside the dialog (command line, file manager,
    // the recent-files list, a drop) exactly as if it had been chosen in the dialog.
    void openDataFilePath(const QString& path);

    // The data files opened last, newest first (at most kRecentFileCount).
    QStringList recentFiles() const;
    static constexpr int kRecentFileCount = 8;
    // Writes the selection of a view as CSV or as an Excel workbook, asking where.
    void saveSelectionAsCsv(RecordView* view);
    void saveSelectionAsXlsx(RecordView* view);
    // The short user's guide installed with the program, or empty when missing.
    static QString userGuidePath();

  public slots:
    void Menu_LITM3Click();
    void Menu_OpenLITM3Click();
    void ClearAll();
    // "Обработка испытаний" > "Форма 1", "Форма 2", "Форма 3" (Createforms.cpp).
    void N_CreateForma1Click();
    void N_CreateForma2Click();
    void N_CreateForma3Click();
    void Menu_logClick();
    void N_AdresClick();
    void Menu_ExitClick();
    // "Печать": the card and then its appendix; the operational information; the overloads.
    void M_IKClick();
    void M_OperClick();
    void M_PerClick();
    void FormResize();
    // The selection buttons of the frame view and of the overload view (tags 1, 2, 3).
    void BitBtn_OtborClick(int tag);
    void BitBtn_OtborPer(int tag);
    // The scroll bars of the frame, overload and КДС views.
    void ScrollBar_CiklChange(int position);
    void ScrollBar_PerChange(int position);
    void ScrollBar_KDSChange();
    // A chart click: "Циклическая информация (таблицы)" / "Общая" with the
    // frame view standing on `frame`'s entry of its list.
    void showFrameAt(int frame);

  signals:
    // Sent by showFrameAt after it has switched the pages.
    void frameJumpRequested(int frame);
    // The acquisition dialog saved a reading to `path` (the archive adds it).
    void readingSaved(const QString& path);

  public:
    // Pages
    QTabWidget* PageControl_Main = nullptr;
    QTabWidget* PageControl_Inf = nullptr;
    QWidget* TabSheet_Slug = nullptr;
    QWidget* TabSheet_Nagr = nullptr;
    QFrame* Panel_Slugebnaya = nullptr;
    QFrame* Panel_Nagruzki = nullptr;
    QWidget* TabSheet_Grafik = nullptr;
    QTabWidget* PageControl_Grafik = nullptr;
    QWidget* TabSheet_Param = nullptr;
    QWidget* TabSheet_KZ = nullptr;
    ParameterChartPage* ParamPage = nullptr;  // Chart_Param with its check boxes
    ProtectionChartPage* KZPage = nullptr;    // Chart_KZ with legendCaption
    QWidget* TabSheet_Cikl = nullptr;
    QTabWidget* PageControl_Cikl = nullptr;
    QWidget* TabSheet_Osn = nullptr;
    QWidget* TabSheet_Per = nullptr;
    QStatusBar* StatusBar_Main = nullptr;

    // Menu
    QMenu* Menu_File = nullptr;
    QMenu* Menu_Service = nullptr;
    QAction* Menu_LITM3 = nullptr;
    QAction* Menu_OpenLITM3 = nullptr;
    QAction* Menu_Clear = nullptr;
    QMenu* Menu_Print = nullptr;
    QAction* M_IK = nullptr;
    QAction* M_Oper = nullptr;
    QAction* M_Per = nullptr;
    QAction* N2 = nullptr;
    QMenu* Menu_Tests = nullptr;
    QAction* N_CreateForma1 = nullptr;
    QAction* N_CreateForma2 = nullptr;
    QAction* N_CreateForma3 = nullptr;
    QAction* Menu_log = nullptr;
    QAction* Menu_Exit = nullptr;
    QAction* N_Adres = nullptr;
    QAction* Menu_Help = nullptr;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenu();
    void createPages();
    void createStatusBar();
    void createChartPages();
    void fillCharts();
    void resetChartAxis();
    void showHelp();
    void showAbout();
    // Recent files, a drop, the remembered place, F10: what a desktop program does.
    void createDesktopHabits();
    // The recent files, the selection export, help and about, put into "Файл" as it opens.
    void fillFileMenuExtras();
    void rememberRecentFile(const QString& path);
    void restorePlacement();
    void savePlacement() const;

    // Steps of the open command from the chosen file's name on.
    // The open-file dialog for a reading, in "Файлы" when it exists; empty when cancelled.
    QString chooseReadingFile();
    void loadChosenFile(const QString& path);
    // Writes the reading's texts and gauge values into the displays.
    void renderReading();
    // The forms: the prompts, the previous reading, the core's call, the result.
    void createComparedForm(int form);
    void finishForm(int form, const forms::PreviousReading* previous);
    void narrowToTest(const forms::TestPeriod& period);

    UserDialogs& dialogs_;
    std::unique_ptr<recorder::Reading> reading_;
    QString startDirectory_;
    QString openedFilePath_;
    Displays displays_;
    QLabel* statusPanels_[3] = {};
    TForm_LogError* logError_ = nullptr;
    TForm_Official* official_ = nullptr;
    TForm_Print* print_ = nullptr;
    RecordView* frameView_ = nullptr;
    RecordView* overloadView_ = nullptr;
    QList<QAction*> fileMenuExtras_;
};

// Captions and texts of the open command.
namespace main_window_texts {
inline constexpr const char* kCaption = "Анализ данных регистратора параметров ТИРС-48";
inline constexpr const char* kOpenTitle = "Открыть";
inline constexpr const char* kOpenFilter = "Файлы РП ТИРС-48С (*.litm);;Все файлы (*.*)";
inline constexpr const char* kOpenSelectedFilter = "Файлы РП ТИРС-48С (*.litm)";
// The window puts the core's message below an empty line: "\n " + kCannotOpenMessage.
inline constexpr const char* kCannotOpenIndent = "\n ";
inline constexpr const char* kHelpFile = "HELP48.HLP";
}  // namespace main_window_texts
