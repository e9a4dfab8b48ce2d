// The OEM (CP866) to Windows-1251 conversion of data lines against glibc's iconv.
#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

#include "rtf/detail/oem_codepage.h"

namespace {

using namespace RepoRTF_interface::detail;

// Converts one character with iconv; nothing when iconv refuses it.
std::optional<std::string> Iconv(const char* to, const char* from, const std::string& in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string input = in;
    char out[16];
    char* inPtr = input.data();
    char* outPtr = out;
    std::size_t inLeft = input.size(), outLeft = sizeof out;
    std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1)) return std::nullopt;
    return std::string(out, outPtr);
}

TEST(RtfCodePages, Cp866ToCp1251MatchesIconv) {
    int substituted = 0;
    for (unsigned b = 0; b < 256; ++b) {
        std::string in(1, static_cast<char>(b));
        auto expected = Iconv("CP1251", "CP866", in);
        unsigned char ours = oemToAnsi(static_cast<unsigned char>(b));
        if (expected) {
            EXPECT_EQ(std::string(1, static_cast<char>(ours)), *expected) << "byte " << b;
        } else {
            // Characters CP1251 lacks: box drawing and a few signs get a look-alike.
            ++substituted;
            EXPECT_TRUE(ours == '+' || ours == '-' || ours == '|' || ours == '?' || ours == 0xB7)
                << "byte " << b;
        }
    }
    EXPECT_EQ(substituted, 51);
    EXPECT_EQ(oemToAnsi(0x80), 0xC0);  // А
    EXPECT_EQ(oemToAnsi(0xC4), '-');   // ─
    EXPECT_EQ(oemToAnsi(0xBA), '|');   // ║
    EXPECT_EQ(oemToAnsi(0xC5), '+');   // ┼
    EXPECT_EQ(oemToAnsi(0xDB), '?');   // █
}

}  // namespace
