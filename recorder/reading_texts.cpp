#include "recorder/reading_texts.h"

#include <algorithm>
#include <string>

#include "recorder/identification.h"

namespace recorder {

void showReading(Reading& reading, const NumberFormat& format) {
    showServiceTexts(reading);
    showIdentification(reading);
    showCounters(reading, format);
    drawLoadDiagrams(reading);
    showClassification(reading, format);
}

void showServiceTexts(Reading& reading) {
    const ServiceTexts& s = reading.service;
    DisplayTexts& t = reading.texts;
    t.set(display::kOwner, s.owner);
    t.set(display::kServiceOrganisation, s.serviceOrganisation);
    t.set(display::kOperatorName, s.operatorName);
    t.set(display::kCertificateNumber, s.certificateNumber);
    t.set(display::kCertificateValidUntil, s.certificateValidUntil);
    t.set(display::kReadingDate, s.readingDate);
}

void showIdentification(Reading& reading) {
    const LimiterInfo& l = reading.limiter;
    const CraneInfo& c = reading.crane;
    DisplayTexts& t = reading.texts;
    t.set(display::kLimiterSerialNumber, l.SerialNumber);
    t.set(display::kLimiterModel, limiterModelText(l.ModelDigit));
    t.set(display::kProgramVersion, std::to_string(l.ProgramVersion));
    t.set(display::kTablesVersion, std::to_string(l.TablesVersion));
    t.set(display::kConfiguration, std::to_string(l.Configuration));
    t.set(display::kRecorderVersion, std::to_string(l.RecorderVersion));
    t.set(display::kLimiterMaker, l.LimiterMaker);
    t.set(display::kAdaptedCranes, l.AdaptedCranes);

    t.set(display::kCraneNumber, std::to_string(c.CraneNumber));
    t.set(display::kManufactureYear, std::to_string(c.ManufactureYear) + " г.");
    t.set(display::kModeGroup, modeGroupText(c.ModeGroup));
    t.set(display::kCraneModel, c.CraneModel);
    t.set(display::kInstallDate,
          bcdTriple(c.InstallDate[0], c.InstallDate[1], c.InstallDate[2], '.'));
    t.set(display::kCraneMaker, c.CraneMaker);
    t.set(display::kProgrammingOrganisation, c.ProgrammingOrganisation);
}

void showClassification(Reading& reading, const NumberFormat& format) {
    const Classification& k = reading.classification;
    DisplayTexts& t = reading.texts;
    t.set(display::kNormativeCharacteristicNumber, std::to_string(k.NormativeCharacteristicNumber));
    t.set(display::kUseClass, "U" + std::to_string(k.UseClass));
    t.set(display::kLoadSpectrumFactor, formatFixed(k.LoadSpectrumFactor, 3, format));
    t.set(display::kLoadSpectrumClass, "Q" + std::to_string(k.LoadSpectrumClass));
    t.set(display::kCurrentGroup, "A" + std::to_string(k.CurrentGroup));
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
