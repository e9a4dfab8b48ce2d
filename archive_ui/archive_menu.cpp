#include "archive_ui/archive_menu.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "archive/reading_archive.h"
#include "archive_ui/archive_settings.h"
#include "archive_ui/archive_settings_dialog.h"
#include "archive_ui/archive_window.h"
#include "dialogs/user_dialogs.h"
#include "ui/main_window/reading_host.h"

namespace {

void addOpenReading(ReadingHost& host, UserDialogs& dialogs) {
    QMainWindow& main = host.hostWindow();
    const QString path = host.openedFilePath();
    if (path.isEmpty()) {
        dialogs.showInformation(&main, QStringLiteral("Нет открытого считывания."));
        return;
    }
    QString error;
    const auto location = archiveLocation(error);
    archive::ReadingArchive store;
    if (!location || !store.open(*location, error)) {
        dialogs.showError(&main, location ? error : QStringLiteral("Архив считываний: ") + error);
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

// A reading the acquisition dialog has just saved. It is safe in its file
// whatever happens here, so a failure only says so and the program goes on.
void addSavedReading(QMainWindow& main, UserDialogs& dialogs, const QString& path) {
    if (!ArchiveSettings::load().addAfterReading) return;
    const QString name = QFileInfo(path).fileName();
    const auto notAdded = [&](const QString& why) {
        dialogs.showError(&main, QStringLiteral("Считывание сохранено в файл %1, но в архив не "
                                                "добавлено.\n%2\nЕго можно добавить позже: "
                                                "«Архив» → «Добавить в архив».")
                                     .arg(name, why));
    };
    QString error;
    const auto location = archiveLocation(error);
    if (!location) {
        notAdded(QStringLiteral("Архив считываний: ") + error);
        return;
    }
    archive::ReadingArchive store;
    if (!store.open(*location, error)) {
        notAdded(error);
        return;
    }
    const archive::AddResult r = store.addFile(path);
    if (r.outcome == archive::AddOutcome::Refused)
        notAdded(QStringLiteral("Архив считываний %1: %2").arg(store.name(), r.message));
    else if (r.outcome == archive::AddOutcome::Failed)
        notAdded(r.message);
}

}  // namespace

void installArchiveMenu(ReadingHost& host, UserDialogs& dialogs) {
    QMainWindow& main = host.hostWindow();
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
    menu->addSeparator();
    QAction* settings = menu->addAction(QStringLiteral("Настройки архива…"));
    settings->setObjectName(QStringLiteral("Menu_ArchiveSettings"));

    QObject::connect(add, &QAction::triggered, &main,
                     [&host, &dialogs] { addOpenReading(host, dialogs); });
    host.whenReadingSaved(
        [&main, &dialogs](const QString& path) { addSavedReading(main, dialogs, path); });
    // One archive window at a time; asked again, it comes to the front, re-read.
    auto window = std::make_shared<QPointer<ArchiveWindow>>();
    QObject::connect(show, &QAction::triggered, &main, [&host, &main, &dialogs, window] {
        if (*window) {
            (*window)->refresh();
            (*window)->raise();
            (*window)->activateWindow();
            return;
        }
        QString error;
        const auto location = archiveLocation(error);
        if (!location) {
            dialogs.showError(&main, QStringLiteral("Архив считываний: ") + error);
            return;
        }
        auto* w = new ArchiveWindow(dialogs, *location, &main);
        w->setFormSource(host.startDirectory(), host.numberFormat());
        w->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(w, &ArchiveWindow::openReadingRequested, &main,
                         [&host, &main](const QString& path) {
                             host.openDataFilePath(path);
                             main.raise();
                             main.activateWindow();
                         });
        *window = w;
        w->show();
    });

    // A window open on the old address is closed: the next one opens the new.
    QObject::connect(settings, &QAction::triggered, &main, [&main, &dialogs, window] {
        ArchiveSettingsDialog dialog(dialogs, &main);
        const QString oldUrl = ArchiveSettings::load().url;
        dialogs.runModal(dialog);
        if (dialog.result() == QDialog::Accepted && *window &&
            ArchiveSettings::load().url != oldUrl)
            (*window)->close();
    });
}
