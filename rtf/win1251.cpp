#include "win1251.h"

#include <algorithm>
#include <array>
#include <utility>

namespace RepoRTF_interface::detail {

namespace {

// Bytes 0x80 to 0xBF; 0xC0 to 0xFF are А to я in order. 0 marks the gap at 0x98.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// The high half sorted by character, for the way back.
struct Reverse {
    std::array<std::pair<char16_t, unsigned char>, 127> entries{};
    std::size_t size = 0;
    Reverse() {
        for (unsigned b = 0x80; b <= 0xFF; ++b) {
            auto c = Win1251ToUnicode(static_cast<unsigned char>(b));
            if (c) entries[size++] = {static_cast<char16_t>(*c), static_cast<unsigned char>(b)};
        }
        std::sort(entries.begin(), entries.begin() + size);
    }
};

const Reverse& ReverseTable() {
    static const Reverse table;
    return table;
}

}  // namespace

std::optional<char32_t> Win1251ToUnicode(unsigned char byte) {
    if (byte < 0x80) return byte;
    if (byte >= 0xC0) return char32_t(0x0410 + (byte - 0xC0));
    char16_t c = kHigh[byte - 0x80];
    if (c == 0) return std::nullopt;
    return c;
}

std::optional<unsigned char> UnicodeToWin1251(char32_t c) {
    if (c < 0x80) return static_cast<unsigned char>(c);
    if (c > 0xFFFF) return std::nullopt;
    const Reverse& r = ReverseTable();
    auto end = r.entries.begin() + r.size;
    auto it = std::lower_bound(r.entries.begin(), end,
                               std::pair<char16_t, unsigned char>(static_cast<char16_t>(c), 0));
    if (it == end || it->first != c) return std::nullopt;
    return it->second;
}

std::string Utf8ToWin1251(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        unsigned char b = static_cast<unsigned char>(utf8[i]);
        std::size_t length = b < 0x80           ? 1
                             : (b >> 5) == 0x6  ? 2
                             : (b >> 4) == 0xE  ? 3
                             : (b >> 3) == 0x1E ? 4
                                                : 0;
        char32_t c = 0;
        bool valid = length != 0 && i + length <= utf8.size();
        if (valid) {
            c = length == 1 ? b : length == 2 ? (b & 0x1F) : length == 3 ? (b & 0x0F) : (b & 0x07);
            for (std::size_t k = 1; k < length && valid; ++k) {
                unsigned char t = static_cast<unsigned char>(utf8[i + k]);
                valid = (t & 0xC0) == 0x80;
                c = (c << 6) | (t & 0x3F);
            }
            // Overlong forms and surrogates are malformed.
            static constexpr char32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
            valid = valid && c >= kMin[length] && c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF);
        }
        if (!valid) {
            out.push_back('?');
            ++i;
            continue;
        }
        auto byte = UnicodeToWin1251(c);
        out.push_back(byte ? static_cast<char>(*byte) : '?');
        i += length;
    }
    return out;
}

}  // namespace RepoRTF_interface::detail
