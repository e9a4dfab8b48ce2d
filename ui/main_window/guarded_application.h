#pragma once
// The application object with the program's general error handler: an
// exception that escapes a command is shown to the user with its message and
// the program goes on with the next event.

#include <QApplication>
#include <QString>

class UserDialogs;

class GuardedApplication : public QApplication {
  public:
    GuardedApplication(int& argc, char** argv, UserDialogs& dialogs);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the message of an exception that ended a command.
    void reportFailure(const QString& message);

  private:
    UserDialogs& dialogs_;
};

// The text shown for an exception: its own message, or a general one.
QString failureMessage(const char* what);

// The program's organisation and application name, set once at start: they
// place its one settings file (~/.config/tirs48/tirs48.conf on Linux), which
// the archive's settings share. Settings an earlier version left under
// "Unknown Organization" are moved into it once.
void setProgramIdentity();
