// The acquisition dialog against the simulator on a pseudo-terminal, with the
// file dialog and message boxes answered by the test.

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "acquisition/Readlitm3.h"
#include "acquisition/save_reading.h"
#include "acquisition_test_support_posix.h"
#include "base/local_time.h"
#include "recorder/loader.h"
#include "scripted_dialogs.h"
#include "simulation/litm3_device/demo_line.h"
#include "simulation/litm3_device/litm3_device_posix.h"

using acquisition::StatusColour;

namespace {

using Answers = test_support::ScriptedDialogs;

litm3sim::DeviceOptions fastDevice() {
    litm3sim::DeviceOptions options;
    options.fast = true;
    return options;
}

bool isDestroyed(const QPointer<TForm_ReadLITM3>& dialog) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dialog.isNull();
}

}  // namespace

class ReadLitm3DialogTest : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir start_;

    QPointer<TForm_ReadLITM3> makeDialog(Answers& answers, const std::string& devicePath = {}) {
        auto* dialog = new TForm_ReadLITM3(nullptr, start_.path(), answers);
        auto ports =
            devicePath.empty() ? acqtest::portsWith({}) : acqtest::portsWith({{0, devicePath}});
        dialog->setPortMap(std::make_unique<acquisition::DeviceListComPortMap>(ports));
        dialog->show();
        return dialog;
    }

    static void click(TForm_ReadLITM3* dialog, const char* button) {
        auto* b = dialog->findChild<QPushButton*>(button);
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }

  private slots:
    void layoutCaptionsAndDefaults() {
        Answers answers;
        auto dialog = makeDialog(answers);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Считывание информации с ЛИТМ-3"));
        QCOMPARE(dialog->size(), QSize(561, 256));
        QCOMPARE(dialog->findChild<QGroupBox*>("GroupBox_InputInf")->geometry(),
                 QRect(8, 8, 545, 129));
        auto* gauge = dialog->findChild<QProgressBar*>("CGauge_Process");
        QCOMPARE(gauge->geometry(), QRect(8, 152, 545, 25));
        QCOMPARE(gauge->maximum(), 100);

        QStringList labels;
        for (auto* l : dialog->findChildren<QLabel*>()) labels << l->text();
        for (const char* caption :
             {"Владелец крана:", "Сервисная организация:", "Информацию считал:", "Удост. №",
              "Дата считывания:", "Срок действия:", "Выполняемая операция..."}) {
            QVERIFY2(labels.contains(QString::fromUtf8(caption)), caption);
        }
        const struct {
            const char* name;
            const char* text;
            int x, width;
        } buttons[] = {{"BitBtn_ReadLITM3", "Считать информацию", 8, 249},
                       {"BitBtn_SaveFile", "Сохранить", 264, 177},
                       {"BitBtn_Close", "Закрыть", 448, 105}};
        for (const auto& b : buttons) {
            auto* button = dialog->findChild<QPushButton*>(b.name);
            QCOMPARE(button->text(), QString::fromUtf8(b.text));
            QCOMPARE(button->x(), b.x);
            QCOMPARE(button->y(), 200);
            QCOMPARE(button->width(), b.width);
            QVERIFY(button->font().bold());
        }

        auto edit = [&](const char* name) { return dialog->findChild<QLineEdit*>(name); };
        QCOMPARE(edit("Edit_NUd")->text(), QStringLiteral("Н\\3"));
        QCOMPARE(edit("MaskEdit_DateUd")->text(), QStringLiteral("00.00.0000"));
        QVERIFY(!edit("Edit_Vladelec")->text().isEmpty());
        const QString now =
            QString::fromStdString(acquisition::formatReadingDate(recorder::localNow()));
        QVERIFY(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d$")
                    .match(edit("MaskEdit_DateRead")->text())
                    .hasMatch());
        QCOMPARE(edit("MaskEdit_DateRead")->text().left(10), now.left(10));

        // Typing is limited to the width of each text's place in the file.
        QLineEdit* owner = edit("Edit_Vladelec");
        owner->clear();
        owner->insert(QString(60, QChar(0x0416)));  // "Ж", as if pasted
        QCOMPARE(owner->text().size(), 50);
        QLineEdit* certificate = edit("Edit_NUd");
        certificate->clear();
        QTest::keyClicks(certificate, QStringLiteral("123456789012345678901234"));
        QCOMPARE(certificate->text(), QStringLiteral("12345678901234567890"));
        // The date fields take digits only.
        QLineEdit* valid = edit("MaskEdit_DateUd");
        valid->clear();
        valid->home(false);
        QTest::keyClicks(valid, QStringLiteral("31x12a2027"));
        QCOMPARE(valid->text(), QStringLiteral("31.12.2027"));
        dialog->close();
        QVERIFY(isDestroyed(dialog));
    }

    void goodReadingSavedUnderTheProposedName() {
        const auto sent = acqtest::patternedImage(30, "КС-45717", 321);
        litm3sim::DeviceThread device(sent, fastDevice());
        QVERIFY(device.ok());
        Answers answers;
        auto dialog = makeDialog(answers, device.path());
        click(dialog, "BitBtn_ReadLITM3");

        QCOMPARE(dialog->statusText(), QStringLiteral("Считывание успешно завершено!"));
        QCOMPARE(dialog->statusColour(), StatusColour::Green);
        auto* panel = dialog->findChild<QLabel*>("StatusBar_ReadLITM3_Panel");
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(0x00, 0x80, 0x00));
        QCOMPARE(dialog->findChild<QProgressBar*>("CGauge_Process")->value(), 0);
        QCOMPARE(dialog->unsavedReading(), 1);
        QVERIFY(dialog->image() == sent);

        const QByteArray shotDir = qgetenv("TIRS_SCREENSHOT_DIR");
        if (!shotDir.isEmpty()) {
            QVERIFY(dialog->grab().save(
                QDir(QString::fromLocal8Bit(shotDir)).filePath("readlitm3.png")));
        }

        const QString folder = QDir(start_.path()).filePath(QStringLiteral("Файлы"));
        const QString target = QDir(folder).filePath("saved.litm");
        answers.saveAnswers.push_back(target);
        click(dialog, "BitBtn_SaveFile");
        QCOMPARE(answers.saveQuestions.back().directory, folder);
        QVERIFY(QDir(folder).exists());
        QVERIFY2(
            answers.saveQuestions.back().proposedName.startsWith(QStringLiteral("КС-45717 №321 ")),
            qPrintable(answers.saveQuestions.back().proposedName));
        QCOMPARE(dialog->statusText(), QStringLiteral("Информация сохранена в файле: saved.litm"));
        QCOMPARE(dialog->statusColour(), StatusColour::ButtonFace);
        QCOMPARE(dialog->unsavedReading(), 0);

        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 270537);
        QVERIFY(std::equal(sent.begin(), sent.end(),
                           reinterpret_cast<const std::uint8_t*>(bytes.data())));
        const recorder::DataFile data(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        QCOMPARE(QString::fromStdString(data.textSlot(recorder::trailer::kCertificateNumber)),
                 QStringLiteral("Н\\3"));

        // Saved: closing asks nothing.
        click(dialog, "BitBtn_Close");
        QCOMPARE(answers.saveChoiceQuestions.size(), qsizetype{0});
        QVERIFY(isDestroyed(dialog));
    }

    // `tirs48 --demo-device`: the line chosen at start reaches every new dialog;
    // the demo device sends a whole generated reading in well under the line's
    // half minute, and what is saved loads without a single error.
    void demoDeviceReadsAndSavesAWholeReading() {
        setProgramAcquisitionLine(litm3sim::demoAcquisitionLine());
        Answers answers;
        QPointer<TForm_ReadLITM3> dialog = new TForm_ReadLITM3(nullptr, start_.path(), answers);
        setProgramAcquisitionLine(acquisition::realAcquisitionLine());
        dialog->show();

        QElapsedTimer clock;
        clock.start();
        click(dialog, "BitBtn_ReadLITM3");
        const qint64 readMs = clock.elapsed();
        QCOMPARE(dialog->statusText(), QStringLiteral("Считывание успешно завершено!"));
        QCOMPARE(dialog->statusColour(), StatusColour::Green);
        QVERIFY2(readMs < 5000, qPrintable(QString::number(readMs)));
        QVERIFY(dialog->image() == litm3sim::generatedImage());
        const QByteArray shotDir = qgetenv("TIRS_SCREENSHOT_DIR");
        if (!shotDir.isEmpty()) {
            QVERIFY(dialog->grab().save(
                QDir(QString::fromLocal8Bit(shotDir)).filePath("readlitm3-demo.png")));
        }

        const QString target = QDir(start_.path()).filePath("demo.litm");
        answers.saveAnswers.push_back(target);
        click(dialog, "BitBtn_SaveFile");
        QCOMPARE(dialog->unsavedReading(), 0);
        recorder::Reading reading;
        std::string error;
        QVERIFY(recorder::loadReading(target.toStdString(), reading, {','}, error));
        QVERIFY(reading.LoadErrorLog.empty());
        QCOMPARE(QString::fromStdString(reading.texts.get(recorder::display::kCraneModel)),
                 QStringLiteral("КС-55713-1"));
        QVERIFY(reading.FrameCount > 0);
        click(dialog, "BitBtn_Close");
        QVERIFY(isDestroyed(dialog));
        qInfo("demo device: read in %lld ms", static_cast<long long>(readMs));
    }

    // "Сохранить", "Не сохранять", "Отмена": only "Не сохранять" drops the
    // reading; Cancel (Esc, the box's close button) keeps it, from "Закрыть",
    // from the title bar's close box and before a new reading alike.
    void unsavedReadingIsLostOnlyOnDiscard() {
        litm3sim::DeviceOptions options = fastDevice();
        options.wrongSum = true;
        litm3sim::DeviceThread device(acqtest::patternedImage(31), options);
        QVERIFY(device.ok());
        const QString question = QStringLiteral("Файл с информацией не сохранен! \nСохранить?");

        // Save, then the save dialog cancelled: the dialog stays, still unsaved.
        Answers answers;
        auto dialog = makeDialog(answers, device.path());
        click(dialog, "BitBtn_ReadLITM3");
        QCOMPARE(dialog->statusText(), QStringLiteral("Несоответствие контрольной суммы!"));
        QCOMPARE(dialog->statusColour(), StatusColour::Yellow);
        QCOMPARE(dialog->unsavedReading(), 1);
        answers.saveChoices = {SaveChoice::Save, SaveChoice::Save};
        click(dialog, "BitBtn_Close");
        QCOMPARE(answers.saveChoiceQuestions, QStringList{question});
        QCOMPARE(answers.saveQuestions.size(), std::size_t{1});
        QVERIFY(!isDestroyed(dialog));
        QCOMPARE(dialog->unsavedReading(), 1);

        // Save, then saved: the dialog still stays; the next close asks nothing.
        answers.saveAnswers.push_back(QDir(start_.path()).filePath("mismatch.litm"));
        click(dialog, "BitBtn_Close");
        QCOMPARE(answers.saveQuestions.size(), std::size_t{2});
        QVERIFY(!isDestroyed(dialog));
        QCOMPARE(dialog->unsavedReading(), 0);
        QVERIFY(QFile::exists(QDir(start_.path()).filePath("mismatch.litm")));
        click(dialog, "BitBtn_Close");
        QCOMPARE(answers.saveChoiceQuestions.size(), qsizetype{2});
        QVERIFY(isDestroyed(dialog));

        // Cancel from "Закрыть", Esc, the close box and a new reading: all keep it.
        Answers second;
        auto again = makeDialog(second, device.path());
        click(again, "BitBtn_ReadLITM3");
        const std::vector<std::uint8_t> read = again->image();
        click(again, "BitBtn_Close");
        QTest::keyClick(again, Qt::Key_Escape);
        again->close();
        click(again, "BitBtn_ReadLITM3");
        QCOMPARE(second.saveChoiceQuestions.size(), qsizetype{3});
        QVERIFY(!isDestroyed(again));
        QCOMPARE(again->unsavedReading(), 1);
        QVERIFY(again->image() == read);
        QCOMPARE(second.saveQuestions.size(), std::size_t{0});

        // "Не сохранять": the dialog closes and the reading is dropped.
        second.saveChoices = {SaveChoice::Discard};
        again->close();
        QCOMPARE(second.saveChoiceQuestions.size(), qsizetype{4});
        QVERIFY(isDestroyed(again));
    }

    // "Прервать" and Esc stop a transfer at the line's real speed within half a
    // second: the port is given back its settings, nothing is written or kept,
    // and the next reading starts at once.
    void aRunningTransferStopsAtOnce() {
        for (const bool byEsc : {false, true}) {
            litm3sim::DeviceThread slow(acqtest::patternedImage(40), litm3sim::DeviceOptions{});
            QVERIFY(slow.ok());
            termios before{};
            QCOMPARE(tcgetattr(slow.device().terminalFd(), &before), 0);
            const QStringList files =
                QDir(QDir(start_.path()).filePath("Файлы")).entryList(QDir::Files);
            Answers answers;
            auto dialog = makeDialog(answers, slow.path());
            auto* stop = dialog->findChild<QPushButton*>("BitBtn_Stop");
            QVERIFY(stop && !stop->isVisible());
            QElapsedTimer sinceStop;
            QTimer::singleShot(1200, dialog, [&] {
                QVERIFY(stop->isVisible());
                QVERIFY(!dialog->findChild<QPushButton*>("BitBtn_Close")->isVisible());
                QVERIFY(dialog->findChild<QProgressBar*>("CGauge_Process")->value() > 0);
                const QByteArray shots = qgetenv("TIRS_SCREENSHOT_DIR");
                if (!shots.isEmpty() && !byEsc)
                    dialog->grab().save(
                        QDir(QString::fromLocal8Bit(shots)).filePath("readlitm3-stop.png"));
                sinceStop.start();
                if (byEsc)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else
                    QTest::mouseClick(stop, Qt::LeftButton);
            });
            click(dialog, "BitBtn_ReadLITM3");
            QVERIFY(sinceStop.isValid());
            QVERIFY2(sinceStop.elapsed() < 500, qPrintable(QString::number(sinceStop.elapsed())));
            qInfo("stopped %s after %lld ms", byEsc ? "by Esc" : "by Прервать",
                  static_cast<long long>(sinceStop.elapsed()));
            QCOMPARE(dialog->statusText(), QStringLiteral("Считывание прервано пользователем"));
            QCOMPARE(dialog->unsavedReading(), 0);
            QVERIFY(!dialog->findChild<QPushButton*>("BitBtn_SaveFile")->isEnabled());
            QVERIFY(dialog->findChild<QPushButton*>("BitBtn_Close")->isVisible());
            QVERIFY(!stop->isVisible());
            termios after{};
            QCOMPARE(tcgetattr(slow.device().terminalFd(), &after), 0);
            QCOMPARE(cfgetispeed(&after), cfgetispeed(&before));
            QCOMPARE(after.c_cflag, before.c_cflag);
            QCOMPARE(QDir(QDir(start_.path()).filePath("Файлы")).entryList(QDir::Files), files);

            litm3sim::DeviceThread fast(acqtest::patternedImage(41), fastDevice());
            QVERIFY(fast.ok());
            dialog->setPortMap(std::make_unique<acquisition::DeviceListComPortMap>(
                acqtest::portsWith({{0, fast.path()}})));
            click(dialog, "BitBtn_ReadLITM3");
            QCOMPARE(dialog->statusText(), QStringLiteral("Считывание успешно завершено!"));
            QVERIFY(dialog->findChild<QPushButton*>("BitBtn_SaveFile")->isEnabled());
            answers.saveChoices = {SaveChoice::Discard};
            click(dialog, "BitBtn_Close");
            QVERIFY(isDestroyed(dialog));
        }
    }

    void shortTransferClosesWithoutAsking() {
        litm3sim::DeviceOptions options = fastDevice();
        options.stopAfter = 1000;
        litm3sim::DeviceThread device(acqtest::patternedImage(32), options);
        QVERIFY(device.ok());
        Answers answers;
        auto dialog = makeDialog(answers, device.path());
        click(dialog, "BitBtn_ReadLITM3");
        QCOMPARE(dialog->statusText(), QStringLiteral("Считывание прервано на 1000 байте!"));
        QCOMPARE(dialog->statusColour(), StatusColour::ButtonFace);
        QCOMPARE(dialog->unsavedReading(), 0);
        click(dialog, "BitBtn_Close");
        QCOMPARE(answers.saveChoiceQuestions.size(), qsizetype{0});
        QVERIFY(isDestroyed(dialog));
    }

    // Before a whole image has come there is nothing to save: "Сохранить" is
    // disabled (an all-zero file would pass for a reading). After one, a save
    // that fails says so and is not reported as saved.
    void savingOnlyAfterAReadingAndAFailedSave() {
        Answers answers;
        auto dialog = makeDialog(answers);
        auto* save = dialog->findChild<QPushButton*>("BitBtn_SaveFile");
        QVERIFY(!save->isEnabled());
        click(dialog, "BitBtn_ReadLITM3");
        QCOMPARE(dialog->statusText(), QStringLiteral("Устройство не обнаружено!"));
        QVERIFY(!save->isEnabled());
        QTest::mouseClick(save, Qt::LeftButton);
        QCOMPARE(answers.saveQuestions.size(), std::size_t{0});

        litm3sim::DeviceThread device(acqtest::patternedImage(33, "", 0), fastDevice());
        QVERIFY(device.ok());
        dialog->setPortMap(std::make_unique<acquisition::DeviceListComPortMap>(
            acqtest::portsWith({{0, device.path()}})));
        click(dialog, "BitBtn_ReadLITM3");
        QVERIFY(save->isEnabled());
        // No model, number 0: the name starts " №0 "; cancelling writes nothing.
        click(dialog, "BitBtn_SaveFile");
        QVERIFY2(answers.saveQuestions.back().proposedName.startsWith(QStringLiteral(" №0 ")),
                 qPrintable(answers.saveQuestions.back().proposedName));
        QCOMPARE(dialog->statusText(), QString());

        // Only a reading saved whole is reported as saved (the archive adds it).
        QSignalSpy saved(dialog.data(), &TForm_ReadLITM3::readingSaved);
        answers.saveAnswers.push_back(QDir(start_.path()).filePath("no such folder/x.litm"));
        click(dialog, "BitBtn_SaveFile");
        QCOMPARE(saved.size(), 0);
        QCOMPARE(answers.errors.size(), 1);
        QVERIFY2(answers.errors[0].contains("x.litm"), qPrintable(answers.errors[0]));
        QCOMPARE(dialog->statusText(), QStringLiteral("Файл не сохранен: x.litm"));

        const QString written = QDir(start_.path()).filePath("written.litm");
        answers.saveAnswers.push_back(written);
        click(dialog, "BitBtn_SaveFile");
        QCOMPARE(QFileInfo(written).size(), 270537);
        QCOMPARE(saved.size(), 1);
        QCOMPARE(saved.first().first().toString(), written);
        dialog->close();
        QVERIFY(isDestroyed(dialog));
    }

    void escKeepsTheDialogAndAShortHourKeepsTheDateWidth() {
        litm3sim::DeviceThread device(acqtest::patternedImage(34), fastDevice());
        QVERIFY(device.ok());
        Answers answers;
        auto dialog = makeDialog(answers, device.path());
        click(dialog, "BitBtn_ReadLITM3");
        QTest::keyClick(dialog, Qt::Key_Escape);
        QVERIFY(!isDestroyed(dialog));
        QVERIFY(dialog->isVisible());

        // The first hour digit left out: a blank keeps the date at 16 characters.
        auto* date = dialog->findChild<QLineEdit*>("MaskEdit_DateRead");
        QVERIFY(date);
        date->setText("08.12.2006  9:45");
        const QString saved = QDir(start_.path()).filePath("short hour.litm");
        answers.saveAnswers.push_back(saved);
        click(dialog, "BitBtn_SaveFile");
        QCOMPARE(QFileInfo(saved).size(), 270537);
        dialog->close();
        QVERIFY(isDestroyed(dialog));
    }
};

QTEST_MAIN(ReadLitm3DialogTest)
#include "readlitm3_dialog_posix_test.moc"
