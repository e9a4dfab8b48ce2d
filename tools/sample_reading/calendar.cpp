#include "tools/sample_reading/calendar.h"

namespace sample {

// Proleptic Gregorian day counting with March as the first month of the year,
// which puts the leap day at the end of the counting year.
int dayNumber(const CivilDate& date) {
    const int y = date.year - (date.month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yearOfEra = y - era * 400;
    const int m = date.month > 2 ? date.month - 3 : date.month + 9;
    const int dayOfYear = (153 * m + 2) / 5 + date.day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate dateOf(int n) {
    const int z = n + 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int dayOfEra = z - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int m = (5 * dayOfYear + 2) / 153;
    CivilDate d;
    d.day = dayOfYear - (153 * m + 2) / 5 + 1;
    d.month = m < 10 ? m + 3 : m - 9;
    d.year = yearOfEra + era * 400 + (d.month <= 2 ? 1 : 0);
    return d;
}

int weekday(int n) {
    return ((n % 7) + 7 + 3) % 7;
}  // 01.01.1970 was a Thursday

int workingDayFrom(int n) {
    while (weekday(n) >= 5) ++n;
    return n;
}

}  // namespace sample
