// Frames, overload records, the record counts from the voted pointers and the
// memory address report.

#include <gtest/gtest.h>

#include <string>

#include "fixture.h"

namespace {

using sample::FrameFields;
using sample::OverloadFields;
using testing_support::consistentImage;
using testing_support::loadFixed;

TEST(Frames, FieldsOfOneFrame) {
    auto b = consistentImage();
    FrameFields f;
    f.at(28, 11, 6, 14, 5, 59);
    f.boomAngle = 4000;
    f.boomLength = -100;
    f.radius = 1050;
    f.pressure = 123;
    f.loadMass = 250;
    f.azimuth = 0xFF9C;  // unsigned: 6543.6
    f.wind = 75;
    f.kos = 0x01;
    f.temperature = -10;
    f.reeving = 4;
    f.mode = -2;
    f.loadPercent = 255;
    f.relays = 0x80;
    f.limits = 0x91;
    f.inputs1 = 0x0F;
    f.faultCode = 200;
    b.setFrame(17, f);
    const auto r = loadFixed(b);
    const auto& x = r.FrameTable[17];
    EXPECT_EQ(x.Status, "Норма");
    EXPECT_EQ(x.Number, 17);
    EXPECT_EQ(x.Date, "28.11.06");
    EXPECT_EQ(x.Time, "14:05:59");
    EXPECT_FLOAT_EQ(x.BoomAngle, 40.0f);
    EXPECT_FLOAT_EQ(x.BoomLength, -1.0f);
    EXPECT_FLOAT_EQ(x.Radius, 10.5f);
    EXPECT_FLOAT_EQ(x.Pressure, 12.3f);
    EXPECT_FLOAT_EQ(x.LoadMass, 2.5f);
    EXPECT_FLOAT_EQ(x.Azimuth, 6543.6f);
    EXPECT_FLOAT_EQ(x.Wind, 7.5f);
    EXPECT_EQ(x.KosBits, "00000001");
    EXPECT_EQ(x.Temperature, -10);
    EXPECT_EQ(x.ReevingMode, "4 -2");
    EXPECT_EQ(x.LoadPercent, 255);
    EXPECT_EQ(x.RelayBits, "10000000");
    EXPECT_EQ(x.LimitBits, "10010001");
    EXPECT_EQ(x.InputBits1, "00001111");
    EXPECT_EQ(x.InputBits2, "00000000");
    EXPECT_EQ(x.FaultCode, 200);
}

TEST(Frames, BadCheckByteDecodesAllTheSameAsBrak) {
    auto b = consistentImage();
    FrameFields f;
    f.at(1, 2, 3, 4, 5, 6);
    f.boomAngle = -100;
    f.checkByte = 0x00;
    b.setFrame(7259, f);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.FrameTable[7259].Status, "Брак");
    EXPECT_EQ(r.FrameTable[7259].Date, "01.02.03");
    EXPECT_FLOAT_EQ(r.FrameTable[7259].BoomAngle, -1.0f);
    EXPECT_TRUE(r.LoadErrorLog.empty());  // record checks never reach the log
}

TEST(Frames, BufferFrameCountFromTheVotedPointer) {
    struct Case {
        std::array<std::uint8_t, 3> copies;
        int buffer;
    };
    for (const Case& c :
         {Case{{5, 5, 7}, 5}, Case{{6, 9, 5}, 6}, Case{{6, 5, 5}, 5}, Case{{1, 2, 3}, 33},
          Case{{0, 0, 0}, 33}, Case{{1, 1, 1}, 1}, Case{{200, 200, 200}, 33}}) {
        auto b = consistentImage();
        auto p = sample::agreeingPointers(33, 0, 0, 0, 0);
        p.frame = c.copies;
        b.setPointers(p);
        FrameFields good;
        good.at(1, 1, 26, 0, 0, 0);
        for (std::size_t slot = 7260; slot < 7293; ++slot) b.setFrame(slot, good);
        const auto r = loadFixed(b);
        EXPECT_EQ(r.BufferFrameCount, c.buffer) << int(c.copies[0]);
        EXPECT_EQ(r.FrameCount, 7260 + c.buffer);
        const auto last = static_cast<std::size_t>(r.FrameCount - 1);
        EXPECT_EQ(r.FrameTable[last].Status, "Норма");
        EXPECT_EQ(r.FrameTable[last].Number, r.FrameCount - 1);
        if (r.FrameCount < 7293) {
            EXPECT_EQ(r.FrameTable[last + 1].Status, "");  // cleared slot
            EXPECT_EQ(r.FrameTable[last + 1].Number, 0);
        }
    }
}

