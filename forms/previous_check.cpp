#include "forms/previous_check.h"

#include <cstdint>
#include <cstdio>
#include <optional>

#include "recorder/number_format.h"

namespace forms {

namespace {

std::string limiterText(const std::string& serial, int modelDigit) {
    return "ТИРС-48С-0" + std::to_string(modelDigit) + " № " +
           (serial.empty() ? "(пусто)" : serial);
}

// A reading date "dd.mm.yyyy hh:mm" as one comparable number; nothing when the
// text is not such a date (an old file, a date typed wrongly).
std::optional<std::int64_t> dateKey(const std::string& text) {
    int day = 0, month = 0, year = 0, hour = 0, minute = 0;
    if (std::sscanf(text.c_str(), "%d.%d.%d %d:%d", &day, &month, &year, &hour, &minute) != 5)
        return std::nullopt;
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1900 || hour > 23 || minute > 59)
        return std::nullopt;
    return ((((std::int64_t{year} * 100 + month) * 100 + day) * 100 + hour) * 100) + minute;
}

// The date part of a reading date, "DD.MM.YYYY".
std::string dayOf(const std::string& readingDate) {
    return readingDate.substr(0, std::min<std::size_t>(readingDate.size(), 10));
}

struct CounterPair {
    std::string name;
    std::int64_t previous;
    std::int64_t last;
    std::string previousText;
    std::string lastText;
};

std::string plain(std::int64_t v) {
    return std::to_string(v);
}

// A load band as the "Наработка" page names it.
std::string bandText(std::size_t band) {
    if (band + 1 == recorder::bank::kBands) return "свыше 140 %";
    return "от " + std::to_string(band * 10) + " до " + std::to_string(band * 10 + 10) + " %";
}

// The first counter the previous reading holds more of than the last one.
std::optional<CounterPair> largerCounter(const recorder::Counters& c, const recorder::Counters& p) {
    using recorder::formatHms;
    const auto mass = [](std::int64_t v) {
        return recorder::formatFixed(v * 0.01, 1, ',') + " т.";
    };
    const CounterPair pairs[] = {
        {"общее число циклов", p.TotalCycles, c.TotalCycles, plain(p.TotalCycles),
         plain(c.TotalCycles)},
        {"моточасы", p.MotorMinutes, c.MotorMinutes, formatHms(std::int64_t{p.MotorMinutes} * 60),
         formatHms(std::int64_t{c.MotorMinutes} * 60)},
        {"масса поднятых грузов", p.LiftedMass, c.LiftedMass, mass(p.LiftedMass),
         mass(c.LiftedMass)},
        {"время работы лебедки", p.WinchSeconds, c.WinchSeconds, formatHms(p.WinchSeconds),
         formatHms(c.WinchSeconds)},
        {"время изменения угла стрелы", p.BoomAngleSeconds, c.BoomAngleSeconds,
         formatHms(p.BoomAngleSeconds), formatHms(c.BoomAngleSeconds)},
        {"время изменения длины стрелы", p.BoomLengthSeconds, c.BoomLengthSeconds,
         formatHms(p.BoomLengthSeconds), formatHms(c.BoomLengthSeconds)},
        {"время поворота", p.SlewSeconds, c.SlewSeconds, formatHms(p.SlewSeconds),
         formatHms(c.SlewSeconds)},
    };
    for (const CounterPair& pair : pairs)
        if (pair.previous > pair.last) return pair;
    for (std::size_t band = 0; band < p.LoadCycles.size(); ++band)
        if (p.LoadCycles[band] > c.LoadCycles[band])
            return CounterPair{"число циклов нагружения " + bandText(band), p.LoadCycles[band],
                               c.LoadCycles[band], plain(p.LoadCycles[band]),
                               plain(c.LoadCycles[band])};
    return std::nullopt;
}

}  // namespace

PreviousCheck checkPreviousReading(const recorder::Reading& last, const PreviousReading& previous) {
    PreviousCheck check;
    const recorder::LimiterInfo& limiter = last.limiter;
    // Without a serial number the form itself is refused, saying why.
    if (limiter.SerialNumber.empty()) return check;
    if (previous.LimiterSerial != limiter.SerialNumber ||
        previous.LimiterModelDigit != limiter.ModelDigit) {
        check.verdict = PreviousVerdict::OtherLimiter;
        check.message = "Предыдущее считывание сделано с другого ограничителя: " +
                        limiterText(previous.LimiterSerial, previous.LimiterModelDigit) +
                        ", а последнее — с " +
                        limiterText(limiter.SerialNumber, limiter.ModelDigit) +
                        ".\nРазности считываний разных ограничителей не имеют смысла: форма не "
                        "составлена.";
        return check;
    }
    const std::string& lastDate = last.service.readingDate;
    const auto previousKey = dateKey(previous.ReadingDate);
    const auto lastKey = dateKey(lastDate);
    if (previousKey && lastKey && *previousKey > *lastKey) {
        check.verdict = PreviousVerdict::Swapped;
        check.message = "Предыдущее считывание (" + previous.ReadingDate +
                        ") сделано позже последнего (" + lastDate + ").";
        return check;
    }
    if (const auto larger = largerCounter(last.counters, previous.counters)) {
        check.verdict = PreviousVerdict::Swapped;
        check.message = "В предыдущем считывании " + larger->name +
                        " больше, чем в последнем: " + larger->previousText + " против " +
                        larger->lastText + ".";
    }
    return check;
}

std::string differencesCaption(const recorder::Reading& last, const PreviousReading& previous) {
    return "Разности между считываниями " + dayOf(previous.ReadingDate) + " и " +
           dayOf(last.service.readingDate);
}

}  // namespace forms
