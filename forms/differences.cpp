#include "forms/differences.h"

#include <string>

#include "recorder/counters.h"

namespace forms {

CounterDifferences counterDifferences(const recorder::Counters& last,
                                      const PreviousReading& previous) {
    CounterDifferences d;
    for (std::size_t band = 0; band < d.LoadCycles.size(); ++band)
        d.LoadCycles[band] = static_cast<std::int64_t>(last.LoadCycles[band]) -
                             static_cast<std::int64_t>(previous.LoadCycles[band]);
    d.TotalCycles = std::int64_t{last.TotalCycles} - previous.TotalCycles;
    d.WinchSeconds = std::int64_t{last.WinchSeconds} - previous.WinchSeconds;
    d.BoomAngleSeconds = std::int64_t{last.BoomAngleSeconds} - previous.BoomAngleSeconds;
    d.BoomLengthSeconds = std::int64_t{last.BoomLengthSeconds} - previous.BoomLengthSeconds;
    d.SlewSeconds = std::int64_t{last.SlewSeconds} - previous.SlewSeconds;
    d.MotorMinutes = std::int64_t{last.MotorMinutes} - previous.MotorMinutes;
    d.LiftedMass = std::int64_t{last.LiftedMass} - previous.LiftedMass;
    return d;
}

void showDifferences(recorder::Reading& reading, const CounterDifferences& d,
                     const recorder::NumberFormat& format) {
    recorder::DisplayTexts& t = reading.texts;
    const auto& names = recorder::bandDisplays();
    for (std::size_t band = 0; band < names.size(); ++band)
        t.set(names[band].loadCycles, std::to_string(d.LoadCycles[band]));
    t.set("E_LEsec", recorder::formatHms(d.WinchSeconds));
    t.set("E_ALsec", recorder::formatHms(d.BoomAngleSeconds));
    t.set("E_Lsec", recorder::formatHms(d.BoomLengthSeconds));
    t.set("E_GAsec", recorder::formatHms(d.SlewSeconds));
    t.set("L_TimeAll", recorder::formatHms(d.MotorMinutes * 60));
    t.set("Label_QSum",
          recorder::formatFixed(static_cast<double>(d.LiftedMass) * 0.01, 1, format) + " т.");
}

void showTotals(recorder::Reading& reading, const recorder::NumberFormat& format) {
    // The loaded counters minus nothing are the totals, in the load's own texts.
    showDifferences(reading, counterDifferences(reading.counters, PreviousReading{}), format);
}

}  // namespace forms
