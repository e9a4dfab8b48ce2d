#pragma once
// Pictures of every page of the main window and of the two text windows, for
// looking at the program without a screen (scripts/screenshots).

#include <QString>

#include "dialogs/user_dialogs.h"

struct ProgramWindows;

// Saves one PNG per page into `directory`; returns the number of files written.
int saveScreenshots(ProgramWindows& windows, UserDialogs& dialogs, const QString& directory);

// While pictures are taken nobody answers: modal windows are only shown and
// messages go to the error output; questions are cancelled.
class UnattendedDialogs : public QtUserDialogs {
  public:
    using QtUserDialogs::QtUserDialogs;
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&) override {
        return {};
    }
    QString getSaveFileName(QWidget*, const SaveFileQuestion&) override { return {}; }
    void showError(QWidget* parent, const QString& text, const QString& title = {}) override;
    void showInformation(QWidget* parent, const QString& text, const QString& title = {}) override;
    bool askOkCancel(QWidget*, const QString&, const QString&) override { return false; }
    bool askYesNo(QWidget*, const QString&, const QString&) override { return false; }
    SaveChoice askSaveDiscardCancel(QWidget*, const QString&, const QString&) override {
        return SaveChoice::Cancel;
    }
    void runModal(QDialog& dialog) override;
    void openDocument(const QString&) override {}
};
