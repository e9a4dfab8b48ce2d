// The Windows-1251 code page: the byte of a Unicode character and back, and
// UTF-8 text converted to it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace RepoRTF_interface::detail {

// The Unicode character of a Windows-1251 byte; nothing for the one unassigned
// byte (0x98).
std::optional<char32_t> Win1251ToUnicode(unsigned char byte);

// The Windows-1251 byte of a Unicode character; nothing when the code page lacks it.
std::optional<unsigned char> UnicodeToWin1251(char32_t c);

// UTF-8 text in Windows-1251. A character the code page lacks, and every byte of a
// malformed sequence, becomes "?".
std::string Utf8ToWin1251(std::string_view utf8);

}  // namespace RepoRTF_interface::detail
