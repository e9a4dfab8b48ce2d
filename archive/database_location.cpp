#include "archive/database_location.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace archive {

QString DatabaseLocation::displayName() const {
    if (!isPostgres()) return path;
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty()) text += user + QLatin1Char('@');
    text += host.isEmpty() ? QStringLiteral("localhost") : host;
    if (port > 0) text += QLatin1Char(':') + QString::number(port);
    return text + QLatin1Char('/') + database;
}

QString defaultArchivePath() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/tirs48/archive.sqlite");
}

std::optional<DatabaseLocation> parseDatabaseUrl(const QString& given, QString& error) {
    QString text = given.trimmed();
    if (text.isEmpty()) text = qEnvironmentVariable(kArchiveEnvironment).trimmed();
    DatabaseLocation location;
    if (text.isEmpty()) {
        location.driver = QStringLiteral("QSQLITE");
        location.path = defaultArchivePath();
        return location;
    }
    if (text.startsWith(QLatin1String("postgresql://")) ||
        text.startsWith(QLatin1String("postgres://"))) {
        const QUrl url(text);
        if (!url.isValid() || url.path().size() < 2) {
            error = QStringLiteral(
                        "адрес архива «%1» не понят: ожидается "
                        "postgresql://пользователь@сервер[:порт]/база")
                        .arg(text);
            return std::nullopt;
        }
        location.driver = QStringLiteral("QPSQL");
        location.host = url.host();
        location.port = url.port(-1);
        location.user = url.userName();
        location.password = url.password();
        location.database = url.path().mid(1);
        return location;
    }
    if (text.startsWith(QLatin1String("sqlite://"))) {
        text = QUrl(text).path();
    } else if (text.contains(QLatin1String("://"))) {
        error = QStringLiteral("адрес архива «%1»: известны только postgresql:// и файл SQLite")
                    .arg(text);
        return std::nullopt;
    }
    location.driver = QStringLiteral("QSQLITE");
    location.path = text;
    return location;
}

}  // namespace archive
