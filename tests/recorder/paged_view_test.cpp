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

TEST(FrameView, FewFramesStartAtTheListStartAndPagingStaysOnTheList) {
    const auto r = workingReading(33, 0);
    PagedView v(ViewKind::Frames);
    // Frames 7000 alone has the date 29.11.06 ... plus a range of three.
    EXPECT_EQ(v.select(r, SelectionRequest::byRange(10, 12)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "3");
    EXPECT_EQ(v.scrollMax(), 0);
    EXPECT_EQ(v.position(), 0);
    EXPECT_EQ(shown(v, r), (std::vector<int>{10, 11, 12, -1, -1}));
    v.jumpTo(99);
    EXPECT_EQ(v.position(), 0);

    EXPECT_EQ(v.select(r, SelectionRequest::byDate("29.11.06")), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "1");
    EXPECT_EQ(shown(v, r)[0], 7000);
}

TEST(FrameView, NothingFoundAndRangesWithoutLoadedFrames) {
    const auto r = workingReading(33, 0);
    PagedView v(ViewKind::Frames);
    v.setUpAfterLoad(r);
    EXPECT_EQ(v.select(r, SelectionRequest::byDate("01.01.99")), SelectionOutcome::NothingFound);
    EXPECT_EQ(v.countText(), "0");
    EXPECT_EQ(v.scrollMax(), 0);  // nothing to page through
    EXPECT_EQ(shown(v, r), std::vector<int>(5, -1));

    // A reversed range, or one wholly past the last loaded frame, selects
    // nothing and leaves the list, the count and the paging as they were.
    ASSERT_EQ(v.select(r, SelectionRequest::byRange(100, 140)), SelectionOutcome::Shown);
    for (auto [a, b] : {std::pair{200, 100}, {40, 0}, {7293, 99999}}) {
        EXPECT_EQ(v.select(r, SelectionRequest::byRange(a, b)), SelectionOutcome::EmptyRange);
        EXPECT_EQ(v.countText(), "41");
        EXPECT_EQ(v.scrollMax(), 36);
        for (int p = 0; p <= v.scrollMax(); ++p) {
            v.jumpTo(p);
            EXPECT_EQ(shown(v, r)[4], 104 + p);
        }
    }
}

TEST(FrameView, RangesPastTheLoadedFramesStopAtTheLastOne) {
    const auto r = workingReading(5, 0);  // FrameCount 7265
    PagedView v(ViewKind::Frames);
    ASSERT_EQ(v.select(r, SelectionRequest::byRange(7260, 7270)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "5");
    EXPECT_EQ(v.listedSlots(), (std::vector<int>{7260, 7261, 7262, 7263, 7264}));
    EXPECT_EQ(v.list()[5], -1);

    ASSERT_EQ(v.select(r, SelectionRequest::byRange(7200, 99999)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "65");
    EXPECT_EQ(v.listedSlots().back(), 7264);  // never the cleared slots' frame 0
    EXPECT_EQ(shown(v, r), (std::vector<int>{7260, 7261, 7262, 7263, 7264}));
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
    // A few records are all shown, from the first column on.
    EXPECT_EQ(v.scrollMax(), 0);
    EXPECT_EQ(v.position(), 0);
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
    EXPECT_EQ(v.scrollMax(), 0);
    ASSERT_EQ(v.select(r, SelectionRequest::byDate("06.03.06")), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "1");
    const auto texts = v.columnTexts(r, 0, {','});
    EXPECT_EQ(texts,
              (std::vector<std::string>{"3", "06.03.06", "0", "128", "0,00", "0,00", "Норма"}));
    // The initial range 0..2600 reaches past the loaded records: cut at the last one.
    ASSERT_EQ(v.select(r, SelectionRequest::byRange(0, 2600)), SelectionOutcome::Shown);
    EXPECT_EQ(v.countText(), "20");
    EXPECT_EQ(v.select(r, SelectionRequest::byRange(25, 30)), SelectionOutcome::EmptyRange);
    EXPECT_EQ(v.countText(), "20");
}

TEST(OverloadView, InitialRangeReachingPastTheListShowsEmptyColumns) {
    PagedView v(ViewKind::Overloads);
    const recorder::Reading r;
    v.jumpTo(2772);
    EXPECT_EQ(v.position(), 2772);
    EXPECT_EQ(shown(v, r), std::vector<int>(8, -1));  // entries 2772..2779 lie past the list
}

}  // namespace
