// The general error handler: a command that throws is reported with its
// message, and the program goes on with the next command.

#include <QAction>
#include <QtTest>
#include <stdexcept>

#include "ui/main_window/guarded_application.h"
#include "ui_fixture.h"

using namespace ui_test;

namespace {
ScriptedDialogs dialogs;
}

class ErrorHandlerTest : public QObject {
    Q_OBJECT

  private slots:
    void throwingCommandIsReportedAndTheProgramGoesOn() {
        QWidget window;
        QAction failing(&window), working(&window);
        failing.setShortcut(QKeySequence("Ctrl+T"));
        working.setShortcut(QKeySequence("Ctrl+U"));
        window.addAction(&failing);
        window.addAction(&working);
        connect(&failing, &QAction::triggered,
                [] { throw std::runtime_error("Нет места на диске"); });
        int worked = 0;
        connect(&working, &QAction::triggered, [&] { ++worked; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QTest::keyClick(&window, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(dialogs.errors, QStringList{"Нет места на диске"});
        QTest::keyClick(&window, Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(worked, 1);

        // An exception without a message of its own still gets a readable one.
        QCOMPARE(failureMessage(""), failureMessage(nullptr));
        QVERIFY(!failureMessage(nullptr).isEmpty());
    }
};

int main(int argc, char** argv) {
    GuardedApplication app(argc, argv, dialogs);
    ErrorHandlerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "error_handler_test.moc"
