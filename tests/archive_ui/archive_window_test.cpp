// The archive in the window: the "Архив" menu adds the open reading, the
// archive window lists the fleet (sorted, filtered) and a limiter's readings and
// chart, a double click opens a reading in the main window as "Открыть" does,
// two chosen readings make form 2, and a reading saved by the acquisition
// dialog is added as its setting says.

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "acquisition/Readlitm3.h"
#include "archive_ui/archive_menu.h"
#include "archive_ui/archive_settings.h"
#include "archive_ui/archive_settings_dialog.h"
#include "archive_ui/archive_window.h"
#include "archive_ui/fleet_table_model.h"
#include "simulation/litm3_device/demo_line.h"
#include "ui/charts/plot_widget.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui_fixture.h"

using namespace ui_test;

class ArchiveWindowTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    QString url_, start_, oldCurrent_;

    QString sample(const QString& name, const std::string& serial, const std::string& owner,
                   const std::string& date, float characteristic, std::uint64_t seed,
                   std::int32_t pastCycles = -1) {
        sample::SampleOptions o;
        o.seed = seed;
        o.pastCycles = pastCycles;
        o.identity.serialNumber = serial;
        o.service.owner = owner;
        o.service.readingDate = date;
        o.characteristicNumber = characteristic;
        return writeSample(dir_, name, o);
    }

    void trigger(const char* name) {
        auto* action = main_->findChild<QAction*>(name);
        QVERIFY2(action, name);
        action->trigger();
    }
    static void click(QWidget* in, const char* name) {
        auto* button = in->findChild<QPushButton*>(name);
        QVERIFY2(button, name);
        button->click();
    }
    int archivedReadings() {
        archive::ReadingArchive store;
        QString error;
        if (!store.open(*archive::parseDatabaseUrl(url_, error), error)) return -1;
        int readings = 0;
        for (const auto& e : store.fleet(error).value_or(std::vector<archive::FleetEntry>{}))
            readings += e.readings;
        return readings;
    }
    // With TIRS_SCREENSHOT_DIR set, a picture of the widget for a person to look at.
    static void shoot(QWidget& widget, const QString& name) {
        const QString folder = qEnvironmentVariable("TIRS_SCREENSHOT_DIR");
        if (folder.isEmpty()) return;
        widget.show();
        QTest::qWait(300);  // laid out and the chart drawn, as a person sees it
        widget.grab().save(QDir(folder).filePath(name));
    }

  private slots:
    void initTestCase() {
        useRussianLocale();
        QStandardPaths::setTestModeEnabled(true);
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.filePath("config"));
        // The start directory (the current one when the window is made) with the
        // ready templates, as the program is installed.
        start_ = dir_.filePath("start");
        QDir().mkpath(start_ + "/Шаблоны форм");
        for (int form = 1; form <= 3; ++form) {
            const QString name = QString("Форма %1.rtf").arg(form);
            QVERIFY(QFile::copy(QString(TIRS_TEMPLATES_DIR) + "/" + name,
                                start_ + "/Шаблоны форм/" + name));
        }
        oldCurrent_ = QDir::currentPath();
        QDir::setCurrent(start_);
    }
    void cleanupTestCase() { QDir::setCurrent(oldCurrent_); }
    void init() {
        // An archive of its own for each test function, and no settings.
        url_ = dir_.filePath(QString("archive/%1.sqlite").arg(QTest::currentTestFunction()));
        qputenv("TIRS48_ARCHIVE", url_.toUtf8());
        QSettings(QStringLiteral("tirs48"), QStringLiteral("tirs48")).clear();
        program_.start();
        installArchiveMenu(*main_, dialogs_);
    }
    void cleanup() { program_.stop(); }

    void fleetTableSortsFiltersAndShowsTheChosenLimiter() {
        archive::ReadingArchive store;
        QString error;
        QVERIFY(store.open(*archive::parseDatabaseUrl(url_, error), error));
        store.addFile(sample("a1.litm", "500", "ООО Альфа", "01.01.2025 10:00", 1000, 1));
        store.addFile(sample("a2.litm", "500", "ООО Альфа", "11.04.2025 10:00", 2000, 2));
        store.addFile(sample("b1.litm", "600", "ООО Бета", "01.03.2025 10:00", 40000, 3));

        ArchiveWindow window(dialogs_, *archive::parseDatabaseUrl(url_, error));
        QVERIFY(window.isArchiveOpen());
        QTableView* fleet = window.fleetView();
        QCOMPARE(fleet->model()->rowCount(), 2);
        // Sorted by the share used, largest first: 600 (40000 of 63000) before 500.
        fleet->sortByColumn(FleetTableModel::UsedPercent, Qt::DescendingOrder);
        QCOMPARE(fleet->model()->index(0, FleetTableModel::Serial).data().toString(),
                 QString("600"));
        QCOMPARE(fleet->model()->index(0, FleetTableModel::UsedPercent).data().toString(),
                 QString("63,5"));
        window.filterEdit()->setText("альфа");
        QCOMPARE(fleet->model()->rowCount(), 1);
        QCOMPARE(
            fleet->model()->index(0, FleetTableModel::Projected).data().toString(),
            QString::fromStdString(archive::dayText(archive::daysFromCivil(2025, 4, 11) + 6100)));
        window.filterEdit()->clear();

        window.selectLimiter("500");
        QCOMPARE(window.historyTable()->rowCount(), 2);
        QCOMPARE(window.historyTable()->item(0, 1)->text(), QString("01.01.2025 10:00"));
        QCOMPARE(window.historyTable()->item(1, 7)->text(), QString("a2.litm"));
        // Readings, the normative line and the projection, over the days of the readings.
        QCOMPARE(window.chart()->series().size(), 3);
        const PlotAxis& days = window.chart()->axisX();
        QCOMPARE(days.tickText(days.min(), window.chart()->locale()), QString("01.01.2025"));
    }

    void theOpenReadingIsAddedAndOpenedBackFromTheArchive() {
        const QString path =
            sample("кран 500.litm", "500", "ООО Альфа", "01.01.2025 10:00", 1000, 1);
        open(path);
        // Every menu of the bar has its Alt key: "&Файл", "&Архив".
        for (const QAction* menu : main_->menuBar()->actions())
            if (menu->isVisible()) QVERIFY2(menu->text().contains('&'), qPrintable(menu->text()));
        trigger("Menu_ArchiveAdd");
        QCOMPARE(dialogs_.informations.size(), 1);
        QVERIFY2(dialogs_.informations.last().contains("добавлено в архив"),
                 qPrintable(dialogs_.informations.last()));
        trigger("Menu_ArchiveAdd");
        QVERIFY(dialogs_.informations.last().contains("уже есть в архиве"));

        main_->ClearAll();
        trigger("Menu_ArchiveShow");
        auto* window = main_->findChild<ArchiveWindow*>();
        QVERIFY(window);
        QCOMPARE(window->fleetView()->model()->rowCount(), 1);
        window->selectLimiter("500");
        QCOMPARE(window->historyTable()->rowCount(), 1);
        emit window->historyTable()->cellDoubleClicked(0, 1);

        // The main window shows the reading, loaded from a copy of the stored file.
        QVERIFY(main_->windowTitle().contains("кран 500.litm"));
        QCOMPARE(main_->reading().limiter.SerialNumber, std::string("500"));
        QFile original(path), opened(main_->openedFilePath());
        QVERIFY(original.open(QIODevice::ReadOnly) && opened.open(QIODevice::ReadOnly));
        QCOMPARE(opened.readAll(), original.readAll());
        QVERIFY(dialogs_.errors.isEmpty());
    }

    void anArchiveThatCannotBeOpenedIsReportedAndTheProgramGoesOn() {
        qputenv("TIRS48_ARCHIVE", "/dev/null/archive/readings.sqlite");
        const QString path = sample("c.litm", "700", "ООО Гамма", "01.01.2025 10:00", 100, 4);
        open(path);
        trigger("Menu_ArchiveAdd");
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY2(dialogs_.errors.first().contains("/dev/null/archive/readings.sqlite"),
                 qPrintable(dialogs_.errors.first()));
        trigger("Menu_ArchiveShow");
        auto* window = main_->findChild<ArchiveWindow*>();
        QVERIFY(window && !window->isArchiveOpen());
        QVERIFY(window->statusLabel()->text().contains("/dev/null/archive/readings.sqlite"));
        QCOMPARE(main_->reading().limiter.SerialNumber, std::string("700"));
    }

    // Two readings of one limiter chosen in its history make form 2 without a
    // file dialog: the earlier is the previous reading, the later the current.
    void form2FromTwoChosenReadingsOfOneLimiter() {
        archive::ReadingArchive store;
        QString error;
        QVERIFY(store.open(*archive::parseDatabaseUrl(url_, error), error));
        // The same crane's work read twice, 10000 cycles apart.
        store.addFile(sample("later.litm", "500", "ООО Альфа", "11.04.2025 10:00", 2000, 7, 60000));
        store.addFile(
            sample("earlier.litm", "500", "ООО Альфа", "01.01.2025 10:00", 1000, 7, 50000));
        trigger("Menu_ArchiveShow");
        auto* window = main_->findChild<ArchiveWindow*>();
        QVERIFY(window && window->isArchiveOpen());
        window->resize(1100, 720);
        window->selectLimiter("500");
        QTableWidget* history = window->historyTable();
        QCOMPARE(history->rowCount(), 2);

        // One reading chosen: the window says what to do and makes nothing.
        history->selectRow(1);
        click(window, "Button_ArchiveForm2");
        QCOMPARE(dialogs_.informations.size(), 1);
        QVERIFY2(dialogs_.informations.first().contains("два считывания"),
                 qPrintable(dialogs_.informations.first()));
        QVERIFY(dialogs_.openedDocuments.isEmpty());

        history->selectAll();
        shoot(*window, "archive-two-chosen.png");
        click(window, "Button_ArchiveForm2");
        QCOMPARE(dialogs_.errors, QStringList{});
        QCOMPARE(dialogs_.openedDocuments.size(), 1);
        const QString report = dialogs_.openedDocuments.first();
        QVERIFY2(report.startsWith(start_ + "/Формы/Форма 2 (") && report.endsWith(".rtf"),
                 qPrintable(report));
        // The later reading is the current one, the earlier the previous one.
        QFile data(start_ + "/Шаблоны форм/Форма 2.txt");
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(data.readAll()).split("\r\n");
        for (const char* line :
             {"|0:HEnd:2000,00", "|0:HHome:1000,00", "|0:SumCicl:10000",
              "|0:DateTimeSchit:11.04.2025 10:00", "|0:DateTimeSchitPrev:01.01.2025 10:00"})
            QVERIFY2(lines.contains(line), line);
        if (qEnvironmentVariableIsSet("TIRS_SCREENSHOT_DIR"))
            QFile::copy(report, qEnvironmentVariable("TIRS_SCREENSHOT_DIR") + "/form2.rtf");
        QFile rtf(report);
        QVERIFY(rtf.open(QIODevice::ReadOnly));
        const QByteArray text = rtf.readAll();
        for (const char* value : {"2000,00", "1000,00", "11.04.2025 10:00", "10000"})
            QVERIFY2(text.contains(value), value);

        // Form 1 from the same two: its own report beside form 2's.
        click(window, "Button_ArchiveForm1");
        QCOMPARE(dialogs_.openedDocuments.size(), 2);
        QVERIFY(dialogs_.openedDocuments.last().startsWith(start_ + "/Формы/Форма 1 ("));
        QVERIFY(QFile::exists(dialogs_.openedDocuments.last()));

        // Without the templates folder the core's message is shown, nothing opened.
        QVERIFY(QDir().rename(start_ + "/Шаблоны форм", start_ + "/away"));
        window->createForm(2);
        QVERIFY(QDir().rename(start_ + "/away", start_ + "/Шаблоны форм"));
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY2(dialogs_.errors.first().contains("Нет папки шаблонов"),
                 qPrintable(dialogs_.errors.first()));
        QCOMPARE(dialogs_.openedDocuments.size(), 2);
        QDir(start_ + "/Формы").removeRecursively();
    }

    // A reading saved from the (demo) reader device goes into the archive; the
    // settings dialog turns that off, and an archive that fails only says so.
    void aSavedReadingIsAddedToTheArchiveAsTheSettingsSay() {
        setProgramAcquisitionLine(litm3sim::demoAcquisitionLine());
        const QString saved = dir_.filePath("demo.litm");
        dialogs_.describeModal = [&](QDialog& dialog) {
            if (auto* read = qobject_cast<TForm_ReadLITM3*>(&dialog)) {
                read->findChild<QPushButton*>("BitBtn_ReadLITM3")->click();
                dialogs_.saveAnswers.push_back(saved);
                read->findChild<QPushButton*>("BitBtn_SaveFile")->click();
            }
            return dialog.objectName();
        };
        menuItem("Menu_LITM3")->trigger();
        setProgramAcquisitionLine(acquisition::realAcquisitionLine());
        QVERIFY(QFile::exists(saved));
        QCOMPARE(dialogs_.errors, QStringList{});
        QCOMPARE(archivedReadings(), 1);

        // The settings dialog: an address it does not understand is refused and
        // the dialog stays; "Проверить" opens the one typed; the box turns adding off.
        const QString other = dir_.filePath("archive/other.sqlite");
        bool wasChecked = false, refusedStays = false, checked = false, accepted = false;
        QString placeholder;
        dialogs_.describeModal = [&](QDialog& dialog) {
            if (auto* settings = qobject_cast<ArchiveSettingsDialog*>(&dialog)) {
                settings->resize(settings->sizeHint());
                shoot(*settings, "archive-settings.png");
                wasChecked = settings->addAfterReadingBox()->isChecked();
                placeholder = settings->urlEdit()->placeholderText();
                settings->urlEdit()->setText("ftp://server/archive");
                settings->accept();
                refusedStays = settings->result() != QDialog::Accepted;
                settings->urlEdit()->setText(other);
                checked = settings->checkDatabase();
                settings->addAfterReadingBox()->setChecked(false);
                settings->accept();
                accepted = settings->result() == QDialog::Accepted;
            }
            return dialog.objectName();
        };
        trigger("Menu_ArchiveSettings");
        QVERIFY(wasChecked && refusedStays && checked && accepted);
        QCOMPARE(placeholder, url_);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY2(dialogs_.errors.first().contains("ftp://server/archive"),
                 qPrintable(dialogs_.errors.first()));
        QVERIFY2(dialogs_.informations.last().contains(other),
                 qPrintable(dialogs_.informations.last()));
        QCOMPARE(ArchiveSettings::load().url, other);
        QCOMPARE(ArchiveSettings::load().addAfterReading, false);
        const QString next = sample("next.litm", "800", "ООО Дельта", "01.02.2025 10:00", 10, 5);
        emit main_->readingSaved(next);
        url_ = other;
        QCOMPARE(archivedReadings(), 0);

        // On again, with an archive that cannot be opened: the saved reading stays
        // where it is and the message names the database.
        ArchiveSettings{"/dev/null/archive/readings.sqlite", true}.save();
        dialogs_.errors.clear();
        emit main_->readingSaved(next);
        QCOMPARE(dialogs_.errors.size(), 1);
        QVERIFY2(dialogs_.errors.first().contains("next.litm") &&
                     dialogs_.errors.first().contains("/dev/null/archive/readings.sqlite"),
                 qPrintable(dialogs_.errors.first()));
        QVERIFY(QFile::exists(next));
    }
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
