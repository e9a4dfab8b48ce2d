#pragma once
// Number and time texts as the displays show them.

#include <cstdint>
#include <string>

namespace recorder {

// The decimal separator of the user's regional settings, passed in by the caller.
struct NumberFormat {
    char decimalSeparator = ',';
};

// "#0.0", "#0.00", "#0.000": at least one integer digit, exactly `decimals`
// decimals, no group separator. Rounds half away from zero on the value's first
// 15 significant digits, so 0.285 gives "0.29" as a person expects rather than
// the "0.28" its binary form would give.
std::string formatFixed(double value, int decimals, char decimalSeparator);
inline std::string formatFixed(double value, int decimals, const NumberFormat& format) {
    return formatFixed(value, decimals, format.decimalSeparator);
}

// Seconds as H:MM:SS, hours unpadded. A negative count (only a damaged bank gives
// one) is shown with a leading minus: -100 gives "-0:01:40".
std::string formatHms(std::int64_t seconds);

// Two upper-case hexadecimal digits of a byte: a BCD byte shows its decimal digits.
std::string hex2(std::uint8_t byte);

// Eight '0'/'1' characters, bit 7 first.
std::string bitString(std::uint8_t byte);

// DD.MM.YY (or HH:MM:SS with ':') from three BCD bytes in display order.
std::string bcdTriple(std::uint8_t a, std::uint8_t b, std::uint8_t c, char separator);

}  // namespace recorder
