#include "screenshots.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QPixmap>
#include <QRegularExpression>
#include <QTabWidget>
#include <cstdio>

#include "ui/Logloaderror.h"
#include "ui/Official.h"
#include "ui/Tirs48c_litm3_main.h"
#include "ui/program_windows.h"

namespace {

bool save(QWidget* window, const QDir& dir, const QString& name) {
    QApplication::processEvents();
    return window->grab().save(dir.filePath(name + ".png"));
}

QString fileSafe(QString text) {
    text.replace(QRegularExpression("[^\\w]+", QRegularExpression::UseUnicodePropertiesOption),
                 "_");
    return text;
}

}  // namespace

void UnattendedDialogs::showError(QWidget*, const QString& text, const QString&) {
    std::fprintf(stderr, "tirs48: %s\n", qPrintable(text.trimmed()));
}

void UnattendedDialogs::showInformation(QWidget* parent, const QString& text, const QString&) {
    showError(parent, text);
}

void UnattendedDialogs::runModal(QDialog& dialog) {
    dialog.show();
}

int saveScreenshots(ProgramWindows& windows, const QString& directory) {
    QDir dir(directory);
    if (!dir.mkpath(".")) return 0;
    TForm_TIRS48CMain& main = *windows.Form_TIRS48CMain;
    int written = 0;
    QTabWidget* outer = main.PageControl_Main;
    for (int i = 0; i < outer->count(); ++i) {
        outer->setCurrentIndex(i);
        auto* inner = outer->widget(i)->findChild<QTabWidget*>();
        for (int j = 0; inner && j < inner->count(); ++j) {
            inner->setCurrentIndex(j);
            const QString name =
                QString("%1%2-%3").arg(i + 1).arg(j + 1).arg(fileSafe(inner->tabText(j)));
            written += save(&main, dir, name) ? 1 : 0;
        }
        if (inner) inner->setCurrentIndex(0);
    }
    outer->setCurrentIndex(0);

    windows.Form_LogError->show();
    written += save(windows.Form_LogError, dir, "41-log") ? 1 : 0;
    windows.Form_LogError->hide();
    windows.Form_Official->show();
    written += save(windows.Form_Official, dir, "42-official") ? 1 : 0;
    windows.Form_Official->hide();
    return written;
}
