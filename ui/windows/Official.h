#pragma once
// The service-information window: the memory address report of the loaded
// reading. Shown without blocking the main window; closing it only hides it.

#include <QString>
#include <QWidget>
#include <string>

class QPlainTextEdit;

class TForm_Official : public QWidget {
    Q_OBJECT

  public:
    explicit TForm_Official(QWidget* mainWindow);

    void clearText();
    // The report as the core joins it (entries and lines separated by CR LF).
    void setReport(const std::string& report);
    QString text() const;

    QPlainTextEdit* Memo_Official;

  protected:
    void showEvent(QShowEvent* event) override;
    // Esc closes the window, as it does a dialog.
    void keyPressEvent(QKeyEvent* event) override;
};
