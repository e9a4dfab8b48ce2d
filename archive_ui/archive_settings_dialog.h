#pragma once
// "Настройки архива": where the archive is (empty for the file on this computer,
// or a shared PostgreSQL server), whether readings saved by the acquisition
// dialog are added to it, and a button that tries the address at once.

#include <QDialog>

#include "archive_ui/archive_settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UserDialogs;

class ArchiveSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ArchiveSettingsDialog(UserDialogs& dialogs, QWidget* parent = nullptr);

    // The settings as they stand in the dialog.
    ArchiveSettings settings() const;
    // "Проверить": opens the database the address names and says how that went.
    // True when it opened.
    bool checkDatabase();

    QLineEdit* urlEdit() const { return url_; }
    QCheckBox* addAfterReadingBox() const { return addAfterReading_; }

  public slots:
    // Saves the settings unless the address is not understood (then says why and stays).
    void accept() override;

  private:
    UserDialogs& dialogs_;
    QLineEdit* url_ = nullptr;
    QCheckBox* addAfterReading_ = nullptr;
    QPushButton* check_ = nullptr;
};
