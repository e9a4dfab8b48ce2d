// A fixed local moment, for tests whose output shows the date or the time.
#pragma once

#include <ctime>

namespace test_support {

inline std::tm localTime(int year, int month, int day, int hour = 0, int minute = 0) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    return t;
}

}  // namespace test_support
