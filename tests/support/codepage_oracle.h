#pragma once
// The system's own conversion between code pages, as the oracle the tests hold
// the program's code-page tables against: glibc's iconv on POSIX, Windows'
// MultiByteToWideChar/WideCharToMultiByte there.

#include <optional>
#include <string>

namespace test_support {

// The code pages by their Windows numbers.
inline constexpr int kUtf8 = 65001;
inline constexpr int kCp1251 = 1251;
inline constexpr int kCp866 = 866;

// bytes of page `from` in page `to`; nothing when the system has no character
// for them in `to` (or `from` leaves them undefined).
std::optional<std::string> systemConversion(int to, int from, const std::string& bytes);

}  // namespace test_support
