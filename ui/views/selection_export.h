#pragma once
// "Сохранить выборку как CSV…" and "Сохранить выборку как Excel (.xlsx)…": the
// records a view lists, written where the user chooses, through the safe
// writer; a file that cannot be written is told to the user and the earlier
// file stays whole.

#include <QString>

class QWidget;
class RecordView;
class UserDialogs;

enum class SelectionFile { Csv, Xlsx };

void saveSelection(const RecordView& view, SelectionFile kind, const QString& directory,
                   UserDialogs& dialogs, QWidget* parent);
