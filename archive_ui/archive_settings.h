#pragma once
// The archive's settings, kept in ~/.config/tirs48/tirs48.conf under [archive]:
//   url=              the database; empty means TIRS48_ARCHIVE, else the SQLite
//                     file in the user's data folder
//   addAfterReading=  whether a reading saved by the acquisition dialog is added
//                     to the archive too (true when not set)

#include <QString>
#include <optional>

#include "archive/database_location.h"

struct ArchiveSettings {
    QString url;
    bool addAfterReading = true;

    static ArchiveSettings load();
    void save() const;
};

// The database the settings name, in the order above. None, with the reason in
// `error`, when the address is not understood.
std::optional<archive::DatabaseLocation> archiveLocation(QString& error);
