#include "recorder/field_text.h"

namespace recorder {

std::string hex2(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

std::string bitString(std::uint8_t byte) {
    std::string out(8, '0');
    for (int bit = 0; bit < 8; ++bit)
        if (byte & (1u << bit)) out[static_cast<std::size_t>(7 - bit)] = '1';
    return out;
}

std::string bcdTriple(std::uint8_t a, std::uint8_t b, std::uint8_t c, char separator) {
    std::string out = hex2(a);
    out.push_back(separator);
    out += hex2(b);
    out.push_back(separator);
    out += hex2(c);
    return out;
}

}  // namespace recorder
