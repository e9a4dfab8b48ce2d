#pragma once
// Pictures of every page of the main window and of the two text windows, for
// looking at the program without a screen (scripts/screenshots).

#include <QString>

struct ProgramWindows;

// Saves one PNG per page into `directory`; returns the number of files written.
int saveScreenshots(ProgramWindows& windows, const QString& directory);
