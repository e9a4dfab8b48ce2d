#include "rtf/detail/oem_codepage.h"

#include <array>
#include <cstdint>

#include "base/codepage.h"

namespace RepoRTF_interface::detail {

namespace {

// A look-alike for a character CP1251 lacks.
unsigned char substitute(char32_t c) {
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
            const char32_t c =
                recorder::codePointOf(recorder::CodePage::Cp866, static_cast<std::uint8_t>(b));
            const int ansi = recorder::byteFor(recorder::CodePage::Cp1251, c);
            bytes[b] = ansi >= 0 ? static_cast<unsigned char>(ansi) : substitute(c);
        }
    }
};

const Table& oemTable() {
    static const Table table;
    return table;
}

}  // namespace

unsigned char oemToAnsi(unsigned char oem) {
    return oemTable().bytes[oem];
}

void oemToAnsiInPlace(std::string& text) {
    const Table& table = oemTable();
    for (char& c : text) c = static_cast<char>(table.bytes[static_cast<unsigned char>(c)]);
}

}  // namespace RepoRTF_interface::detail
