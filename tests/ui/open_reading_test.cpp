// The open command from the dialog to the filled window: every display shows
// the core's text, the error log appears once when checks fail, and the paths
// that stop early leave the window as the engineer last saw it.

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/band_gauge.h"
#include "ui/windows/Official.h"
#include "ui_fixture.h"

using namespace ui_test;

class OpenReadingTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;

    QString shown(const QString& name) const {
        if (auto* edit = main_->findChild<QLineEdit*>(name)) return edit->text();
        if (auto* label = main_->findChild<QLabel*>(name)) return label->text();
        return "<no display " + name + ">";
    }

  private slots:
    void initTestCase() { useRussianLocale(); }
    void init() { program_.start(); }
    void cleanup() { program_.stop(); }

    void everyDisplayShowsTheCoresText() {
        sample::SampleOptions options;
        options.seed = 7;
        options.overloads = 40;
        const QString path = writeSample(dir_, "кран 1187.litm", options);
        open(path);

        const recorder::Reading expected = coreReading(path);
        QCOMPARE(main_->displays().textCount(), static_cast<int>(expected.texts.size()));
        for (const auto& [name, text] : expected.texts.entries())
            QCOMPARE(shown(QString::fromStdString(name)), QString::fromStdString(text));
        for (const auto& [name, value] : expected.gauges.entries()) {
            auto* gauge = main_->findChild<BandGauge*>(QString::fromStdString(name));
            QVERIFY2(gauge, name.c_str());
            QCOMPARE(gauge->progress(), value);
        }
        QCOMPARE(shown("Edit_NKran"), QString("1187"));
        QCOMPARE(shown("Edit_IzgotKran"), QString("ОАО «Уральский крановый завод»"));
        QCOMPARE(main_->windowTitle(),
                 QString("Анализ данных регистратора параметров ТИРС-48  [кран 1187.litm]"));
        QCOMPARE(dialogs_.openTitles, QStringList{"Открыть"});
        QCOMPARE(dialogs_.openFilters.first(),
                 QString("Файлы РП ТИРС-48С (*.litm);;Все файлы (*.*)"));
        QVERIFY(dialogs_.modalTexts.isEmpty());
        QVERIFY(dialogs_.errors.isEmpty());
        QCOMPARE(main_->reading().OverloadCount, 40);
    }

    // Texts stated in the bytes, so a display that merely agrees with an empty
    // model would fail here.
    void displaysShowTheStatedValues() {
        open(writeReading(dir_, "кран 1234.litm", craneReading()));
        QCOMPARE(shown("Edit_NKran"), QString("1234"));
        QCOMPARE(shown("Edit_MKran"), QString("КС-55713-1"));
        QCOMPARE(shown("Edit_Vlad"), QString("ООО «Кран-Сервис»"));
        QCOMPARE(shown("Edit_HarCh"), QString("12345,68"));
        QCOMPARE(shown("E_LEsec"), QString("100:03:20"));
        QCOMPARE(shown("Label_QSum"), QString("123456,8 т."));
        QCOMPARE(main_->findChild<BandGauge*>("CGauge_10")->progress(), 100);
        QCOMPARE(main_->findChild<BandGauge*>("CGauge_N10")->progress(), 31);
        QCOMPARE(shown("Label_KIspU"), QString("U2"));
        QCOMPARE(shown("Label_RezhA"), QString("A2"));
        QCOMPARE(main_->reading().FrameCount, 7293);
        QCOMPARE(main_->reading().OverloadCount, 20);
    }

    void gaugesTakeTheirBandsColour() {
        auto colour = [&](const char* name) {
            return main_->findChild<BandGauge*>(name)->colour();
        };
        QCOMPARE(colour("CGauge_90"), colour("CGauge_N10"));
        QCOMPARE(colour("CGauge_N100"), QColor(230, 200, 0));
        QCOMPARE(colour("CGauge_110"), QColor(220, 0, 0));
        QCOMPARE(colour("CGauge_Nb140"), QColor(220, 0, 0));
        QVERIFY(colour("CGauge_10") != colour("CGauge_100"));
    }

    void failedChecksShowTheLogOnceWithItsLines() {
        sample::SampleOptions options;
        options.faults.badBlocks = {{1, 5}, {0, 2}};
        open(writeSample(dir_, "damaged.litm", options));

        QCOMPARE(dialogs_.modalTexts,
                 QStringList{"Ошибка контольной суммы идентификации крана в Банке-0!\n"
                             "Ошибка контольной суммы рабочих циклов в Банке-1!"});
        // Loading went on: the crane is still shown from Bank 0.
        QCOMPARE(shown("Edit_NKran"), QString("1187"));

        // A clean reading afterwards neither shows the log nor keeps the old lines.
        open(writeReading(dir_, "clean.litm", craneReading()));
        QCOMPARE(dialogs_.modalTexts.size(), 1);
        menuItem("Menu_log")->trigger();
        QCOMPARE(dialogs_.modalTexts.size(), 2);
        QCOMPARE(dialogs_.modalTexts.last(), QString());
    }

    void imageSumMismatchComesFirst() {
        sample::ImageBuilder image = craneReading();
        image.breakBankCheck(0, 7);
        image.putU8(100, 0x55);  // the sum no longer matches
        open(writeReading(dir_, "sum.litm", image));
        QCOMPARE(dialogs_.modalTexts,
                 QStringList{"Ошибка контольной суммы файла!\n"
                             "Ошибка контольной суммы наработки в моточасах в Банке-0!"});
    }

    void cancelKeepsTheShownReadingButResetsTheTables() {
        open(writeReading(dir_, "first.litm", craneReading()));
        const QString caption = main_->windowTitle();
        main_->statusPanel(1)->setText("старый текст");

        menuItem("Menu_OpenLITM3")->trigger();  // no answer queued: the user cancels

        QCOMPARE(main_->windowTitle(), caption);
        QCOMPARE(shown("Edit_NKran"), QString("1234"));
        QCOMPARE(main_->findChild<BandGauge*>("CGauge_10")->progress(), 100);
        QCOMPARE(main_->statusPanel(1)->text(), QString());
        QVERIFY(main_->reading().FrameTable[100].Status.empty());
        QCOMPARE(main_->reading().FrameTable[100].Number, 0);
        QVERIFY(main_->reading().OverloadTable[3].Status.empty());
        QVERIFY(windows_.Form_Official->text().isEmpty());
    }

    void unreadableFileChangesTheCaptionAndSaysSo() {
        open(writeReading(dir_, "first.litm", craneReading()));
        const QString missing = dir_.filePath("нет такого.litm");
        open(missing);

        QCOMPARE(main_->windowTitle(),
                 QString("Анализ данных регистратора параметров ТИРС-48  [нет такого.litm]"));
        QCOMPARE(dialogs_.errors, QStringList{"\n Файл не удальсь открыть!"});
        QVERIFY(dialogs_.modalTexts.isEmpty());
        QCOMPARE(shown("Edit_MKran"), QString("КС-55713-1"));
        QVERIFY(main_->reading().FrameTable[0].Status.empty());

        // A folder chosen under "Все файлы" cannot be read either.
        open(dir_.path());
        QCOMPARE(dialogs_.errors.size(), 2);
    }

    void shortFileOpensWithItsDamageReported() {
        QFile file(dir_.filePath("short.litm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("\x01\x02\x03");
        file.close();
        open(file.fileName());
        QVERIFY(dialogs_.errors.isEmpty());
        QCOMPARE(dialogs_.modalTexts.size(), 1);
        QCOMPARE(dialogs_.modalTexts.first().count('\n'), 14);
        QCOMPARE(shown("Edit_NKran"), QString("0"));
    }

    void serviceInformationFollowsEveryLoad() {
        windows_.Form_Official->show();
        const QString path = writeReading(dir_, "first.litm", craneReading());
        open(path);
        QString report = QString::fromStdString(coreReading(path).addressReportText());
        report.replace("\r\n", "\n");
        QVERIFY(!report.isEmpty());
        QCOMPARE(windows_.Form_Official->text(), report);

        // A second reading with other pointers replaces the report in the open window.
        sample::ImageBuilder other = craneReading();
        other.setPointers(sample::agreeingPointers(5, 0x0042, 3, 1, 2));
        other.fixImageSum();
        const QString otherPath = writeReading(dir_, "second.litm", other);
        open(otherPath);
        QString otherReport = QString::fromStdString(coreReading(otherPath).addressReportText());
        otherReport.replace("\r\n", "\n");
        QVERIFY(otherReport != report);
        QCOMPARE(windows_.Form_Official->text(), otherReport);
        QVERIFY(windows_.Form_Official->isVisible());
    }

    void commandLinePathOpensAsIfChosen() {
        const QString path = writeReading(dir_, "из менеджера.litm", craneReading());
        main_->openDataFilePath(path);
        QVERIFY(dialogs_.openTitles.isEmpty());
        QCOMPARE(main_->windowTitle(),
                 QString("Анализ данных регистратора параметров ТИРС-48  [из менеджера.litm]"));
        QCOMPARE(shown("Edit_NKran"), QString("1234"));
    }
};

QTEST_MAIN(OpenReadingTest)
#include "open_reading_test.moc"
