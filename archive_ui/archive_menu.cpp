#include "archive_ui/archive_menu.h"

#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSettings>

#include "archive/reading_archive.h"
#include "archive_ui/archive_window.h"
#include "dialogs/user_dialogs.h"
#include "ui/main_window/Tirs48c_litm3_main.h"

namespace {

std::optional<archive::DatabaseLocation> archiveLocation(QString& error) {
    // ~/.config/tirs48/tirs48.conf, [archive] url=...
    const QSettings settings(QStringLiteral("tirs48"), QStringLiteral("tirs48"));
    const QString setting = settings.value(QStringLiteral("archive/url")).toString();
    return archive::parseDatabaseUrl(setting, error);
}

void addOpenReading(TForm_TIRS48CMain& main, UserDialogs& dialogs) {
    const QString path = main.openedFilePath();
    if (path.isEmpty()) {
        dialogs.showInformation(&main, QStringLiteral("Нет открытого считывания."));
        return;
    }
    QString error;
    const auto location = archiveLocation(error);
    archive::ReadingArchive store;
    if (!location || !store.open(*location, error)) {
        dialogs.showError(&main, error);
        return;
    }
    const archive::AddResult r = store.addFile(path);
    const QString name = QFileInfo(path).fileName();
    switch (r.outcome) {
        case archive::AddOutcome::Added:
            dialogs.showInformation(
                &main,
                QStringLiteral("Считывание %1 добавлено в архив%2.")
                    .arg(name, r.damaged ? QStringLiteral(" (с ошибками проверки)") : QString()));
            break;
        case archive::AddOutcome::AlreadyThere:
            dialogs.showInformation(&main,
                                    QStringLiteral("Считывание %1 уже есть в архиве.").arg(name));
            break;
        case archive::AddOutcome::Refused:
            dialogs.showError(&main,
                              QStringLiteral("%1 не добавлен в архив: %2").arg(name, r.message));
            break;
        case archive::AddOutcome::Failed:
            dialogs.showError(&main, r.message);
            break;
    }
}

}  // namespace

void installArchiveMenu(TForm_TIRS48CMain& main, UserDialogs& dialogs) {
    // Before the help item when there is one, as a menu bar usually ends with help.
    QMenuBar* bar = main.menuBar();
    QAction* before = nullptr;
    for (QAction* a : bar->actions())
        if (a->objectName() == QLatin1String("Menu_Help")) before = a;
    QMenu* menu = new QMenu(QStringLiteral("Архив"), bar);
    if (before)
        bar->insertMenu(before, menu);
    else
        bar->addMenu(menu);
    menu->setObjectName(QStringLiteral("Menu_Archive"));
    QAction* add = menu->addAction(QStringLiteral("Добавить в архив"));
    add->setObjectName(QStringLiteral("Menu_ArchiveAdd"));
    QAction* show = menu->addAction(QStringLiteral("Архив считываний…"));
    show->setObjectName(QStringLiteral("Menu_ArchiveShow"));

    QObject::connect(add, &QAction::triggered, &main,
                     [&main, &dialogs] { addOpenReading(main, dialogs); });
    // One archive window at a time; asked again, it comes to the front, re-read.
    auto window = std::make_shared<QPointer<ArchiveWindow>>();
    QObject::connect(show, &QAction::triggered, &main, [&main, &dialogs, window] {
        if (*window) {
            (*window)->refresh();
            (*window)->raise();
            (*window)->activateWindow();
            return;
        }
        QString error;
        const auto location = archiveLocation(error);
        if (!location) {
            dialogs.showError(&main, error);
            return;
        }
        auto* w = new ArchiveWindow(dialogs, *location, &main);
        w->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(w, &ArchiveWindow::openReadingRequested, &main,
                         [&main](const QString& path) {
                             main.openDataFilePath(path);
                             main.raise();
                             main.activateWindow();
                         });
        *window = w;
        w->show();
    });
}
