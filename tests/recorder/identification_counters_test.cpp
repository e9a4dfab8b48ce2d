// Identification texts from Bank 0, counters from the larger bank value by
// value, their display texts, and the load-band diagrams.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fixture.h"
#include "recorder/loader.h"
#include "recorder/reading_summary.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

namespace bank = recorder::bank;
using testing_support::consistentImage;
using testing_support::loadFixed;

TEST(Identification, DisplayTexts) {
    auto b = consistentImage();
    b.setBankText(0, bank::kSerialNumber, bank::kSerialNumberWidth, "0412");
    b.setBankI8(0, bank::kModelDigit, 5);
    b.setBankI8(0, bank::kProgramVersion, -3);
    b.setBankI8(0, bank::kRecorderVersion, 12);
    b.setBankI16(0, bank::kCraneNumber, -2);
    b.setBankI16(0, bank::kManufactureYear, 2006);
    b.setBankI8(0, bank::kModeGroup, 3);
    b.setBankText(0, bank::kCraneModel, bank::kCraneModelWidth, "КС-55713-1");
    b.setBankU8(0, bank::kInstallDate, 0x31);
    b.setBankU8(0, bank::kInstallDate + 1, 0x12);
    b.setBankU8(0, bank::kInstallDate + 2, 0x99);
    // Bank 1 holds other identification, which is never shown.
    b.setBankI16(1, bank::kCraneNumber, 999);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.texts.get("Edit_NTIRS"), "0412");
    EXPECT_EQ(r.texts.get("Edit_ModTIRS"), "ТИРС-48С-05");
    EXPECT_EQ(r.texts.get("Edit_VProg"), "-3");
    EXPECT_EQ(r.texts.get("Edit_VRP"), "12");
    EXPECT_EQ(r.texts.get("Edit_NKran"), "-2");
    EXPECT_EQ(r.texts.get("Edit_GodIzgot"), "2006 г.");
    EXPECT_EQ(r.texts.get("Edit_GrRegNag"), "A3");
    EXPECT_EQ(r.texts.get("Edit_MKran"), "КС-55713-1");
    EXPECT_EQ(r.texts.get("Edit_DataUst"), "31.12.99");
    EXPECT_EQ(r.texts.get("Label_NHarch"), "32000");
}

