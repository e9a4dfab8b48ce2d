// "Обработка испытаний" > "Форма 1/2/3" with scripted dialogs: the report made
// under "Формы" and opened, the differences shown, form 1's view of the test,
// and every failure ending with its message and nothing opened.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include "forms/create_form.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/charts/plot_series.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/views/record_view.h"
#include "ui_fixture.h"

using namespace ui_test;

namespace {

// A previous reading of the same crane: counters lower than craneReading()'s, its
// last buffer frame (n = 6) dated 29.11.06 10:07:05, the frame of slot 3007.
sample::ImageBuilder previousReading(int day = 29, int hour = 10, int minute = 7) {
    sample::ImageBuilder b = craneReading();
    for (int bank = 0; bank < 2; ++bank) {
        b.setBankU24(bank, recorder::bank::kLoadCycles, 8000);
        b.setBankI32(bank, recorder::bank::kTotalCycles, 50000);
        b.setBankI32(bank, recorder::bank::kWinchSeconds, 360000);
    }
    b.setPointers(sample::agreeingPointers(6, 0x1234, 20, 0, 0));
    b.setFrame(recorder::kPageFrames + 5, sample::FrameFields().at(day, 11, 6, hour, minute, 5));
    return b;
}

}  // namespace

class FormCommandsTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    QString last_, previous_, oldCurrent_;

    QString shown(const char* name) const {
        return main_->findChild<QLineEdit*>(name) ? main_->findChild<QLineEdit*>(name)->text()
                                                  : main_->findChild<QLabel*>(name)->text();
    }
    QString folder(const QString& name) const { return dir_.filePath(name); }
    QString coreText(const char* name) const {
        return QString::fromStdString(coreReading(last_).texts.get(name));
    }
    QString coreSerial() const {
        return QString::fromStdString(coreReading(last_).limiter.SerialNumber);
    }
    QString reportPrefix(int form) const {
        return folder("Формы/Форма %1 (КС-55713-1 №1234 ").arg(form);
    }
    // The report the window opened: under "Формы", named for the form and the crane.
    void expectOpenedReport(int form) {
        QCOMPARE(dialogs_.errors, QStringList{});
        QCOMPARE(dialogs_.openedDocuments.size(), 1);
        const QString report = dialogs_.openedDocuments.first();
        QVERIFY2(report.startsWith(reportPrefix(form)) && report.endsWith(").rtf"),
                 qPrintable(report));
        QVERIFY(QFile::exists(report));
    }
    QStringList dataLines(int form) const {
        QFile file(folder("Шаблоны форм/Форма %1.txt").arg(form));
        if (!file.open(QIODevice::ReadOnly)) return {};
        return QString::fromLatin1(file.readAll()).split("\r\n", Qt::SkipEmptyParts);
    }

  private slots:
    void initTestCase() {
        useRussianLocale();
        last_ = writeReading(dir_, "last.litm", craneReading());
        previous_ = writeReading(dir_, "previous.litm", previousReading());
        QDir(dir_.path()).mkdir("Шаблоны форм");
        for (int form = 1; form <= 3; ++form) {
            const QString name = QString("Форма %1.rtf").arg(form);
            QFile::copy(QString(TIRS_TEMPLATES_DIR) + "/" + name, folder("Шаблоны форм/" + name));
        }
        oldCurrent_ = QDir::currentPath();
    }
    // The start directory is the current one when the window is made.
    void init() {
        QDir::setCurrent(dir_.path());
        program_.start();
    }
    void cleanup() {
        program_.stop();
        QDir::setCurrent(oldCurrent_);
        QDir(folder("Формы")).removeRecursively();
    }

    void form3MakesItsReportAndOpensIt() {
        dialogs_.openAnswers = {last_};
        menuItem("N_CreateForma3")->trigger();
        QCOMPARE(dialogs_.informations,
                 QStringList{"Выберите файл данных РП ТИРС-48С для обработки!"});
        expectOpenedReport(3);
        QCOMPARE(dataLines(3).size(), 41);
    }

    void form2ShowsTheDifferencesOnceAndOpensItsReport() {
        dialogs_.openAnswers = {last_, previous_};
        menuItem("N_CreateForma2")->trigger();
        QCOMPARE(dialogs_.informations,
                 (QStringList{"Выберите файл данных РП ТИРС-48С с последнего считывания!",
                              "Выберите файл данных РП ТИРС-48С с предыдущего считывания!"}));
        expectOpenedReport(2);
        QCOMPARE(dataLines(2).size(), 42);
        QCOMPARE(shown("Edit_N_10"), QString("1500"));  // 9500 - 8000
        QCOMPARE(shown("E_LEsec"), QString("0:03:20"));
        QVERIFY(dataLines(2).contains("|0:SumCicl:1972"));

        // Again with the first dialog cancelled: the same differences, not taken twice.
        dialogs_.openAnswers = {"", previous_};
        dialogs_.openedDocuments.clear();
        menuItem("N_CreateForma2")->trigger();
        expectOpenedReport(2);
        QCOMPARE(shown("Edit_N_10"), QString("1500"));
        QVERIFY(dataLines(2).contains("|0:SumCicl:1972"));
    }

    void form1NarrowsTheFrameViewAndTheChartToTheTest() {
        dialogs_.openAnswers = {last_, previous_};
        menuItem("N_CreateForma1")->trigger();
        expectOpenedReport(1);
        QCOMPARE(dataLines(1).size(), 44);
        QVERIFY(dataLines(1).contains("|0:KadrIsp:3007 - 7292"));
        QCOMPARE(main_->frameView()->scrollBar->minimum(), 3007);
        QVERIFY(main_->frameView()->scrollBar->value() >= 3007);
        QCOMPARE(main_->findChild<ParameterChartPage*>()->axisFrames->min(), 3007.0);
        QCOMPARE(main_->findChild<ParameterChartPage*>()->axisFrames->max(), 7292.0);
    }

    // The first test frame among the last four: the scroll bar starts at its
    // maximum and the form is made.
    void form1WithTheTestAmongTheLastFourFrames() {
        sample::ImageBuilder last = craneReading();
        last.setFrame(7290, sample::FrameFields().at(30, 11, 6, 12, 0, 5));
        last.fixImageSum();
        const QString lastPath = writeReading(dir_, "late.litm", last);
        const QString previousPath =
            writeReading(dir_, "late-prev.litm", previousReading(30, 12, 0));
        dialogs_.openAnswers = {lastPath, previousPath};
        menuItem("N_CreateForma1")->trigger();
        expectOpenedReport(1);
        QScrollBar* bar = main_->frameView()->scrollBar;
        QCOMPARE(bar->maximum(), 7288);  // FrameCount - 5
        QCOMPARE(bar->minimum(), 7288);
        QVERIFY(dataLines(1).contains("|0:KadrIsp:7290 - 7292"));
    }

    // After form 2 the counters shown are differences and say so, on the page and
    // in the status bar, until "Очистить" (Ctrl+W) shows the totals again; the
    // status bar says where the report went.
    void differencesAreLabelledUntilCleared() {
        main_->show();
        main_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(main_));
        dialogs_.openAnswers = {last_, previous_};
        menuItem("N_CreateForma2")->trigger();
        expectOpenedReport(2);
        const QString caption = "Разности между считываниями 29.11.2006 и 29.11.2006";
        auto* onPage = main_->findChild<QLabel*>("Label_Differences");
        auto* inStatus = main_->findChild<QLabel*>("StatusBar_Differences");
        QVERIFY(onPage && inStatus);
        QVERIFY(onPage->isVisible() && inStatus->isVisible());
        QCOMPARE(onPage->text(), caption);
        QCOMPARE(inStatus->text(), caption);
        const QFileInfo report(dialogs_.openedDocuments.first());
        // The folder as the system writes it ("\\" on Windows).
        QCOMPARE(main_->statusPanel(1)->text(),
                 "Форма 2 записана: " + report.fileName() + " в папке " +
                     QDir::toNativeSeparators(report.absolutePath()));
        QCOMPARE(main_->statusPanel(1)->toolTip(),
                 QDir::toNativeSeparators(report.absoluteFilePath()));
        QCOMPARE(shown("Edit_N_10"), QString("1500"));
        const QByteArray shots = qgetenv("TIRS_SCREENSHOT_DIR");
        if (!shots.isEmpty())
            QVERIFY(main_->grab().save(
                QDir(QString::fromLocal8Bit(shots)).filePath("form-differences.png")));

        QTest::keyClick(main_, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!onPage->isVisible() && !inStatus->isVisible());
        QCOMPARE(shown("Edit_N_10"), QString("9500"));
        QCOMPARE(shown("E_LEsec"), coreText("E_LEsec"));
        QCOMPARE(shown("Label_QSum"), coreText("Label_QSum"));

        // The same file twice keeps its result: every difference 0.
        dialogs_.openedDocuments.clear();
        dialogs_.openAnswers = {last_, last_};
        menuItem("N_CreateForma2")->trigger();
        expectOpenedReport(2);
        QCOMPARE(shown("Edit_N_10"), QString("0"));
        QVERIFY(onPage->isVisible());

        // The information card prints totals, never differences.
        menuItem("M_IK")->trigger();
        QVERIFY(!onPage->isVisible());
        QCOMPARE(shown("Edit_N_10"), QString("9500"));
    }

    // A previous reading of another limiter is refused naming both; one that
    // is the later of the two is offered to be swapped ("Нет" leaves all as
    // it was, "Да" opens it as the last reading and makes the form).
    void previousReadingOfAnotherLimiterOrLaterIsRefused() {
        sample::ImageBuilder other = previousReading();
        other.setBankText(0, recorder::bank::kSerialNumber, recorder::bank::kSerialNumberWidth,
                          "77777");
        other.fixAllBankChecks();
        other.fixImageSum();
        dialogs_.openAnswers = {last_, writeReading(dir_, "other.litm", other)};
        menuItem("N_CreateForma2")->trigger();
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY2(dialogs_.errors[0].contains("№ 77777") &&
                     dialogs_.errors[0].contains("№ " + coreSerial()),
                 qPrintable(dialogs_.errors[0]));
        QCOMPARE(dialogs_.openedDocuments, QStringList{});
        QCOMPARE(shown("Edit_N_10"), QString("9500"));

        dialogs_.errors.clear();
        dialogs_.openAnswers = {previous_, last_};
        menuItem("N_CreateForma1")->trigger();
        QCOMPARE(dialogs_.yesNoQuestions.size(), 1);
        QVERIFY2(dialogs_.yesNoQuestions[0].contains("общее число циклов") &&
                     dialogs_.yesNoQuestions[0].endsWith("Поменять местами?"),
                 qPrintable(dialogs_.yesNoQuestions[0]));
        QCOMPARE(dialogs_.openedDocuments, QStringList{});
        QCOMPARE(main_->openedFilePath(), previous_);
        QCOMPARE(shown("Edit_N_10"), QString("8000"));

        dialogs_.openAnswers = {previous_, last_};
        dialogs_.yesNoAnswers = {true};
        menuItem("N_CreateForma1")->trigger();
        expectOpenedReport(1);
        QCOMPARE(main_->openedFilePath(), last_);
        QCOMPARE(shown("Edit_N_10"), QString("1500"));
        QVERIFY(dataLines(1).contains("|0:KadrIsp:3007 - 7292"));
    }

    void failuresEndWithTheirMessageAndOpenNothing() {
        // The second dialog cancelled: nothing subtracted, nothing written.
        QFile::remove(folder("Шаблоны форм/Форма 2.txt"));
        dialogs_.openAnswers = {last_, ""};
        menuItem("N_CreateForma2")->trigger();
        QCOMPARE(dialogs_.errors, QStringList{});
        QCOMPARE(shown("Edit_N_10"), QString("9500"));
        QVERIFY(!QFile::exists(folder("Шаблоны форм/Форма 2.txt")));

        // The previous file cannot be opened.
        dialogs_.openAnswers = {last_, folder("missing.litm")};
        menuItem("N_CreateForma1")->trigger();
        QCOMPARE(dialogs_.errors, QStringList{"\n Файл не удалось открыть!"});
        QCOMPARE(shown("Edit_N_10"), QString("9500"));

        // The engine's message: the template is missing.
        QFile::rename(folder("Шаблоны форм/Форма 3.rtf"), folder("Форма 3.rtf.away"));
        dialogs_.errors.clear();
        dialogs_.openAnswers = {last_};
        menuItem("N_CreateForma3")->trigger();
        QFile::rename(folder("Форма 3.rtf.away"), folder("Шаблоны форм/Форма 3.rtf"));
        QCOMPARE(dialogs_.errors,
                 QStringList{"Не открыт файл шаблона\nПричина: файл или папка не существует."});
        // Form 2 failing so: the differences stay shown, and say what they are.
        QFile::rename(folder("Шаблоны форм/Форма 2.rtf"), folder("Форма 2.rtf.away"));
        dialogs_.errors.clear();
        dialogs_.openAnswers = {last_, previous_};
        menuItem("N_CreateForma2")->trigger();
        QFile::rename(folder("Форма 2.rtf.away"), folder("Шаблоны форм/Форма 2.rtf"));
        QCOMPARE(dialogs_.errors,
                 QStringList{"Не открыт файл шаблона\nПричина: файл или папка не существует."});
        QCOMPARE(shown("Edit_N_10"), QString("1500"));
        QVERIFY(!main_->findChild<QLabel*>("Label_Differences")->isHidden());

        // No limiter serial number: why the form cannot be made.
        sample::ImageBuilder noSerial = craneReading();
        noSerial.setBankText(0, recorder::bank::kSerialNumber, recorder::bank::kSerialNumberWidth,
                             "");
        noSerial.fixAllBankChecks();
        noSerial.fixImageSum();
        dialogs_.errors.clear();
        dialogs_.openAnswers = {writeReading(dir_, "no-serial.litm", noSerial), previous_};
        menuItem("N_CreateForma2")->trigger();
        QCOMPARE(dialogs_.errors, QStringList{QString::fromUtf8(forms::kNoLimiterSerial)});
        QCOMPARE(shown("Edit_N_10"), QString("9500"));
        QVERIFY(main_->findChild<QLabel*>("Label_Differences")->isHidden());
        QCOMPARE(dialogs_.openedDocuments, QStringList{});
    }
};

QTEST_MAIN(FormCommandsTest)
#include "form_commands_test.moc"
