#include "oem_codepage.h"

#include <array>

#include "win1251.h"

namespace RepoRTF_interface::detail {

namespace {

// CP866 bytes 0xB0 to 0xDF (box drawing) and 0xF0 to 0xFF as Unicode; 0x80 to 0xAF
// are А to п and 0xE0 to 0xEF р to я.
constexpr std::array<char16_t, 48> kBox = {
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
};
constexpr std::array<char16_t, 16> kTail = {
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,  // F8
};

char32_t OemToUnicode(unsigned char b) {
    if (b < 0x80) return b;
    if (b < 0xB0) return 0x0410 + (b - 0x80);
    if (b < 0xE0) return kBox[b - 0xB0];
    if (b < 0xF0) return 0x0440 + (b - 0xE0);
    return kTail[b - 0xF0];
}

// A look-alike for a character CP1251 lacks.
unsigned char Substitute(char32_t c) {
    switch (c) {
        case 0x2500:
        case 0x2550:
            return '-';
        case 0x2502:
        case 0x2551:
            return '|';
        case 0x2219:
            return 0xB7;
        default:
            break;
    }
    if (c >= 0x2500 && c <= 0x257F) return '+';
    return '?';
}

struct Table {
    std::array<unsigned char, 256> bytes{};
    Table() {
        for (unsigned b = 0; b < 256; ++b) {
            char32_t c = OemToUnicode(static_cast<unsigned char>(b));
            auto ansi = UnicodeToWin1251(c);
            bytes[b] = ansi ? *ansi : Substitute(c);
        }
    }
};

const Table& OemTable() {
    static const Table table;
    return table;
}

}  // namespace

unsigned char OemToAnsi(unsigned char oem) {
    return OemTable().bytes[oem];
}

void OemToAnsiInPlace(std::string& text) {
    const Table& table = OemTable();
    for (char& c : text) c = static_cast<char>(table.bytes[static_cast<unsigned char>(c)]);
}

}  // namespace RepoRTF_interface::detail
