#pragma once
// "Архив считываний": the fleet table (sortable, filtered by owner or crane), the
// chosen limiter's readings, and the chart of its characteristic number with the
// normative line and the projection. A double click on a reading hands its file
// to whoever opens readings (the main window's "Открыть"); two chosen readings
// make form 1 or 2 (the earlier is the previous reading, the later the current).

#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <vector>

#include "archive/reading_archive.h"
#include "recorder/number_format.h"

class FleetTableModel;
class PlotWidget;
class QLabel;
class QLineEdit;
class QPoint;
class QSortFilterProxyModel;
class QTableView;
class QTableWidget;
class UserDialogs;

class ArchiveWindow : public QWidget {
    Q_OBJECT
  public:
    // The archive is opened at once; when that fails the window shows why and
    // stays empty (the rest of the program goes on without it).
    ArchiveWindow(UserDialogs& dialogs, const archive::DatabaseLocation& location,
                  QWidget* parent = nullptr);
    ~ArchiveWindow() override;

    bool isArchiveOpen() const;
    // Reads the fleet again. False, with the message shown, when the archive fails.
    bool refresh();
    // Shows the readings and the chart of one limiter (the fleet row is selected).
    void selectLimiter(const QString& serial);
    // Writes the reading's file to a temporary folder and asks for it to be opened.
    void openReading(qint64 id);

    // Where the forms' templates and reports are ("Шаблоны форм", "Формы") and the
    // decimal separator of the numbers: the main window's. By default the
    // current folder and a comma.
    void setFormSource(const QString& startDirectory, recorder::NumberFormat format);
    // The chosen readings of the shown history, oldest first.
    std::vector<archive::ArchivedReading> chosenReadings() const;
    // Form 1 or 2 from the two chosen readings, opened when made; the report's
    // path, or empty with the reason shown.
    QString createForm(int form);

    QTableView* fleetView() const { return fleetView_; }
    QTableWidget* historyTable() const { return history_; }
    QLineEdit* filterEdit() const { return filter_; }
    PlotWidget* chart() const { return chart_; }
    QLabel* statusLabel() const { return status_; }

  signals:
    void openReadingRequested(const QString& path);

  private:
    // The fleet table over its sorting and filtering proxy.
    QTableView* buildFleetView();
    // The chosen limiter's readings with the form buttons below them.
    QWidget* buildHistoryPane();
    // The history's context menu: open the reading under the mouse, or a form.
    void showHistoryMenu(const QPoint& at);
    void showCurrentLimiter();
    void reportFailure(const QString& message);

    UserDialogs& dialogs_;
    archive::ReadingArchive archive_;
    bool open_ = false;
    FleetTableModel* model_ = nullptr;
    QSortFilterProxyModel* proxy_ = nullptr;
    QTableView* fleetView_ = nullptr;
    QTableWidget* history_ = nullptr;
    QLineEdit* filter_ = nullptr;
    PlotWidget* chart_ = nullptr;
    QLabel* status_ = nullptr;
    QString startDirectory_;
    recorder::NumberFormat format_;
    std::vector<archive::ArchivedReading> shown_;
    QTemporaryDir opened_;  // files handed out for opening, removed with the window
};
