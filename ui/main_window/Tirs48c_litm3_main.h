#pragma once
// The main window: it owns the one loaded Reading, shows it on its pages, and
// carries the menu with every command of the program. The commands with a
// job of their own live in small controllers beside it: the forms
// (Createforms.h), printing (main_print.h), the recent files and a drop
// (recent_files.h), the charts (main_charts.h). The print window, the form
// commands and the archive's windows see the window only as a ReadingHost.

#include <QList>
#include <QMainWindow>
#include <QString>
#include <memory>

#include "recorder/number_format.h"
#include "recorder/reading.h"
#include "ui/main_window/displays.h"
#include "ui/main_window/main_window_texts.h"
#include "ui/main_window/reading_host.h"

class FormCommands;
class MainCharts;
class PrintCommands;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QTabWidget;
class RecentFiles;
class RecordView;
class TForm_LogError;
class TForm_Official;
class TForm_Print;
class UserDialogs;

class TForm_TIRS48CMain : public QMainWindow, public ReadingHost {
    Q_OBJECT

  public:
    static constexpr int kMaxWidth = 800;
    static constexpr int kMaxHeight = 600;

    explicit TForm_TIRS48CMain(UserDialogs& dialogs, QWidget* parent = nullptr);
    ~TForm_TIRS48CMain() override;

    // The error-log, service-information and print windows, created after this one.
    void attachWindows(TForm_LogError* logError, TForm_Official* official);
    void attachPrintWindow(TForm_Print* print);

    // ReadingHost
    QMainWindow& hostWindow() override { return *this; }
    const recorder::Reading& reading() const override { return *reading_; }
    void changeReading(const std::function<void(recorder::Reading&)>& change) override;
    recorder::NumberFormat numberFormat() const override;
    const QString& startDirectory() const override { return startDirectory_; }
    const QString& openedFilePath() const override { return openedFilePath_; }
    void openChosenFile() override { Menu_OpenLITM3Click(); }
    QString chooseReadingFile() override;
    void openDataFilePath(const QString& path) override;
    std::optional<FrameRangeFields> frameRangeFields() override;
    void whenReadingSaved(std::function<void(const QString& path)> saved) override;

    const Displays& displays() const { return displays_; }
    QLabel* statusPanel(int index) const;
    // The frame view ("Общая") and the overload view ("Перегрузки и КДС").
    RecordView* frameView() const { return frameView_; }
    RecordView* overloadView() const { return overloadView_; }

  public slots:
    void Menu_LITM3Click();
    void Menu_OpenLITM3Click();
    void ClearAll();
    void Menu_logClick();
    void N_AdresClick();
    void Menu_ExitClick();
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

  protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenu();
    void createPages();
    void createStatusBar();
    // The controllers of the forms, printing and the recent files, on their menu items.
    void createCommands();
    // Alt+Ф and the items put into "Файл" as it opens; the remembered place.
    void createDesktopHabits();
    // The selection export, the recent files, help and about, put into "Файл" as it opens.
    void fillFileMenuExtras();
    void restorePlacement();
    void savePlacement() const;
    // Writes the selection of the view on the current page as CSV, asking where.
    void saveSelectionAsCsv(RecordView* view);
    // The short user's guide installed with the program, or empty when missing.
    static QString userGuidePath();
    void showHelp();
    void showAbout();

    // The open command from the chosen file's name on.
    void loadChosenFile(const QString& path);
    // Writes the reading's texts and gauge values into the displays.
    void renderReading();

    UserDialogs& dialogs_;
    std::unique_ptr<recorder::Reading> reading_;
    QString startDirectory_;
    QString openedFilePath_;
    Displays displays_;
    QLabel* statusPanels_[3] = {};
    TForm_LogError* logError_ = nullptr;
    TForm_Official* official_ = nullptr;
    RecordView* frameView_ = nullptr;
    RecordView* overloadView_ = nullptr;
    QList<QAction*> fileMenuExtras_;

    FormCommands* forms_ = nullptr;
    PrintCommands* printing_ = nullptr;
    RecentFiles* recentFiles_ = nullptr;
    MainCharts* charts_ = nullptr;

    // The pages; the user's documents know them by these object names.
    QTabWidget* PageControl_Main = nullptr;
    QWidget* TabSheet_Slug = nullptr;
    QWidget* TabSheet_Nagr = nullptr;
    QFrame* Panel_Slugebnaya = nullptr;
    QFrame* Panel_Nagruzki = nullptr;
    QTabWidget* PageControl_Cikl = nullptr;
    QWidget* TabSheet_Cikl = nullptr;
    QWidget* TabSheet_Osn = nullptr;
    QWidget* TabSheet_Per = nullptr;
    QStatusBar* StatusBar_Main = nullptr;

    // The menu items the controllers and the "Файл" extras are put on.
    QMenu* Menu_File = nullptr;
    QAction* Menu_Exit = nullptr;
    QAction* M_IK = nullptr;
    QAction* M_Oper = nullptr;
    QAction* M_Per = nullptr;
    QAction* N_CreateForma1 = nullptr;
    QAction* N_CreateForma2 = nullptr;
    QAction* N_CreateForma3 = nullptr;
};
