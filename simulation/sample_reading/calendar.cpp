#include "simulation/sample_reading/calendar.h"

#include "base/local_time.h"

namespace sample {

int dayNumber(const CivilDate& date) {
    return recorder::daysFromCivil(date.year, date.month, date.day);
}

CivilDate dateOf(int n) {
    const recorder::CivilDay d = recorder::civilFromDays(n);
    return CivilDate{d.day, d.month, d.year};
}

int weekday(int n) {
    return ((n % 7) + 7 + 3) % 7;
}  // 01.01.1970 was a Thursday

int workingDayFrom(int n) {
    while (weekday(n) >= 5) ++n;
    return n;
}

}  // namespace sample
