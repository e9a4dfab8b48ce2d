#pragma once
// Civil dates as day numbers, for the working days of the simulated crane.

namespace sample {

struct CivilDate {
    int day = 1;
    int month = 1;
    int year = 2000;
};

// Days since 01.01.1970 (negative before it).
int dayNumber(const CivilDate& date);
CivilDate dateOf(int dayNumber);
// 0 Monday ... 6 Sunday.
int weekday(int dayNumber);
// The first Monday-to-Friday day at or after dayNumber.
int workingDayFrom(int dayNumber);

}  // namespace sample
