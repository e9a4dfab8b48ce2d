#include <iconv.h>

#include "tests/support/codepage_oracle.h"

namespace test_support {
namespace {

const char* iconvName(int page) {
    return page == kUtf8 ? "UTF-8" : page == kCp1251 ? "CP1251" : "CP866";
}

}  // namespace

std::optional<std::string> systemConversion(int to, int from, const std::string& bytes) {
    iconv_t cd = iconv_open(iconvName(to), iconvName(from));
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input = bytes;
    char out[64];
    char* inPtr = input.data();
    char* outPtr = out;
    std::size_t inLeft = input.size(), outLeft = sizeof out;
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, outPtr);
}

}  // namespace test_support
