// The window as a person uses it: keys in the selection edits, the readable
// gauge and busy pointer of the acquisition dialog, Qt's dialogs in Russian,
// captions shown whole, the grids paged by wheel and keys and copied out,
// recent files, a dropped file, the remembered place, help and the version.

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <QWheelEvent>
#include <QtTest>

#include "acquisition/Readlitm3.h"
#include "dialogs/qt_translations.h"
#include "recorder/record_csv.h"
#include "recorder/record_fields.h"
#include "ui/charts/frame_chart_view.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/charts/protection_chart_page.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/guarded_application.h"
#include "ui/main_window/recent_files.h"
#include "ui/views/record_view.h"
#include "ui_fixture.h"

using namespace ui_test;

namespace {

// Runs `check` on the modal window once it is up, then closes it.
void whenModalShows(const std::function<void(QWidget*)>& check) {
    QTimer::singleShot(50, [check] {
        QWidget* modal = QApplication::activeModalWidget();
        QVERIFY(modal);
        check(modal);
        modal->close();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
}

// Records what the acquisition saw of the pointer while it looked the ports up.
class CursorWatchingPorts : public acquisition::ComPortMap {
  public:
    explicit CursorWatchingPorts(QList<int>& shapes) : shapes_(shapes) {}
    std::string devicePath(int n) const override {
        const QCursor* cursor = QApplication::overrideCursor();
        shapes_ << (cursor ? cursor->shape() : -1);
        return n == 0 ? "/nonexistent/ttyUSB0" : "";
    }

  private:
    QList<int>& shapes_;
};

void wheel(QWidget* target, int notches) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

}  // namespace

class WindowUseTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    QString sample_;

    RecordView* frames() const { return main_->frameView(); }
    QString firstCell(const RecordView* view) const { return view->grid->item(0, 0)->text(); }
    void showActive() {
        main_->show();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_));
    }
    // A workbook's cells as xlsx_cells.py prints them (decimal comma), empty
    // when python3-openpyxl is missing.
    static QStringList workbookCells(const QString& path) {
        QStringList command = QProcess::splitCommand(QString::fromUtf8(TIRS_XLSX_CELLS));
        if (command.isEmpty()) return {};
        QProcess python;
        python.start(command.takeFirst(), command << path << ",");
        python.waitForFinished(30000);
        return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    }
    // The caption of a grid row, as the labels beside the grid show it.
    static QString rowCaption(const RecordView* view, int row) {
        return QString::fromUtf8(view->state().kind() == recorder::ViewKind::Frames
                                     ? recorder::frameFields()[std::size_t(row)].caption
                                     : recorder::overloadRowCaption(row));
    }
    // The items "Файл" gets as it opens.
    QAction* fileMenuItem(const char* name) {
        emit control<QMenu>("Menu_File")->aboutToShow();
        return control<QMenu>("Menu_File")->findChild<QAction*>(name);
    }

  private slots:
    void initTestCase() {
        useRussianLocale();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
#ifdef Q_OS_WIN
        // Windows keeps settings in the registry, shared by every run: the
        // tests keep theirs in a file of their own, as on Linux.
        QSettings::setDefaultFormat(QSettings::IniFormat);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
#endif
        sample::SampleOptions options;
        options.bufferFrames = 12;  // 7272 frames
        options.overloads = 20;
        sample_ = writeSample(dir_, "sample.litm", options);
    }
    void init() {
        QSettings().clear();
        program_.start();
    }
    void cleanup() {
        program_.stop();
    }

    void digitEditsLetTheKeyboardThrough() {
        showActive();
        open(sample_);
        control<QTabWidget>("PageControl_Main")->setCurrentWidget(control("TabSheet_Cikl"));
        control<QTabWidget>("PageControl_Cikl")->setCurrentWidget(control("TabSheet_Osn"));
        QLineEdit* from = frames()->firstEdit;
        from->setFocus();
        QVERIFY(from->hasFocus());
        QTest::keyClick(from, Qt::Key_Tab);
        QVERIFY(frames()->lastEdit->hasFocus());
        QTest::keyClick(frames()->lastEdit, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(from->hasFocus());

        // Ctrl+A selects, typing replaces; letters and spaces stay out; editing keys work.
        QTest::keyClick(from, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(from, "1x0 ");
        QCOMPARE(from->text(), QString("10"));
        QTest::keyClick(from, Qt::Key_Home);
        QTest::keyClick(from, Qt::Key_Delete);
        QTest::keyClick(from, Qt::Key_End);
        QTest::keyClicks(from, "5");
        QCOMPARE(from->text(), QString("05"));

        // Ctrl+C / Ctrl+V: a paste keeps only its digits.
        QGuiApplication::clipboard()->setText("№ 2 0-4");
        QTest::keyClick(from, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(from, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(from->text(), QString("204"));
        QTest::keyClick(from, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(from, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QString("204"));

        // Enter runs the group's "Вывести": 204 to 206.
        frames()->lastEdit->setText("206");
        QTest::keyClick(frames()->lastEdit, Qt::Key_Return);
        QCOMPARE(frames()->countLabel->text(), QString("3"));
        QTest::keyClick(frames()->minLoadEdit, Qt::Key_Enter);
        QVERIFY(frames()->countLabel->text() != "3");
        // The overload view's edits run theirs too, and still take any text.
        main_->overloadView()->minLoadEdit->setText("200");
        QTest::keyClick(main_->overloadView()->minLoadEdit, Qt::Key_Return);
        QCOMPARE(main_->overloadView()->countLabel->text(), QString("0"));
    }

    void acquisitionDialogGaugeCursorAndPorts() {
        // Opened from the menu: owned by the main window, only a close box.
        Qt::WindowFlags flags;
        QWidget* parent = nullptr;
        dialogs_.describeModal = [&](QDialog& dialog) {
            flags = dialog.windowFlags();
            parent = dialog.parentWidget();
            return dialog.objectName();
        };
        menuItem("Menu_LITM3")->trigger();
        QCOMPARE(dialogs_.modalTexts, QStringList{"Form_ReadLITM3"});
        QCOMPARE(parent, main_);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

        TForm_ReadLITM3 dialog(main_, dir_.path(), dialogs_);
        QList<int> shapes;
        dialog.setPortMap(std::make_unique<CursorWatchingPorts>(shapes));
        QStringList shown;
        connect(&dialog, &TForm_ReadLITM3::statusShown, this,
                [&](const QString& t) { shown << t; });
        dialog.BitBtn_ReadLITM3Click();
        QVERIFY(!shapes.isEmpty());
        for (int shape : shapes) QCOMPARE(shape, int(Qt::BusyCursor));
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(shown.contains("Опрашивается порт COM0 (/nonexistent/ttyUSB0)..."));
        QVERIFY(shown.contains("Опрашивается порт COM1..."));
        QCOMPARE(dialog.statusText(), QString("Устройство не обнаружено!"));

        // The percentage reads over the navy fill: light figures at 70 %,
        // dark ones over the white part at 30 %.
        auto* gauge = dialog.findChild<QProgressBar*>("CGauge_Process");
        auto figures = [gauge](int percent) {
            gauge->setValue(percent);
            const QImage image = gauge->grab().toImage();
            const QRect middle(image.width() / 2 - 20, 4, 40, image.height() - 8);
            int light = 0, dark = 0;
            for (int y = middle.top(); y <= middle.bottom(); ++y)
                for (int x = middle.left(); x <= middle.right(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.lightness() > 160) ++light;
                    if (c.lightness() < 60 && c.blue() < 100) ++dark;
                }
            return std::pair{light, dark};
        };
        const auto [light70, dark70] = figures(70);
        QVERIFY2(light70 > 10, "no light figures over the fill at 70 %");
        QCOMPARE(dark70, 0);
        const auto [light30, dark30] = figures(30);
        QVERIFY2(dark30 > 10, "no dark figures over the empty part at 30 %");
    }

    void russianDialogsAndWholeCaptions() {
        QVERIFY(installQtTranslations(*qApp));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Отмена"));

        QtUserDialogs real(QString::fromUtf8(main_window_texts::kCaption));
        whenModalShows([](QWidget* modal) {
            auto* dialog = qobject_cast<QFileDialog*>(modal);
            QVERIFY(dialog);
            QVERIFY(modal->width() >= 700 && modal->height() >= 420);
            // Size, type and date columns as wide as what they hold.
            auto* details = modal->findChild<QTreeView*>("treeView");
            QVERIFY(details);
            for (int c = 1; c < details->header()->count(); ++c)
                QCOMPARE(details->header()->sectionResizeMode(c), QHeaderView::ResizeToContents);
            QStringList buttons;
            for (auto* b : modal->findChildren<QPushButton*>()) buttons << b->text();
            QVERIFY2(buttons.contains("Отмена"), qPrintable(buttons.join('|')));
        });
        QCOMPARE(
            real.getOpenFileName(nullptr, "Открыть", dir_.path(), "Файлы РП ТИРС-48С (*.litm)", {}),
            QString());

        // A message box is at least as wide as its caption.
        const QString caption = QString::fromUtf8(main_window_texts::kCaption);
        whenModalShows([&](QWidget* modal) {
            QFont bold = modal->font();
            bold.setBold(true);
            QVERIFY(modal->width() > QFontMetrics(bold).horizontalAdvance(caption));
        });
        real.showError(nullptr, "Коротко.");

        // The grid's hint whole in the first status panel, and as its tooltip.
        showActive();
        const QString hint = "Для расшифровки кодов укажите ячейку";
        QStatusTipEvent tip(hint);
        QApplication::sendEvent(main_, &tip);
        QApplication::processEvents();
        QLabel* panel = main_->statusPanel(0);
        QCOMPARE(panel->text(), hint);
        QCOMPARE(panel->toolTip(), hint);
        QVERIFY(panel->width() >= panel->fontMetrics().horizontalAdvance(hint));
    }

    void gridsPageByWheelAndKeysAndCopyOut() {
        showActive();
        open(sample_);
        main_->showFrameAt(1200);
        RecordView* view = frames();
        QCOMPARE(view->positionLabel->text(), QString("1201–1205 из 7272"));

        wheel(view->grid->viewport(), -1);  // towards the later frames, as the scroll bar
        const int step = view->scrollBar->value() - 1200;
        QVERIFY(step > 0);
        QCOMPARE(firstCell(view), QString::number(1200 + step));
        wheel(view->grid->viewport(), 1);
        QCOMPARE(view->scrollBar->value(), 1200);
        view->grid->setFocus();
        QTest::keyClick(view->grid, Qt::Key_PageDown);
        QCOMPARE(firstCell(view), QString("1205"));
        QTest::keyClick(view->grid, Qt::Key_PageUp);
        QTest::keyClick(view->grid, Qt::Key_PageUp);
        QCOMPARE(firstCell(view), QString("1195"));
        QTest::keyClick(view->grid, Qt::Key_End);
        QCOMPARE(view->positionLabel->text(), QString("7268–7272 из 7272"));
        QTest::keyClick(view->grid, Qt::Key_Home);
        QCOMPARE(firstCell(view), QString("0"));

        // Ctrl+C: rows 0..1 of columns 1..2 with their captions, tab-separated.
        view->grid->clearSelection();
        view->grid->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);
        QTest::keyClick(view->grid, Qt::Key_C, Qt::ControlModifier);
        const auto reading = coreReading(sample_);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QString("Номер кадра\t1\t2\nДата записи\t%1\t%2\n")
                     .arg(QString::fromStdString(reading.FrameTable[1].Date),
                          QString::fromStdString(reading.FrameTable[2].Date)));

        // The selection as CSV: the records the selection listed, under the
        // grid's captions, UTF-8 with a byte-order mark, ';' and the decimal comma.
        view->firstEdit->setText("10");
        view->lastEdit->setText("12");
        QTest::mouseClick(view->rangeButton, Qt::LeftButton);
        const QString csvPath = dir_.filePath("selection.csv");
        dialogs_.saveAnswers.push_back(csvPath);
        control<QTabWidget>("PageControl_Main")->setCurrentWidget(control("TabSheet_Cikl"));
        control<QTabWidget>("PageControl_Cikl")->setCurrentWidget(control("TabSheet_Osn"));
        fileMenuItem("Menu_SaveSelectionCsv")->trigger();
        QFile saved(csvPath);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray bytes = saved.readAll();
        const std::vector<const recorder::FrameRecord*> expected = {
            &reading.FrameTable[10], &reading.FrameTable[11], &reading.FrameTable[12]};
        QCOMPARE(bytes.toStdString(), recorder::framesCsv(expected, ';'));
        QVERIFY(
            bytes.startsWith("\xEF\xBB\xBF"
                             "Номер кадра;Дата записи;Время записи;"));
        QCOMPARE(bytes.count("\r\n"), 4);

        // A folder that cannot be written: a message, nothing else.
        dialogs_.saveAnswers.push_back(dir_.filePath("no/such/folder/x.csv"));
        fileMenuItem("Menu_SaveSelectionCsv")->trigger();
        QCOMPARE(dialogs_.errors.size(), 1);

        // The selection as an Excel workbook, read back: every cell as the grid shows it.
        view->firstEdit->setText("7200");
        view->lastEdit->setText("99999");
        QTest::keyClick(view->lastEdit, Qt::Key_Return);
        const QString bookPath = dir_.filePath("Кадры.xlsx");
        dialogs_.saveAnswers.push_back(bookPath);
        fileMenuItem("Menu_SaveSelectionXlsx")->trigger();
        QCOMPARE(dialogs_.errors.size(), 1);
        const QStringList book = workbookCells(bookPath);
        if (book.isEmpty()) QSKIP("python3-openpyxl is not installed");
        QCOMPARE(book.size(), 2 + 72);
        QVERIFY2(book[0].startsWith("sheet=Кадры freeze=A2 widths="), qPrintable(book[0]));
        QStringList captions;
        for (int r = 0; r < 21; ++r) captions << "s:" + rowCaption(view, r);
        QCOMPARE(book[1], captions.join('\t'));
        for (int i = 0; i < 72; ++i) {
            view->jumpTo(i);
            const int column = i - view->scrollBar->value();
            QStringList cells;
            for (int r = 0; r < 21; ++r) {
                const QString text = view->grid->item(r, column)->text();
                const bool isText =
                    r == 1 || r == 2 || r == 10 || r == 12 || (r >= 14 && r <= 18) || r == 20;
                cells << (isText ? "s:" : "n:") + text;
            }
            QCOMPARE(book[2 + i], cells.join('\t'));
        }
    }

    void recentFilesDropPlaceHelpAndVersion() {
        // Nine files opened: the last eight are listed, newest first, and reopen.
        QStringList paths;
        for (int i = 0; i < 9; ++i) {
            const QString path = dir_.filePath(QString("r%1.litm").arg(i));
            QFile::remove(path);
            QVERIFY(QFile::copy(sample_, path));
            paths << path;
            open(path);
        }
        QCOMPARE(RecentFiles::list().size(), 8);
        QCOMPARE(RecentFiles::list().first(), paths[8]);
        QVERIFY(fileMenuItem("Menu_Recent8")->text().endsWith("r1.litm"));
        QVERIFY(!fileMenuItem("Menu_Recent9"));
        fileMenuItem("Menu_Recent3")->trigger();  // r6
        QVERIFY(main_->windowTitle().endsWith("[r6.litm]"));
        QCOMPARE(RecentFiles::list().first(), paths[6]);
        // Remembered across starts.
        program_.stop();
        program_.start();
        QCOMPARE(RecentFiles::list().first(), paths[6]);

        // A dropped data file opens as "Открыть" does; other files are refused.
        // Over the tables and over the chart pages alike.
        auto drop = [this](const QString& path, QWidget* target = nullptr) {
            if (!target) target = main_;
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path)});
            const QPoint at(100, 100);
            QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            const bool accepted = enter.isAccepted();
            QDropEvent dropped(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
            if (accepted) QApplication::sendEvent(target, &dropped);
            return accepted;
        };
        QVERIFY(!drop(dir_.filePath("notes.txt")));
        QVERIFY(main_->windowTitle().endsWith("ТИРС-48"));
        QVERIFY(drop(paths[2]));
        QVERIFY(main_->windowTitle().endsWith("[r2.litm]"));
        QCOMPARE(main_->frameView()->positionLabel->text(), QString("7268–7272 из 7272"));
        QVERIFY(dialogs_.openTitles.isEmpty());
        showActive();
        FrameChartView* parameterChart = main_->findChild<ParameterChartPage*>()->Chart_Param;
        FrameChartView* protectionChart = main_->findChild<ProtectionChartPage*>()->Chart_KZ;
        for (auto [page, chart] : {std::pair{control<QWidget>("TabSheet_Param"), parameterChart},
                                   {control<QWidget>("TabSheet_KZ"), protectionChart}}) {
            control<QTabWidget>("PageControl_Main")
                ->setCurrentWidget(control<QWidget>("TabSheet_Grafik"));
            control<QTabWidget>("PageControl_Grafik")->setCurrentWidget(page);
            QVERIFY(drop(paths[3], chart));
            QVERIFY(main_->windowTitle().endsWith("[r3.litm]"));
            QVERIFY(drop(paths[2], chart));
            QVERIFY(main_->windowTitle().endsWith("[r2.litm]"));
        }

        // The window's place is remembered.
        showActive();
        main_->move(37, 41);
        const QPoint place = main_->pos();
        main_->close();
        program_.stop();
        program_.start();
        QCOMPARE(main_->pos(), place);

        // F1 opens the installed guide; "О программе" names the version.
        showActive();
        QTest::keyClick(main_, Qt::Key_F1);
        QCOMPARE(dialogs_.openedDocuments.size(), 1);
        QVERIFY(dialogs_.openedDocuments[0].endsWith("help/index.html"));
        QFile guide(dialogs_.openedDocuments[0]);
        QVERIFY(guide.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromUtf8(guide.readAll()).contains("Выборки"));
        fileMenuItem("Menu_About")->trigger();
        QCOMPARE(dialogs_.informations.size(), 1);
        QVERIFY(dialogs_.informations[0].contains("Версия " TIRS_TEST_VERSION));
    }

    // One settings file, shared with the archive's settings; what an earlier
    // version kept under "Unknown Organization" moves into it.
    void oneSettingsFile() {
        QSettings earlier(QSettings::defaultFormat(), QSettings::UserScope, "Unknown Organization",
                          "tirs48");
        earlier.setValue("recentFiles", QStringList{sample_});
        earlier.sync();
        const QString earlierFile = earlier.fileName();
        QVERIFY(QFile::exists(earlierFile));
        setProgramIdentity();
        QCOMPARE(QSettings().fileName(),
                 QSettings(QSettings::defaultFormat(), QSettings::UserScope, "tirs48", "tirs48")
                     .fileName());
#ifdef Q_OS_WIN
        QVERIFY(QSettings().fileName().endsWith("tirs48/tirs48.ini"));
#else
        QVERIFY(QSettings().fileName().endsWith("tirs48/tirs48.conf"));
#endif
        QCOMPARE(RecentFiles::list(), QStringList{sample_});
        QVERIFY(!QFile::exists(earlierFile));
    }

    // A text wider than its box (the crane maker's forty characters) is shown
    // whole as a tooltip where the mouse asks for it; a short one needs none.
    void aCutTextIsShownWholeAsItsTooltip() {
        sample::SampleOptions options;
        options.identity.craneMaker = "ОАО «Уральский завод подъёмно-транспортного";
        const QString path = writeSample(dir_, "long maker.litm", options);
        showActive();
        open(path);
        auto tipOf = [](QLineEdit* edit) {
            QToolTip::hideText();
            QHelpEvent ask(QEvent::ToolTip, QPoint(5, 5), edit->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(edit, &ask);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(tipOf(main_->findChild<QLineEdit*>("Edit_NKran")), QString());
        auto* maker = main_->findChild<QLineEdit*>("Edit_IzgotKran");
        QCOMPARE(tipOf(maker), QString());  // its own row across the group: it fits
        maker->resize(120, maker->height());
        QCOMPARE(tipOf(maker), maker->text());
        QVERIFY(maker->text().startsWith("ОАО «Уральский завод"));
    }

    void chartsReadOutZoomAndLegend() {
        showActive();
        open(sample_);
        control<QTabWidget>("PageControl_Main")->setCurrentWidget(control("TabSheet_Grafik"));
        ParameterChartPage* page = main_->findChild<ParameterChartPage*>();
        FrameChartView* view = page->Chart_Param;
        QTest::qWait(50);
        const QRectF plot = view->plotArea();
        const QPoint middle = plot.center().toPoint();
        auto frameAtPointer = [&] {
            const double share = (plot.center().x() - plot.left()) / plot.width();
            return page->axisFrames->min() +
                   share * (page->axisFrames->max() - page->axisFrames->min());
        };

        // The read-out beside the pointer: the frame under it with its values.
        QTest::mouseMove(view, middle);
        QTRY_VERIFY(page->hoverReadout->isVisible());
        const QString text = page->hoverReadout->text();
        const long frame = text.section('\n', 0, 0).section(' ', 1).toLong();
        const double perPixel = (page->axisFrames->max() - page->axisFrames->min()) / plot.width();
        QVERIFY(std::abs(frame - frameAtPointer()) <= 1.5 * perPixel);
        const auto reading = coreReading(sample_);
        const auto& f = reading.FrameTable[static_cast<std::size_t>(frame)];
        QVERIFY2(
            text.startsWith(QString("Кадр %1\n%2 %3\nM = %4 %\nQ = ")
                                .arg(frame)
                                .arg(QString::fromStdString(f.Date), QString::fromStdString(f.Time))
                                .arg(f.LoadPercent)),
            qPrintable(text));
        QVERIFY(text.contains(',') && !text.contains("L = "));

        // The wheel zooms around the pointer: the frame under it stays there.
        const double before = frameAtPointer();
        const double span = page->axisFrames->max() - page->axisFrames->min();
        wheel(view, 0);  // nothing happens without a turn
        QWheelEvent in(QPointF(middle), QPointF(view->mapToGlobal(middle)), QPoint(),
                       QPoint(0, 240), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &in);
        QVERIFY(view->isZoomed());
        QVERIFY(page->axisFrames->max() - page->axisFrames->min() < span * 0.7);
        QVERIFY(std::abs(frameAtPointer() - before) < span / 100);
        QWheelEvent out(QPointF(middle), QPointF(view->mapToGlobal(middle)), QPoint(),
                        QPoint(0, -1200), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view, &out);
        QVERIFY(!view->isZoomed());

        // Axis numbers in the locale: decimal comma, no group separators.
        QCOMPARE(view->locale().toString(1.5), QString("1,5"));
        QCOMPARE(page->axisFrames->tickText(7272, view->locale()), QString("7272"));

        // The colours of the protection bands explained under the chart.
        auto* colours =
            main_->findChild<ProtectionChartPage*>()->findChild<QLabel*>("Legend_KZColours");
        QVERIFY(colours && colours->isVisibleTo(main_->findChild<ProtectionChartPage*>()));
        const QColor entered = main_->findChild<ProtectionChartPage*>()->limit(1).entered->color();
        const QColor triggered =
            main_->findChild<ProtectionChartPage*>()->limit(1).triggered->color();
        QVERIFY(colours->text().contains(entered.name() + "'>&#9632;</span> введено"));
        QVERIFY(colours->text().contains(triggered.name() + "'>&#9632;</span> сработало"));
    }
};

QTEST_MAIN(WindowUseTest)
#include "window_use_test.moc"
