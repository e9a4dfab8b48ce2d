// An archive that cannot be opened or written: a clear message naming the
// database, and nothing half-written.

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

#include "archive/reading_archive.h"
#include "simulation/sample_reading/sample_reading.h"

namespace archive {
namespace {

QByteArray sampleBytes(std::uint64_t seed) {
    sample::SampleOptions o;
    o.seed = seed;
    const auto bytes = sample::makeSampleReading(o);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

DatabaseLocation sqliteAt(const QString& path) {
    DatabaseLocation at;
    at.driver = QStringLiteral("QSQLITE");
    at.path = path;
    return at;
}

qint64 readingsIn(ReadingArchive& a) {
    QString error;
    const auto history = a.history(QStringLiteral("001734"), error);
    return history ? static_cast<qint64>(history->size()) : -1;
}

TEST(SqliteArchiveFailures, FolderLockAndReadOnlyFileAreReportedAndNothingIsWritten) {
    QTemporaryDir dir;
    QString error;
    // A folder that cannot be made: its parent is a file.
    const DatabaseLocation underFile = sqliteAt(QStringLiteral("/dev/null/tirs48/archive.sqlite"));
    ReadingArchive nowhere;
    EXPECT_FALSE(nowhere.open(underFile, error));
    EXPECT_TRUE(error.contains(QStringLiteral("/dev/null/tirs48/archive.sqlite")))
        << error.toStdString();
    EXPECT_FALSE(parseDatabaseUrl(QStringLiteral("mysql://host/db"), error));

    const DatabaseLocation file = sqliteAt(dir.filePath(QStringLiteral("archive.sqlite")));
    {
        ReadingArchive a;
        ASSERT_TRUE(a.open(file, error)) << error.toStdString();
        ASSERT_EQ(a.addBytes(sampleBytes(1), QStringLiteral("one.litm")).outcome,
                  AddOutcome::Added);
    }

    // Another program holds the write lock longer than this one waits.
    {
        QSqlDatabase other =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
        other.setDatabaseName(file.path);
        ASSERT_TRUE(other.open());
        QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE"));
        ReadingArchive a;
        ASSERT_TRUE(a.open(file, error, OpenOptions{.busyTimeoutMs = 200})) << error.toStdString();
        const AddResult r = a.addBytes(sampleBytes(2), QStringLiteral("two.litm"));
        EXPECT_EQ(r.outcome, AddOutcome::Failed);
        EXPECT_TRUE(r.message.contains(file.path)) << r.message.toStdString();
        EXPECT_TRUE(r.message.contains(QStringLiteral("locked"))) << r.message.toStdString();
        QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
        other.close();
        EXPECT_EQ(readingsIn(a), 1);
        // The lock gone, the same reading goes in.
        EXPECT_EQ(a.addBytes(sampleBytes(2), QStringLiteral("two.litm")).outcome,
                  AddOutcome::Added);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));

    // A file that may only be read: reading works, adding fails whole.
    ReadingArchive readOnly;
    ASSERT_TRUE(readOnly.open(file, error, OpenOptions{.readOnly = true})) << error.toStdString();
    const AddResult r = readOnly.addBytes(sampleBytes(3), QStringLiteral("three.litm"));
    EXPECT_EQ(r.outcome, AddOutcome::Failed);
    EXPECT_TRUE(r.message.contains(file.path)) << r.message.toStdString();
    EXPECT_EQ(readingsIn(readOnly), 2);
}

// The server named by TIRS48_TEST_POSTGRES: down, the wrong password, a database
// that is read-only.
TEST(PostgresArchiveFailures, ServerDownWrongPasswordAndReadOnlyDatabase) {
    const QString server = qEnvironmentVariable("TIRS48_TEST_POSTGRES");
    if (server.isEmpty()) GTEST_SKIP() << "TIRS48_TEST_POSTGRES is not set";
    QString error;
    const DatabaseLocation base = *parseDatabaseUrl(server, error);

    QUrl down(server);
    down.setPort(1);  // nothing listens there
    ReadingArchive a;
    EXPECT_FALSE(a.open(*parseDatabaseUrl(down.toString(), error), error));
    EXPECT_TRUE(error.contains(QStringLiteral("postgresql://%1@%2:1/").arg(base.user, base.host)))
        << error.toStdString();
    EXPECT_FALSE(error.contains(base.password));

    QUrl wrong(server);
    wrong.setPassword(QStringLiteral("not-the-password"));
    ReadingArchive b;
    EXPECT_FALSE(b.open(*parseDatabaseUrl(wrong.toString(), error), error));
    EXPECT_TRUE(error.contains(base.displayName())) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("password"))) << error.toStdString();
    EXPECT_FALSE(error.contains(QStringLiteral("not-the-password")));

    // A database of its own, made read-only after its first reading.
    const QString name = QStringLiteral("archive_ro_%1").arg(QCoreApplication::applicationPid());
    {
        QSqlDatabase admin =
            QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
        admin.setHostName(base.host);
        admin.setPort(base.port);
        admin.setUserName(base.user);
        admin.setPassword(base.password);
        admin.setDatabaseName(base.database);
        ASSERT_TRUE(admin.open()) << admin.lastError().text().toStdString();
        ASSERT_TRUE(QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE ") + name));
        QUrl url(server);
        url.setPath(QLatin1Char('/') + name);
        DatabaseLocation at = *parseDatabaseUrl(url.toString(), error);
        {
            ReadingArchive first;
            ASSERT_TRUE(first.open(at, error)) << error.toStdString();
            ASSERT_EQ(first.addBytes(sampleBytes(1), QStringLiteral("one.litm")).outcome,
                      AddOutcome::Added);
        }
        ASSERT_TRUE(QSqlQuery(admin).exec(
            QStringLiteral("ALTER DATABASE %1 SET default_transaction_read_only = on").arg(name)));
        admin.close();
        ReadingArchive c;
        ASSERT_TRUE(c.open(at, error)) << error.toStdString();
        const AddResult r = c.addBytes(sampleBytes(2), QStringLiteral("two.litm"));
        EXPECT_EQ(r.outcome, AddOutcome::Failed);
        EXPECT_TRUE(r.message.contains(at.displayName())) << r.message.toStdString();
        EXPECT_EQ(readingsIn(c), 1);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("admin"));
}

}  // namespace
}  // namespace archive
