#pragma once
// The data files opened last, newest first, kept with QSettings and offered
// under "Файл"; and a .litm file dropped onto the main window. Either opens
// its file through the ReadingHost exactly as if it had been chosen in the
// open dialog.

#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class ReadingHost;

class RecentFiles : public QObject {
    Q_OBJECT

  public:
    static constexpr int kCount = 8;

    // Takes the drops onto the host's window.
    explicit RecentFiles(ReadingHost& host);

    // The data files opened last, newest first (at most kCount).
    static QStringList list();
    // `path` first in the list (once), the oldest dropped beyond kCount.
    static void remember(const QString& path);

    // One item per file of the list ("&1 /path/file.litm", object names
    // Menu_Recent1 …), each made by `add` and opening its file.
    void addMenuItems(const std::function<QAction*(const QString& text)>& add);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    ReadingHost& host_;
};
