// The code page tables against glibc's iconv, byte for byte.

#include <iconv.h>

#include <gtest/gtest.h>

#include <string>

#include "base/codepage.h"

namespace {

// The UTF-8 text of one byte as iconv converts it; empty when iconv refuses the byte.
std::string iconvUtf8(const char* page, unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", page);
    char in[1] = {static_cast<char>(byte)};
    char out[8] = {};
    char* inPtr = in;
    char* outPtr = out;
    std::size_t inLeft = 1, outLeft = sizeof out;
    const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (rc == static_cast<std::size_t>(-1)) return {};
    return std::string(out, outPtr);
}

struct PageCase {
    recorder::CodePage page;
    const char* iconvName;
};

class CodePageTable : public ::testing::TestWithParam<PageCase> {};

TEST_P(CodePageTable, EveryByteMatchesIconvBothWays) {
    const auto [page, name] = GetParam();
    for (int b = 0; b < 256; ++b) {
        const std::string expected = iconvUtf8(name, static_cast<unsigned char>(b));
        const std::string byte(1, static_cast<char>(b));
        if (expected.empty()) {
            EXPECT_EQ(recorder::toUtf8(page, byte), "\xEF\xBF\xBD") << "byte " << b;
            continue;
        }
        EXPECT_EQ(recorder::toUtf8(page, byte), expected) << "byte " << b;
        EXPECT_EQ(recorder::fromUtf8(page, expected), byte) << "byte " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, CodePageTable,
                         ::testing::Values(PageCase{recorder::CodePage::Cp1251, "CP1251"},
                                           PageCase{recorder::CodePage::Cp866, "CP866"}),
                         [](const auto& p) { return std::string(p.param.iconvName); });

TEST(CodePage, UnmappableAndMalformedTextBecomesQuestionMarks) {
    EXPECT_EQ(recorder::utf8ToCp1251("Кран €"), "\xCA\xF0\xE0\xED \x88");
    EXPECT_EQ(recorder::utf8ToCp1251("日"), "?");
    EXPECT_EQ(recorder::utf8ToCp1251("a\xD0"), "a?");       // truncated sequence
    EXPECT_EQ(recorder::utf8ToCp1251("\xFF\xFEz"), "??z");  // invalid lead bytes
    // Overlong forms and surrogates are malformed too: one '?' per byte.
    EXPECT_EQ(recorder::utf8ToCp1251("\xC0\xAF|\xD0|\xED\xA0\x80"), "??|?|???");
    EXPECT_EQ(recorder::utf8ToCp1251("\xF4\x90\x80\x80"), "????");  // past U+10FFFF
}

}  // namespace
