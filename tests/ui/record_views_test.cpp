// The frame and overload views driven through their real widgets: the set-up
// after a load, scrolling, the three selections, the messages and the key filter.

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/views/record_view.h"
#include "ui_fixture.h"

using namespace ui_test;

class RecordViewsTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    QString sample_;

    RecordView* frames() const { return main_->frameView(); }
    RecordView* overloads() const { return main_->overloadView(); }
    static QString cell(const RecordView* view, int row, int column) {
        return view->grid->item(row, column)->text();
    }
    static QStringList firstRow(const RecordView* view) {
        QStringList numbers;
        for (int c = 0; c < view->grid->columnCount(); ++c) numbers << cell(view, 0, c);
        return numbers;
    }

  private slots:
    void initTestCase() {
        useRussianLocale();
        sample::SampleOptions options;
        options.bufferFrames = 33;
        options.overloads = 20;
        options.faults.badFrames = {7290};
        sample_ = writeSample(dir_, "sample.litm", options);
    }
    void init() { program_.start(); }
    void cleanup() { program_.stop(); }

    void startsEmptyWithItsDefaults() {
        QCOMPARE(frames()->grid->objectName(), QString("StringGrid_O_Otb"));
        QCOMPARE(frames()->grid->columnCount(), 5);
        QCOMPARE(frames()->grid->rowCount(), 21);
        QCOMPARE(frames()->grid->columnWidth(0), 115);
        QCOMPARE(frames()->grid->rowHeight(0), 17);
        QVERIFY(frames()->grid->font().bold());
        QCOMPARE(frames()->grid->toolTip(), QString("Для расшифровки кодов укажите ячейку"));
        QCOMPARE(frames()->scrollBar->maximum(), 7288);
        QCOMPARE(frames()->countLabel->text(), QString("0000"));
        QCOMPARE(frames()->minLoadEdit->text(), QString("100"));
        QCOMPARE(frames()->firstEdit->text(), QString("0"));
        QCOMPARE(frames()->lastEdit->text(), QString("40"));
        QCOMPARE(frames()->datePicker->date(), QDate::currentDate());
        QCOMPARE(cell(frames(), 0, 0), QString());

        QCOMPARE(overloads()->grid->objectName(), QString("StringGrid_Per_Otb"));
        QCOMPARE(overloads()->grid->columnCount(), 8);
        QCOMPARE(overloads()->grid->rowCount(), 7);
        QCOMPARE(overloads()->scrollBar->maximum(), 2772);
        QCOMPARE(overloads()->lastEdit->text(), QString("2600"));
        QCOMPARE(overloads()->datePicker->date(), QDate(2006, 11, 30));
        QVERIFY(main_->findChild<QTableWidget*>("StringGrid_KDS"));
        QCOMPARE(main_->findChild<QScrollBar*>("ScrollBar_KDS")->maximum(), 100);
    }

    void loadShowsTheLastRecordsAndBadFramesAsEmptyColumns() {
        open(sample_);
        QCOMPARE(frames()->scrollBar->maximum(), 7288);
        QCOMPARE(frames()->scrollBar->value(), 7288);
        // Frame 7290 fails its check: an empty column between its neighbours.
        QCOMPARE(firstRow(frames()), (QStringList{"7288", "7289", "", "7291", "7292"}));
        QCOMPARE(cell(frames(), 20, 0), QString("Норма"));
        QVERIFY(cell(frames(), 3, 0).contains(','));  // "#0.00" with the decimal comma

        QCOMPARE(overloads()->scrollBar->maximum(), 12);
        QCOMPARE(firstRow(overloads()),
                 (QStringList{"12", "13", "14", "15", "16", "17", "18", "19"}));

        frames()->scrollBar->setValue(10);
        QCOMPARE(firstRow(frames()), (QStringList{"10", "11", "12", "13", "14"}));
    }

    void selectionsThroughTheButtons() {
        open(sample_);
        QTest::mouseClick(frames()->rangeButton, Qt::LeftButton);  // defaults 0..40
        QCOMPARE(frames()->countLabel->text(), QString("41"));
        QCOMPARE(frames()->scrollBar->maximum(), 36);
        QCOMPARE(firstRow(frames()), (QStringList{"36", "37", "38", "39", "40"}));

        frames()->firstEdit->setText("40");
        frames()->lastEdit->setText("0");
        QTest::mouseClick(frames()->rangeButton, Qt::LeftButton);
        QCOMPARE(frames()->countLabel->text(), QString("41"));  // untouched, no message
        QVERIFY(dialogs_.informations.isEmpty());
        QVERIFY(dialogs_.errors.isEmpty());

        frames()->minLoadEdit->setText("0");
        QTest::mouseClick(frames()->loadButton, Qt::LeftButton);
        QCOMPARE(frames()->countLabel->text(), QString("7293"));

        frames()->datePicker->setDate(QDate(1999, 1, 1));
        QTest::mouseClick(frames()->dateButton, Qt::LeftButton);
        QCOMPARE(dialogs_.informations,
                 QStringList{"Кадров удовлетворяющих условию не обнаружено!"});
        QCOMPARE(frames()->countLabel->text(), QString("0"));
        QCOMPARE(firstRow(frames()), QStringList(5, QString()));

        const QString firstDate = QString::fromStdString(coreReading(sample_).FrameTable[0].Date);
        frames()->datePicker->setDate(QDate::fromString(firstDate, "dd.MM.yy").addYears(100));
        QTest::mouseClick(frames()->dateButton, Qt::LeftButton);
        QVERIFY(frames()->countLabel->text().toInt() > 100);
        QCOMPARE(dialogs_.informations.size(), 1);
    }

    void badNumbersAreRefusedAndChangeNothing() {
        open(sample_);
        QTest::mouseClick(frames()->rangeButton, Qt::LeftButton);
        const QStringList before = firstRow(frames());
        frames()->minLoadEdit->setText("");
        QTest::mouseClick(frames()->loadButton, Qt::LeftButton);
        frames()->lastEdit->setText("99999999999");
        QTest::mouseClick(frames()->rangeButton, Qt::LeftButton);
        QCOMPARE(dialogs_.errors.size(), 2);
        QCOMPARE(frames()->countLabel->text(), QString("41"));
        QCOMPARE(firstRow(frames()), before);
        QCOMPARE(frames()->state().list()[0], 0);

        overloads()->minLoadEdit->setText("12x");  // no key filter here, so it can get in
        QTest::mouseClick(overloads()->loadButton, Qt::LeftButton);
        QCOMPARE(dialogs_.errors.size(), 3);
    }

    void keyFilterLetsOnlyDigitsAndBackspaceIn() {
        QLineEdit* edit = frames()->minLoadEdit;
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "1a2-3 ,4");
        QCOMPARE(edit->text(), QString("1234"));
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString("123"));

        QLineEdit* free = overloads()->minLoadEdit;
        free->selectAll();
        QTest::keyClicks(free, "7a");
        QCOMPARE(free->text(), QString("7a"));
    }

    void overloadSelectionsAndJump() {
        open(sample_);
        overloads()->firstEdit->setText("3");
        overloads()->lastEdit->setText("5");
        QTest::mouseClick(overloads()->rangeButton, Qt::LeftButton);
        QCOMPARE(overloads()->countLabel->text(), QString("3"));
        QCOMPARE(overloads()->scrollBar->maximum(), 8);
        QCOMPARE(firstRow(overloads()), (QStringList{"3", "4", "5", "", "", "", "", ""}));

        main_->showFrameAt(7000);
        QCOMPARE(control<QTabWidget>("PageControl_Main")->currentWidget(),
                 control("TabSheet_Cikl"));
        QCOMPARE(control<QTabWidget>("PageControl_Cikl")->currentWidget(), control("TabSheet_Osn"));
        QCOMPARE(firstRow(frames()), (QStringList{"7000", "7001", "7002", "7003", "7004"}));
        main_->showFrameAt(999999);
        QCOMPARE(frames()->scrollBar->value(), 7288);
    }

    void clearEmptiesTheColumnsOnTheNextRedraw() {
        open(sample_);
        menuItem("Menu_Clear")->trigger();
        QCOMPARE(frames()->countLabel->text(), QString("0000"));
        frames()->scrollBar->setValue(100);
        QCOMPARE(firstRow(frames()), QStringList(5, QString()));
    }
};

QTEST_MAIN(RecordViewsTest)
#include "record_views_test.moc"
