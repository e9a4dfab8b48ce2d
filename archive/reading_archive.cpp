#include "archive/reading_archive.h"
#include "base/utf8_path.h"

#include <QAtomicInteger>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>
#include <cmath>
#include <cstdint>

#include "fileio/bounded_read.h"
#include "recorder/reading_summary.h"

namespace archive {
namespace {

bool isReadingSize(qint64 size) {
    return size >= kSmallestReadingSize && size <= kLargestReadingSize;
}

QString notAReading(qint64 size) {
    return QStringLiteral("not a reading: %1 bytes, a reading has %2 to %3")
        .arg(size)
        .arg(kSmallestReadingSize)
        .arg(kLargestReadingSize);
}

// A file saved before anything was read holds zeros where the limiter's and the
// crane's identification and the counters stand (both banks): it is no reading
// of any limiter, and the fleet would list it under an empty serial number.
bool holdsNoIdentification(const QByteArray& bytes) {
    for (const std::size_t bank : {recorder::kBank0Offset, recorder::kBank1Offset})
        for (std::size_t i = bank; i < bank + recorder::kBankSize; ++i)
            if (bytes.at(static_cast<qsizetype>(i)) != 0) return false;
    return true;
}

// Why bytes are not taken as a reading; empty when they are.
QString refusal(const QByteArray& bytes) {
    if (!isReadingSize(bytes.size())) return notAReading(bytes.size());
    if (holdsNoIdentification(bytes))
        return QStringLiteral(
            "в файле нет считывания: идентификация ограничителя и крана и счётчики пусты (одни "
            "нули) — похоже, файл сохранён до считывания");
    return {};
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

QString newConnectionName() {
    static QAtomicInteger<int> counter = 0;
    return QStringLiteral("tirs48-archive-%1").arg(counter.fetchAndAddRelaxed(1));
}

// The fleet columns of a reading's summary.
ArchivedReading columnsOf(const recorder::ReadingSummary& r) {
    ArchivedReading a;
    a.limiterSerial = fromStd(r.limiter.SerialNumber);
    a.limiterModel = fromStd(r.limiterModel);
    a.craneModel = fromStd(r.crane.CraneModel);
    a.craneNumber = r.crane.CraneNumber;
    a.owner = fromStd(r.service.owner);
    a.readingDateText = fromStd(r.service.readingDate);
    if (auto minutes = parseReadingDate(r.service.readingDate)) a.readingMinutes = *minutes;
    a.operatorName = fromStd(r.service.operatorName);
    a.organisation = fromStd(r.service.serviceOrganisation);
    a.normativeNumber = r.classification.NormativeCharacteristicNumber;
    a.modeGroup = r.crane.ModeGroup;
    a.currentGroup = r.classification.CurrentGroup;
    a.installDay = installationDay(r.crane.InstallDate);
    a.counters = r.counters;
    a.counters.LoadCycles = {};
    a.counters.WorkCycles = {};
    for (const std::string& line : r.loadErrors) a.loadErrors << fromStd(line);
    a.damaged = !r.loadErrors.empty();
    return a;
}

// A characteristic number that is not a number (an erased bank) is kept as 0.
double finiteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}

const char* const kColumns =
    "id, sha256, file_size, added_at, source_name, limiter_serial, limiter_model, crane_model,"
    " crane_number, owner, reading_date_text, reading_at, operator_name, organisation,"
    " characteristic_number, normative_number, mode_group, current_group, install_day,"
    " total_cycles, lifted_mass, motor_minutes, winch_seconds, boom_angle_seconds,"
    " boom_length_seconds, slew_seconds, load_errors, damaged";

constexpr int kSerialColumn = 5;
constexpr int kDateTextColumn = 10;
constexpr int kReadingAtColumn = 11;
constexpr int kCharacteristicColumn = 14;

ArchivedReading rowOf(const QSqlQuery& q) {
    ArchivedReading a;
    int c = 0;
    a.id = q.value(c++).toLongLong();
    a.sha256 = q.value(c++).toString();
    a.fileSize = q.value(c++).toLongLong();
    a.addedAt = q.value(c++).toString();
    a.sourceName = q.value(c++).toString();
    a.limiterSerial = q.value(c++).toString();
    a.limiterModel = q.value(c++).toString();
    a.craneModel = q.value(c++).toString();
    a.craneNumber = q.value(c++).toInt();
    a.owner = q.value(c++).toString();
    a.readingDateText = q.value(c++).toString();
    const QVariant at = q.value(c++);
    if (!at.isNull()) a.readingMinutes = parseReadingDate(a.readingDateText.toStdString());
    a.operatorName = q.value(c++).toString();
    a.organisation = q.value(c++).toString();
    a.counters.CharacteristicNumber = q.value(c++).toFloat();
    a.normativeNumber = q.value(c++).toLongLong();
    a.modeGroup = q.value(c++).toInt();
    a.currentGroup = q.value(c++).toInt();
    const QVariant install = q.value(c++);
    if (!install.isNull()) a.installDay = install.toInt();
    recorder::Counters& n = a.counters;
    n.TotalCycles = q.value(c++).toInt();
    n.LiftedMass = q.value(c++).toInt();
    n.MotorMinutes = q.value(c++).toUInt();
    n.WinchSeconds = q.value(c++).toInt();
    n.BoomAngleSeconds = q.value(c++).toInt();
    n.BoomLengthSeconds = q.value(c++).toInt();
    n.SlewSeconds = q.value(c++).toInt();
    const QString errors = q.value(c++).toString();
    if (!errors.isEmpty()) a.loadErrors = errors.split(QLatin1Char('\n'));
    a.damaged = q.value(c++).toInt() != 0;
    return a;
}

// An empty text is stored as '' and never as NULL.
QVariant textValue(const QString& text) {
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

QString isoText(std::optional<qint64> minutes) {
    return minutes ? QString::fromStdString(isoMinuteText(*minutes)) : QString();
}

}  // namespace

namespace {

DesignLife lifeOf(std::vector<LifePoint> points, const ArchivedReading& latest) {
    if (points.empty()) points.push_back({0, latest.counters.CharacteristicNumber});
    return computeDesignLife(std::move(points), static_cast<double>(latest.normativeNumber),
                             latest.installDay);
}

}  // namespace

DesignLife designLifeOf(const std::vector<ArchivedReading>& readings) {
    if (readings.empty()) return {};
    std::vector<LifePoint> points;
    const ArchivedReading* latest = &readings.back();
    for (const ArchivedReading& r : readings) {
        if (!r.readingMinutes) continue;
        points.push_back({*r.readingMinutes, r.counters.CharacteristicNumber});
        if (!latest->readingMinutes || *r.readingMinutes >= *latest->readingMinutes) latest = &r;
    }
    return lifeOf(std::move(points), *latest);
}

// The statements of adding, prepared once per connection: a server then parses
// them once instead of once per reading.
struct ReadingArchive::Statements {
    QSqlQuery findSha;
    QSqlQuery insertReading;
    QSqlQuery insertImage;
    explicit Statements(const QSqlDatabase& db) : findSha(db), insertReading(db), insertImage(db) {}
};

ReadingArchive::Statements* ReadingArchive::statements(QString& error) {
    if (statements_) return statements_.get();
    auto st = std::make_unique<Statements>(QSqlDatabase::database(connection_, false));
    const bool ok =
        st->findSha.prepare(QStringLiteral("SELECT id FROM readings WHERE sha256 = ?")) &&
        st->insertReading.prepare(QStringLiteral(
            "INSERT INTO readings (sha256, file_size, added_at, source_name, limiter_serial,"
            " limiter_model, crane_model, crane_number, owner, reading_date_text, reading_at,"
            " operator_name, organisation, characteristic_number, normative_number, mode_group,"
            " current_group, install_day, total_cycles, lifted_mass, motor_minutes, winch_seconds,"
            " boom_angle_seconds, boom_length_seconds, slew_seconds, load_errors, damaged)"
            " VALUES (:sha256, :file_size, :added_at, :source_name, :limiter_serial,"
            " :limiter_model, :crane_model, :crane_number, :owner, :reading_date_text,"
            " :reading_at, :operator_name, :organisation, :characteristic_number,"
            " :normative_number, :mode_group, :current_group, :install_day, :total_cycles,"
            " :lifted_mass, :motor_minutes, :winch_seconds, :boom_angle_seconds,"
            " :boom_length_seconds, :slew_seconds, :load_errors, :damaged)"
            " ON CONFLICT (sha256) DO NOTHING RETURNING id")) &&
        st->insertImage.prepare(
            QStringLiteral("INSERT INTO reading_images (reading_id, image) VALUES (?, ?)"));
    if (!ok) {
        for (const QSqlQuery* q : {&st->findSha, &st->insertReading, &st->insertImage})
            if (q->lastError().isValid()) error = q->lastError().text();
        return nullptr;
    }
    statements_ = std::move(st);
    return statements_.get();
}

ReadingArchive::ReadingArchive() : connection_(newConnectionName()) {}

ReadingArchive::~ReadingArchive() {
    statements_.reset();
    if (QSqlDatabase::contains(connection_)) {
        QSqlDatabase::database(connection_, false).close();
        QSqlDatabase::removeDatabase(connection_);
    }
}

bool ReadingArchive::isOpen() const {
    return QSqlDatabase::contains(connection_) &&
           QSqlDatabase::database(connection_, false).isOpen();
}

QString ReadingArchive::failure(const QString& what, const QString& reason) const {
    return QStringLiteral("Архив считываний %1: %2 (%3)").arg(name(), what, reason.trimmed());
}

// How an SQLite file is opened. A file or a folder this user may not write (an
// archive on a shared read-only folder, a copy burnt to a disc) is still read:
// read-only while SQLite can keep its WAL index (the -shm file) beside it, and as
// an immutable file when the folder takes no new file. A -wal file left there
// may hold readings not yet in the file, which an immutable open would not see:
// then read-only, so that SQLite reads it or says why it cannot.
ReadingArchive::SqliteAccess ReadingArchive::sqliteAccess(const QFileInfo& file,
                                                          const OpenOptions& options) {
    if (!options.readOnly && !options.onlyReads) return SqliteAccess::ReadWrite;
    if (!file.exists()) return options.readOnly ? SqliteAccess::ReadOnly : SqliteAccess::ReadWrite;
    const QFileInfo folder(file.absolutePath());
    if (folder.isWritable() && (options.readOnly || !file.isWritable()))
        return SqliteAccess::ReadOnly;
    if (folder.isWritable()) return SqliteAccess::ReadWrite;
    if (QFileInfo::exists(file.absoluteFilePath() + QStringLiteral("-wal")))
        return SqliteAccess::ReadOnly;
    return SqliteAccess::Immutable;
}

void ReadingArchive::setSqliteFile(QSqlDatabase& db, const QFileInfo& file, SqliteAccess access,
                                   int busyTimeoutMs) {
    QString connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (access != SqliteAccess::ReadWrite)
        connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
    if (access == SqliteAccess::Immutable) {
        // The URI form names the file percent-encoded, so any name survives it.
        QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
        url.setQuery(QStringLiteral("immutable=1"));
        db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        connectOptions += QStringLiteral(";QSQLITE_OPEN_URI");
    } else {
        db.setDatabaseName(location_.path);
    }
    db.setConnectOptions(connectOptions);
}

bool ReadingArchive::open(const DatabaseLocation& location, QString& error,
                          const OpenOptions& options) {
    location_ = location;
    if (!QSqlDatabase::isDriverAvailable(location.driver)) {
        error = failure(QStringLiteral("нет драйвера базы данных"), location.driver);
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(location.driver, connection_);
    if (location.isPostgres()) {
        db.setHostName(location.host);
        if (location.port > 0) db.setPort(location.port);
        db.setUserName(location.user);
        db.setPassword(location.password);
        db.setDatabaseName(location.database);
        db.setConnectOptions(QStringLiteral("connect_timeout=%1").arg(options.connectTimeoutS));
    } else {
        const QFileInfo file(location.path);
        sqliteAccess_ = sqliteAccess(file, options);
        if (!file.exists() && sqliteAccess_ == SqliteAccess::ReadWrite &&
            !QDir().mkpath(file.absolutePath())) {
            error = failure(QStringLiteral("не удаётся создать папку"), file.absolutePath());
            return false;
        }
        setSqliteFile(db, file, sqliteAccess_, options.busyTimeoutMs);
    }
    if (!db.open()) {
        error = failure(QStringLiteral("не удаётся открыть базу данных"), db.lastError().text());
        return false;
    }
    QSqlQuery pragma(db);
    if (!location.isPostgres()) {
        // WAL lets readers go on while one process writes; the busy timeout makes
        // a second writer wait instead of failing. A connection that only reads
        // changes nothing: asking for WAL would be a write.
        if (sqliteAccess_ == SqliteAccess::ReadWrite) {
            pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
            pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        }
        pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
        // SQLite opens lazily: this read is the first real touch of the file.
        if (!pragma.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            error = failure(QStringLiteral("не удаётся прочитать базу данных"),
                            pragma.lastError().text());
            db.close();
            return false;
        }
        pragma.finish();
    }

    QString reason;
    const int version = schemaVersion(db, reason);
    if (version == options.schemaVersion) return true;
    if (version < 0) {
        error = failure(QStringLiteral("не удаётся прочитать версию схемы"), reason);
        db.close();
        return false;
    }
    // Two programs opening a new archive at once: the first migrates, the second
    // waits for it and finds the schema up to date.
    if (!begin(reason)) {
        error = failure(QStringLiteral("не удаётся обновить схему"), reason);
        db.close();
        return false;
    }
    if (location.isPostgres()) {
        QSqlQuery lock(db);
        lock.exec(QStringLiteral("SELECT pg_advisory_xact_lock(48048)"));
    }
    if (!migrateSchema(db, options.schemaVersion, reason) || !commit(reason)) {
        rollback();
        error = failure(QStringLiteral("не удаётся обновить схему"), reason);
        db.close();
        return false;
    }
    return true;
}

bool ReadingArchive::begin(QString& error) {
    QSqlDatabase db = QSqlDatabase::database(connection_, false);
    QSqlQuery q(db);
    // SQLite: take the write lock at the start, so that two writers queue on the
    // busy timeout instead of one failing when it upgrades a read lock.
    const QString statement =
        location_.isPostgres() ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
    if (!q.exec(statement)) {
        error = q.lastError().text();
        return false;
    }
    return true;
}

bool ReadingArchive::commit(QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    if (!q.exec(QStringLiteral("COMMIT"))) {
        error = q.lastError().text();
        return false;
    }
    return true;
}

void ReadingArchive::rollback() {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.exec(QStringLiteral("ROLLBACK"));
}

AddResult ReadingArchive::addFile(const QString& path) {
    return addFile(base::pathFromUtf8(path.toStdString()));
}

AddResult ReadingArchive::addFile(const std::filesystem::path& path) {
    // Read as every input of the program is read: a regular file only, never
    // waited on, and no more of it kept than a reading can hold.
    AddResult result;
    fileio::FileBytes read;
    std::string reason;
    if (!fileio::readRegularFile(path, static_cast<std::size_t>(kLargestReadingSize), UINT64_MAX,
                                 read, reason)) {
        result.message = fromStd(reason);
        return result;
    }
    if (!isReadingSize(static_cast<qint64>(read.size))) {
        result.message = notAReading(static_cast<qint64>(read.size));
        return result;
    }
    return addBytes(QByteArray(reinterpret_cast<const char*>(read.bytes.data()),
                               static_cast<qsizetype>(read.bytes.size())),
                    QString::fromStdString(base::utf8Of(path.filename())));
}

namespace {

QString sha256Hex(const QByteArray& bytes) {
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

// The id of the reading stored with this checksum, 0 when there is none.
bool findSha(QSqlQuery& q, const QString& sha, qint64& id, QString& error) {
    q.bindValue(0, sha);
    if (!q.exec()) {
        error = q.lastError().text();
        return false;
    }
    id = q.next() ? q.value(0).toLongLong() : 0;
    q.finish();
    return true;
}

// The checks and the parts the columns hold; the frames and records stay in the
// stored file for whoever opens it.
ArchivedReading columnsOfFile(const QByteArray& bytes, const QString& sha,
                              const QString& sourceName) {
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const recorder::DataFile file(std::vector<std::uint8_t>(first, first + bytes.size()));
    ArchivedReading a = columnsOf(recorder::summarize(file));
    a.sha256 = sha;
    a.fileSize = bytes.size();
    a.addedAt = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
    a.sourceName = sourceName;
    return a;
}

void bindColumns(QSqlQuery& insert, const ArchivedReading& a) {
    const auto bind = [&insert](const char* name, const QVariant& value) {
        insert.bindValue(QLatin1Char(':') + QLatin1String(name), value);
    };
    bind("sha256", a.sha256);
    bind("file_size", a.fileSize);
    bind("added_at", a.addedAt);
    bind("source_name", textValue(a.sourceName));
    bind("limiter_serial", textValue(a.limiterSerial));
    bind("limiter_model", textValue(a.limiterModel));
    bind("crane_model", textValue(a.craneModel));
    bind("crane_number", a.craneNumber);
    bind("owner", textValue(a.owner));
    bind("reading_date_text", textValue(a.readingDateText));
    bind("reading_at", a.readingMinutes ? QVariant(isoText(a.readingMinutes))
                                        : QVariant(QMetaType(QMetaType::QString)));
    bind("operator_name", textValue(a.operatorName));
    bind("organisation", textValue(a.organisation));
    bind("characteristic_number",
         finiteOrZero(static_cast<double>(a.counters.CharacteristicNumber)));
    bind("normative_number", a.normativeNumber);
    bind("mode_group", a.modeGroup);
    bind("current_group", a.currentGroup);
    bind("install_day",
         a.installDay ? QVariant(*a.installDay) : QVariant(QMetaType(QMetaType::Int)));
    const recorder::Counters& n = a.counters;
    bind("total_cycles", qint64{n.TotalCycles});
    bind("lifted_mass", qint64{n.LiftedMass});
    bind("motor_minutes", qint64{n.MotorMinutes});
    bind("winch_seconds", qint64{n.WinchSeconds});
    bind("boom_angle_seconds", qint64{n.BoomAngleSeconds});
    bind("boom_length_seconds", qint64{n.BoomLengthSeconds});
    bind("slew_seconds", qint64{n.SlewSeconds});
    bind("load_errors", textValue(a.loadErrors.join(QLatin1Char('\n'))));
    bind("damaged", a.damaged ? 1 : 0);
}

}  // namespace

AddResult ReadingArchive::addBytes(const QByteArray& bytes, const QString& sourceName) {
    AddResult result;
    result.message = refusal(bytes);
    if (!result.message.isEmpty()) return result;
    auto failed = [&result](const QString& message) {
        result.outcome = AddOutcome::Failed;
        result.id = 0;
        result.message = message;
        return result;
    };
    if (!isOpen())
        return failed(failure(QStringLiteral("не открыт"), QStringLiteral("нет соединения")));
    QString reason;
    Statements* st = statements(reason);
    if (!st) return failed(failure(QStringLiteral("не удаётся записать"), reason));
    const QString sha = sha256Hex(bytes);
    if (!findSha(st->findSha, sha, result.id, reason))
        return failed(failure(QStringLiteral("не удаётся прочитать"), reason));
    if (result.id != 0) {
        result.outcome = AddOutcome::AlreadyThere;
        return result;
    }

    const ArchivedReading columns = columnsOfFile(bytes, sha, sourceName);
    // The fastest zlib level: a quarter of the time of the default for 8 % more bytes.
    const QByteArray packed = qCompress(bytes, 1);
    auto fail = [&](const QString& why) {
        rollback();
        return failed(failure(QStringLiteral("не удаётся записать"), why));
    };
    if (!begin(reason)) return fail(reason);
    QSqlQuery& insert = st->insertReading;
    bindColumns(insert, columns);
    if (!insert.exec()) return fail(insert.lastError().text());
    const bool inserted = insert.next();
    result.id = inserted ? insert.value(0).toLongLong() : 0;
    insert.finish();
    if (!inserted) {
        // Another program added the same file between our look and our insert.
        rollback();
        if (!findSha(st->findSha, sha, result.id, reason)) return fail(reason);
        result.outcome = AddOutcome::AlreadyThere;
        return result;
    }
    QSqlQuery& image = st->insertImage;
    image.bindValue(0, result.id);
    image.bindValue(1, packed);
    if (!image.exec()) return fail(image.lastError().text());
    image.finish();
    if (!commit(reason)) return fail(reason);
    result.outcome = AddOutcome::Added;
    result.damaged = columns.damaged;
    return result;
}

std::optional<std::vector<FleetEntry>> ReadingArchive::fleet(QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    // Newest first within each limiter: the first row of a limiter is its latest
    // reading and the only one read whole; the others give a date and a number.
    if (!q.exec(QStringLiteral("SELECT %1 FROM readings"
                               " ORDER BY limiter_serial, COALESCE(reading_at, '') DESC, id DESC")
                    .arg(QLatin1String(kColumns)))) {
        error = failure(QStringLiteral("не удаётся прочитать"), q.lastError().text());
        return std::nullopt;
    }
    std::vector<FleetEntry> fleet;
    std::vector<LifePoint> points;
    auto close = [&] {
        if (fleet.empty()) return;
        fleet.back().life = lifeOf(std::move(points), fleet.back().latest);
        points.clear();
    };
    while (q.next()) {
        const QString serial = q.value(kSerialColumn).toString();
        if (fleet.empty() || fleet.back().latest.limiterSerial != serial) {
            close();
            fleet.push_back({rowOf(q), 0, {}});
        }
        ++fleet.back().readings;
        if (!q.value(kReadingAtColumn).isNull()) {
            if (auto minutes = parseReadingDate(q.value(kDateTextColumn).toString().toStdString()))
                points.push_back({*minutes, q.value(kCharacteristicColumn).toDouble()});
        }
    }
    close();
    return fleet;
}

std::optional<std::vector<ArchivedReading>> ReadingArchive::history(const QString& serial,
                                                                    QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT %1 FROM readings WHERE limiter_serial = ?"
                             " ORDER BY COALESCE(reading_at, ''), id")
                  .arg(QLatin1String(kColumns)));
    q.addBindValue(serial);
    if (!q.exec()) {
        error = failure(QStringLiteral("не удаётся прочитать"), q.lastError().text());
        return std::nullopt;
    }
    std::vector<ArchivedReading> rows;
    while (q.next()) rows.push_back(rowOf(q));
    return rows;
}

bool ReadingArchive::fetchOne(QSqlQuery& q, qint64 id, QString& error) {
    q.addBindValue(id);
    if (!q.exec()) {
        error = failure(QStringLiteral("не удаётся прочитать"), q.lastError().text());
        return false;
    }
    if (!q.next()) {
        error = QStringLiteral("Архив считываний %1: нет считывания %2").arg(name()).arg(id);
        return false;
    }
    return true;
}

std::optional<ArchivedReading> ReadingArchive::reading(qint64 id, QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(QStringLiteral("SELECT %1 FROM readings WHERE id = ?").arg(QLatin1String(kColumns)));
    if (!fetchOne(q, id, error)) return std::nullopt;
    return rowOf(q);
}

std::optional<QByteArray> ReadingArchive::fileBytes(qint64 id, QString& error) {
    QSqlQuery q(QSqlDatabase::database(connection_, false));
    q.prepare(
        QStringLiteral("SELECT i.image, r.sha256 FROM reading_images i"
                       " JOIN readings r ON r.id = i.reading_id WHERE i.reading_id = ?"));
    if (!fetchOne(q, id, error)) return std::nullopt;
    QByteArray bytes = qUncompress(q.value(0).toByteArray());
    if (bytes.isEmpty() || sha256Hex(bytes) != q.value(1).toString()) {
        error = QStringLiteral("Архив считываний %1: файл считывания %2 повреждён в базе")
                    .arg(name())
                    .arg(id);
        return std::nullopt;
    }
    return bytes;
}

}  // namespace archive
