#pragma once
// What the archive keeps of a reading besides its image: the columns the fleet
// views, the history and the remaining design life need.

#include <QString>
#include <QStringList>
#include <optional>

#include "base/design_life.h"
#include "recorder/reading.h"

namespace archive {

struct ArchivedReading {
    qint64 id = 0;
    QString sha256;  // of the file as added, lower-case hex
    qint64 fileSize = 0;
    QString addedAt;  // UTC, ISO 8601
    QString sourceName;
    QString limiterSerial;
    QString limiterModel;  // "ТИРС-48С-05"
    QString craneModel;
    int craneNumber = 0;
    QString owner;
    QString readingDateText;               // as the trailer stores it
    std::optional<qint64> readingMinutes;  // since 01.01.1970; none when not a date
    QString operatorName;
    QString organisation;
    qint64 normativeNumber = 0;
    int modeGroup = 0;
    int currentGroup = 0;
    std::optional<int> installDay;  // days since 01.01.1970
    // The characteristic number and the running totals; the cycle columns by
    // load band are not kept and stay zero.
    recorder::Counters counters;
    QStringList loadErrors;  // the load-error log: failed checks
    bool damaged = false;    // at least one check failed
};

// One limiter of the fleet: its latest reading, how many there are, and the
// remaining design life computed over all of them.
struct FleetEntry {
    ArchivedReading latest;
    int readings = 0;
    DesignLife life;
};

// The remaining design life over a limiter's readings (any order).
DesignLife designLifeOf(const std::vector<ArchivedReading>& readings);

}  // namespace archive
