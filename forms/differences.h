// What the crane accumulated between two readings: the loaded (last) reading's
// counters minus the previous reading's, and their texts in the main window's
// counter displays.
#pragma once

#include <array>
#include <cstdint>

#include "forms/previous_reading.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace forms {

struct CounterDifferences {
    std::array<std::int64_t, recorder::bank::kBands> LoadCycles{};
    std::int64_t TotalCycles = 0;
    std::int64_t WinchSeconds = 0;
    std::int64_t BoomAngleSeconds = 0;
    std::int64_t BoomLengthSeconds = 0;
    std::int64_t SlewSeconds = 0;
    std::int64_t MotorMinutes = 0;
    std::int64_t LiftedMass = 0;  // 0.01 t
};

// Always from the loaded counters, which the forms never change: running a form
// again on the same loaded reading gives the same differences. Computed in 64
// bits, so no counter wraps.
CounterDifferences counterDifferences(const recorder::Counters& last,
                                      const PreviousReading& previous);

// The load-cycle displays, the four running times, the motor hours and the lifted
// mass show the differences. The work-cycle displays, the load diagrams and the
// classification stay as loaded.
void showDifferences(recorder::Reading& reading, const CounterDifferences& differences,
                     const recorder::NumberFormat& format);

// The same displays back to the loaded totals, as the load showed them.
void showTotals(recorder::Reading& reading, const recorder::NumberFormat& format);

}  // namespace forms
