#pragma once
// Remaining design life of a crane from its archived readings: how much of the
// normative characteristic number is used, how fast it is being used, and the day
// it will be reached. Pure arithmetic over numbers and day counts, without Qt, so
// the window, `litm archive` and the tests share one result.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/local_time.h"

namespace archive {

using recorder::CivilDay;
using recorder::civilFromDays;
using recorder::daysFromCivil;

// A reading date as the trailer stores it, "dd.mm.yyyy hh:mm" (the time may be
// missing): minutes since 01.01.1970, or nothing for a text that is not a date.
std::optional<std::int64_t> parseReadingDate(const std::string& text);
// "yyyy-mm-dd hh:mm" for minutes since 01.01.1970: sorts as text in date order.
std::string isoMinuteText(std::int64_t minutes);
// "dd.mm.yyyy" of a day number.
std::string dayText(int days);

// The recorder's installation date, three BCD bytes day, month, two-digit year:
// the day number, or nothing when the bytes are not a date.
std::optional<int> installationDay(const std::array<std::uint8_t, 3>& bcd);

// One archived reading of a crane.
struct LifePoint {
    std::int64_t minutes = 0;  // reading date and time, minutes since 01.01.1970
    double characteristicNumber = 0;
};

enum class LifeMethod {
    LeastSquares,       // rate fitted over two or more readings
    SinceInstallation,  // one reading: from the installation date to the reading
    NoNormative,        // the programmed group has no normative number
    Falling,            // the number went down between readings: a recorder replaced
    NoRate,             // no growth, or no dates to measure it over
    Reached,            // the normative number is already reached
};

struct DesignLife {
    LifeMethod method = LifeMethod::NoRate;
    double current = 0;               // characteristic number of the latest reading
    double normative = 0;             // 0: none
    std::optional<double> usedShare;  // current / normative
    double ratePerDay = 0;            // characteristic number per day
    std::optional<int> projectedDay;  // day number the normative number is reached
};

// Points in any order; readings without a date are left out before calling.
DesignLife computeDesignLife(std::vector<LifePoint> points, double normative,
                             std::optional<int> installDay);

// Short machine key of a method ("least-squares", …) and its Russian caption.
const char* methodKey(LifeMethod method);
std::string methodCaption(const DesignLife& life, std::size_t readings);

}  // namespace archive
