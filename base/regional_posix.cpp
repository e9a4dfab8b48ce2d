#include <clocale>
#include <string>

#include "base/regional.h"

namespace base {

// The environment's numeric locale (LC_ALL, LC_NUMERIC, LANG), read once and
// put back: the rest of the program formats numbers in the "C" locale.
char userDecimalSeparator() {
    const char* current = std::setlocale(LC_NUMERIC, nullptr);
    const std::string previous = current ? current : "C";
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const char* point = std::localeconv()->decimal_point;
        if (point && (point[0] == ',' || point[0] == '.') && point[1] == '\0') separator = point[0];
    }
    std::setlocale(LC_NUMERIC, previous.c_str());
    return separator;
}

}  // namespace base
