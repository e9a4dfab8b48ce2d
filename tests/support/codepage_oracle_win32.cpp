#include <windows.h>

#include "tests/support/codepage_oracle.h"

namespace test_support {

// Through UTF-16. Windows' tables give a byte that the page leaves undefined
// (0x98 of Windows-1251) the C1 control of the same number, where iconv
// refuses it: such a control counts as no character.
std::optional<std::string> systemConversion(int to, int from, const std::string& bytes) {
    const int size = static_cast<int>(bytes.size());
    const auto fromPage = static_cast<UINT>(from);
    const auto toPage = static_cast<UINT>(to);
    const int wideLength =
        MultiByteToWideChar(fromPage, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(fromPage, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(),
                        wideLength);
    if (from != kUtf8)
        for (const wchar_t c : wide)
            if (c >= 0x80 && c <= 0x9F) return std::nullopt;
    BOOL defaulted = FALSE;
    BOOL* usedDefault = to == kUtf8 ? nullptr : &defaulted;
    const DWORD flags = to == kUtf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    char out[64];
    const int length = WideCharToMultiByte(toPage, flags, wide.data(), wideLength, out, sizeof out,
                                           nullptr, usedDefault);
    if (length <= 0 || defaulted) return std::nullopt;
    return std::string(out, static_cast<std::size_t>(length));
}

}  // namespace test_support
