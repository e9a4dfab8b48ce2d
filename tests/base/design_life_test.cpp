// Remaining design life on numbers and dates worked out by hand.

#include "base/design_life.h"

#include <gtest/gtest.h>

namespace archive {
namespace {

std::int64_t at(const char* text) {
    return *parseReadingDate(text);
}
int day(int d, int m, int y) {
    return daysFromCivil(y, m, d);
}

TEST(DesignLife, DatesOfReadingsAndInstallation) {
    EXPECT_EQ(daysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(daysFromCivil(2000, 3, 1), 11017);
    for (int d : {-1, 0, 11016, 11017, 20000, 400000}) {
        const CivilDay c = civilFromDays(d);
        EXPECT_EQ(daysFromCivil(c.year, c.month, c.day), d);
    }
    EXPECT_EQ(at("29.02.2024 23:59"), std::int64_t{day(29, 2, 2024)} * 1440 + 23 * 60 + 59);
    EXPECT_EQ(at("01.03.2025"), std::int64_t{day(1, 3, 2025)} * 1440);
    for (const char* bad : {"", "29.02.2023 10:00", "1.3.2025", "01.13.2025", "01.03.2025 24:00",
                            "01.03.2025 10", "xx.03.2025 10:00"})
        EXPECT_FALSE(parseReadingDate(bad)) << bad;
    EXPECT_EQ(isoMinuteText(at("05.07.2025 08:09")), "2025-07-05 08:09");
    EXPECT_EQ(dayText(day(5, 7, 2025)), "05.07.2025");

    EXPECT_EQ(installationDay({0x12, 0x03, 0x20}), day(12, 3, 2020));
    EXPECT_EQ(installationDay({0x31, 0x12, 0x99}), day(31, 12, 1999));
    EXPECT_FALSE(installationDay({0x31, 0x02, 0x20}));  // no 31 February
    EXPECT_FALSE(installationDay({0x1A, 0x03, 0x20}));  // not BCD
    EXPECT_FALSE(installationDay({0x00, 0x00, 0x00}));  // never set
}

TEST(DesignLife, LeastSquaresOverReadingsInAnyOrder) {
    // 1000 on 01.01.2025, 2000 on 11.04.2025 (100 days on), 3000 on 20.07.2025
    // (200 days): exactly 10 a day. 63000 - 3000 = 60000 left: 6000 days more.
    const DesignLife life = computeDesignLife({{at("11.04.2025 12:00"), 2000},
                                               {at("01.01.2025 12:00"), 1000},
                                               {at("20.07.2025 12:00"), 3000}},
                                              63000, day(1, 1, 2020));
    EXPECT_EQ(life.method, LifeMethod::LeastSquares);
    EXPECT_DOUBLE_EQ(life.current, 3000);
    ASSERT_TRUE(life.usedShare);
    EXPECT_NEAR(*life.usedShare, 3000.0 / 63000.0, 1e-12);
    EXPECT_NEAR(life.ratePerDay, 10.0, 1e-9);
    EXPECT_EQ(life.projectedDay, day(20, 7, 2025) + 6000);
    EXPECT_EQ(methodCaption(life, 3), "по 3 считываниям (МНК)");

    // Scattered points: the fitted slope, not the last difference. Days 0, 10, 20
    // with 100, 300, 400: dx -10, 0, 10; slope = (1666.7 + 1333.3) / 200 = 15.
    const DesignLife fitted = computeDesignLife(
        {{at("01.01.2025"), 100}, {at("11.01.2025"), 300}, {at("21.01.2025"), 400}}, 16000, {});
    EXPECT_NEAR(fitted.ratePerDay, 15.0, 1e-9);
    EXPECT_EQ(fitted.projectedDay, day(21, 1, 2025) + 1040);  // (16000-400)/15 = 1040
}

TEST(DesignLife, OneReadingMeasuresFromTheInstallation) {
    // Installed 01.01.2024, 3660 on 01.01.2025 (366 days, a leap year): 10 a day.
    const DesignLife life =
        computeDesignLife({{at("01.01.2025 00:00"), 3660}}, 8000, day(1, 1, 2024));
    EXPECT_EQ(life.method, LifeMethod::SinceInstallation);
    EXPECT_NEAR(life.ratePerDay, 10.0, 1e-9);
    EXPECT_EQ(life.projectedDay, day(1, 1, 2025) + 434);
    // Readings all at one moment give no slope: the installation date again.
    const DesignLife same = computeDesignLife(
        {{at("01.01.2025 00:00"), 3660}, {at("01.01.2025 00:00"), 3660}}, 8000, day(1, 1, 2024));
    EXPECT_EQ(same.method, LifeMethod::SinceInstallation);
    // No installation date, or one after the reading: no rate and no date.
    for (std::optional<int> installed :
         {std::optional<int>{}, std::optional<int>{day(2, 1, 2025)}}) {
        const DesignLife none = computeDesignLife({{at("01.01.2025"), 3660}}, 8000, installed);
        EXPECT_EQ(none.method, LifeMethod::NoRate);
        EXPECT_FALSE(none.projectedDay);
        ASSERT_TRUE(none.usedShare);  // the share is known all the same
    }
}

TEST(DesignLife, SaysWhyThereIsNoDate) {
    const std::vector<LifePoint> growing = {{at("01.01.2025"), 100}, {at("01.02.2025"), 200}};
    // A group outside the table: no normative number, no share, no date.
    const DesignLife none = computeDesignLife(growing, 0, {});
    EXPECT_EQ(none.method, LifeMethod::NoNormative);
    EXPECT_FALSE(none.usedShare);
    EXPECT_FALSE(none.projectedDay);
    // The number fell between readings: a recorder replaced; the later readings
    // cannot be extrapolated over the earlier ones.
    const DesignLife falling = computeDesignLife(
        {{at("01.01.2025"), 5000}, {at("01.02.2025"), 200}, {at("01.03.2025"), 400}}, 8000, {});
    EXPECT_EQ(falling.method, LifeMethod::Falling);
    EXPECT_FALSE(falling.projectedDay);
    EXPECT_DOUBLE_EQ(falling.current, 400);
    // Used up already.
    const DesignLife reached =
        computeDesignLife({{at("01.01.2025"), 7000}, {at("01.02.2025"), 8100}}, 8000, {});
    EXPECT_EQ(reached.method, LifeMethod::Reached);
    EXPECT_GT(*reached.usedShare, 1.0);
    // Standing still.
    const DesignLife still =
        computeDesignLife({{at("01.01.2025"), 700}, {at("01.02.2025"), 700}}, 8000, {});
    EXPECT_EQ(still.method, LifeMethod::NoRate);
    EXPECT_FALSE(still.projectedDay);
}

}  // namespace
}  // namespace archive
