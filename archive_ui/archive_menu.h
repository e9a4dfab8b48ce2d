#pragma once
// The "Архив" menu of the main window: "Добавить в архив" adds the open reading,
// "Архив считываний…" opens the archive window. The archive is the one named by
// the setting "url" in the [archive] group of ~/.config/tirs48/tirs48.conf, else
// by TIRS48_ARCHIVE, else the SQLite file in the user's data folder.

class TForm_TIRS48CMain;
class UserDialogs;

void installArchiveMenu(TForm_TIRS48CMain& main, UserDialogs& dialogs);
