// The OEM (CP866) to Windows-1251 conversion of data lines against the system's.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "rtf/detail/oem_codepage.h"
#include "tests/support/codepage_oracle.h"

namespace {

using namespace RepoRTF_interface::detail;

TEST(RtfCodePages, Cp866ToCp1251MatchesTheSystem) {
    int substituted = 0;
    for (unsigned b = 0; b < 256; ++b) {
        std::string in(1, static_cast<char>(b));
        auto expected =
            test_support::systemConversion(test_support::kCp1251, test_support::kCp866, in);
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
