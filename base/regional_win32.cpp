#include <windows.h>

#include "base/regional.h"

namespace base {

// The separator set in the user's Region settings. The C runtime's locale
// follows the system's language, not the user's number format, so it is read
// from Windows itself.
char userDecimalSeparator() {
    wchar_t text[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, text, 8);
    // The length counts the terminating zero: a single character gives 2.
    if (length == 2 && (text[0] == L',' || text[0] == L'.')) return static_cast<char>(text[0]);
    return '.';
}

}  // namespace base
