#include "base/local_time.h"

namespace recorder {

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm result{};
#if defined(_WIN32)
    localtime_s(&result, &t);
#else
    localtime_r(&t, &result);
#endif
    return result;
}

int daysFromCivil(int year, int month, int day) {
    // Days from civil, counted in 400-year eras that start on 1 March.
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDay civilFromDays(int days) {
    days += 719468;
    const int era = (days >= 0 ? days : days - 146096) / 146097;
    const int dayOfEra = days - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int mp = (5 * dayOfYear + 2) / 153;
    CivilDay out;
    out.day = dayOfYear - (153 * mp + 2) / 5 + 1;
    out.month = mp < 10 ? mp + 3 : mp - 9;
    out.year = yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0);
    return out;
}

}  // namespace recorder
