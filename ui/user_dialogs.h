#pragma once
// The seam between the windows and the user's answers: every file dialog,
// message box and modal window of the program goes through UserDialogs, so the
// tests answer them in code and the program asks the person at the screen.

#include <QString>
#include <utility>

class QDialog;
class QWidget;

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // The chosen file's path, or an empty text when the user cancels.
    // `filter` is in Qt's form ("Name (*.ext);;Other (*.*)"), `selectedFilter`
    // one of its entries.
    virtual QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter, const QString& selectedFilter) = 0;

    // A modal box with one OK button.
    virtual void showError(QWidget* parent, const QString& text) = 0;
    virtual void showInformation(QWidget* parent, const QString& text) = 0;

    // Shows a window modally; returns when the user has closed it.
    virtual void runModal(QDialog& dialog) = 0;

    // Opens a file in the application the desktop associates with its type;
    // nothing happens when there is none.
    virtual void openDocument(const QString& path) = 0;
};

// The real thing: Qt's file dialog, message boxes and QDialog::exec.
class QtUserDialogs : public UserDialogs {
  public:
    // `boxTitle` is the caption of the message boxes.
    explicit QtUserDialogs(QString boxTitle) : boxTitle_(std::move(boxTitle)) {}

    QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                            const QString& filter, const QString& selectedFilter) override;
    void showError(QWidget* parent, const QString& text) override;
    void showInformation(QWidget* parent, const QString& text) override;
    void runModal(QDialog& dialog) override;
    void openDocument(const QString& path) override;

  private:
    QString boxTitle_;
};
