#include "archive_ui/archive_settings.h"

#include <QSettings>

namespace {

// ~/.config/tirs48/tirs48.conf: the organisation and the program are both "tirs48".
constexpr const char* kSettingsName = "tirs48";
const QString kUrlKey = QStringLiteral("archive/url");
const QString kAddAfterReadingKey = QStringLiteral("archive/addAfterReading");

}  // namespace

ArchiveSettings ArchiveSettings::load() {
    const QSettings settings(QString::fromLatin1(kSettingsName),
                             QString::fromLatin1(kSettingsName));
    ArchiveSettings s;
    s.url = settings.value(kUrlKey).toString().trimmed();
    s.addAfterReading = settings.value(kAddAfterReadingKey, true).toBool();
    return s;
}

void ArchiveSettings::save() const {
    QSettings settings(QString::fromLatin1(kSettingsName), QString::fromLatin1(kSettingsName));
    settings.setValue(kUrlKey, url.trimmed());
    settings.setValue(kAddAfterReadingKey, addAfterReading);
}

std::optional<archive::DatabaseLocation> archiveLocation(QString& error) {
    return archive::parseDatabaseUrl(ArchiveSettings::load().url, error);
}
