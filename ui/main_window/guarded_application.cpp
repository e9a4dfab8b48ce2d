#include "ui/main_window/guarded_application.h"

#include <QFile>
#include <QSettings>
#include <QStringList>

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

void setProgramIdentity() {
    QCoreApplication::setOrganizationName(QStringLiteral("tirs48"));
    QCoreApplication::setApplicationName(QStringLiteral("tirs48"));
    QSettings settings;
    QSettings earlier(QSettings::defaultFormat(), QSettings::UserScope,
                      QStringLiteral("Unknown Organization"), QStringLiteral("tirs48"));
    const QStringList keys = earlier.allKeys();
    if (keys.isEmpty()) return;
    for (const QString& key : keys)
        if (!settings.contains(key)) settings.setValue(key, earlier.value(key));
    earlier.clear();
    settings.sync();
    earlier.sync();
    QFile::remove(earlier.fileName());
}
