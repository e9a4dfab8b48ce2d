// The reading archive against both engines: SQLite in a fresh folder, and
// PostgreSQL when TIRS48_TEST_POSTGRES names a server (the `postgres` CTest
// label starts a throwaway cluster for it). Readings come from the generator with
// the limiter, date and characteristic number each case needs.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <tuple>

#include "archive/reading_archive.h"
#include "simulation/sample_reading/sample_reading.h"

namespace archive {
namespace {

enum class Engine { Sqlite, Postgres };

QString postgresServer() {
    return qEnvironmentVariable("TIRS48_TEST_POSTGRES");
}

// A connection of the test's own, beside the archive's, for what a user of the
// archive never does: raw statements, older schemas, locks.
class RawConnection {
  public:
    explicit RawConnection(const DatabaseLocation& at)
        : name_(QStringLiteral("raw-%1").arg(++count_)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(at.driver, name_);
        if (at.isPostgres()) {
            db.setHostName(at.host);
            db.setPort(at.port);
            db.setUserName(at.user);
            db.setPassword(at.password);
            db.setDatabaseName(at.database);
        } else {
            db.setDatabaseName(at.path);
        }
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
    }
    ~RawConnection() {
        QSqlDatabase::database(name_, false).close();
        QSqlDatabase::removeDatabase(name_);
    }
    bool exec(const QString& statement) {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        const bool ok = q.exec(statement);
        EXPECT_TRUE(ok) << statement.toStdString() << ": " << q.lastError().text().toStdString();
        return ok;
    }
    qint64 count(const QString& table) {
        QSqlQuery q(QSqlDatabase::database(name_, false));
        if (!q.exec(QStringLiteral("SELECT count(*) FROM ") + table) || !q.next()) return -1;
        return q.value(0).toLongLong();
    }

  private:
    static inline int count_ = 0;
    QString name_;
};

class ArchiveTest : public ::testing::TestWithParam<Engine> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        if (GetParam() == Engine::Postgres) {
            if (postgresServer().isEmpty()) GTEST_SKIP() << "TIRS48_TEST_POSTGRES is not set";
            // A database of its own for each case, created on the server given.
            QString error;
            const auto server = parseDatabaseUrl(postgresServer(), error);
            ASSERT_TRUE(server) << error.toStdString();
            static int n = 0;
            const QString name = QStringLiteral("archive_test_%1_%2")
                                     .arg(QCoreApplication::applicationPid())
                                     .arg(++n);
            RawConnection(*server).exec(QStringLiteral("CREATE DATABASE ") + name);
            QUrl url(postgresServer());
            url.setPath(QLatin1Char('/') + name);
            url_ = url.toString();
        } else {
            // A folder that does not exist yet: the archive creates it on first use.
            url_ = dir_.filePath(QStringLiteral("data/tirs48/archive.sqlite"));
        }
        QString error;
        location_ = *parseDatabaseUrl(url_, error);
    }

    // Writes a generated reading and returns its path.
    QString reading(const QString& name, const std::string& serial, const std::string& date,
                    std::optional<float> characteristic, std::uint64_t seed = 1,
                    sample::SampleFaults faults = {}) {
        sample::SampleOptions o;
        o.seed = seed;
        o.identity.serialNumber = serial;
        o.service.readingDate = date;
        o.characteristicNumber = characteristic;
        o.faults = std::move(faults);
        const auto bytes = sample::makeSampleReading(o);
        const QString path = dir_.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
        return path;
    }

    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void open(ReadingArchive& a, const OpenOptions& options = {}) {
        QString error;
        ASSERT_TRUE(a.open(location_, error, options)) << error.toStdString();
    }

    QTemporaryDir dir_;
    QString url_;
    DatabaseLocation location_;
};

