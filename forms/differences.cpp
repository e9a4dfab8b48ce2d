#include "forms/differences.h"

#include <string>

#include "recorder/reading_texts.h"

namespace forms {

CounterDifferences counterDifferences(const recorder::Counters& last,
                                      const PreviousReading& previous) {
    CounterDifferences d;
    for (std::size_t band = 0; band < d.LoadCycles.size(); ++band)
        d.LoadCycles[band] = static_cast<std::int64_t>(last.LoadCycles[band]) -
                             static_cast<std::int64_t>(previous.counters.LoadCycles[band]);
    d.TotalCycles = std::int64_t{last.TotalCycles} - previous.counters.TotalCycles;
    d.WinchSeconds = std::int64_t{last.WinchSeconds} - previous.counters.WinchSeconds;
    d.BoomAngleSeconds = std::int64_t{last.BoomAngleSeconds} - previous.counters.BoomAngleSeconds;
    d.BoomLengthSeconds =
        std::int64_t{last.BoomLengthSeconds} - previous.counters.BoomLengthSeconds;
    d.SlewSeconds = std::int64_t{last.SlewSeconds} - previous.counters.SlewSeconds;
    d.MotorMinutes = std::int64_t{last.MotorMinutes} - previous.counters.MotorMinutes;
    d.LiftedMass = std::int64_t{last.LiftedMass} - previous.counters.LiftedMass;
    return d;
}

void showDifferences(recorder::Reading& reading, const CounterDifferences& d,
                     const recorder::NumberFormat& format) {
    recorder::DisplayTexts& t = reading.texts;
    const auto& names = recorder::bandDisplays();
    for (std::size_t band = 0; band < names.size(); ++band)
        t.set(names[band].loadCycles, std::to_string(d.LoadCycles[band]));
    recorder::showRunningTotals(t, d.WinchSeconds, d.BoomAngleSeconds, d.BoomLengthSeconds,
                                d.SlewSeconds, d.MotorMinutes, d.LiftedMass, format);
}

}  // namespace forms
