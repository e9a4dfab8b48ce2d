// The group classification: boundaries of U and Q, the group table, the
// normative number.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "recorder/classification.h"
#include "recorder/reading_texts.h"

namespace {

using namespace recorder;

TEST(Classification, UseClassBoundariesAreInclusiveUpperLimits) {
    EXPECT_EQ(useClassOf(0), 0);
    EXPECT_EQ(useClassOf(16000), 0);
    EXPECT_EQ(useClassOf(16001), 1);
    EXPECT_EQ(useClassOf(125000), 3);
    EXPECT_EQ(useClassOf(4000000), 8);
    EXPECT_EQ(useClassOf(4000001), 9);
    EXPECT_EQ(useClassOf(-1), 0);  // signed comparison: an erased total is below every limit
}

TEST(Classification, SpectrumFactorAndClass) {
    EXPECT_FLOAT_EQ(loadSpectrumFactorOf(1000, 8000), 0.125f);
    EXPECT_EQ(loadSpectrumClassOf(loadSpectrumFactorOf(1000, 8000)), 1);
    EXPECT_EQ(loadSpectrumClassOf(loadSpectrumFactorOf(1000, 7999)), 2);
    EXPECT_FLOAT_EQ(loadSpectrumFactorOf(42.5f, 0), 42.5f);  // no cycles: divide by 1
    EXPECT_EQ(loadSpectrumClassOf(1.0f), 4);
    EXPECT_EQ(loadSpectrumClassOf(1.5f), 5);
    EXPECT_EQ(loadSpectrumClassOf(0.25f), 2);
    EXPECT_EQ(loadSpectrumClassOf(std::nextafter(0.25f, 1.0f)), 3);
    EXPECT_EQ(loadSpectrumClassOf(std::numeric_limits<float>::quiet_NaN()), 1);
    EXPECT_EQ(loadSpectrumClassOf(-3.0f), 1);
}

TEST(Classification, GroupTableWithQ5OnTheQ4Row) {
    EXPECT_EQ(groupOf(0, 1), 1);
    EXPECT_EQ(groupOf(9, 1), 8);
    EXPECT_EQ(groupOf(0, 4), 2);
    EXPECT_EQ(groupOf(3, 2), 3);
    EXPECT_EQ(groupOf(2, 5), groupOf(2, 4));
    EXPECT_EQ(groupOf(5, 3), 6);
}

TEST(Classification, NormativeNumberFollowsTheProgrammedGroupOnly) {
    EXPECT_EQ(normativeCharacteristicNumberOf(0), 8000);
    EXPECT_EQ(normativeCharacteristicNumberOf(1), 8000);
    EXPECT_EQ(normativeCharacteristicNumberOf(2), 16000);
    EXPECT_EQ(normativeCharacteristicNumberOf(5), 125000);
    EXPECT_EQ(normativeCharacteristicNumberOf(8), 1000000);
    EXPECT_EQ(normativeCharacteristicNumberOf(9), 0);
    EXPECT_EQ(normativeCharacteristicNumberOf(-1), 0);
}

TEST(Classification, ShownTexts) {
    Reading r;
    r.crane.ModeGroup = 3;
    r.counters.TotalCycles = 8000;
    r.counters.CharacteristicNumber = 1000;
    r.classification = classificationOf(r.crane.ModeGroup, r.counters);
    showClassification(r, NumberFormat{','});
    EXPECT_EQ(r.texts.get("Label_NHarch"), "32000");
    EXPECT_EQ(r.texts.get("Label_KIspU"), "U0");
    EXPECT_EQ(r.texts.get("Label_KNag"), "0,125");
    EXPECT_EQ(r.texts.get("Label_RezhQ"), "Q1");
    EXPECT_EQ(r.texts.get("Label_RezhA"), "A1");
}

}  // namespace
