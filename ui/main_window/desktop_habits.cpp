// What users expect of a desktop program beside the commands of the menu:
// "Файл" opened by Alt+Ф, the data files opened last under it (recent_files.h),
// the window where it was left, the selection saved for a spreadsheet, help
// and the version.

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTabWidget>

#include "dialogs/user_dialogs.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/recent_files.h"
#include "ui/views/record_view.h"

namespace {

constexpr const char* kPositionKey = "mainWindow/position";

}  // namespace

void TForm_TIRS48CMain::createDesktopHabits() {
    // The menu bar shows "Файл" as it is; Alt+Ф (Alt+A on a Latin layout) opens it.
    for (const char* keys : {"Alt+Ф", "Alt+A"}) {
        auto* open = new QShortcut(QKeySequence(QString::fromUtf8(keys)), this);
        connect(open, &QShortcut::activated, this,
                [this] { menuBar()->setActiveAction(Menu_File->menuAction()); });
    }
    connect(Menu_File, &QMenu::aboutToShow, this, &TForm_TIRS48CMain::fillFileMenuExtras);
}

void TForm_TIRS48CMain::fillFileMenuExtras() {
    // Rebuilt each time the menu opens, so the list is the current one; the
    // items sit above "Выход".
    for (QAction* extra : fileMenuExtras_) {
        Menu_File->removeAction(extra);
        extra->deleteLater();
    }
    fileMenuExtras_.clear();
    auto add = [this](const QString& text) {
        auto* action = new QAction(text, Menu_File);
        Menu_File->insertAction(Menu_Exit, action);
        fileMenuExtras_ << action;
        return action;
    };
    auto separator = [&] {
        QAction* line = add({});
        line->setSeparator(true);
    };

    QAction* csv = add(QString::fromUtf8("Со&хранить выборку как CSV…"));
    csv->setObjectName("Menu_SaveSelectionCsv");
    connect(csv, &QAction::triggered, this, [this] {
        const bool overloads = PageControl_Main->currentWidget() == TabSheet_Cikl &&
                               PageControl_Cikl->currentWidget() == TabSheet_Per;
        saveSelectionAsCsv(overloads ? overloadView_ : frameView_);
    });

    if (!RecentFiles::list().isEmpty()) separator();
    recentFiles_->addMenuItems(add);

    separator();
    // F1 itself belongs to the window's Menu_Help; the menu only shows it.
    QAction* help = add(QString::fromUtf8("&Руководство пользователя\tF1"));
    help->setObjectName("Menu_Guide");
    connect(help, &QAction::triggered, this, &TForm_TIRS48CMain::showHelp);
    QAction* about = add(QString::fromUtf8("О про&грамме"));
    about->setObjectName("Menu_About");
    connect(about, &QAction::triggered, this, &TForm_TIRS48CMain::showAbout);
    separator();
}

void TForm_TIRS48CMain::restorePlacement() {
    // Only the place: the window always starts at its full 800 by 600.
    const QSettings settings;
    if (!settings.contains(kPositionKey)) return;
    // A place on a screen that is gone (a second monitor unplugged) is forgotten.
    const QPoint position = settings.value(kPositionKey).toPoint();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(position + QPoint(40, 20))) {
            move(position);
            return;
        }
}

void TForm_TIRS48CMain::savePlacement() const {
    QSettings().setValue(kPositionKey, pos());
}

void TForm_TIRS48CMain::saveSelectionAsCsv(RecordView* view) {
    const bool frames = view == frameView_;
    SaveFileQuestion question;
    question.objectName = QStringLiteral("SaveDialog_SelectionCsv");
    question.title = QString::fromUtf8("Сохранить выборку как CSV");
    question.directory = startDirectory_;
    question.proposedName = QString::fromUtf8(frames ? "Кадры.csv" : "Перегрузки.csv");
    question.filter = QString::fromUtf8("Таблицы CSV (*.csv)");
    question.defaultSuffix = QStringLiteral("csv");
    const QString path = dialogs_.getSaveFileName(this, question);
    if (path.isEmpty()) return;
    const std::string text = view->selectionCsv();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(text.data(), static_cast<qint64>(text.size())) !=
            static_cast<qint64>(text.size()) ||
        !file.flush()) {
        dialogs_.showError(this, QString::fromUtf8("Не удалось записать файл\n%1\n%2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

QString TForm_TIRS48CMain::userGuidePath() {
    // Installed beside the program (share/tirs48/help), or the build tree's copy.
    const QString bin = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {bin + "/../share/tirs48/help/index.html", bin + "/help/index.html",
          QString::fromUtf8(TIRS_BUILD_HELP_DIR) + "/index.html"}) {
        if (QFileInfo::exists(candidate)) return QFileInfo(candidate).canonicalFilePath();
    }
    return {};
}

void TForm_TIRS48CMain::showHelp() {
    const QString guide = userGuidePath();
    if (guide.isEmpty()) {
        dialogs_.showError(this, QString::fromUtf8("Руководство пользователя не установлено "
                                                   "(файл help/index.html рядом с программой)."));
        return;
    }
    dialogs_.openDocument(guide);
}

void TForm_TIRS48CMain::showAbout() {
    dialogs_.showInformation(
        this,
        QString::fromUtf8(main_window_texts::kCaption) + "\n" +
            QString::fromUtf8("Версия %1").arg(QString::fromUtf8(TIRS_VERSION)) + "\n\n" +
            QString::fromUtf8("Чтение регистратора через ЛИТМ-3, просмотр, печать и формы "
                              "обработки испытаний.\nF1 — руководство пользователя."),
        QString::fromUtf8("О программе"));
}
