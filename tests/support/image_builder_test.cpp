// The builder writes the bytes the recorder writes, at the offsets of the data file.
#include "simulation/sample_reading/image_builder.h"

#include <gtest/gtest.h>

#include <vector>

#include "recorder/loader.h"

namespace {

using sample::FrameFields;
using sample::ImageBuilder;
using sample::OverloadFields;

std::vector<std::uint8_t> at(const ImageBuilder& b, std::size_t offset, std::size_t n) {
    auto img = b.image();
    return {img.begin() + static_cast<std::ptrdiff_t>(offset),
            img.begin() + static_cast<std::ptrdiff_t>(offset + n)};
}

TEST(ImageBuilder, PutsAreLittleEndianAtAbsoluteOffsets) {
    ImageBuilder b;
    b.putI16(100, -100);
    b.putU24(200, 0xABCDEF);
    b.putI32(300, 16777216);
    b.putF32(400, 1.0f);
    b.putText(500, 6, "КС-55713");  // cut to the slot, Windows-1251
    EXPECT_EQ(at(b, 100, 2), (std::vector<std::uint8_t>{0x9C, 0xFF}));
    EXPECT_EQ(at(b, 200, 3), (std::vector<std::uint8_t>{0xEF, 0xCD, 0xAB}));
    EXPECT_EQ(at(b, 300, 4), (std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x01}));
    EXPECT_EQ(at(b, 400, 4), (std::vector<std::uint8_t>{0x00, 0x00, 0x80, 0x3F}));
    EXPECT_EQ(at(b, 500, 7), (std::vector<std::uint8_t>{0xCA, 0xD1, '-', '5', '5', '7', 0}));
}

TEST(ImageBuilder, BankFieldsAndCheckBytes) {
    ImageBuilder b;
    b.setBankF32(1, recorder::bank::kCharacteristicNumber, 1.0f);
    b.fixBankChecks(1);
    // Block 3 of Bank 1 (file offset 232850): float 1.0 closes with 0x40.
    EXPECT_EQ(at(b, 232850, 5), (std::vector<std::uint8_t>{0x00, 0x00, 0x80, 0x3F, 0x40}));
    // An all-zero block closes with 0xFF (block 7 check byte at bank offset 319).
    EXPECT_EQ(b.image()[232652 + 319], 0xFF);
    b.breakBankCheck(1, 3);
    EXPECT_EQ(b.image()[232854], 0x41);

    b.eraseBank(0);
    EXPECT_EQ(at(b, 232320, 2), (std::vector<std::uint8_t>{0xFF, 0xFF}));
    EXPECT_EQ(b.image()[232320 + 331], 0xFF);
    EXPECT_EQ(b.image()[232320 + 332], 0x00);  // Bank 1 untouched
}

TEST(ImageBuilder, FrameBytesInPageMemoryAndBuffer) {
    ImageBuilder b;
    FrameFields f;
    f.at(28, 11, 6, 14, 5, 59);
    f.boomAngle = 4000;
    f.azimuth = 0xFF9C;
    f.temperature = -10;
    f.reeving = 4;
    f.mode = 2;
    f.limits = 0x91;
    b.setFrame(3, f);
    const auto frame = at(b, 96, 32);
    EXPECT_EQ(std::vector<std::uint8_t>(frame.begin(), frame.begin() + 8),
              (std::vector<std::uint8_t>{0x28, 0x11, 0x06, 0x59, 0x05, 0x14, 0xA0, 0x0F}));
    EXPECT_EQ(frame[16], 0x9C);
    EXPECT_EQ(frame[17], 0xFF);
    EXPECT_EQ(frame[21], 0xF6);
    EXPECT_EQ(frame[22], 4);
    EXPECT_EQ(frame[23], 2);
    EXPECT_EQ(frame[26], 0x91);
    unsigned sum = 0;
    for (auto v : frame) sum += v;
    EXPECT_EQ(sum % 256, 0xFFu);

    f.checkByte = 0x00;
    b.setFrame(7260 + 2, f);  // buffer frame 2
    EXPECT_EQ(b.image()[232984 + 64], 0x28);
    EXPECT_EQ(b.image()[232984 + 64 + 31], 0x00);
    EXPECT_THROW(b.setFrame(7293, f), std::out_of_range);
}

