#pragma once
// Single-byte Cyrillic code pages of the recorder world.
//
// The recorder and the data file hold Windows-1251 texts; report data files in
// the OEM code page hold CP866. Inside the program every text is UTF-8; these
// conversions are the only place where bytes meet characters.

#include <cstdint>
#include <string>
#include <string_view>

namespace recorder {

enum class CodePage { Cp1251, Cp866 };

// Unicode code point of one byte of the code page (U+FFFD for a byte the page leaves undefined).
char32_t codePointOf(CodePage page, std::uint8_t byte);

// The byte of the code page that holds a code point, or -1 when the page lacks it.
int byteFor(CodePage page, char32_t cp);

// Bytes of the code page to UTF-8.
std::string toUtf8(CodePage page, std::string_view bytes);

// UTF-8 to bytes of the code page; characters the page cannot hold become '?'.
// Malformed UTF-8 (bad or truncated sequences, overlong forms, surrogates) gives
// one '?' per byte.
std::string fromUtf8(CodePage page, std::string_view utf8);

inline std::string cp1251ToUtf8(std::string_view bytes) {
    return toUtf8(CodePage::Cp1251, bytes);
}
inline std::string utf8ToCp1251(std::string_view utf8) {
    return fromUtf8(CodePage::Cp1251, utf8);
}

// Appends the UTF-8 form of one code point.
void appendUtf8(std::string& out, char32_t cp);

}  // namespace recorder
