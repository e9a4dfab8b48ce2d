#include "recorder/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace recorder {

std::string formatFixed(double value, int decimals, char decimalSeparator) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";

    // Fifteen significant digits, then decimal rounding on those digits.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;

    // digits[k] has weight 10^(exponent - k). Keep those with weight >= 10^-decimals.
    const int keep = exponent + 1 + decimals;  // number of digits kept
    std::string kept;
    bool roundUp = false;
    if (keep >= 0) {
        kept = digits.substr(0, static_cast<std::size_t>(std::min<int>(keep, 15)));
        while (static_cast<int>(kept.size()) < keep) kept.push_back('0');
        roundUp = keep < 15 && digits[static_cast<std::size_t>(keep)] >= '5';
    }
    int integerDigits = exponent + 1;  // digits of `kept` before the decimal point
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0; --i) {
            if (kept[static_cast<std::size_t>(i)] == '9') {
                kept[static_cast<std::size_t>(i)] = '0';
            } else {
                ++kept[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0) {
            kept.insert(kept.begin(), '1');
            ++integerDigits;
        }
    }
    // Left-pad with zeros so there is at least one integer digit.
    while (integerDigits < 1) {
        kept.insert(kept.begin(), '0');
        ++integerDigits;
    }
    while (static_cast<int>(kept.size()) < integerDigits + decimals) kept.push_back('0');

    std::string out = kept.substr(0, static_cast<std::size_t>(integerDigits));
    if (decimals > 0) {
        out.push_back(decimalSeparator);
        out += kept.substr(static_cast<std::size_t>(integerDigits),
                           static_cast<std::size_t>(decimals));
    }
    bool allZero = true;
    for (char c : kept)
        if (c != '0') allZero = false;
    if (value < 0 && !allZero) out.insert(out.begin(), '-');
    return out;
}

std::string formatHms(std::int64_t seconds) {
    const bool negative = seconds < 0;
    const std::uint64_t s = negative ? static_cast<std::uint64_t>(-(seconds + 1)) + 1
                                     : static_cast<std::uint64_t>(seconds);
    const std::uint64_t hours = s / 3600;
    const std::uint64_t minutes = s / 60 - 60 * hours;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%s%llu:%02llu:%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(hours), static_cast<unsigned long long>(minutes),
                  static_cast<unsigned long long>(s % 60));
    return buffer;
}

}  // namespace recorder
