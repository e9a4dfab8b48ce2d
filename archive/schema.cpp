#include "archive/schema.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace archive {
namespace {

bool isPostgres(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL");
}

// The few types the two engines spell differently.
QString dialect(const QSqlDatabase& db, QString statement) {
    const bool pg = isPostgres(db);
    statement.replace(QLatin1String("{ID}"),
                      pg ? QStringLiteral("BIGSERIAL PRIMARY KEY")
                         : QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"));
    statement.replace(QLatin1String("{BLOB}"),
                      pg ? QStringLiteral("BYTEA") : QStringLiteral("BLOB"));
    statement.replace(QLatin1String("{REAL}"),
                      pg ? QStringLiteral("DOUBLE PRECISION") : QStringLiteral("REAL"));
    return statement;
}

// Version 1: the readings with their fleet columns, and the images apart from them
// so that fleet queries never touch the large values.
const QStringList kVersion1 = {
    QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)"),
    QStringLiteral("INSERT INTO schema_version (version) VALUES (0)"),
    QStringLiteral("CREATE TABLE readings ("
                   " id {ID},"
                   " sha256 TEXT NOT NULL UNIQUE,"
                   " file_size BIGINT NOT NULL,"
                   " added_at TEXT NOT NULL,"
                   " limiter_serial TEXT NOT NULL,"
                   " limiter_model TEXT NOT NULL,"
                   " crane_model TEXT NOT NULL,"
                   " crane_number INTEGER NOT NULL,"
                   " owner TEXT NOT NULL,"
                   " reading_date_text TEXT NOT NULL,"
                   " reading_at TEXT,"
                   " operator_name TEXT NOT NULL,"
                   " organisation TEXT NOT NULL,"
                   " characteristic_number {REAL} NOT NULL,"
                   " normative_number BIGINT NOT NULL,"
                   " mode_group INTEGER NOT NULL,"
                   " current_group INTEGER NOT NULL,"
                   " install_day INTEGER,"
                   " total_cycles BIGINT NOT NULL,"
                   " lifted_mass BIGINT NOT NULL,"
                   " motor_minutes BIGINT NOT NULL,"
                   " winch_seconds BIGINT NOT NULL,"
                   " boom_angle_seconds BIGINT NOT NULL,"
                   " boom_length_seconds BIGINT NOT NULL,"
                   " slew_seconds BIGINT NOT NULL,"
                   " load_errors TEXT NOT NULL,"
                   " damaged INTEGER NOT NULL)"),
    QStringLiteral("CREATE TABLE reading_images ("
                   " reading_id BIGINT PRIMARY KEY REFERENCES readings (id) ON DELETE CASCADE,"
                   " image {BLOB} NOT NULL)"),
    // The images are compressed already: the server need not try again.
    QStringLiteral("{POSTGRES} ALTER TABLE reading_images ALTER COLUMN image SET STORAGE EXTERNAL"),
};

// Version 2: the file a reading came from, and the index of a limiter's history.
const QStringList kVersion2 = {
    QStringLiteral("ALTER TABLE readings ADD COLUMN source_name TEXT NOT NULL DEFAULT ''"),
    QStringLiteral("CREATE INDEX readings_by_limiter ON readings (limiter_serial, reading_at, id)"),
};

const QStringList& migration(int toVersion) {
    static const QStringList none;
    switch (toVersion) {
        case 1:
            return kVersion1;
        case 2:
            return kVersion2;
    }
    return none;
}

}  // namespace

int schemaVersion(QSqlDatabase& db, QString& error) {
    if (!db.tables().contains(QStringLiteral("schema_version"))) return 0;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT version FROM schema_version")) || !query.next()) {
        error = query.lastError().text();
        return -1;
    }
    return query.value(0).toInt();
}

bool migrateSchema(QSqlDatabase& db, int target, QString& error) {
    const int from = schemaVersion(db, error);
    if (from < 0) return false;
    if (from > kSchemaVersion) {
        error = QStringLiteral(
                    "база данных версии %1 создана более новой программой (эта знает "
                    "версии до %2)")
                    .arg(from)
                    .arg(kSchemaVersion);
        return false;
    }
    for (int version = from + 1; version <= target; ++version) {
        QSqlQuery query(db);
        for (QString statement : migration(version)) {
            if (statement.startsWith(QLatin1String("{POSTGRES} "))) {
                if (!isPostgres(db)) continue;
                statement = statement.mid(11);
            }
            if (!query.exec(dialect(db, statement))) {
                error = QStringLiteral("переход к версии %1: %2")
                            .arg(version)
                            .arg(query.lastError().text());
                return false;
            }
        }
        query.prepare(QStringLiteral("UPDATE schema_version SET version = ?"));
        query.addBindValue(version);
        if (!query.exec()) {
            error = query.lastError().text();
            return false;
        }
    }
    return true;
}

}  // namespace archive
