#pragma once
// File names are UTF-8 everywhere inside the program. A std::filesystem::path
// made from a std::string, or its string(), would use the ANSI code page on
// Windows and lose every character outside it; these two are the only way
// between the program's text and a path.

#include <filesystem>
#include <string>
#include <string_view>

namespace base {

inline std::filesystem::path pathFromUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace base
