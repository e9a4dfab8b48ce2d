#pragma once
// The reading archive: one database of readings, each stored whole (its file,
// compressed, once per SHA-256) with the fleet columns beside it. SQLite by
// default, PostgreSQL for an archive shared by a service organisation; both go
// through this one class. Every write is one transaction and every value reaches
// SQL as a bound parameter.
//
// archive/ needs Qt Core and Qt SQL only: no widgets, so the command-line tool
// uses it as the window does.

#include <QByteArray>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "archive/archived_reading.h"
#include "archive/database_location.h"
#include "archive/schema.h"

namespace archive {

// The largest file taken for a reading: the image, the gap byte and the longest
// trailer the acquisition writes (a reading date without its terminating zero).
inline constexpr qint64 kSmallestReadingSize = 270336;
inline constexpr qint64 kLargestReadingSize = 270538;

struct OpenOptions {
    int busyTimeoutMs = 15000;           // SQLite: how long to wait for another writer
    int connectTimeoutS = 5;             // PostgreSQL: how long to wait for the server
    int schemaVersion = kSchemaVersion;  // tests build older schemas with this
    bool readOnly = false;               // SQLite: open the file for reading only
    // SQLite: the caller only reads (a list, a history, a stored file), so a file
    // or a folder this user may not write is opened read-only instead of failing.
    bool onlyReads = false;
};

enum class AddOutcome { Added, AlreadyThere, Refused, Failed };

struct AddResult {
    AddOutcome outcome = AddOutcome::Refused;
    qint64 id = 0;
    bool damaged = false;
    QString message;  // why refused or failed
};

class ReadingArchive {
  public:
    ReadingArchive();
    ~ReadingArchive();
    ReadingArchive(const ReadingArchive&) = delete;
    ReadingArchive& operator=(const ReadingArchive&) = delete;

    // Opens the database, creating it (and an SQLite file's folder) on first use,
    // and brings its schema up to date. False with a message naming the database.
    bool open(const DatabaseLocation& location, QString& error, const OpenOptions& options = {});
    bool isOpen() const;
    QString name() const { return location_.displayName(); }

    // Adds one file. A file that is not a reading is refused; a damaged one is
    // added and marked; the same bytes added again are the reading already there.
    // The path is opened byte for byte as given: a name that is not UTF-8 (a
    // reading unpacked from a zip made on Windows) is found all the same, and
    // kept in the archive with its undecodable bytes shown as U+FFFD.
    AddResult addFile(const std::filesystem::path& path);
    AddResult addFile(const QString& path);
    AddResult addBytes(const QByteArray& bytes, const QString& sourceName);

    // Every limiter with its latest reading and remaining design life, by serial number.
    std::optional<std::vector<FleetEntry>> fleet(QString& error);
    // Every reading of one limiter, oldest first (undated ones before the dated).
    std::optional<std::vector<ArchivedReading>> history(const QString& limiterSerial,
                                                        QString& error);
    std::optional<ArchivedReading> reading(qint64 id, QString& error);
    // The file of a reading, byte for byte as it was added.
    std::optional<QByteArray> fileBytes(qint64 id, QString& error);

  private:
    enum class SqliteAccess { ReadWrite, ReadOnly, Immutable };
    static SqliteAccess sqliteAccess(const QFileInfo& file, const OpenOptions& options);
    void setSqliteFile(QSqlDatabase& db, const QFileInfo& file, SqliteAccess access,
                       int busyTimeoutMs);

    struct Statements;
    Statements* statements(QString& error);
    bool begin(QString& error);
    bool commit(QString& error);
    void rollback();
    QString failure(const QString& what, const QString& reason) const;
    // Runs a prepared query of one reading, binding its id; false (with the
    // message) when it fails or finds no such reading.
    bool fetchOne(QSqlQuery& q, qint64 id, QString& error);

    DatabaseLocation location_;
    QString connection_;
    std::unique_ptr<Statements> statements_;
    SqliteAccess sqliteAccess_ = SqliteAccess::ReadWrite;
};

}  // namespace archive
