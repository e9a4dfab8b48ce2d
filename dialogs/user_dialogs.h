#pragma once
// The seam between the program and the person at the screen: every file
// dialog, message box, question, modal window and "open this document" of the
// program goes through UserDialogs, so the tests answer them in code
// (tests/support/scripted_dialogs.h) and the program asks the user.

#include <QString>
#include <functional>
#include <utility>

class QDialog;
class QFileDialog;
class QUrl;
class QWidget;

// The answer to "save this before it is lost?": Cancel (also Esc and the
// box's close button) goes back to where the user was, with nothing lost.
enum class SaveChoice { Save, Discard, Cancel };

// A save-file question: where to start, what to propose, which files to show.
struct SaveFileQuestion {
    QString objectName;     // the dialog's object name, for the tests and the screen
    QString title;          // empty: the platform's default caption
    QString directory;      // the folder the dialog opens in
    QString proposedName;   // the file name proposed in that folder
    QString filter;         // Qt's form: "Name (*.ext);;Other (*.*)"
    QString defaultSuffix;  // appended when the user types a name without one
};

class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // The chosen file's path, or an empty text when the user cancels.
    // `filter` is in Qt's form ("Name (*.ext);;Other (*.*)"), `selectedFilter`
    // one of its entries.
    virtual QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                                    const QString& filter, const QString& selectedFilter) = 0;
    // The path to save to, or an empty text when the user cancels.
    virtual QString getSaveFileName(QWidget* parent, const SaveFileQuestion& question) = 0;

    // A modal box with one OK button. An empty `title` gives the program's caption.
    virtual void showError(QWidget* parent, const QString& text, const QString& title = {}) = 0;
    virtual void showInformation(QWidget* parent, const QString& text,
                                 const QString& title = {}) = 0;
    // A warning with OK (the default) and Cancel; true for OK.
    virtual bool askOkCancel(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question with "Да" and "Нет" (Esc: no); true for yes.
    virtual bool askYesNo(QWidget* parent, const QString& title, const QString& text) = 0;
    // "Сохранить", "Не сохранять", "Отмена" (the default and Esc).
    virtual SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& title,
                                            const QString& text) = 0;

    // Shows a window modally and returns when the user has closed it. A print
    // preview is a QDialog too, so the windows that show one need no print
    // module of their own here.
    virtual void runModal(QDialog& dialog) = 0;

    // Opens a file in the application the desktop associates with its type;
    // when there is none, says so with the file's full path and offers to
    // open its folder.
    virtual void openDocument(const QString& path) = 0;
};

// The real thing: Qt's file dialogs, message boxes, QDialog::exec and the desktop.
class QtUserDialogs : public UserDialogs {
  public:
    // `boxTitle` is the caption of message boxes that are given none.
    explicit QtUserDialogs(QString boxTitle) : boxTitle_(std::move(boxTitle)) {}

    QString getOpenFileName(QWidget* parent, const QString& title, const QString& directory,
                            const QString& filter, const QString& selectedFilter) override;
    QString getSaveFileName(QWidget* parent, const SaveFileQuestion& question) override;
    void showError(QWidget* parent, const QString& text, const QString& title = {}) override;
    void showInformation(QWidget* parent, const QString& text, const QString& title = {}) override;
    bool askOkCancel(QWidget* parent, const QString& title, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& title, const QString& text) override;
    SaveChoice askSaveDiscardCancel(QWidget* parent, const QString& title,
                                    const QString& text) override;
    void runModal(QDialog& dialog) override;
    void openDocument(const QString& path) override;

    // Seam for tests: what asks the desktop to open a URL (QDesktopServices::openUrl).
    void setDesktopOpener(std::function<bool(const QUrl&)> opener) { opener_ = std::move(opener); }

  private:
    QString caption(const QString& title) const { return title.isEmpty() ? boxTitle_ : title; }
    bool openOnDesktop(const QUrl& url) const;

    QString boxTitle_;
    std::function<bool(const QUrl&)> opener_;
};

// Gives Qt's own file dialog the size and column widths at which the name,
// size, type and date columns show whole.
void sizeFileDialog(QFileDialog& dialog);
