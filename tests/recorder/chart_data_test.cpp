// What the charts draw: one point per loaded frame, date marks only at changes
// between good frames, and the limit marks in their drawing order.

#include <gtest/gtest.h>

#include "fixture.h"
#include "recorder/chart_data.h"
#include "recorder/paged_view.h"
#include "simulation/sample_reading/sample_reading.h"

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

TEST(ParameterChart, ValueSpanOfASeries) {
    EXPECT_FALSE(recorder::valueSpan({}).has_value());
    const auto span = recorder::valueSpan({{0, 3}, {1, -2.5}, {2, 7}, {3, 0}});
    ASSERT_TRUE(span.has_value());
    EXPECT_DOUBLE_EQ(span->low, -2.5);
    EXPECT_DOUBLE_EQ(span->high, 7);
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

recorder::Reading generated(const sample::SampleOptions& options) {
    recorder::Reading r;
    recorder::loadReading(recorder::DataFile(sample::makeSampleReading(options)), r, {','});
    return r;
}

// A working week as the generator writes it: one mark on the first good frame
// of each new day, labelled with that frame's date.
TEST(ParameterChart, DateMarksOnAGeneratedWorkingWeek) {
    sample::SampleOptions o;
    o.seed = 21;
    const auto r = generated(o);
    const auto marks = recorder::parameterChartData(r).dateMarks;
    ASSERT_GE(marks.size(), 2u);
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const auto& frame = r.FrameTable[static_cast<std::size_t>(marks[i].x)];
        EXPECT_EQ(marks[i].label, frame.Date);
        EXPECT_NE(frame.Date, r.FrameTable[static_cast<std::size_t>(marks[i].x) - 1].Date);
        if (i > 0) {
            EXPECT_NE(marks[i].label, marks[i - 1].label);
        }
    }

    // The first frame of a day damaged: the mark moves to the next good frame
    // of that day, and no other mark appears or goes.
    const int firstOfDay = marks[1].x;
    o.faults.badFrames = {static_cast<std::size_t>(firstOfDay)};
    const auto damaged = generated(o);
    ASSERT_EQ(damaged.FrameTable[static_cast<std::size_t>(firstOfDay)].Status, "Брак");
    const auto moved = recorder::parameterChartData(damaged).dateMarks;
    ASSERT_EQ(moved.size(), marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        EXPECT_EQ(moved[i].label, marks[i].label);
        EXPECT_EQ(moved[i].x, i == 1 ? firstOfDay + 1 : marks[i].x);
    }
}

// With the page ring turned, memory order is no longer the order of days: the
// date going back at the seam is a change of date as well.
TEST(ParameterChart, DateMarkWhereTheRingWrapsToAnEarlierDay) {
    sample::SampleOptions o;
    o.seed = 21;
    o.pagePointer = 120;
    const auto r = generated(o);
    const auto marks = recorder::parameterChartData(r).dateMarks;
    const auto earlier = [](const std::string& a, const std::string& b) {
        // DD.MM.YY within one year of work: compare month, then day.
        return a.substr(3, 2) + a.substr(0, 2) < b.substr(3, 2) + b.substr(0, 2);
    };
    bool wentBack = false;
    for (std::size_t i = 0; i < marks.size(); ++i) {
        const std::string& before = i == 0 ? r.FrameTable[0].Date : marks[i - 1].label;
        wentBack = wentBack || earlier(marks[i].label, before);
    }
    EXPECT_TRUE(wentBack);
}

// A click on a chart point puts the frame view on that frame: after an opening
// at the frame's number, after a selection at the frame's entry in the list.
TEST(ChartClick, FrameViewStandsOnTheClickedFrame) {
    sample::SampleOptions o;
    o.seed = 5;
    o.bufferFrames = 33;
    const auto r = generated(o);
    recorder::PagedView view(recorder::ViewKind::Frames);
    view.setUpAfterLoad(r);
    EXPECT_EQ(recorder::frameViewPosition(view.list(), 7000), 7000);
    view.jumpTo(recorder::frameViewPosition(view.list(), 7000));
    EXPECT_EQ(view.shownSlot(r, 0).value_or(-1), 7000);

    ASSERT_EQ(view.select(r, recorder::SelectionRequest::byLoad(90)),
              recorder::SelectionOutcome::Shown);
    const std::vector<int>& list = view.list();
    const int listed = list[3];  // a frame of the selection, well past position 3
    ASSERT_GT(listed, 3);
    EXPECT_EQ(recorder::frameViewPosition(list, listed), 3);
    // A frame not listed: its nearest listed successor.
    std::size_t gap = 3;
    while (gap + 1 < list.size() && list[gap + 1] == list[gap] + 1) ++gap;
    ASSERT_GT(list[gap + 1], list[gap] + 1);
    EXPECT_EQ(recorder::frameViewPosition(list, list[gap] + 1), static_cast<int>(gap) + 1);
    // Past the last listed frame: the end of the list, which the view clamps.
    const auto count = std::stoi(view.countText());
    EXPECT_EQ(recorder::frameViewPosition(list, 7292 + 1), count);
    view.jumpTo(recorder::frameViewPosition(list, listed));
    EXPECT_EQ(view.position(), 3);
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