TEST(Overloads, RecordFieldsAndStatus) {
    auto b = consistentImage();
    b.setPointers(sample::agreeingPointers(33, 0, 3, 0, 0));
    OverloadFields o;
    o.radius = 0x041A;    // 10.50 m
    o.capacity = 0x4E20;  // 200.00 t
    o.loadPercent = 0x8C;
    o.on(5, 3, 6);
    o.mode = 2;
    b.setOverload(0, o);
    o.checkByte = 0x12;
    b.setOverload(1, o);
    OverloadFields negative;
    negative.radius = -1;
    b.setOverload(2, negative);
    const auto r = loadFixed(b);
    ASSERT_EQ(r.OverloadCount, 3);
    const auto& x = r.OverloadTable[0];
    EXPECT_EQ(x.Status, "Норма");
    EXPECT_FLOAT_EQ(x.Radius, 10.5f);
    EXPECT_FLOAT_EQ(x.Capacity, 200.0f);
    EXPECT_EQ(x.LoadPercent, 140);
    EXPECT_EQ(x.Date, "05.03.06");
    EXPECT_EQ(x.ModeNumber, 2);
    EXPECT_EQ(r.OverloadTable[1].Status, "Брак");
    EXPECT_EQ(r.OverloadTable[1].Date, "05.03.06");
    EXPECT_EQ(r.OverloadTable[1].Number, 1);
    EXPECT_FLOAT_EQ(r.OverloadTable[2].Radius, -0.01f);
    EXPECT_EQ(r.OverloadTable[3].Status, "");
}

TEST(Overloads, CountsFromTheVotedPointers) {
    auto b = consistentImage();
    auto p = sample::agreeingPointers(33, 0, 0, 4, 2);
    p.overload = {2070, 2070, 2060};
    b.setPointers(p);
    auto r = loadFixed(b);
    EXPECT_EQ(r.OverloadCount, 5);
    EXPECT_EQ(r.KdsCount, 4);
    EXPECT_EQ(r.SettingsCount, 2);

    p.overload = {1, 2, 3};         // no test holds: 0, below the region's start
    p.kds = {60000, 60000, 60000};  // beyond the room of 150 records
    b.setPointers(p);
    r = loadFixed(b);
    EXPECT_EQ(r.OverloadCount, 0);
    EXPECT_EQ(r.KdsCount, 150);
    EXPECT_EQ(r.OverloadTable[0].Status, "");
}

TEST(AddressReport, RawCopiesInTwentyLines) {
    auto b = consistentImage();
    auto p = sample::agreeingPointers(5, 17, 5, 0, 0);
    p.kds = {28024, 28024, 28024};
    p.settings = {29528, 29528, 29530};
    b.setPointers(p);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.addressReportText(),
              "Адреса памяти страницы\r\nАдрес1: 17\r\nАдрес2: 17\r\nАдрес3: 17\r\n"
              "Адреса памяти кадра\r\nАдрес1: 5\r\nАдрес2: 5\r\nАдрес3: 5\r\n"
              "Адреса памяти перегрузок:\r\nАдрес1: 2070\r\nАдрес2: 2070\r\nАдрес3: 2070\r\n"
              "Адреса памяти КДС:\r\nАдрес1: 28024\r\nАдрес2: 28024\r\nАдрес3: 28024\r\n"
              "Адреса памяти настроек:\r\nАдрес1: 29528\r\nАдрес2: 29528\r\nАдрес3: 29530");
    EXPECT_EQ(r.AddressReport.size(), 4u);
    EXPECT_EQ(r.PageAddress, 17);

    auto zero = consistentImage();
    auto q = sample::agreeingPointers(33, 0, 0, 0, 0);
    q.frame = {0, 0, 0};
    zero.setPointers(q);
    const auto z = loadFixed(zero);
    EXPECT_EQ(z.BufferFrameCount, 33);
    EXPECT_NE(
        z.addressReportText().find("Адреса памяти кадра\r\nАдрес1: 0\r\nАдрес2: 0\r\nАдрес3: 0"),
        std::string::npos);
}

TEST(ClearAll, NewTablesHoldEmptyTextsUntilCleared) {
    recorder::Reading r;
    EXPECT_EQ(r.FrameTable[0].Date, "");
    EXPECT_EQ(r.FrameTable[7292].LimitBits, "");
    EXPECT_EQ(r.OverloadTable[2599].Date, "");
    EXPECT_EQ(r.FrameTable[0].Number, 0);
    r.ClearAll();
    EXPECT_EQ(r.FrameTable[0].Date, "00.00.00");
    EXPECT_EQ(r.FrameTable[7292].LimitBits, "00000000");
    EXPECT_EQ(r.OverloadTable[2599].Date, "00.00.00");
}

TEST(ClearAll, ResetsTablesAndReportOnly) {
    auto b = consistentImage();
    b.setBankI16(0, recorder::bank::kCraneNumber, 31);
    auto r = loadFixed(b);
    r.LoadErrorLog.push_back("line");
    r.ClearAll();
    EXPECT_EQ(r.FrameTable[5].Status, "");
    EXPECT_EQ(r.FrameTable[5].Number, 0);
    EXPECT_EQ(r.FrameTable[5].KosBits, "00000000");
    EXPECT_EQ(r.FrameTable[5].ReevingMode, "");
    EXPECT_TRUE(r.AddressReport.empty());
    EXPECT_EQ(r.texts.get("Edit_NKran"), "31");
    EXPECT_EQ(r.LoadErrorLog.size(), 1u);
    EXPECT_EQ(r.FrameCount, 7293);
}

}  // namespace
