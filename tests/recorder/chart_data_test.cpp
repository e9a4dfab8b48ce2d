// What the charts draw: one point per loaded frame, date marks only at changes
// between good frames, and the limit marks in their drawing order.

#include <gtest/gtest.h>

#include "fixture.h"
#include "recorder/chart_data.h"

namespace {

using recorder::DateMark;

// Frames 0..9 of 28.11.06, 10..20 of 29.11.06, all good; the rest erased.
sample::ImageBuilder twoDays() {
    auto b = testing_support::consistentImage(33);
    for (std::size_t slot = 0; slot <= 20; ++slot) {
        sample::FrameFields f;
        f.at(slot < 10 ? 28 : 29, 11, 6, 9, 0, 0);
        f.loadPercent = static_cast<std::uint8_t>(slot);
        f.loadMass = static_cast<std::int16_t>(slot * 100);
        b.setFrame(slot, f);
    }
    return b;
}

TEST(ParameterChart, OnePointPerLoadedFrameWhateverItsStatus) {
    const auto r = testing_support::loadFixed(twoDays());
    const auto d = recorder::parameterChartData(r);
    ASSERT_EQ(d.loadPercent.size(), 7293u);
    EXPECT_EQ(d.limit100.size(), 7293u);
    EXPECT_EQ(d.axis.size(), 7293u);
    EXPECT_DOUBLE_EQ(d.loadPercent[15].y, 15);
    EXPECT_DOUBLE_EQ(d.loadMass[15].y, 15);
    EXPECT_DOUBLE_EQ(d.limit100[7000].x, 7000);
    EXPECT_DOUBLE_EQ(d.limit100[7000].y, 100);
}

TEST(ParameterChart, DateMarksAtChangesBetweenGoodFramesOnly) {
    // Frames 21.. are zero bytes: "Брак" with the date 00.00.00, so no mark there.
    auto d = recorder::parameterChartData(testing_support::loadFixed(twoDays()));
    ASSERT_EQ(d.dateMarks.size(), 1u);
    EXPECT_EQ(d.dateMarks[0].x, 10);
    EXPECT_EQ(d.dateMarks[0].label, "29.11.06");

    // A bad frame of another date between two good frames of one date: no mark.
    auto b = testing_support::consistentImage(33);
    for (std::size_t slot = 0; slot < 3; ++slot) {
        sample::FrameFields f;
        f.at(slot == 1 ? 1 : 28, slot == 1 ? 1 : 11, slot == 1 ? 0 : 6, 0, 0, 0);
        if (slot == 1) f.checkByte = 0;
        b.setFrame(slot, f);
    }
    d = recorder::parameterChartData(testing_support::loadFixed(b));
    EXPECT_TRUE(d.dateMarks.empty());
}

TEST(ProtectionChart, EnteredThenTriggeredMarksPerLevel) {
    auto b = testing_support::consistentImage(33);
    for (std::size_t slot = 100; slot <= 120; ++slot) {
        sample::FrameFields f;
        f.limits = 0x11;  // "00010001": wall entered and triggered
        b.setFrame(slot, f);
    }
    sample::FrameFields right;
    right.limits = 0x88;  // "10001000": turn to the right entered and triggered
    b.setFrame(200, right);
    sample::FrameFields ceiling;
    ceiling.limits = 0x20;  // ceiling triggered only
    b.setFrame(201, ceiling);
    const auto d = recorder::protectionChartData(testing_support::loadFixed(b));
    ASSERT_EQ(d.limits[0].size(), 42u);
    EXPECT_EQ(d.limits[0][0].x, 100);
    EXPECT_FALSE(d.limits[0][0].triggered);
    EXPECT_TRUE(d.limits[0][1].triggered);
    EXPECT_EQ(d.limits[0][41].x, 120);
    ASSERT_EQ(d.limits[1].size(), 1u);
    EXPECT_TRUE(d.limits[1][0].triggered);
    EXPECT_TRUE(d.limits[2].empty());
    ASSERT_EQ(d.limits[3].size(), 2u);
    EXPECT_EQ(d.limits[3][0].x, 200);
    EXPECT_EQ(d.axis.size(), 7293u);
}

TEST(ParameterChart, TitleFromTheShownIdentification) {
    auto b = testing_support::consistentImage(33);
    b.setBankText(0, recorder::bank::kCraneModel, 15, "КС-45717");
    b.setBankI16(0, recorder::bank::kCraneNumber, 312);
    b.setBankText(0, recorder::bank::kSerialNumber, 8, "1187");
    EXPECT_EQ(
        recorder::parameterChartTitle(testing_support::loadFixed(b)),
        "График параметров работы крана КС-45717 №312 по данным РП ТИРС-48 №1187 (по кадрам)");
}

}  // namespace
