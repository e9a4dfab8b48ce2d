#pragma once
// The start directory: "Файлы", "Шаблоны форм" and "Формы" lie under it. It is
// the folder the program starts in, unless the user may not write there (an
// installation under Program Files started from its menu entry): then the
// program says so and offers a folder among the user's documents, and once
// accepted, takes it at every later start from that folder without asking.

#include <QString>

class UserDialogs;

// The folder to work in, starting in `current`; the program changes into it.
// Asks the user only when `current` is not writable and no choice is remembered.
QString settleStartDirectory(UserDialogs& dialogs, const QString& current);

// Gives a start directory without "Шаблоны форм" that folder with the ready
// templates the program carries. An existing folder is left as the user keeps it.
void provideReadyTemplates(const QString& startDirectory);
