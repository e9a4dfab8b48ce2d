// The display table is the contract between the decoders, the window, `litm`
// and the reports: every display in it is written by a load, and no other name
// can be written or read.

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "recorder/display_table.h"
#include "recorder/loader.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

TEST(DisplayTable, EveryDisplayIsSetByALoad) {
    recorder::Reading r;
    // Texts and gauges no decoder can produce, so any display a load leaves
    // alone still shows its mark afterwards.
    const std::string unset = "\x01unset";
    for (const recorder::Display& d : recorder::displayTable()) {
        if (d.kind == recorder::DisplayKind::Gauge)
            r.gauges.set(d, -1);
        else
            r.texts.set(d, unset);
    }
    recorder::loadReading(recorder::DataFile(sample::makeSampleReading({})), r, {','});

    for (const recorder::Display& d : recorder::displayTable()) {
        const std::string name(d.name);
        if (d.kind == recorder::DisplayKind::Gauge)
            EXPECT_NE(r.gauges.get(d), -1) << name << " is never set by a load";
        else
            EXPECT_NE(r.texts.get(d), unset) << name << " is never set by a load";
    }
    // Nothing is shown that the table does not list, and the window's order holds.
    EXPECT_EQ(r.texts.size() + r.gauges.size(), recorder::displayTable().size());
    EXPECT_EQ(r.texts.entries().front().first, "Edit_Vlad");
    EXPECT_EQ(r.gauges.entries().front().first, "CGauge_N10");
}

TEST(DisplayTable, NamesAreUniqueAndOtherNamesAreRefused) {
    std::set<std::string> names;
    for (const recorder::Display& d : recorder::displayTable()) {
        EXPECT_TRUE(names.insert(std::string(d.name)).second) << d.name << " twice";
        EXPECT_FALSE(d.shows.empty()) << d.name;
    }
    EXPECT_EQ(names.size(), 33u + 4u * recorder::bank::kBands);
    EXPECT_EQ(recorder::bandDisplays()[14].workGauge.name, "CGauge_Nb140");

    recorder::Reading r;
    EXPECT_THROW(r.texts.set("Edit_Nkran", "1"), std::logic_error);  // a misspelt name
    EXPECT_THROW((void)r.texts.get("Edit_Nkran"), std::logic_error);
    EXPECT_THROW(r.texts.set("CGauge_10", "1"), std::logic_error);  // a gauge has no text
    EXPECT_THROW(r.gauges.set("Edit_NKran", 1), std::logic_error);
    EXPECT_EQ(&recorder::displayNamed("Label_RezhA"), &recorder::displayTable()[22 + 30 + 10]);
}

}  // namespace
