// Whether a previous reading may be compared with the loaded (last) one: both
// must come from the same limiter, and the previous one must be the earlier,
// or the differences of forms 1 and 2 are meaningless (negative hours, a
// negative lifted mass, counts of two different cranes subtracted).
#pragma once

#include <string>

#include "forms/previous_reading.h"
#include "recorder/reading.h"

namespace forms {

enum class PreviousVerdict {
    Comparable,
    OtherLimiter,  // another serial number or model: refused outright
    Swapped,       // later by its date, or a counter larger: the files look swapped
};

struct PreviousCheck {
    PreviousVerdict verdict = PreviousVerdict::Comparable;
    std::string message;  // why not, in Russian; empty when comparable
};

// The same file twice is comparable (every difference 0).
PreviousCheck checkPreviousReading(const recorder::Reading& last, const PreviousReading& previous);

// "Разности между считываниями DD.MM.YYYY и DD.MM.YYYY": what the counter
// displays show after form 1 or 2, the previous reading's date first.
std::string differencesCaption(const recorder::Reading& last, const PreviousReading& previous);

}  // namespace forms
