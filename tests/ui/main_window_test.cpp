// The main window as a frame: start-up, the menu with its shortcuts, the clear
// command, the hidden service menu, and the resize rule of the load panel.

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QtTest>

#include "recorder/display_table.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/band_gauge.h"
#include "ui/windows/Official.h"
#include "ui/windows/print_window.h"
#include "ui_fixture.h"

using namespace ui_test;

class MainWindowTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;

    void showActive() {
        main_->show();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_));
    }

    // One menu as "text|shortcut|enabled" lines, separators as "-", submenus as "text>".
    static QStringList describe(const QMenu* menu) {
        QStringList lines;
        for (const QAction* a : menu->actions()) {
            if (a->isSeparator())
                lines << "-";
            else
                lines << QString("%1%2|%3|%4")
                             .arg(a->text(), a->menu() ? ">" : "",
                                  a->shortcut().toString(QKeySequence::PortableText),
                                  a->isEnabled() ? "on" : "off");
        }
        return lines;
    }

  private slots:
    void initTestCase() { useRussianLocale(); }
    void init() { program_.start(); }
    void cleanup() { program_.stop(); }

    // The window shows every display of the core's table, of its kind, on its page.
    void hasAWidgetForEveryDisplayOfTheTable() {
        const QHash<recorder::DisplayPage, QWidget*> pages = {
            {recorder::DisplayPage::Service, control("TabSheet_Slug")},
            {recorder::DisplayPage::LoadBands, control("TabSheet_Nagr")}};
        for (const recorder::Display& d : recorder::displayTable()) {
            const QString name = QString::fromUtf8(d.name.data(), d.name.size());
            QWidget* w = main_->findChild<QWidget*>(name);
            QVERIFY2(w, qPrintable("no widget for " + name));
            QCOMPARE(main_->displays().widget(name), w);
            const bool rightKind =
                d.kind == recorder::DisplayKind::Edit    ? !!qobject_cast<QLineEdit*>(w)
                : d.kind == recorder::DisplayKind::Label ? !!qobject_cast<QLabel*>(w)
                                                         : !!qobject_cast<BandGauge*>(w);
            QVERIFY2(rightKind, qPrintable(name + " is of another kind"));
            QWidget* page = pages.value(d.page);
            QVERIFY2(page->isAncestorOf(w), qPrintable(name + " is not on its page"));
            auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
            QVERIFY(tabs);
            QCOMPARE(tabs->tabText(tabs->indexOf(page)), QString(recorder::pageTitle(d.page)));
        }
    }

    void startsAsTheFrameOfThePages() {
        QCOMPARE(main_->windowTitle(), QString("Анализ данных регистратора параметров ТИРС-48"));
        QCOMPARE(main_->size(), QSize(800, 600));
        QCOMPARE(main_->maximumSize(), QSize(800, 600));
        QCOMPARE(main_->startDirectory(), QDir::currentPath());
        QVERIFY(!windows_.Form_LogError->isVisible());
        QVERIFY(!windows_.Form_Official->isVisible());
        QVERIFY(!windows_.Form_Print->isVisible());
        for (const QWidget* w : {static_cast<QWidget*>(windows_.Form_LogError),
                                 static_cast<QWidget*>(windows_.Form_Official),
                                 static_cast<QWidget*>(windows_.Form_Print)})
            QCOMPARE(w->parentWidget(), main_);
        QCOMPARE(windows_.Form_Official->windowTitle(), QString("Служебная информация"));
        QCOMPARE(windows_.Form_LogError->windowTitle(),
                 QString("Лог ошибок загрузки файла данных"));

        QTabWidget* pages = control<QTabWidget>("PageControl_Main");
        QCOMPARE(pages->currentIndex(), 0);
        QStringList captions;
        for (QTabWidget* control :
             {control<QTabWidget>("PageControl_Inf"), control<QTabWidget>("PageControl_Grafik"),
              control<QTabWidget>("PageControl_Cikl")}) {
            QCOMPARE(control->tabPosition(), QTabWidget::West);
            QCOMPARE(control->currentIndex(), 0);
            for (int i = 0; i < control->count(); ++i) captions << control->tabText(i);
        }
        QCOMPARE(captions, (QStringList{"Служебная", "Наработка", "Параметры",
                                        "Координатная защита", "Общая", "Перегрузки и КДС"}));
        QCOMPARE(pages->tabText(1), QString("Циклическая информация (графики)"));

        // The displays start empty; the status bar has its three panels.
        showActive();
        QCOMPARE(main_->findChild<QLineEdit*>("Edit_NKran")->text(), QString());
        QCOMPARE(main_->statusPanel(0)->width(), 150);
        QCOMPARE(main_->statusPanel(1)->width(), 500);
        QCOMPARE(main_->statusPanel(2)->width(), 50);
    }

    void menuHoldsEveryCommand() {
        QCOMPARE(describe(control<QMenu>("Menu_File")),
                 (QStringList{"Считать ЛИТМ-3|Ctrl+E|on", "Открыть|Ctrl+O|on", "Очистить|Ctrl+W|on",
                              "Печать>|Ctrl+P|on", "-", "Обработка испытаний>||on",
                              "Лог ошибок...||on", "-", "Выход||on"}));
        QCOMPARE(describe(control<QMenu>("Menu_Print")),
                 (QStringList{"Информационная карта||on", "-", "Оперативная информация||on",
                              "Перегрузки||on", "КДС||off"}));
        QCOMPARE(describe(control<QMenu>("Menu_Tests")),
                 (QStringList{"Форма 1||on", "Форма 2||on", "Форма 3||on"}));
        QCOMPARE(describe(control<QMenu>("Menu_Service")),
                 QStringList{"Адресное пространстов|Ctrl+Alt+I|on"});

        QStringList bar;
        for (const QAction* a : main_->menuBar()->actions())
            if (a->isVisible()) bar << a->text();
        QCOMPARE(bar, QStringList{"Файл"});
    }

    void shortcutsOfTheHiddenMenuAndOfPrint() {
        showActive();
        QTest::keyClick(main_, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(!QApplication::activePopupWidget());
        int visible = 0;
        for (const QWidget* w : QApplication::topLevelWidgets()) visible += w->isVisible() ? 1 : 0;
        QCOMPARE(visible, 1);
        QVERIFY(!windows_.Form_Official->isVisible());
        QVERIFY(!windows_.Form_Print->isVisible());
        QVERIFY(dialogs_.openTitles.isEmpty() && dialogs_.modalTexts.isEmpty());

        QTest::keyClick(main_, Qt::Key_I, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(windows_.Form_Official->isVisible());
        // Not modal: the main window's commands still work beside it.
        QVERIFY(!windows_.Form_Official->isModal());
        QTest::keyClick(main_, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(dialogs_.openTitles, QStringList{"Открыть"});
    }

    void clearResetsTablesAndServiceTextOnly() {
        dialogs_.openAnswers.push_back(writeReading(dir_, "a.litm", craneReading()));
        menuItem("Menu_OpenLITM3")->trigger();
        QVERIFY(!windows_.Form_Official->text().isEmpty());
        QCOMPARE(main_->reading().FrameTable[97].Status, std::string("Норма"));
        const QString caption = main_->windowTitle();

        menuItem("Menu_Clear")->trigger();

        QVERIFY(windows_.Form_Official->text().isEmpty());
        for (const recorder::FrameRecord& f : main_->reading().FrameTable) {
            QCOMPARE(f.Number, 0);
            QCOMPARE(f.Date, std::string("00.00.00"));
            QVERIFY(f.Status.empty());
        }
        for (const recorder::OverloadRecord& r : main_->reading().OverloadTable)
            QVERIFY(r.Status.empty() && r.LoadPercent == 0);
        QCOMPARE(main_->findChild<QLineEdit*>("Edit_NKran")->text(), QString("1234"));
        QCOMPARE(main_->findChild<QLabel*>("Label_RezhA")->text(),
                 QString::fromStdString(main_->reading().texts.get("Label_RezhA")));
        QCOMPARE(main_->findChild<BandGauge*>("CGauge_10")->progress(), 100);
        QCOMPARE(main_->windowTitle(), caption);
        QVERIFY(dialogs_.modalTexts.isEmpty());
    }

    void errorLogMenuShowsThePlaceholderBeforeAnyLoad() {
        menuItem("Menu_log")->trigger();
        QCOMPARE(dialogs_.modalTexts.size(), 1);
        QVERIFY(!dialogs_.modalTexts.first().isEmpty());
    }

    void loadPanelStaysCentredWhenShrunk() {
        showActive();
        for (const QSize size : {QSize(800, 600), QSize(520, 360), QSize(300, 250)}) {
            main_->resize(size);
            QCoreApplication::processEvents();
            const QWidget* page = control("TabSheet_Slug");
            const QPoint expected((page->width() - 585) / 2, (page->height() - 385) / 2);
            QCOMPARE(control<QFrame>("Panel_Nagruzki")->size(), QSize(585, 385));
            QCOMPARE(control<QFrame>("Panel_Nagruzki")->pos(), expected);
            if (size.width() < 585) QVERIFY(expected.x() < 0);
            // The service panel covers its page, or is cut evenly on both sides.
            const QRect service = control<QFrame>("Panel_Slugebnaya")->geometry();
            QVERIFY(service.contains(page->rect()));
            QVERIFY(std::abs(service.left() + service.right() - page->rect().right()) <= 1);
        }
        main_->resize(1200, 900);
        QCoreApplication::processEvents();
        QVERIFY(main_->width() <= 800 && main_->height() <= 600);
    }

    void exitClosesTheProgramsWindows() {
        showActive();
        menuItem("N_Adres")->trigger();
        QVERIFY(windows_.Form_Official->isVisible());
        menuItem("Menu_Exit")->trigger();
        QVERIFY(!main_->isVisible());
        QVERIFY(!windows_.Form_Official->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