TEST(Identification, SlotsEndAtNulOrTheirWidthNeverBeyond) {
    auto b = consistentImage();
    // A full 15-byte model followed directly by the date bytes: the text stops at 15.
    b.setBankText(0, bank::kCraneModel, bank::kCraneModelWidth, "ABCDEFGHIJKLMNOPQ");
    b.setBankU8(0, bank::kInstallDate, 0x41);
    b.setBankText(0, bank::kSerialNumber, bank::kSerialNumberWidth, "12");
    b.putU8(recorder::kBank0Offset + 3, 'X');  // after the NUL: ignored
    const auto r = loadFixed(b);
    EXPECT_EQ(r.texts.get("Edit_MKran"), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(r.texts.get("Edit_NTIRS"), "12");
}

TEST(Identification, TrailerSlots) {
    auto b = consistentImage();
    b.fixImageSum();
    recorder::ServiceTexts texts;
    texts.owner = std::string(50, 'W');  // fills its slot: exactly 50 characters, no NUL
    texts.serviceOrganisation = "ООО «Кран-Сервис»";
    texts.certificateNumber = std::string(20, '7');
    texts.certificateValidUntil = "31.12.2027";
    texts.readingDate = "09.12.2026 10:15";
    const auto r = testing_support::load(b, ',', texts);
    EXPECT_EQ(r.texts.get("Edit_Vlad"), std::string(50, 'W'));
    EXPECT_EQ(r.texts.get("Edit_Org"), "ООО «Кран-Сервис»");
    EXPECT_EQ(r.texts.get("Edit_Name"), "");
    EXPECT_EQ(r.texts.get("Edit_NUd"), std::string(20, '7'));
    EXPECT_EQ(r.texts.get("Edit_DateUd"), "31.12.2027");
    EXPECT_EQ(r.texts.get("Edit_DataSch"), "09.12.2026 10:15");
    EXPECT_EQ(b.fileBytes(texts).size(), recorder::kNormalFileSize);
}

TEST(Counters, EachValueFromTheLargerBankSigned) {
    auto b = consistentImage();
    b.setBankI32(0, bank::kWinchSeconds, 100);
    b.setBankI32(1, bank::kWinchSeconds, 200);
    b.setBankI32(0, bank::kSlewSeconds, 200);
    b.setBankI32(1, bank::kSlewSeconds, 100);
    b.setBankI32(0, bank::kBoomAngleSeconds, 5);
    b.setBankI32(1, bank::kBoomAngleSeconds, -1);   // erased cell: never wins
    b.setBankI32(0, bank::kTotalCycles, 16777216);  // a full four-byte field
    b.setBankU24(0, bank::kLoadCycles + 3 * 2, 10);
    b.setBankU24(1, bank::kLoadCycles + 3 * 2, 0xFFFFFF);  // three bytes widen unsigned
    b.setBankU24(1, bank::kLoadCycles + 3 * 3, 40);        // block mixes banks per value
    b.setBankI32(0, bank::kLiftedMass, 123456);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.counters.WinchSeconds, 200);
    EXPECT_EQ(r.texts.get("E_LEsec"), "0:03:20");
    EXPECT_EQ(r.counters.SlewSeconds, 200);
    EXPECT_EQ(r.texts.get("E_GAsec"), "0:03:20");
    EXPECT_EQ(r.counters.BoomAngleSeconds, 5);
    EXPECT_EQ(r.counters.TotalCycles, 16777216);
    EXPECT_EQ(r.counters.LoadCycles[2], 16777215u);
    EXPECT_EQ(r.counters.LoadCycles[3], 40u);
    EXPECT_EQ(r.texts.get("Edit_N_30"), "16777215");
    EXPECT_EQ(r.texts.get("Label_QSum"), "1234,6 т.");
}

TEST(Counters, ErasedBank1) {
    auto b = consistentImage();
    b.setBankI32(0, bank::kTotalCycles, 5000);
    b.setBankU24(0, bank::kMotorMinutes, 90);
    b.setBankF32(0, bank::kCharacteristicNumber, 12.5f);
    b.eraseBank(1);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.counters.TotalCycles, 5000);        // int32: -1 never wins
    EXPECT_EQ(r.counters.MotorMinutes, 16777215u);  // uint24 maximum wins
    EXPECT_EQ(r.texts.get("Edit_N_10"), "16777215");
    EXPECT_FLOAT_EQ(r.counters.CharacteristicNumber, 12.5f);  // 0xFFFFFFFF is a NaN
    EXPECT_EQ(r.texts.get("Edit_HarCh"), "12,50");
}

