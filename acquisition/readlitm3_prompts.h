#pragma once
// The questions the acquisition dialog asks the user, behind a seam so that
// tests can answer them.

#include <QString>

class QWidget;

class ReadLitm3Prompts {
  public:
    virtual ~ReadLitm3Prompts() = default;
    // The file to save to, starting in folder with proposedName; empty when cancelled.
    virtual QString askSaveFileName(QWidget* parent, const QString& folder,
                                    const QString& proposedName) = 0;
    // "Файл с информацией не сохранен! Сохранить?" — true for OK, false for Cancel.
    virtual bool askSaveUnsaved(QWidget* parent) = 0;
    // A file could not be written.
    virtual void showSaveError(QWidget* parent, const QString& message) = 0;
};

// The real thing: a save-file dialog and message boxes.
class DialogPrompts : public ReadLitm3Prompts {
  public:
    QString askSaveFileName(QWidget* parent, const QString& folder,
                            const QString& proposedName) override;
    bool askSaveUnsaved(QWidget* parent) override;
    void showSaveError(QWidget* parent, const QString& message) override;
};
