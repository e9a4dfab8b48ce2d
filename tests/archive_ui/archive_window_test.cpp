// The archive in the window: the "Архив" menu adds the open reading, the
// archive window lists the fleet (sorted, filtered) and a limiter's readings and
// chart, and a double click opens a reading in the main window as "Открыть" does.

#include <QAction>
#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include "archive_ui/archive_menu.h"
#include "archive_ui/archive_window.h"
#include "archive_ui/fleet_table_model.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui_fixture.h"

using namespace ui_test;

class ArchiveWindowTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    QString url_;

    QString sample(const QString& name, const std::string& serial, const std::string& owner,
                   const std::string& date, float characteristic, std::uint64_t seed) {
        sample::SampleOptions o;
        o.seed = seed;
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

  private slots:
    void initTestCase() {
        useRussianLocale();
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() {
        // An archive of its own for each test function.
        url_ = dir_.filePath(QString("archive/%1.sqlite").arg(QTest::currentTestFunction()));
        qputenv("TIRS48_ARCHIVE", url_.toUtf8());
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
        // Readings, the normative line and the projection.
        QCOMPARE(window.chart()->series().size(), 3);
    }

    void theOpenReadingIsAddedAndOpenedBackFromTheArchive() {
        const QString path =
            sample("кран 500.litm", "500", "ООО Альфа", "01.01.2025 10:00", 1000, 1);
        open(path);
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
};

QTEST_MAIN(ArchiveWindowTest)
#include "archive_window_test.moc"
