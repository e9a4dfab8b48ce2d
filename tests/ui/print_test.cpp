// The "Печать" commands through the print window: each fills its report and
// shows a modal print preview, which the test prints to a PDF and reads back.

#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QtTest>

#include "tests/reports/pdf_text.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/views/record_view.h"
#include "ui_fixture.h"

using namespace ui_test;

class PrintTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    QString crane_;

    // What each preview showed: its page count, orientation and text.
    struct Shown {
        QString name;
        int pages = 0;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QStringList text;
    };
    std::vector<Shown> shown_;

    // Each preview is printed to a PDF file as the user's "print" would, and
    // recorded by its name.
    void printEachPreview() {
        dialogs_.describeModal = [this](QDialog& dialog) {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(&dialog);
            auto* widget = preview ? preview->findChild<QPrintPreviewWidget*>() : nullptr;
            if (!widget) return QString("not a print preview");
            widget->updatePreview();
            Shown s;
            s.name = dialog.objectName();
            s.pages = widget->pageCount();
            s.orientation = preview->printer()->pageLayout().orientation();
            const QString pdf = dir_.filePath(QString("preview%1.pdf").arg(shown_.size()));
            preview->printer()->setOutputFileName(pdf);
            widget->print();
            s.text = pdf_test::pageTexts(pdf);
            shown_.push_back(s);
            return s.name;
        };
    }

  private slots:
    void initTestCase() {
        useRussianLocale();
        crane_ = writeReading(dir_, "crane.litm", craneReading());
    }
    void init() {
        program_.start();
        shown_.clear();
        printEachPreview();
    }
    void cleanup() { program_.stop(); }

    void cardIsFollowedByItsTwoAppendixPages() {
        // Before any file: the captions with empty values.
        menuItem("M_IK")->trigger();
        QCOMPARE(dialogs_.modalTexts,
                 (QStringList{"QuickRep_Main", "QuickRep_GrfMQ", "QuickRep_GrfLR"}));
        QVERIFY(shown_[0].text.value(0).contains("Информацию считал:"));

        open(crane_);
        shown_.clear();
        menuItem("M_IK")->trigger();
        QCOMPARE(shown_.size(), std::size_t(3));
        for (const Shown& s : shown_) {
            QCOMPARE(s.pages, 1);
            QCOMPARE(s.text.size(), 1);
            QVERIFY2(s.text[0].contains("на кран КС-55713-1 №1234"), qPrintable(s.name));
        }
        QVERIFY(shown_[0].text[0].contains("Информационная карта"));
        QVERIFY(shown_[0].text[0].contains("ОАО «Автокран»"));
        QVERIFY(shown_[1].text[0].contains("Приложение 1"));
        QVERIFY(shown_[1].text[0].contains("График изменения массы груза на крюке"));
        QVERIFY(shown_[2].text[0].contains("Приложение 2"));
        QVERIFY(shown_[2].text[0].contains("График изменения вылета крана"));
    }

    void operationalInformationPrintsTheFrameViewsRange() {
        open(crane_);
        RecordView* view = main_->frameView();
        view->firstEdit->setText("5");
        view->lastEdit->setText("7");
        menuItem("M_Oper")->trigger();
        QCOMPARE(dialogs_.modalTexts, QStringList{"QuickRep_Cikl"});
        QCOMPARE(shown_.front().orientation, QPageLayout::Landscape);
        const QString page = shown_.front().text.value(0);
        QCOMPARE(page.count(QRegularExpression("\\d\\d\\.\\d\\d\\.\\d\\d +\\d\\d:\\d\\d:\\d\\d")),
                 3);
        QVERIFY(page.contains("Оперативная информация о работе крана КС-55713-1 №1234"));

        // A range reaching past the table is cut to it.
        view->firstEdit->setText("7290");
        view->lastEdit->setText("99999");
        menuItem("M_Oper")->trigger();
        QCOMPARE(shown_.back().text.value(0).count(QRegularExpression("\\d\\d:\\d\\d:\\d\\d")), 3);

        // A field without a whole number: the frame view's message, and no preview.
        view->lastEdit->setText("");
        menuItem("M_Oper")->trigger();
        QCOMPARE(dialogs_.modalTexts.size(), 2);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY(dialogs_.errors.front().contains("«по»"));
    }

    void overloadsPrintEveryRecordWithPageNumbers() {
        open(crane_);
        menuItem("M_Per")->trigger();
        QCOMPARE(dialogs_.modalTexts, QStringList{"QuickRep_Per"});
        QCOMPARE(shown_.front().pages, 1);
        const QString page = shown_.front().text.value(0);
        QVERIFY(page.contains("Таблица перегрузок крана КС-55713-1 №1234"));
        QVERIFY(page.contains("грузоподъемность"));
        QVERIFY(page.contains("Страница 1"));
        QCOMPARE(page.count(QRegularExpression("\\d\\d\\.\\d\\d\\.\\d\\d +\\d+ +\\d+,\\d\\d")), 20);
    }
};

QTEST_MAIN(PrintTest)
#include "print_test.moc"
