#pragma once
// The current local date and time, for the reading date, proposed file names
// and report dates, and civil dates as day numbers. Its own library so the
// report engine and the archive's arithmetic can use it without the recorder.

#include <ctime>

namespace recorder {

std::tm localNow();

// Days since 01.01.1970 of a civil date (proleptic Gregorian; negative before it).
int daysFromCivil(int year, int month, int day);
struct CivilDay {
    int year = 1970, month = 1, day = 1;
};
CivilDay civilFromDays(int days);

}  // namespace recorder