TEST_P(ArchiveTest, AddsOnceKeepsHistoryInDateOrderAndGivesFilesBackWhole) {
    ReadingArchive a;
    open(a);
    // Limiter 500 read three times, added out of date order; limiter 600 once.
    const QString april = reading("a/april.litm", "500", "11.04.2025 12:00", 2000, 2);
    const QString july = reading("a/july.litm", "500", "20.07.2025 12:00", 3000, 3);
    const QString january = reading("a/january.litm", "500", "01.01.2025 12:00", 1000, 1);
    sample::SampleOptions other;
    other.identity.serialNumber = "600";
    other.identity.installDate = {1, 1, 2024};
    other.characteristicNumber = 3660;
    other.service.readingDate = "01.01.2025 00:00";
    // Texts of a file reach the database only as values, quotes and all.
    other.service.owner = "ООО \"Кран'); DROP TABLE readings;--";
    const QString single = dir_.filePath("single.litm");
    {
        QFile f(single);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const auto bytes = sample::makeSampleReading(other);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    }

    std::vector<qint64> ids;
    for (const QString& path : {april, july, january, single}) {
        const AddResult r = a.addFile(path);
        ASSERT_EQ(r.outcome, AddOutcome::Added) << r.message.toStdString();
        EXPECT_FALSE(r.damaged);
        ids.push_back(r.id);
    }
    // The same bytes again, under another name too: the reading already there.
    const AddResult again = a.addFile(july);
    EXPECT_EQ(again.outcome, AddOutcome::AlreadyThere);
    EXPECT_EQ(again.id, ids[1]);
    QFile::copy(july, dir_.filePath("copy-of-july.litm"));
    EXPECT_EQ(a.addFile(dir_.filePath("copy-of-july.litm")).id, ids[1]);

    QString error;
    const auto history = a.history(QStringLiteral("500"), error);
    ASSERT_TRUE(history) << error.toStdString();
    ASSERT_EQ(history->size(), 3u);
    EXPECT_EQ((*history)[0].id, ids[2]);
    EXPECT_EQ((*history)[1].id, ids[0]);
    EXPECT_EQ((*history)[2].id, ids[1]);
    EXPECT_DOUBLE_EQ((*history)[0].counters.CharacteristicNumber, 1000);
    EXPECT_EQ((*history)[2].readingDateText, QStringLiteral("20.07.2025 12:00"));
    EXPECT_EQ((*history)[2].sourceName, QStringLiteral("july.litm"));
    EXPECT_EQ((*history)[2].normativeNumber, 63000);  // the generator's crane is A4
    EXPECT_EQ((*history)[2].craneModel, QStringLiteral("КС-55713-1"));
    EXPECT_EQ((*history)[2].limiterModel, QStringLiteral("ТИРС-48С-05"));
    EXPECT_GT((*history)[2].counters.TotalCycles, 0);
    EXPECT_TRUE(a.history(QStringLiteral("no such"), error)->empty());

    for (std::size_t i = 0; i < 4; ++i) {
        const auto bytes = a.fileBytes(ids[i], error);
        ASSERT_TRUE(bytes) << error.toStdString();
        EXPECT_EQ(*bytes, contents(i == 0 ? april : i == 1 ? july : i == 2 ? january : single));
    }
    EXPECT_FALSE(a.fileBytes(999999, error));
    EXPECT_TRUE(error.contains(a.name()));

    const auto fleet = a.fleet(error);
    ASSERT_TRUE(fleet) << error.toStdString();
    ASSERT_EQ(fleet->size(), 2u);
    const FleetEntry& five = (*fleet)[0];
    EXPECT_EQ(five.latest.id, ids[1]);
    EXPECT_EQ(five.readings, 3);
    EXPECT_EQ(five.life.method, LifeMethod::LeastSquares);
    EXPECT_NEAR(five.life.ratePerDay, 10.0, 1e-6);
    EXPECT_EQ(five.life.projectedDay, daysFromCivil(2025, 7, 20) + 6000);
    const FleetEntry& six = (*fleet)[1];
    EXPECT_EQ(six.latest.owner, QString::fromStdString(other.service.owner));
    EXPECT_EQ(six.life.method, LifeMethod::SinceInstallation);
    EXPECT_NEAR(six.life.ratePerDay, 10.0, 1e-6);
    EXPECT_EQ(six.life.projectedDay, daysFromCivil(2025, 1, 1) + 5934);  // (63000-3660)/10
}