TEST(Counters, FloatComparisonAndTimeTexts) {
    auto b = consistentImage();
    b.setBankF32(0, bank::kCharacteristicNumber, -2.0f);
    b.setBankF32(1, bank::kCharacteristicNumber, -1.5f);
    b.setBankU24(0, bank::kMotorMinutes, 90);
    b.setBankI32(0, bank::kWinchSeconds, -100);
    b.setBankI32(1, bank::kWinchSeconds, -200);
    b.setBankI32(0, bank::kLiftedMass, 7);
    const auto r = loadFixed(b, '.');
    EXPECT_EQ(r.texts.get("Edit_HarCh"), "-1.50");
    EXPECT_EQ(r.texts.get("L_TimeAll"), "1:30:00");
    EXPECT_EQ(r.texts.get("E_LEsec"), "-0:01:40");
    EXPECT_EQ(r.texts.get("Label_QSum"), "0.1 т.");

    auto damaged = consistentImage();
    damaged.setBankI32(0, bank::kLiftedMass, -7);  // only a damaged bank gives a negative mass
    damaged.setBankI32(1, bank::kLiftedMass, -9);
    EXPECT_EQ(loadFixed(damaged).texts.get("Label_QSum"), "-0,1 т.");

    auto nan = consistentImage();
    nan.setBankF32(0, bank::kCharacteristicNumber, 3.0f);
    nan.setBankF32(1, bank::kCharacteristicNumber, std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(loadFixed(nan).counters.CharacteristicNumber, 3.0f);
}

TEST(LoadDiagrams, ScaledToTheLargestLoadCycleCount) {
    auto b = consistentImage();
    b.setBankU24(0, bank::kLoadCycles + 3 * 13, 400);  // largest in band 13
    b.setBankU24(0, bank::kLoadCycles + 3 * 0, 100);
    b.setBankU24(0, bank::kLoadCycles + 3 * 1, 399);
    b.setBankU24(0, bank::kWorkCycles + 3 * 0, 1000);  // above the scale: full bar
    b.setBankU24(0, bank::kWorkCycles + 3 * 14, 3);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.gauges.get("CGauge_140"), 100);
    EXPECT_EQ(r.gauges.get("CGauge_10"), 25);
    EXPECT_EQ(r.gauges.get("CGauge_20"), 99);  // truncates
    EXPECT_EQ(r.gauges.get("CGauge_N10"), 100);
    EXPECT_EQ(r.gauges.get("CGauge_Nb140"), 0);
    EXPECT_EQ(r.gauges.size(), 30u);
}

TEST(LoadDiagrams, NoLoadCyclesScaleOfOne) {
    auto b = consistentImage();
    b.setBankU24(0, bank::kWorkCycles + 3 * 4, 1);
    const auto r = loadFixed(b);
    EXPECT_EQ(r.gauges.get("CGauge_50"), 0);
    EXPECT_EQ(r.gauges.get("CGauge_N50"), 100);
    EXPECT_EQ(r.gauges.get("CGauge_N60"), 0);
}

// The archive's summary holds what the window's load decodes, damaged and cut
// readings included.
TEST(ReadingSummary, AgreesWithTheLoadedReading) {
    sample::SampleOptions sound;
    sample::SampleOptions damaged;
    damaged.seed = 7;
    damaged.faults.eraseBank1 = true;
    damaged.faults.badFrames = {3};
    sample::SampleOptions cut;
    cut.faults.truncateTo = 100000;
    for (const auto& options : {sound, damaged, cut}) {
        const recorder::DataFile file(sample::makeSampleReading(options));
        recorder::Reading loaded;
        recorder::loadReading(file, loaded, recorder::NumberFormat{});
        const recorder::ReadingSummary s = recorder::summarize(file);
        EXPECT_EQ(s.loadErrors, loaded.LoadErrorLog);
        EXPECT_EQ(s.service.readingDate, loaded.service.readingDate);
        EXPECT_EQ(s.service.owner, loaded.service.owner);
        EXPECT_EQ(s.limiter.SerialNumber, loaded.limiter.SerialNumber);
        EXPECT_EQ(s.limiterModel, loaded.texts.get(recorder::display::kLimiterModel));
        EXPECT_EQ(s.crane.CraneNumber, loaded.crane.CraneNumber);
        EXPECT_EQ(s.crane.InstallDate, loaded.crane.InstallDate);
        EXPECT_EQ(s.counters.TotalCycles, loaded.counters.TotalCycles);
        EXPECT_EQ(s.counters.LoadCycles, loaded.counters.LoadCycles);
        EXPECT_EQ(s.counters.MotorMinutes, loaded.counters.MotorMinutes);
        EXPECT_EQ(s.classification.CurrentGroup, loaded.classification.CurrentGroup);
        EXPECT_EQ(s.classification.NormativeCharacteristicNumber,
                  loaded.classification.NormativeCharacteristicNumber);
    }
}

}  // namespace
