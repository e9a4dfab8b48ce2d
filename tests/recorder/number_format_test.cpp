// Number and time texts of the displays.

#include <gtest/gtest.h>

#include <cstdint>

#include "recorder/number_format.h"

namespace {

using recorder::formatFixed;
using recorder::formatHms;

TEST(FormatFixed, DigitsSeparatorAndSign) {
    EXPECT_EQ(formatFixed(12.3, 2, ','), "12,30");
    EXPECT_EQ(formatFixed(0.5, 2, ','), "0,50");
    EXPECT_EQ(formatFixed(-0.01f, 2, ','), "-0,01");
    EXPECT_EQ(formatFixed(1234.5, 2, ','), "1234,50");
    EXPECT_EQ(formatFixed(1234.56, 1, ','), "1234,6");
    EXPECT_EQ(formatFixed(0.07, 1, '.'), "0.1");
    EXPECT_EQ(formatFixed(0, 1, ','), "0,0");
    EXPECT_EQ(formatFixed(0.125f, 3, ','), "0,125");
    EXPECT_EQ(formatFixed(1e7, 2, '.'), "10000000.00");
    EXPECT_EQ(formatFixed(123456789.0, 0, '.'), "123456789");
}

TEST(FormatFixed, RoundsHalfAwayFromZeroOnTheDecimalDigits) {
    EXPECT_EQ(formatFixed(0.285, 2, '.'), "0.29");  // binary 0.28499999...
    EXPECT_EQ(formatFixed(0.125, 2, '.'), "0.13");
    EXPECT_EQ(formatFixed(-0.125, 2, '.'), "-0.13");
    EXPECT_EQ(formatFixed(9.995, 2, '.'), "10.00");
    EXPECT_EQ(formatFixed(0.006, 2, '.'), "0.01");
    EXPECT_EQ(formatFixed(0.004, 2, '.'), "0.00");
    EXPECT_EQ(formatFixed(-0.004, 2, '.'), "0.00");  // no "-0.00"
    EXPECT_EQ(formatFixed(0.0000001, 3, '.'), "0.000");
    EXPECT_EQ(formatFixed(99.96, 1, '.'), "100.0");
}

TEST(FormatHms, HoursUnpaddedMinutesAndSecondsTwoDigits) {
    EXPECT_EQ(formatHms(0), "0:00:00");
    EXPECT_EQ(formatHms(59), "0:00:59");
    EXPECT_EQ(formatHms(61), "0:01:01");
    EXPECT_EQ(formatHms(3600), "1:00:00");
    EXPECT_EQ(formatHms(359999), "99:59:59");
    EXPECT_EQ(formatHms(360000), "100:00:00");
    EXPECT_EQ(formatHms(90 * 60), "1:30:00");
    EXPECT_EQ(formatHms(INT32_MAX), "596523:14:07");
}

TEST(FormatHms, NegativeCountsKeepTheirSign) {
    EXPECT_EQ(formatHms(-100), "-0:01:40");
    EXPECT_EQ(formatHms(-1), "-0:00:01");
    EXPECT_EQ(formatHms(INT32_MIN), "-596523:14:08");
    EXPECT_EQ(formatHms(INT64_MIN), "-2562047788015215:30:08");
}

TEST(RecordTexts, HexDigitsAndBitStrings) {
    EXPECT_EQ(recorder::bcdTriple(0x28, 0x11, 0x06, '.'), "28.11.06");
    EXPECT_EQ(recorder::bcdTriple(0x14, 0x05, 0x59, ':'), "14:05:59");
    EXPECT_EQ(recorder::bcdTriple(0xAB, 0x0F, 0xFF, '.'), "AB.0F.FF");  // not BCD: hex digits
    EXPECT_EQ(recorder::bitString(0x91), "10010001");
    EXPECT_EQ(recorder::bitString(0x01), "00000001");
    EXPECT_EQ(recorder::bitString(0x80), "10000000");
}

}  // namespace