TEST_P(ArchiveTest, RefusesWhatIsNotAReadingAndKeepsDamagedOnesMarked) {
    ReadingArchive a;
    open(a);
    EXPECT_EQ(a.addFile(dir_.path()).outcome, AddOutcome::Refused);
    EXPECT_EQ(a.addFile(dir_.filePath("missing.litm")).outcome, AddOutcome::Refused);
    const QString shortFile = dir_.filePath("short.litm");
    {
        QFile f(shortFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1000, '\0'));
    }
    const AddResult refused = a.addFile(shortFile);
    EXPECT_EQ(refused.outcome, AddOutcome::Refused);
    EXPECT_TRUE(refused.message.contains(QStringLiteral("1000 bytes")));
    // A file saved before anything was read: all zeros but its service texts.
    const QString blankFile = dir_.filePath("blank.litm");
    {
        QFile f(blankFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray blank(270537, '\0');
        blank.replace(270520, 16, "01.02.2025 10:00");
        f.write(blank);
    }
    const AddResult blank = a.addFile(blankFile);
    EXPECT_EQ(blank.outcome, AddOutcome::Refused);
    EXPECT_TRUE(blank.message.contains(QStringLiteral("нет считывания")))
        << blank.message.toStdString();
    QString fleetError;
    EXPECT_TRUE(a.fleet(fleetError)->empty());

    sample::SampleFaults faults;
    faults.wrongImageSum = true;
    faults.badBlocks = {{1, 3}};
    const AddResult damaged =
        a.addFile(reading("damaged.litm", "700", "01.02.2025 10:00", 500, 4, faults));
    ASSERT_EQ(damaged.outcome, AddOutcome::Added);
    EXPECT_TRUE(damaged.damaged);
    QString error;
    const auto row = a.reading(damaged.id, error);
    ASSERT_TRUE(row);
    EXPECT_TRUE(row->damaged);
    EXPECT_EQ(row->loadErrors.size(), 2);
    EXPECT_EQ(row->loadErrors.front(), QStringLiteral("Ошибка контрольной суммы файла!"));
    EXPECT_EQ(a.history(QStringLiteral("700"), error)->size(), 1u);
}

// An archive made by the first version of the program: its rows stay, the
// migration adds what the later version keeps, and adding goes on.
TEST_P(ArchiveTest, MigratesFromTheFirstSchemaAndRefusesANewerOne) {
    {
        ReadingArchive first;
        open(first, OpenOptions{.schemaVersion = 1});
    }
    {
        RawConnection raw(location_);
        EXPECT_EQ(raw.count("readings"), 0);
        raw.exec(QStringLiteral(
            "INSERT INTO readings (sha256, file_size, added_at, limiter_serial, limiter_model,"
            " crane_model, crane_number, owner, reading_date_text, reading_at, operator_name,"
            " organisation, characteristic_number, normative_number, mode_group, current_group,"
            " install_day, total_cycles, lifted_mass, motor_minutes, winch_seconds,"
            " boom_angle_seconds, boom_length_seconds, slew_seconds, load_errors, damaged)"
            " VALUES ('00', 270537, '2025-01-01T00:00:00Z', '500', 'ТИРС-48С-05', 'КС-3577', 7,"
            " 'Владелец', '01.12.2024 09:00', '2024-12-01 09:00', 'Оператор', 'Организация',"
            " 500, 63000, 4, 2, NULL, 1000, 0, 0, 0, 0, 0, 0, '', 0)"));
    }
    ReadingArchive a;
    open(a);
    ASSERT_EQ(a.addFile(reading("new.litm", "500", "01.01.2025 12:00", 1000)).outcome,
              AddOutcome::Added);
    QString error;
    const auto history = a.history(QStringLiteral("500"), error);
    ASSERT_TRUE(history) << error.toStdString();
    ASSERT_EQ(history->size(), 2u);
    EXPECT_EQ((*history)[0].craneModel, QStringLiteral("КС-3577"));
    EXPECT_EQ((*history)[0].sourceName, QString());
    EXPECT_EQ((*history)[1].sourceName, QStringLiteral("new.litm"));

    RawConnection(location_).exec(QStringLiteral("UPDATE schema_version SET version = 99"));
    ReadingArchive newer;
    EXPECT_FALSE(newer.open(location_, error));
    EXPECT_TRUE(error.contains(location_.displayName())) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("99")));
}

// Two programs add the same folder at the same moment, into an archive neither
// has created yet: every reading is stored once and none is lost.
TEST_P(ArchiveTest, TwoProcessesAddingOneFolderStoreEachReadingOnce) {
    constexpr int kReadings = 12;
    for (int i = 0; i < kReadings; ++i)
        reading(QStringLiteral("fleet/r%1.litm").arg(i, 2, 10, QLatin1Char('0')),
                "9" + std::to_string(i % 3), "0" + std::to_string(1 + i % 9) + ".03.2025 10:00",
                static_cast<float>(100 * i), static_cast<std::uint64_t>(10 + i));
    QProcess first, second;
    const QStringList args = {QStringLiteral("archive"), QStringLiteral("add"),
                              dir_.filePath(QStringLiteral("fleet")), QStringLiteral("--db"), url_};
    first.start(QStringLiteral(LITM_PATH), args);
    second.start(QStringLiteral(LITM_PATH), args);
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    const QString out =
        QString::fromUtf8(first.readAllStandardOutput() + second.readAllStandardOutput());
    EXPECT_EQ(out.count(QStringLiteral("added ")), kReadings) << out.toStdString();
    EXPECT_EQ(out.count(QStringLiteral("already there ")), kReadings);

    RawConnection raw(location_);
    EXPECT_EQ(raw.count("readings"), kReadings);
    EXPECT_EQ(raw.count("reading_images"), kReadings);
}

