// Any file, of any length and content, loads to the end: the checks report
// through the log, every table stays inside its bounds. Run under the
// sanitizers, this is the proof that no input reads or writes out of bounds.
// Texts written out for others (CSV) cannot turn into formulas.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "recorder/loader.h"
#include "recorder/record_csv.h"

namespace {

using recorder::DataFile;
using recorder::Reading;

void expectSaneModel(const Reading& r) {
    EXPECT_EQ(r.FrameTable.size(), recorder::kFrameTableSize);
    EXPECT_EQ(r.OverloadTable.size(), recorder::kOverloadTableSize);
    EXPECT_GE(r.BufferFrameCount, 1);
    EXPECT_LE(r.BufferFrameCount, 33);
    EXPECT_EQ(r.FrameCount, 7260 + r.BufferFrameCount);
    EXPECT_GE(r.OverloadCount, 0);
    EXPECT_LE(r.OverloadCount, 2600);
    EXPECT_GE(r.KdsCount, 0);
    EXPECT_LE(r.KdsCount, 150);
    EXPECT_GE(r.SettingsCount, 0);
    EXPECT_LE(r.SettingsCount, 234);
    EXPECT_LE(r.LoadErrorLog.size(), 15u);
    EXPECT_EQ(r.AddressReport.size(), 4u);
    for (const auto& [name, value] : r.gauges.entries()) {
        EXPECT_GE(value, 0) << name;
        EXPECT_LE(value, 100) << name;
    }
}

TEST(Robustness, ShortAndEmptyFilesLoad) {
    for (std::size_t length :
         {0u, 1u, 31u, 32u, 232320u, 232400u, 234068u, 234080u, 264195u, 270336u, 270400u}) {
        Reading r;
        recorder::loadReading(DataFile(std::vector<std::uint8_t>(length, 0)), r, {});
        expectSaneModel(r);
        EXPECT_EQ(r.LoadErrorLog.size(), 14u) << length;  // zeros: the sum of 0 matches
    }
}

TEST(Robustness, RandomContentOfManyLengths) {
    std::mt19937_64 random(20261209);
    for (int round = 0; round < 40; ++round) {
        const std::size_t length = round < 20 ? random() % 300000 : 270537;
        std::vector<std::uint8_t> bytes(length);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
        Reading r;
        recorder::loadReading(DataFile(std::move(bytes)), r, {','});
        expectSaneModel(r);
    }
}

TEST(Robustness, ErasedMemoryAndHugeFile) {
    Reading erased;
    recorder::loadReading(DataFile(std::vector<std::uint8_t>(270537, 0xFF)), erased, {});
    expectSaneModel(erased);
    EXPECT_EQ(erased.FrameTable[0].Status, "Брак");
    EXPECT_EQ(erased.OverloadCount, 2600);  // pointer 65535: cut to the region's room

    Reading huge;
    recorder::loadReading(DataFile(std::vector<std::uint8_t>(10 * 1024 * 1024, 0xA5)), huge, {});
    expectSaneModel(huge);
}

TEST(Robustness, ReadsBeyondTheEndAreZero) {
    const DataFile f(std::vector<std::uint8_t>{0x01, 0x02, 0x03});
    EXPECT_EQ(f.u16(1), 0x0302);
    EXPECT_EQ(f.u24(1), 0x0302u);
    EXPECT_EQ(f.u32(0), 0x030201u);
    EXPECT_EQ(f.i32(3), 0);
    EXPECT_EQ(f.u8(SIZE_MAX), 0);
    EXPECT_EQ(f.u32(SIZE_MAX - 1), 0u);
    EXPECT_EQ(f.textSlot(2, 50), "\x03");
    EXPECT_FALSE(f.blockOk(1, 10));
}

}  // namespace

namespace {

// A spreadsheet opening a CSV runs a cell that starts with '=', '+', '-' or '@'
// (and a tab or a CR before them) as a formula: such texts are defused with a
// leading apostrophe inside quotes, numbers of either sign stay numbers.
TEST(Robustness, CsvTextsNeverBecomeFormulas) {
    using recorder::csvField;
    EXPECT_EQ(csvField("=HYPERLINK(\"http://x\")", ','), "\"'=HYPERLINK(\"\"http://x\"\")\"");
    EXPECT_EQ(csvField("@SUM(A1)", ';'), "\"'@SUM(A1)\"");
    EXPECT_EQ(csvField("+7 (495) 1", ';'), "\"'+7 (495) 1\"");
    EXPECT_EQ(csvField("-cmd|' /C calc'!A0", ','), "\"'-cmd|' /C calc'!A0\"");
    EXPECT_EQ(csvField("\t=1", ','), "\"'\t=1\"");
    EXPECT_EQ(csvField("-", ','), "\"'-\"");
    for (const char* number : {"-3,5", "-3.5", "+12", "-1.5e3", "-0,01", "12"})
        EXPECT_EQ(csvField(number, ';'), number);
    EXPECT_EQ(csvField("-3,5", ','), "\"-3,5\"");
    EXPECT_EQ(csvField("КС-55713", ';'), "КС-55713");
}

}  // namespace
