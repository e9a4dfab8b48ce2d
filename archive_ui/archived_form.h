#pragma once
// Form 1 or 2 from two readings of one limiter kept in the archive, as the
// window's form commands make it from two files: the later reading is the
// current one (loaded as "Открыть" loads a file), the earlier the previous one;
// the report goes to "Формы" under the start directory from "Шаблоны форм".

#include <QString>

#include "archive/archived_reading.h"
#include "recorder/number_format.h"

namespace archive {
class ReadingArchive;
}

struct ArchivedFormResult {
    QString report;  // the report written; empty on failure
    QString error;   // what to tell the user on failure
};

// `earlier` and `later` in the order of their readings. Nothing is written when
// they are readings of different limiters or the archive cannot give their files.
ArchivedFormResult createArchivedForm(archive::ReadingArchive& store, int form,
                                      const archive::ArchivedReading& earlier,
                                      const archive::ArchivedReading& later,
                                      const QString& startDirectory,
                                      const recorder::NumberFormat& format);