// litm as a user runs it: a fleet made with `litm sample`, then add, list,
// history and get, each in its output forms, and the exit codes.
TEST_P(ArchiveTest, LitmArchiveCommands) {
    struct Run {
        int exitCode;
        QString out, err;
    };
    auto litm = [](const QStringList& args) {
        QProcess p;
        p.start(QStringLiteral(LITM_PATH), args);
        p.waitForFinished(60000);
        // Names found in a folder come with the system's separator ("\\" on
        // Windows); the checks below name them with "/".
        return Run{p.exitCode(),
                   QDir::fromNativeSeparators(QString::fromUtf8(p.readAllStandardOutput())),
                   QString::fromUtf8(p.readAllStandardError())};
    };
    const QString folder = dir_.filePath(QStringLiteral("cranes"));
    QDir().mkpath(folder + QStringLiteral("/sub"));
    int seed = 1;
    for (const auto& [file, date, number] : {std::tuple{"sub/a.litm", "01.01.2025", "1000"},
                                             std::tuple{"b.litm", "11.04.2025", "2000"}}) {
        const Run made =
            litm({"sample", "--out", folder + "/" + file, "--seed", QString::number(seed++),
                  "--serial", "K-77", "--crane-model", "КС-3577", "--crane-number", "31", "--owner",
                  "ООО «Кран, и Ко»", "--date", date, "--characteristic", number});
        ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    }
    QFile(folder + QStringLiteral("/notes.litm")).open(QIODevice::WriteOnly);
    const QString db = url_;

    const Run added = litm({"archive", "add", folder, "--db", db});
    EXPECT_EQ(added.exitCode, 1);  // one file refused
    EXPECT_TRUE(
        added.out.contains(QStringLiteral("refused ") + folder + "/notes.litm: not a reading"))
        << added.out.toStdString();
    EXPECT_EQ(added.out.count(QStringLiteral("added ")), 2);
    const Run again = litm({"archive", "add", folder + "/b.litm", "--db", db});
    EXPECT_EQ(again.exitCode, 0);
    EXPECT_TRUE(again.out.startsWith(QStringLiteral("already there ")));

    const Run json = litm({"archive", "list", "--json", "--db", db});
    ASSERT_EQ(json.exitCode, 0) << json.err.toStdString();
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"serial\": \"K-77\"")));
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"crane\": \"КС-3577\"")));
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"crane_number\": 31")));
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"rate_per_day\": 10.000")));
    EXPECT_TRUE(json.out.contains(QStringLiteral("\"method\": \"least-squares\"")));
    const Run csv = litm({"archive", "history", "K-77", "--csv", "--db", db});
    ASSERT_EQ(csv.exitCode, 0);
    const QStringList lines = csv.out.trimmed().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[1].contains(QStringLiteral(",01.01.2025 17:00,КС-3577,31,1000.00,")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(",b.litm")));

    const QString id = lines[2].section(QLatin1Char(','), 0, 0);
    const QString back = dir_.filePath(QStringLiteral("back.litm"));
    EXPECT_EQ(litm({"archive", "get", id, "--out", back, "--db", db}).exitCode, 0);
    EXPECT_EQ(contents(back), contents(folder + "/b.litm"));

    EXPECT_EQ(litm({"archive", "history", "K-78", "--db", db}).exitCode, 1);
    EXPECT_EQ(litm({"archive", "get", "999999", "--out", back, "--db", db}).exitCode, 1);
    EXPECT_EQ(contents(back), contents(folder + "/b.litm"));  // left as it was
    EXPECT_EQ(litm({"archive", "frobnicate", "--db", db}).exitCode, 64);
    EXPECT_EQ(litm({"archive", "get", id, "--db", db}).exitCode, 64);
    const Run nowhere = litm({"archive", "list", "--db", "/dev/null/x/archive.sqlite"});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_TRUE(nowhere.err.contains(QStringLiteral("/dev/null/x/archive.sqlite")));
}

std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Sqlite ? "file" : "server";
}
INSTANTIATE_TEST_SUITE_P(Sqlite, ArchiveTest, ::testing::Values(Engine::Sqlite), engineName);
INSTANTIATE_TEST_SUITE_P(Postgres, ArchiveTest, ::testing::Values(Engine::Postgres), engineName);

}  // namespace
}  // namespace archive

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
