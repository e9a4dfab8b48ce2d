#include "ui/main_window/guarded_application.h"

#include <exception>

#include "dialogs/user_dialogs.h"

QString failureMessage(const char* what) {
    const QString text = what ? QString::fromUtf8(what).trimmed() : QString();
    return text.isEmpty() ? QString::fromUtf8("Команда прервана из-за внутренней ошибки.") : text;
}

GuardedApplication::GuardedApplication(int& argc, char** argv, UserDialogs& dialogs)
    : QApplication(argc, argv), dialogs_(dialogs) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportFailure(failureMessage(e.what()));
    } catch (...) {
        reportFailure(failureMessage(nullptr));
    }
    return false;
}

void GuardedApplication::reportFailure(const QString& message) {
    dialogs_.showError(activeWindow(), message);
}
