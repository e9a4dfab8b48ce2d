#pragma once
// "Архив считываний": the fleet table (sortable, filtered by owner or crane), the
// chosen limiter's readings, and the chart of its characteristic number with the
// normative line and the projection. A double click on a reading hands its file
// to whoever opens readings (the main window's "Открыть").

#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <vector>

#include "archive/reading_archive.h"

class FleetTableModel;
class QChart;
class QLabel;
class QLineEdit;
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

    QTableView* fleetView() const { return fleetView_; }
    QTableWidget* historyTable() const { return history_; }
    QLineEdit* filterEdit() const { return filter_; }
    QChart* chart() const { return chart_; }
    QLabel* statusLabel() const { return status_; }
    const std::vector<archive::ArchivedReading>& shownHistory() const { return shown_; }

  signals:
    void openReadingRequested(const QString& path);

  private:
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
    QChart* chart_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<archive::ArchivedReading> shown_;
    QTemporaryDir opened_;  // files handed out for opening, removed with the window
};
