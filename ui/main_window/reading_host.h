#pragma once
// What the windows and commands beside the main window use of it: the reading
// it shows with every shown text, how its numbers are written, the folder the
// program's files lie under, and opening a data file. The main window
// implements it; the print window, the form commands and the archive's
// windows know only this, not the window.

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "recorder/number_format.h"

class QMainWindow;
namespace recorder {
class Reading;
}

// A frame range typed into the frame view's fields "с" and "по".
struct FrameRangeFields {
    std::int64_t first = 0;
    std::int64_t last = 0;
};

class ReadingHost {
  public:
    // The window that the commands' dialogs and windows belong to.
    virtual QMainWindow& hostWindow() = 0;

    // The reading shown, with every shown text.
    virtual const recorder::Reading& reading() const = 0;
    // Runs `change` on the reading (forms 1 and 2 change its shown texts) and
    // shows its texts again, also when `change` throws.
    virtual void changeReading(const std::function<void(recorder::Reading&)>& change) = 0;
    // The decimal separator of the user's regional settings, as the displays use it.
    virtual recorder::NumberFormat numberFormat() const = 0;
    // The folder the program started in; "Файлы", "Шаблоны форм" and "Формы" lie under it.
    virtual const QString& startDirectory() const = 0;
    // The file the shown reading was loaded from; empty when none is loaded.
    virtual const QString& openedFilePath() const = 0;

    // "Открыть": the shown reading cleared, a data file asked for and opened.
    virtual void openChosenFile() = 0;
    // The open-file dialog for a reading, in "Файлы" when it exists; empty when cancelled.
    virtual QString chooseReadingFile() = 0;
    // Opens a data file named outside the dialog (the command line, a drop, the
    // recent files, the archive) exactly as if it had been chosen in the dialog.
    virtual void openDataFilePath(const QString& path) = 0;

    // The frame view's range fields, read as the view reads them: nothing, after
    // telling the user why, when one holds no whole number.
    virtual std::optional<FrameRangeFields> frameRangeFields() = 0;
    // Calls `saved` with the file's path whenever the acquisition dialog has saved a reading.
    virtual void whenReadingSaved(std::function<void(const QString& path)> saved) = 0;

  protected:
    ~ReadingHost() = default;
};
