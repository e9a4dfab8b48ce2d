#pragma once
// Number and time texts as the displays show them. The texts of raw fields
// (BCD dates, bits, hexadecimal bytes) are the decoders' and in field_text.h.

#include <cstdint>
#include <string>

#include "recorder/field_text.h"

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

}  // namespace recorder
