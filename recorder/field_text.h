#pragma once
// The texts of raw fields as the decoded records hold them: BCD dates and
// times, bit patterns, hexadecimal bytes.

#include <cstdint>
#include <string>

namespace recorder {

// Two upper-case hexadecimal digits of a byte: a BCD byte shows its decimal digits.
std::string hex2(std::uint8_t byte);

// Eight '0'/'1' characters, bit 7 first.
std::string bitString(std::uint8_t byte);

// DD.MM.YY (or HH:MM:SS with ':') from three BCD bytes in display order.
std::string bcdTriple(std::uint8_t a, std::uint8_t b, std::uint8_t c, char separator);

}  // namespace recorder
