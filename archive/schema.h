#pragma once
// The archive's tables and their forward migrations. The version table holds one
// row; each migration moves the schema one version on, inside the caller's
// transaction, so a database is at one version or the next, never between.

#include <QSqlDatabase>
#include <QString>

namespace archive {

inline constexpr int kSchemaVersion = 2;

// The version a database is at: 0 for an empty one, -1 when it cannot be read.
int schemaVersion(QSqlDatabase& db, QString& error);

// Runs the migrations from the database's version up to `target`, in the open
// transaction. False with the message when a statement fails or the database is
// newer than this program knows.
bool migrateSchema(QSqlDatabase& db, int target, QString& error);

}  // namespace archive
