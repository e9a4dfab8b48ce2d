// Generated readings load cleanly through the recorder core, and each named
// fault shows exactly its own effect.
#include "simulation/sample_reading/sample_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "recorder/integrity.h"
#include "recorder/loader.h"

namespace {

using recorder::Reading;
using sample::SampleOptions;

Reading load(const SampleOptions& options) {
    Reading r;
    recorder::loadReading(recorder::DataFile(sample::makeSampleReading(options)), r,
                          recorder::NumberFormat{','});
    return r;
}

int badFrames(const Reading& r) {
    int bad = 0;
    for (int i = 0; i < r.FrameCount; ++i)
        if (r.FrameTable[static_cast<std::size_t>(i)].Status != "Норма") ++bad;
    return bad;
}

// "DD.MM.YY" + "HH:MM:SS" as a sortable key.
std::string when(const recorder::FrameRecord& f) {
    return f.Date.substr(6, 2) + f.Date.substr(3, 2) + f.Date.substr(0, 2) + f.Time;
}

TEST(SampleReading, LoadsCleanWithTheAskedCounts) {
    struct Case {
        int bufferFrames, overloads, kds, settings, frameCount;
    };
    for (const Case& c : {Case{12, 16, 5, 3, 7272}, Case{0, 0, 0, 0, 7293},
                          Case{33, 40, 150, 1, 7293}, Case{1, 2600, 2, 2, 7261}}) {
        SCOPED_TRACE(c.bufferFrames);
        SampleOptions o;
        o.bufferFrames = c.bufferFrames;
        o.overloads = c.overloads;
        o.kdsRecords = c.kds;
        o.settingsRecords = c.settings;
        const Reading r = load(o);
        EXPECT_TRUE(r.LoadErrorLog.empty()) << r.LoadErrorLog.front();
        EXPECT_EQ(r.FrameCount, c.frameCount);
        EXPECT_EQ(badFrames(r), 0);
        EXPECT_EQ(r.OverloadCount, c.overloads);
        EXPECT_EQ(r.KdsCount, c.kds);
        EXPECT_EQ(r.SettingsCount, c.settings);
        for (int i = 0; i < r.OverloadCount; ++i)
            ASSERT_EQ(r.OverloadTable[static_cast<std::size_t>(i)].Status, "Норма") << i;
    }
}

TEST(SampleReading, LooksLikeACraneAtWork) {
    const SampleOptions o;
    const Reading r = load(o);
    EXPECT_EQ(r.texts.get("Edit_MKran"), "КС-55713-1");
    EXPECT_EQ(r.texts.get("Edit_GrRegNag"), "A4");
    EXPECT_EQ(r.texts.get("Edit_ModTIRS"), "ТИРС-48С-05");
    EXPECT_EQ(r.service.operatorName, "Петров Алексей Викторович");
    EXPECT_EQ(r.service.readingDate.size(), 16u);

    int over100 = 0, over125 = 0, entered = 0, triggered = 0, days = 1;
    for (int i = 0; i < r.FrameCount; ++i) {
        const auto& f = r.FrameTable[static_cast<std::size_t>(i)];
        if (i > 0) {
            const auto& prev = r.FrameTable[static_cast<std::size_t>(i - 1)];
            ASSERT_LT(when(prev), when(f)) << "frame " << i;
            if (prev.Date != f.Date) ++days;
        }
        const double reach = f.BoomLength * std::cos(f.BoomAngle * 3.14159265 / 180);
        ASSERT_NEAR(f.Radius, reach, 0.6) << "frame " << i;
        ASSERT_LE(f.LoadPercent, 160);
        over100 += f.LoadPercent > 100;
        over125 += f.LoadPercent > 125;
        entered += f.LimitBits.substr(4) != "0000";
        triggered += f.LimitBits.substr(0, 4) != "0000";
    }
    EXPECT_GE(days, 3);
    EXPECT_GT(over100, over125);
    EXPECT_GT(over125, 0);
    EXPECT_GT(entered, 100);
    EXPECT_GT(triggered, 0);

    // Counters: totals agree with the bands.
    std::int64_t bands = 0;
    for (auto n : r.counters.LoadCycles) bands += n;
    EXPECT_EQ(bands, r.counters.TotalCycles);
    EXPECT_GT(r.counters.LiftedMass, 0);
    EXPECT_GT(r.counters.MotorMinutes, 0u);
}

TEST(SampleReading, Bank1TrailsBank0ByTheAskedCycles) {
    namespace bank = recorder::bank;
    SampleOptions o;
    o.bank1Lag = 2;
    const recorder::DataFile f(sample::makeSampleReading(o));
    auto both = [&](std::size_t offset) {
        return std::pair{f.i32(recorder::kBank0Offset + offset),
                         f.i32(recorder::kBank1Offset + offset)};
    };
    const auto [total0, total1] = both(bank::kTotalCycles);
    EXPECT_EQ(total0 - total1, 2);
    for (std::size_t offset : {bank::kWinchSeconds, bank::kSlewSeconds, bank::kLiftedMass}) {
        const auto [v0, v1] = both(offset);
        EXPECT_LT(v1, v0) << offset;
    }
    EXPECT_GE(f.f32(recorder::kBank0Offset + bank::kCharacteristicNumber),
              f.f32(recorder::kBank1Offset + bank::kCharacteristicNumber));

    o.bank1Lag = 0;
    const recorder::DataFile same(sample::makeSampleReading(o));
    EXPECT_TRUE(std::equal(same.bytes().begin() + recorder::kBank0Offset,
                           same.bytes().begin() + recorder::kBank0Offset + recorder::kBankSize,
                           same.bytes().begin() + recorder::kBank1Offset));
}

TEST(SampleReading, PagePointerRotatesTheRing) {
    SampleOptions o;
    const auto flat = sample::makeSampleReading(o);
    o.pagePointer = 17;
    const auto ring = sample::makeSampleReading(o);
    // The oldest page now sits at page 17; the newest (written before it) at page 16.
    EXPECT_TRUE(std::equal(flat.begin(), flat.begin() + 1056, ring.begin() + 17 * 1056));
    EXPECT_TRUE(std::equal(flat.begin() + 202 * 1056, flat.begin() + 203 * 1056,
                           ring.begin() + 219 * 1056));
    EXPECT_TRUE(
        std::equal(flat.begin() + 219 * 1056, flat.begin() + 220 * 1056, ring.begin() + 16 * 1056));
    Reading r;
    recorder::loadReading(recorder::DataFile(ring), r, {});
    EXPECT_TRUE(r.LoadErrorLog.empty());
    EXPECT_EQ(r.PageAddress, 17);
}

TEST(SampleReading, FaultsShowExactlyTheirEffect) {
    using recorder::blockCheckMessage;
    using Log = std::vector<std::string>;
    {
        SampleOptions o;
        o.faults.badBlocks = {{1, 2}};
        EXPECT_EQ(load(o).LoadErrorLog, Log{blockCheckMessage(1, 2)});
        o.faults.badBlocks = {{0, 7}, {0, 3}};
        EXPECT_EQ(load(o).LoadErrorLog, (Log{blockCheckMessage(0, 3), blockCheckMessage(0, 7)}));
    }
    {
        SampleOptions o;
        o.faults.wrongImageSum = true;
        EXPECT_EQ(load(o).LoadErrorLog, Log{recorder::kImageSumMessage});
    }
    {
        SampleOptions o;
        o.faults.eraseBank1 = true;
        Log expected;
        for (int k = 1; k <= 7; ++k) expected.push_back(blockCheckMessage(1, k));
        const Reading r = load(o);
        EXPECT_EQ(r.LoadErrorLog, expected);
        EXPECT_EQ(r.counters.MotorMinutes, 16777215u);  // erased three-byte cell wins
    }
    {
        SampleOptions o;
        o.faults.badFrames = {100, 7265};
        o.faults.badOverloads = {3};
        const Reading r = load(o);
        EXPECT_TRUE(r.LoadErrorLog.empty());
        EXPECT_EQ(r.FrameTable[100].Status, "Брак");
        EXPECT_EQ(r.FrameTable[7265].Status, "Брак");
        EXPECT_EQ(badFrames(r), 2);
        EXPECT_EQ(r.OverloadTable[3].Status, "Брак");
    }
    {
        SampleOptions o;
        o.faults.pointerCopies = {{sample::Pointer::Frame, {6, 5, 5}},
                                  {sample::Pointer::Overload, {2070, 2070, 2060}},
                                  {sample::Pointer::Kds, {28034, 28044, 28054}}};
        const Reading r = load(o);
        EXPECT_TRUE(r.LoadErrorLog.empty());
        EXPECT_EQ(r.BufferFrameCount, 5);
        EXPECT_EQ(r.OverloadCount, 5);
        EXPECT_EQ(r.KdsCount, 0);
        EXPECT_NE(r.addressReportText().find("Адрес1: 6\r\nАдрес2: 5\r\nАдрес3: 5"),
                  std::string::npos);
    }
    {
        SampleOptions o;
        o.faults.truncateTo = 264100;  // the stored sum is cut off; the banks are whole
        const auto bytes = sample::makeSampleReading(o);
        EXPECT_EQ(bytes.size(), 264100u);
        const Reading r = load(o);
        EXPECT_EQ(r.LoadErrorLog, Log{recorder::kImageSumMessage});
        EXPECT_EQ(badFrames(r), 0);
        EXPECT_EQ(r.service.owner, "");
    }
}

TEST(SampleReading, DeterministicFromTheSeed) {
    SampleOptions o;
    o.seed = 42;
    const auto a = sample::makeSampleReading(o);
    EXPECT_EQ(a.size(), recorder::kNormalFileSize);
    EXPECT_EQ(a, sample::makeSampleReading(o));
    o.seed = 43;
    EXPECT_NE(a, sample::makeSampleReading(o));
}

}  // namespace
