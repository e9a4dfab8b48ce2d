#include "fileio/device_name.h"

#include <array>
#include <cctype>

namespace fileio {

namespace {

bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

bool isDeviceName(std::string_view fileName) {
    // Windows reads only what stands before the first dot, trailing spaces dropped.
    std::string_view stem = fileName.substr(0, fileName.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    static constexpr std::array<std::string_view, 6> kPlain = {"CON", "PRN",    "AUX",
                                                               "NUL", "CONIN$", "CONOUT$"};
    for (std::string_view device : kPlain)
        if (sameLetters(stem, device)) return true;
    if (stem.size() != 4 || !std::isdigit(static_cast<unsigned char>(stem[3]))) return false;
    return sameLetters(stem.substr(0, 3), "COM") || sameLetters(stem.substr(0, 3), "LPT");
}

}  // namespace fileio
