#pragma once
// The error-log window: the integrity errors found while the last data file was
// opened, one per line. Created once at start-up; closing it only hides it.

#include <QDialog>
#include <QString>
#include <string>
#include <vector>

class QPlainTextEdit;

class TForm_LogError : public QDialog {
    Q_OBJECT

  public:
    explicit TForm_LogError(QWidget* mainWindow);

    // Replaces the text with the lines of a load's error log ("Ошибок не
    // обнаружено" for a load without errors).
    void setLines(const std::vector<std::string>& lines);
    QString text() const;

    QPlainTextEdit* Memo_LogError;

  protected:
    void showEvent(QShowEvent* event) override;
};
