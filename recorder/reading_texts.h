#pragma once
// The presentation of a decoded reading: every text and gauge of the Reading
// model's displays, computed from its values (the service trailer, the
// identification, the counters, the classification and the load diagrams).
// The decoders fill the values only; the loader calls showReading after them,
// and the forms show their counter differences with showRunningTotals.

#include <cstdint>

#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

// Every text and gauge below, from the model's values.
void showReading(Reading& reading, const NumberFormat& format);

void showServiceTexts(Reading& reading);
void showIdentification(Reading& reading);
// The characteristic number, both cycle columns and the running totals.
void showCounters(Reading& reading, const NumberFormat& format);
void showClassification(Reading& reading, const NumberFormat& format);

// The four running times, the motor hours and the lifted mass (0.01 t), as the
// counter displays show them: the loaded totals, or the forms' differences.
void showRunningTotals(DisplayTexts& texts, std::int64_t winchSeconds,
                       std::int64_t boomAngleSeconds, std::int64_t boomLengthSeconds,
                       std::int64_t slewSeconds, std::int64_t motorMinutes, std::int64_t liftedMass,
                       const NumberFormat& format);

// Bar values 0..100 of both diagrams, scaled to the largest load-cycle count.
void drawLoadDiagrams(Reading& reading);

}  // namespace recorder
