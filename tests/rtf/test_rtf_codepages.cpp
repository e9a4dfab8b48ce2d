// The engine's own code page tables against glibc's iconv, byte for byte.
#include <gtest/gtest.h>

#include <iconv.h>

#include <optional>
#include <string>

#include "rtf/oem_codepage.h"
#include "rtf/win1251.h"

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

std::string Utf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

TEST(RtfCodePages, Win1251MatchesIconvBothWays) {
    for (unsigned b = 0; b < 256; ++b) {
        auto expected = Iconv("UTF-8", "CP1251", std::string(1, static_cast<char>(b)));
        auto ours = Win1251ToUnicode(static_cast<unsigned char>(b));
        ASSERT_EQ(expected.has_value(), ours.has_value()) << "byte " << b;
        if (!ours) continue;
        EXPECT_EQ(Utf8(*ours), *expected) << "byte " << b;
        EXPECT_EQ(Utf8ToWin1251(*expected), std::string(1, static_cast<char>(b))) << "byte " << b;
    }
}

TEST(RtfCodePages, Utf8ToWin1251ReplacesWhatItCannotWrite) {
    EXPECT_EQ(Utf8ToWin1251("Кран №5 «А»"),
              "\xCA\xF0\xE0\xED \xB9"
              "5 \xAB\xC0\xBB");
    EXPECT_EQ(Utf8ToWin1251("a\xE2\x82\xAC"
                            "b"),
              "a\x88"
              "b");                                                      // the euro sign
    EXPECT_EQ(Utf8ToWin1251("\xE4\xB8\xAD|\xF0\x9F\x98\x80"), "?|?");    // not in the code page
    EXPECT_EQ(Utf8ToWin1251("\xC0\xAF|\xD0|\xED\xA0\x80"), "??|?|???");  // malformed
}

TEST(RtfCodePages, Cp866ToCp1251MatchesIconv) {
    int substituted = 0;
    for (unsigned b = 0; b < 256; ++b) {
        std::string in(1, static_cast<char>(b));
        auto expected = Iconv("CP1251", "CP866", in);
        unsigned char ours = OemToAnsi(static_cast<unsigned char>(b));
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
    EXPECT_EQ(OemToAnsi(0x80), 0xC0);  // А
    EXPECT_EQ(OemToAnsi(0xC4), '-');   // ─
    EXPECT_EQ(OemToAnsi(0xBA), '|');   // ║
    EXPECT_EQ(OemToAnsi(0xC5), '+');   // ┼
    EXPECT_EQ(OemToAnsi(0xDB), '?');   // █
}

}  // namespace
