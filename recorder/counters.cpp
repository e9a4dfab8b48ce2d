#include "recorder/counters.h"

#include <algorithm>
#include <cstdint>

namespace recorder {

std::int32_t largerBankI32(const DataFile& f, std::size_t offset) {
    const std::int32_t v0 = f.i32(kBank0Offset + offset);
    const std::int32_t v1 = f.i32(kBank1Offset + offset);
    return v1 > v0 ? v1 : v0;
}

std::uint32_t largerBankU24(const DataFile& f, std::size_t offset) {
    const auto v0 = static_cast<std::int32_t>(f.u24(kBank0Offset + offset));
    const auto v1 = static_cast<std::int32_t>(f.u24(kBank1Offset + offset));
    return static_cast<std::uint32_t>(v1 > v0 ? v1 : v0);
}

float largerBankF32(const DataFile& f, std::size_t offset) {
    const float v0 = f.f32(kBank0Offset + offset);
    const float v1 = f.f32(kBank1Offset + offset);
    return v1 > v0 ? v1 : v0;
}

Counters readCounters(const DataFile& file) {
    Counters c;
    c.CharacteristicNumber = largerBankF32(file, bank::kCharacteristicNumber);
    for (std::size_t band = 0; band < bank::kBands; ++band) {
        c.LoadCycles[band] = largerBankU24(file, bank::kLoadCycles + 3 * band);
        c.WorkCycles[band] = largerBankU24(file, bank::kWorkCycles + 3 * band);
    }
    c.TotalCycles = largerBankI32(file, bank::kTotalCycles);
    c.WinchSeconds = largerBankI32(file, bank::kWinchSeconds);
    c.BoomAngleSeconds = largerBankI32(file, bank::kBoomAngleSeconds);
    c.BoomLengthSeconds = largerBankI32(file, bank::kBoomLengthSeconds);
    c.SlewSeconds = largerBankI32(file, bank::kSlewSeconds);
    c.MotorMinutes = largerBankU24(file, bank::kMotorMinutes);
    c.LiftedMass = largerBankI32(file, bank::kLiftedMass);
    return c;
}

void decodeCounters(const DataFile& file, Reading& reading, const NumberFormat& format) {
    reading.counters = readCounters(file);
    showCounters(reading, format);
}

void showCounters(Reading& reading, const NumberFormat& format) {
    const Counters& c = reading.counters;
    DisplayTexts& t = reading.texts;
    const auto& names = bandDisplays();
    t.set(display::kCharacteristicNumber, formatFixed(c.CharacteristicNumber, 2, format));
    for (std::size_t band = 0; band < bank::kBands; ++band) {
        t.set(names[band].loadCycles, std::to_string(c.LoadCycles[band]));
        t.set(names[band].workCycles, std::to_string(c.WorkCycles[band]));
    }
    showRunningTotals(t, c.WinchSeconds, c.BoomAngleSeconds, c.BoomLengthSeconds, c.SlewSeconds,
                      c.MotorMinutes, c.LiftedMass, format);
}

void showRunningTotals(DisplayTexts& t, std::int64_t winchSeconds, std::int64_t boomAngleSeconds,
                       std::int64_t boomLengthSeconds, std::int64_t slewSeconds,
                       std::int64_t motorMinutes, std::int64_t liftedMass,
                       const NumberFormat& format) {
    t.set(display::kWinchTime, formatHms(winchSeconds));
    t.set(display::kBoomAngleTime, formatHms(boomAngleSeconds));
    t.set(display::kBoomLengthTime, formatHms(boomLengthSeconds));
    t.set(display::kSlewTime, formatHms(slewSeconds));
    t.set(display::kMotorHours, formatHms(motorMinutes * 60));
    t.set(display::kLiftedMass,
          formatFixed(static_cast<double>(liftedMass) * 0.01, 1, format) + " т.");
}

void drawLoadDiagrams(Reading& reading) {
    const Counters& c = reading.counters;
    std::int64_t scale = *std::max_element(c.LoadCycles.begin(), c.LoadCycles.end());
    if (scale == 0) scale = 1;
    const auto bar = [scale](std::uint32_t count) {
        const std::int64_t percent = static_cast<std::int64_t>(count) * 100 / scale;
        return static_cast<int>(std::clamp<std::int64_t>(percent, 0, 100));
    };
    const auto& names = bandDisplays();
    for (std::size_t band = 0; band < bank::kBands; ++band) {
        reading.gauges.set(names[band].workGauge, bar(c.WorkCycles[band]));
        reading.gauges.set(names[band].loadGauge, bar(c.LoadCycles[band]));
    }
}

}  // namespace recorder
