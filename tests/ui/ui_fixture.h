#pragma once
// Shared helpers of the window tests: answers for the dialogs, readings built
// byte by byte and written to a temporary start directory, and the program's
// windows created as the entry point creates them.

#include <QAction>
#include <QDialog>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <vector>

#include "recorder/loader.h"
#include "scripted_dialogs.h"
#include "simulation/sample_reading/image_builder.h"
#include "simulation/sample_reading/sample_reading.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/program_windows.h"
#include "ui/windows/Logloaderror.h"

namespace ui_test {

// Answers every dialog from a script and records what the program showed;
// a modal error log is recorded by its text.
using ScriptedDialogs = test_support::ScriptedDialogs;

// The program's windows made afresh for each test function, with scripted
// answers to every dialog.
struct ProgramUnderTest {
    ScriptedDialogs dialogs;
    ProgramWindows windows;
    TForm_TIRS48CMain* main = nullptr;

    void start();
    void stop();
    // "Открыть" with the dialog answering `path`.
    void open(const QString& path);
    // A control of the main window by its object name; a missing one ends the test run.
    template <class T = QWidget>
    T* control(const char* name) const {
        T* found = main->findChild<T*>(QString::fromUtf8(name));
        if (!found) qFatal("the main window has no %s", name);
        return found;
    }
};

// The base of the window test classes: the program under test and short names
// for its parts.
class ProgramTest : public QObject {
  protected:
    ProgramUnderTest program_;
    ScriptedDialogs& dialogs_ = program_.dialogs;
    ProgramWindows& windows_ = program_.windows;
    TForm_TIRS48CMain*& main_ = program_.main;

    void open(const QString& path) { program_.open(path); }
    // A control of the main window by its object name, the name the user's documents know.
    template <class T = QWidget>
    T* control(const char* name) const {
        return program_.control<T>(name);
    }
    QAction* menuItem(const char* name) const { return control<QAction>(name); }
};

// A reading as a crane gives it: identification in both banks, counters that
// differ between the banks, frames over two days, twenty overloads, all checks right.
sample::ImageBuilder craneReading();
recorder::ServiceTexts serviceTexts();

// The data file bytes of a builder, written as `name` into `dir`; returns its path.
QString writeReading(const QTemporaryDir& dir, const QString& name,
                     const sample::ImageBuilder& image);

// A generated reading written as `name` into `dir`; returns its path.
QString writeSample(const QTemporaryDir& dir, const QString& name,
                    const sample::SampleOptions& options);

// The reading the core makes of a file, with the separator the window uses.
recorder::Reading coreReading(const QString& path);

// The decimal separator of the tests' locale.
inline char testSeparator() {
    return ',';
}
inline void useRussianLocale() {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

}  // namespace ui_test
