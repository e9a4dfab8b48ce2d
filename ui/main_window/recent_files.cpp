#include "ui/main_window/recent_files.h"

#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMainWindow>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include "ui/main_window/reading_host.h"

namespace {

constexpr const char* kRecentKey = "recentFiles";

// The local .litm file a drop carries, or an empty text.
QString droppedDataFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls()) return {};
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && url.toLocalFile().endsWith(".litm", Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

}  // namespace

RecentFiles::RecentFiles(ReadingHost& host) : QObject(&host.hostWindow()), host_(host) {
    host.hostWindow().setAcceptDrops(true);
    host.hostWindow().installEventFilter(this);
}

QStringList RecentFiles::list() {
    return QSettings().value(kRecentKey).toStringList().mid(0, kCount);
}

void RecentFiles::remember(const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList recent = list();
    recent.removeAll(full);
    recent.prepend(full);
    QSettings().setValue(kRecentKey, recent.mid(0, kCount));
}

void RecentFiles::addMenuItems(const std::function<QAction*(const QString& text)>& add) {
    const QStringList recent = list();
    for (int i = 0; i < recent.size(); ++i) {
        QString shown = QDir::toNativeSeparators(recent[i]);
        shown.replace('&', "&&");
        QAction* item = add(QString("&%1 %2").arg(i + 1).arg(shown));
        item->setObjectName(QString("Menu_Recent%1").arg(i + 1));
        const QString path = recent[i];
        connect(item, &QAction::triggered, this, [this, path] { host_.openDataFilePath(path); });
    }
}

bool RecentFiles::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (droppedDataFile(enter->mimeData()).isEmpty()) return false;
        enter->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = droppedDataFile(drop->mimeData());
        if (path.isEmpty()) return false;
        drop->acceptProposedAction();
        host_.openDataFilePath(path);
        return true;
    }
    return QObject::eventFilter(watched, event);
}
