#include "cli/terminal_text.h"

namespace cli {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the UTF-8 character at text[at] and its code point; 0 when the
// bytes there are not one (a stray continuation byte, a cut or overlong form,
// a surrogate, beyond U+10FFFF).
std::size_t decodeOne(std::string_view text, std::size_t at, char32_t& point) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        min = 0x10000;
    } else {
        return 0;
    }
    point = lead & (0x7F >> length);
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        point = (point << 6) | (byte(i) & 0x3F);
    }
    if (point < min || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return 0;
    return length;
}

bool isControl(char32_t point) {
    return point < 0x20 || (point >= 0x7F && point <= 0x9F) || point == 0x200E || point == 0x200F ||
           (point >= 0x202A && point <= 0x202E) || (point >= 0x2066 && point <= 0x2069);
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t point = 0;
        const std::size_t length = decodeOne(text, at, point);
        if (length == 0 || isControl(point))
            out += kReplacement;
        else
            out.append(text.substr(at, length));
        at += length == 0 ? 1 : length;
    }
    return out;
}

std::string terminalLines(std::string_view text) {
    std::string shown;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        shown += terminalText(text.substr(start, end - start));
        if (end == std::string_view::npos) return shown;
        shown += '\n';
        start = end + 1;
    }
}

}  // namespace cli