TEST(ImageBuilder, OverloadRecordAndPointerBlock) {
    ImageBuilder b;
    OverloadFields o;
    o.radius = 1050;
    o.capacity = 20000;
    o.loadPercent = 140;
    o.on(5, 3, 6).mode = 2;
    b.setOverload(4, o);
    const auto rec = at(b, 232320 + 2020 + 40, 10);
    EXPECT_EQ(std::vector<std::uint8_t>(rec.begin(), rec.begin() + 9),
              (std::vector<std::uint8_t>{0x1A, 0x04, 0x20, 0x4E, 0x8C, 0x05, 0x03, 0x06, 0x02}));
    unsigned sum = 0;
    for (auto v : rec) sum += v;
    EXPECT_EQ(sum % 256, 0xFFu);

    recorder::PointerBlock p;
    p.frame = {5, 6, 7};
    p.page = {0x0102, 0x0304, 0x0506};
    p.overload = {2070, 2070, 2060};
    p.kds = {28024, 28034, 28044};
    p.settings = {29528, 29528, 29538};
    b.setPointers(p);
    EXPECT_EQ(at(b, 234068, 9),
              (std::vector<std::uint8_t>{5, 0x02, 0x01, 6, 0x04, 0x03, 7, 0x06, 0x05}));
    EXPECT_EQ(at(b, 234068 + 9, 6),
              (std::vector<std::uint8_t>{0x16, 0x08, 0x16, 0x08, 0x0C, 0x08}));
    EXPECT_EQ(at(b, 234068 + 15, 2), (std::vector<std::uint8_t>{0x78, 0x6D}));
    EXPECT_EQ(at(b, 234068 + 25, 2), (std::vector<std::uint8_t>{0x62, 0x73}));

    const auto agreeing = sample::agreeingPointers(0, 17, 5, 0, 2);
    EXPECT_EQ(agreeing.frame, (std::array<std::uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(agreeing.overload[2], 2070);
    EXPECT_EQ(agreeing.settings[0], 29548);
}

TEST(ImageBuilder, ImageSumAndDataFile) {
    ImageBuilder b;
    b.putU8(0, 0xFF);
    b.putU8(264191, 0x01);
    b.putU8(264196, 0x77);  // beyond the summed bytes
    b.fixImageSum();
    EXPECT_EQ(at(b, 264192, 4), (std::vector<std::uint8_t>{0x00, 0x01, 0x00, 0x00}));

    const auto file = b.fileBytes({"Владелец", "", "", "", "", "01.02.2024 10:30"});
    ASSERT_EQ(file.size(), recorder::kNormalFileSize);
    EXPECT_EQ(file[270336], 0);       // gap byte
    EXPECT_EQ(file[270337], 0xC2);    // 'В' in Windows-1251
    EXPECT_EQ(file[270520 + 16], 0);  // the date's terminating NUL
}

// A hand-built image with every check closed loads without a log line, and the
// loader sees the frames, overloads and counts the builder wrote.
TEST(ImageBuilder, HandBuiltImageLoadsClean) {
    ImageBuilder b;
    FrameFields f;
    f.at(1, 2, 24, 8, 0, 0);
    for (std::size_t k = 0; k < recorder::kPageFrames; ++k) b.setFrame(k, f);
    for (std::size_t j = 0; j < 5; ++j) b.setFrame(recorder::kPageFrames + j, f);
    OverloadFields o;
    o.loadPercent = 130;
    b.setOverload(0, o);
    b.setOverload(1, o);
    b.setPointers(sample::agreeingPointers(5, 17, 2, 0, 0));
    b.fixAllBankChecks();
    b.fixImageSum();

    recorder::Reading r;
    recorder::loadReading(recorder::DataFile(b.fileBytes({})), r, recorder::NumberFormat{});
    EXPECT_TRUE(r.LoadErrorLog.empty());
    EXPECT_EQ(r.FrameCount, 7265);
    EXPECT_EQ(r.FrameTable[7264].Status, "Норма");
    EXPECT_EQ(r.FrameTable[7264].Date, "01.02.24");
    EXPECT_EQ(r.OverloadCount, 2);
    EXPECT_EQ(r.OverloadTable[1].LoadPercent, 130);
}

}  // namespace
