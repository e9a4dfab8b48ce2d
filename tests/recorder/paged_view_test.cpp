// The frame and overload views' state: set-up after a load, the three
// selections with their counts, scroll ranges and positions, and which record
// each column shows.

#include <gtest/gtest.h>

#include "fixture.h"
#include "recorder/paged_view.h"

namespace {

using recorder::PagedView;
using recorder::SelectionOutcome;
using recorder::SelectionRequest;
using recorder::ViewKind;

// Frames: every page and buffer frame good and dated 28.11.06, LoadPercent = slot % 150,
// frame 7000 of 29.11.06; overloads: `overloads` records at 125 + i % 20 percent.
recorder::Reading workingReading(int bufferFrames, int overloads, int badFrame = -1) {
    auto b = testing_support::consistentImage();
    b.setPointers(sample::agreeingPointers(bufferFrames, 0, overloads, 0, 0));
    for (std::size_t slot = 0; slot < recorder::kFrameTableSize; ++slot) {
        sample::FrameFields f;
        f.at(slot == 7000 ? 29 : 28, 11, 6, 8, 0, 0);
        f.loadPercent = static_cast<std::uint8_t>(slot % 150);
        if (static_cast<int>(slot) == badFrame) f.checkByte = 0;
        b.setFrame(slot, f);
    }
    for (int i = 0; i < overloads; ++i) {
        sample::OverloadFields o;
        o.loadPercent = static_cast<std::uint8_t>(125 + i % 20);
        o.on(i == 3 ? 6 : 5, 3, 6);
        b.setOverload(static_cast<std::size_t>(i), o);
    }
    return testing_support::loadFixed(b);
}

std::vector<int> shown(const PagedView& v, const recorder::Reading& r) {
    std::vector<int> out;
    for (int c = 0; c < v.columns(); ++c) out.push_back(v.shownSlot(r, c).value_or(-1));
    return out;
}

TEST(FrameView, BeforeAnyFileEverythingIsEmpty) {
    PagedView v(ViewKind::Frames);
    recorder::Reading r;
    EXPECT_EQ(v.scrollMax(), 7288);
    EXPECT_EQ(v.position(), 0);
    EXPECT_EQ(v.countText(), "0000");
    EXPECT_EQ(shown(v, r), std::vector<int>(5, -1));
}

TEST(FrameView, SetUpShowsTheLastFiveLoadedFrames) {
    const auto r = workingReading(33, 0);
    PagedView v(ViewKind::Frames);
    v.setUpAfterLoad(r);
    EXPECT_EQ(v.scrollMax(), 7288);
    EXPECT_EQ(v.position(), 7288);
    EXPECT_EQ(shown(v, r), (std::vector<int>{7288, 7289, 7290, 7291, 7292}));
    const auto texts = v.columnTexts(r, 0, {','});
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(texts[0], "7288");
    EXPECT_EQ(texts[1], "28.11.06");
    EXPECT_EQ(texts[3], "0,00");
    EXPECT_EQ(texts[20], "Норма");

    const auto shorter = workingReading(1, 0);
    v.setUpAfterLoad(shorter);
    EXPECT_EQ(v.scrollMax(), 7256);
    EXPECT_EQ(shown(v, shorter), (std::vector<int>{7256, 7257, 7258, 7259, 7260}));
}

TEST(FrameView, SelectionByLoadIncludesEqualityAndPagesToTheEnd) {
    const auto r = workingReading(33, 0);
    PagedView v(ViewKind::Frames);
    v.setUpAfterLoad(r);
    auto all = SelectionRequest::byLoad(0);
    EXPECT_EQ(v.select(r, all), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "7293");

    auto high = SelectionRequest::byLoad(149);  // slots 149, 299, ... : 48 of them
    EXPECT_EQ(v.select(r, high), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "48");
    EXPECT_EQ(v.scrollMax(), 43);
    EXPECT_EQ(v.position(), 43);
    EXPECT_EQ(shown(v, r).back(), 149 + 150 * 47);
}

TEST(FrameView, FewFramesStartAtTheListStart) {
    const auto r = workingReading(33, 0);
    PagedView v(ViewKind::Frames);
    // Frames 7000 alone has the date 29.11.06 ... plus a range of three.
    EXPECT_EQ(v.select(r, SelectionRequest::byRange(10, 12)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "3");
    EXPECT_EQ(v.scrollMax(), 5);
    EXPECT_EQ(v.position(), 0);
    EXPECT_EQ(shown(v, r), (std::vector<int>{10, 11, 12, -1, -1}));
    v.jumpTo(5);
    EXPECT_EQ(shown(v, r), std::vector<int>(5, -1));
    v.jumpTo(99);
    EXPECT_EQ(v.position(), 5);

    EXPECT_EQ(v.select(r, SelectionRequest::byDate("29.11.06")), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "1");
    EXPECT_EQ(shown(v, r)[0], 7000);
}

TEST(FrameView, NothingFoundAndStoppedRange) {
    const auto r = workingReading(33, 0);
    PagedView v(ViewKind::Frames);
    v.setUpAfterLoad(r);
    EXPECT_EQ(v.select(r, SelectionRequest::byDate("01.01.99")), SelectionOutcome::NothingFound);
    EXPECT_EQ(v.countText(), "0");
    EXPECT_EQ(v.scrollMax(), 7288);  // range and position stay
    EXPECT_EQ(v.position(), 7288);
    EXPECT_EQ(shown(v, r), std::vector<int>(5, -1));

    EXPECT_EQ(v.select(r, SelectionRequest::byRange(10, 10)), SelectionOutcome::Shown);
    EXPECT_EQ(v.select(r, SelectionRequest::byRange(40, 0)), SelectionOutcome::Stopped);
    EXPECT_EQ(v.countText(), "1");                    // untouched
    EXPECT_EQ(shown(v, r), std::vector<int>(5, -1));  // the list is empty
}

TEST(FrameView, RangesPastTheLoadedFramesAndPastTheTable) {
    const auto r = workingReading(5, 0);  // FrameCount 7265
    PagedView v(ViewKind::Frames);
    ASSERT_EQ(v.select(r, SelectionRequest::byRange(7260, 7270)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "11");
    // Cleared slots past FrameCount carry the number 0: frame 0 is listed six times.
    EXPECT_EQ(v.list()[4], 7264);
    EXPECT_EQ(v.list()[5], 0);
    EXPECT_EQ(v.list()[10], 0);

    ASSERT_EQ(v.select(r, SelectionRequest::byRange(7000, 100000)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "293");  // cut at the table's last slot 7292
}

TEST(FrameView, BadFrameShowsAsAnEmptyColumnButCounts) {
    const auto r = workingReading(33, 0, 11);
    PagedView v(ViewKind::Frames);
    ASSERT_EQ(v.select(r, SelectionRequest::byRange(10, 12)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "3");
    EXPECT_EQ(shown(v, r), (std::vector<int>{10, -1, 12, -1, -1}));
    EXPECT_EQ(v.columnTexts(r, 1, {','}), std::vector<std::string>(21));
}

TEST(FrameView, PointedCellsExplainTheirCodes) {
    auto b = testing_support::consistentImage(33);
    sample::FrameFields f;
    f.limits = 0x93;  // wall and ceiling entered; wall and turn to the right triggered
    f.relays = 0x81;
    f.faultCode = 12;
    b.setFrame(7288, f);
    const auto r = testing_support::loadFixed(b);
    PagedView v(ViewKind::Frames);
    v.setUpAfterLoad(r);
    EXPECT_EQ(v.cellExplanation(r, 0, 15),
              "Введены: стена, потолок\nСработали: стена, поворот вправо");
    EXPECT_EQ(v.cellExplanation(r, 0, 14), "Выходные реле: Установлены биты: 7, 0");
    EXPECT_EQ(v.cellExplanation(r, 0, 16), "Дискретные входы 1: Ни один бит не установлен");
    EXPECT_EQ(v.cellExplanation(r, 0, 19), "Код отказа 12");
    EXPECT_EQ(v.cellExplanation(r, 0, 3), "");
    EXPECT_EQ(v.cellExplanation(r, 1, 15), "");  // frame 7289 is zero bytes: "Брак", empty column
}

TEST(OverloadView, SetUpWithManyFewAndNoRecords) {
    PagedView v(ViewKind::Overloads);
    const auto twenty = workingReading(33, 20);
    v.setUpAfterLoad(twenty);
    EXPECT_EQ(v.scrollMax(), 12);
    EXPECT_EQ(v.position(), 12);
    EXPECT_EQ(shown(v, twenty), (std::vector<int>{12, 13, 14, 15, 16, 17, 18, 19}));

    const auto five = workingReading(33, 5);
    v.setUpAfterLoad(five);
    EXPECT_EQ(v.scrollMax(), 1);
    EXPECT_EQ(v.position(), 1);
    EXPECT_EQ(shown(v, five), (std::vector<int>{1, 2, 3, 4, -1, -1, -1, -1}));
    v.jumpTo(0);
    EXPECT_EQ(shown(v, five), (std::vector<int>{0, 1, 2, 3, 4, -1, -1, -1}));

    const auto none = workingReading(33, 0);
    v.setUpAfterLoad(none);
    for (int p = 0; p <= v.scrollMax(); ++p) {
        v.jumpTo(p);
        EXPECT_EQ(shown(v, none), std::vector<int>(8, -1));
    }
}

TEST(OverloadView, SelectionsAndRowOrder) {
    const auto r = workingReading(33, 20);
    PagedView v(ViewKind::Overloads);
    v.setUpAfterLoad(r);
    ASSERT_EQ(v.select(r, SelectionRequest::byLoad(143)), SelectionOutcome::Shown);  // 143 and 144
    EXPECT_EQ(v.countText(), "2");
    EXPECT_EQ(v.scrollMax(), 8);
    ASSERT_EQ(v.select(r, SelectionRequest::byDate("06.03.06")), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "1");
    const auto texts = v.columnTexts(r, 0, {','});
    EXPECT_EQ(texts,
              (std::vector<std::string>{"3", "06.03.06", "0", "128", "0,00", "0,00", "Норма"}));
    // The initial range 0..2600 reaches past the table: cut at 2599.
    ASSERT_EQ(v.select(r, SelectionRequest::byRange(0, 2600)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "2600");
}

TEST(OverloadView, InitialRangeReachingPastTheListShowsEmptyColumns) {
    PagedView v(ViewKind::Overloads);
    const recorder::Reading r;
    v.jumpTo(2772);
    EXPECT_EQ(v.position(), 2772);
    EXPECT_EQ(shown(v, r), std::vector<int>(8, -1));  // entries 2772..2779 lie past the list
}

}  // namespace
