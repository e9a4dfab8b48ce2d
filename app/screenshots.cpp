#include "screenshots.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QProgressBar>
#include <QRegularExpression>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <cstdio>

#include "acquisition/Readlitm3.h"
#include "ui/charts/frame_chart_view.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/program_windows.h"
#include "ui/windows/Logloaderror.h"
#include "ui/windows/Official.h"

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

int saveScreenshots(ProgramWindows& windows, UserDialogs& dialogs, const QString& directory) {
    QDir dir(directory);
    if (!dir.mkpath(".")) return 0;
    TForm_TIRS48CMain& main = *windows.Form_TIRS48CMain;
    int written = 0;
    // The window's controls by the names the user's documents know.
    auto* outer = main.findChild<QTabWidget*>("PageControl_Main");
    auto* menuFile = main.findChild<QMenu*>("Menu_File");
    auto* paramPage = main.findChild<ParameterChartPage*>();
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

    // The parameter chart with the read-out at the pointer.
    {
        outer->setCurrentWidget(main.findChild<QWidget*>("TabSheet_Grafik"));
        main.findChild<QTabWidget*>("PageControl_Grafik")
            ->setCurrentWidget(main.findChild<QWidget*>("TabSheet_Param"));
        QApplication::processEvents();
        QWidget* chart = paramPage->Chart_Param;
        const QPointF at(chart->width() * 0.6, chart->height() * 0.4);
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
        written += save(&main, dir, "56-chart-readout") ? 1 : 0;
        paramPage->hoverReadout->hide();
        outer->setCurrentIndex(0);
    }
    // The acquisition dialog with its gauge at 70 %.
    {
        TForm_ReadLITM3 acquisition(&main, QDir::currentPath(), dialogs);
        acquisition.findChild<QProgressBar*>("CGauge_Process")->setValue(70);
        acquisition.show();
        written += save(&acquisition, dir, "51-acquisition-70") ? 1 : 0;
    }
    // The menu "Файл" as it opens, with the grid's hint in the status bar.
    {
        QStatusTipEvent tip(QString::fromUtf8("Для расшифровки кодов укажите ячейку"));
        QApplication::sendEvent(&main, &tip);
        menuFile->popup(main.mapToGlobal(QPoint(0, 20)));
        written += save(menuFile, dir, "52-menu-file") ? 1 : 0;
        menuFile->hide();
        written += save(&main, dir, "53-status-hint") ? 1 : 0;
    }
    // Qt's own dialogs in the program's language.
    {
        QFileDialog files(&main, QString::fromUtf8("Открыть"), QDir::currentPath() + "/Файлы",
                          QString::fromUtf8("Файлы РП ТИРС-48С (*.litm)"));
        files.setOption(QFileDialog::DontUseNativeDialog);
        sizeFileDialog(files);
        files.show();
        written += save(&files, dir, "54-open-dialog") ? 1 : 0;
        QMessageBox box(QMessageBox::Question, QString::fromUtf8(main_window_texts::kCaption),
                        QString::fromUtf8("Похоже, файлы перепутаны. Поменять местами?"),
                        QMessageBox::Yes | QMessageBox::No, &main);
        box.show();
        written += save(&box, dir, "55-question") ? 1 : 0;
    }

    windows.Form_LogError->show();
    written += save(windows.Form_LogError, dir, "41-log") ? 1 : 0;
    windows.Form_LogError->hide();
    windows.Form_Official->show();
    written += save(windows.Form_Official, dir, "42-official") ? 1 : 0;
    windows.Form_Official->hide();
    return written;
}
