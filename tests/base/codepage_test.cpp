// The code page tables against the system's own conversion, byte for byte.

#include <gtest/gtest.h>

#include <string>

#include "base/codepage.h"
#include "tests/support/codepage_oracle.h"

namespace {

struct PageCase {
    recorder::CodePage page;
    int number;
    const char* name;
};

class CodePageTable : public ::testing::TestWithParam<PageCase> {};

TEST_P(CodePageTable, EveryByteMatchesTheSystemBothWays) {
    const auto [page, number, name] = GetParam();
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string expected =
            test_support::systemConversion(test_support::kUtf8, number, byte).value_or("");
        if (expected.empty()) {
            EXPECT_EQ(recorder::toUtf8(page, byte), "\xEF\xBF\xBD") << "byte " << b;
            continue;
        }
        EXPECT_EQ(recorder::toUtf8(page, byte), expected) << "byte " << b;
        EXPECT_EQ(recorder::fromUtf8(page, expected), byte) << "byte " << b;
    }
}

INSTANTIATE_TEST_SUITE_P(Pages, CodePageTable,
                         ::testing::Values(PageCase{recorder::CodePage::Cp1251, 1251, "CP1251"},
                                           PageCase{recorder::CodePage::Cp866, 866, "CP866"}),
                         [](const auto& p) { return std::string(p.param.name); });

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
