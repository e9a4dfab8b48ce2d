#pragma once
// The "Архив" menu of the main window: "Добавить в архив" adds the open reading,
// "Архив считываний…" opens the archive window, "Настройки архива…" sets where
// the archive is and whether saved readings go into it. The archive is the one
// named by the setting "url" in the [archive] group of ~/.config/tirs48/tirs48.conf
// (archive_settings.h), else by TIRS48_ARCHIVE, else the SQLite file in the
// user's data folder. A reading the acquisition dialog saves is added too,
// unless [archive] addAfterReading=false.

class ReadingHost;
class UserDialogs;

// Into the menu bar of the host's window (the main window).
void installArchiveMenu(ReadingHost& host, UserDialogs& dialogs);
