// The fifteen integrity checks: their order, their exact texts, and that a
// failed check never stops the decoding.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixture.h"
#include "recorder/integrity.h"

namespace {

using testing_support::consistentImage;
using testing_support::load;

const std::vector<std::string> kAllBlockMessages = {
    "Ошибка контрольной суммы идентификации ТИРС-48C в Банке-0!",
    "Ошибка контрольной суммы идентификации крана в Банке-0!",
    "Ошибка контрольной суммы характеристического числа в Банке-0!",
    "Ошибка контрольной суммы циклов нагружения в Банке-0!",
    "Ошибка контрольной суммы рабочих циклов в Банке-0!",
    "Ошибка контрольной суммы времени работы механизмов в Банке-0!",
    "Ошибка контрольной суммы наработки в моточасах в Банке-0!",
    "Ошибка контрольной суммы идентификации ТИРС-48C в Банке-1!",
    "Ошибка контрольной суммы идентификации крана в Банке-1!",
    "Ошибка контрольной суммы характеристического числа в Банке-1!",
    "Ошибка контрольной суммы циклов нагружения в Банке-1!",
    "Ошибка контрольной суммы рабочих циклов в Банке-1!",
    "Ошибка контрольной суммы времени работы механизмов в Банке-1!",
    "Ошибка контрольной суммы наработки в моточасах в Банке-1!",
};

TEST(IntegrityChecks, IntactImagePassesAll) {
    EXPECT_TRUE(load(consistentImage()).LoadErrorLog.empty());
}

TEST(IntegrityChecks, AllZeroImageFailsEveryBlockInOrderButNotTheSum) {
    sample::ImageBuilder zeros;  // stored sum 0 equals the sum of zeros
    EXPECT_EQ(load(zeros).LoadErrorLog, kAllBlockMessages);
}

TEST(IntegrityChecks, SumMessageComesFirst) {
    sample::ImageBuilder zeros;
    zeros.putU32(recorder::kImageSumOffset, 1);
    const auto log = load(zeros).LoadErrorLog;
    ASSERT_EQ(log.size(), 15u);
    EXPECT_EQ(log[0], "Ошибка контрольной суммы файла!");
    EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()), kAllBlockMessages);
}

TEST(IntegrityChecks, OneBrokenBlockGivesOneLineAndIsStillDecoded) {
    auto b = consistentImage();
    b.setBankI16(0, recorder::bank::kCraneNumber, 1234);  // block 2 of Bank 0 no longer adds up
    b.fixImageSum();
    const auto r = load(b);
    EXPECT_EQ(r.LoadErrorLog,
              std::vector<std::string>{"Ошибка контрольной суммы идентификации крана в Банке-0!"});
    EXPECT_EQ(r.texts.get("Edit_NKran"), "1234");
}

TEST(IntegrityChecks, EachBlockMapsToItsOwnMessage) {
    for (int bank = 0; bank < 2; ++bank) {
        for (int block = 1; block <= 7; ++block) {
            auto b = consistentImage();
            b.breakBankCheck(bank, block);
            b.fixImageSum();
            EXPECT_EQ(load(b).LoadErrorLog,
                      std::vector<std::string>{kAllBlockMessages[bank * 7 + block - 1]})
                << "bank " << bank << " block " << block;
        }
    }
}

TEST(IntegrityChecks, BlockCheckRule) {
    const std::uint8_t one[5] = {0x00, 0x00, 0x80, 0x3F, 0x40};  // float 1.0 closed by 0x40
    EXPECT_TRUE(recorder::blockSumOk(one, 5));
    const std::uint8_t wrong[5] = {0x00, 0x00, 0x80, 0x3F, 0x41};
    EXPECT_FALSE(recorder::blockSumOk(wrong, 5));
    const std::vector<std::uint8_t> erased(94, 0xFF), zero(94, 0);
    EXPECT_FALSE(recorder::blockSumOk(erased));
    EXPECT_FALSE(recorder::blockSumOk(zero));
}

TEST(Loading, UnopenableFileLeavesTablesClearedAndTextsKept) {
    auto b = consistentImage(5);
    b.setBankI16(0, recorder::bank::kCraneNumber, 77);
    recorder::Reading r = testing_support::loadFixed(b);
    ASSERT_EQ(r.FrameTable[0].Status, "Брак");  // zero frames fail their check
    std::string error;
    EXPECT_FALSE(recorder::loadReading("/nonexistent/dir/x.litm", r, {','}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(r.FrameTable[0].Status, "");
    EXPECT_EQ(r.FrameTable[0].Date, "00.00.00");
    EXPECT_TRUE(r.AddressReport.empty());
    EXPECT_EQ(r.texts.get("Edit_NKran"), "77");
}

TEST(Loading, SameFileTwiceGivesTheSameModel) {
    auto b = consistentImage(7);
    b.breakBankCheck(1, 4);
    const auto bytes = b.fileBytes({});
    recorder::Reading r;
    recorder::loadReading(recorder::DataFile(bytes), r, {','});
    const auto firstLog = r.LoadErrorLog;
    const auto firstTexts = r.texts.entries();
    recorder::loadReading(recorder::DataFile(bytes), r, {','});
    EXPECT_EQ(r.LoadErrorLog, firstLog);
    EXPECT_EQ(r.texts.entries(), firstTexts);
    EXPECT_EQ(r.FrameCount, 7267);
}

}  // namespace
