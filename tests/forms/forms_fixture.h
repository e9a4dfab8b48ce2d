// Readings for the forms' tests, built byte by byte: a "last" reading with known
// identification, counters and frames, and previous readings around it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/previous_reading.h"
#include "recorder/loader.h"
#include "simulation/sample_reading/image_builder.h"

namespace forms_test {

struct BankValues {
    float characteristicNumber = 0;
    std::uint32_t loadBand3 = 0;  // band 3 (30 to 40 %); the other bands hold 10 × band
    std::int32_t totalCycles = 0;
    std::int32_t winchSeconds = 0;
    std::uint32_t motorMinutes = 0;
    std::int32_t liftedMass = 0;  // 0.01 t
};

inline void setBank(sample::ImageBuilder& b, int bank, const BankValues& v) {
    using namespace recorder::bank;
    b.setBankF32(bank, kCharacteristicNumber, v.characteristicNumber);
    for (std::size_t band = 0; band < kBands; ++band) {
        b.setBankU24(bank, kLoadCycles + 3 * band,
                     band == 3 ? v.loadBand3 : static_cast<std::uint32_t>(10 * band));
        b.setBankU24(bank, kWorkCycles + 3 * band, static_cast<std::uint32_t>(100 + band));
    }
    b.setBankI32(bank, kTotalCycles, v.totalCycles);
    b.setBankI32(bank, kWinchSeconds, v.winchSeconds);
    b.setBankI32(bank, kBoomAngleSeconds, 3600);
    b.setBankI32(bank, kBoomLengthSeconds, 59);
    b.setBankI32(bank, kSlewSeconds, 7200);
    b.setBankU24(bank, kMotorMinutes, v.motorMinutes);
    b.setBankI32(bank, kLiftedMass, v.liftedMass);
}

// Identification of crane КС-45717К-1 №1234 with limiter 50123654; both banks
// hold `values`; 10 buffer frames; frames of 28.11.06 in slots 5120 and 6000.
inline sample::ImageBuilder lastImage(const BankValues& values) {
    using namespace recorder::bank;
    sample::ImageBuilder b;
    b.setPointers(sample::agreeingPointers(10, 0, 0, 0, 0));
    b.setBankText(0, kSerialNumber, kSerialNumberWidth, "50123654");
    b.setBankI8(0, kModelDigit, 7);
    b.setBankText(0, kLimiterMaker, kLimiterMakerWidth, "Кранприбор");
    b.setBankI16(0, kCraneNumber, 1234);
    b.setBankI16(0, kManufactureYear, 2005);
    b.setBankI8(0, kModeGroup, 5);
    b.setBankText(0, kCraneModel, kCraneModelWidth, "КС-45717К-1");
    b.setBankU8(0, kInstallDate, 0x12);
    b.setBankU8(0, kInstallDate + 1, 0x03);
    b.setBankU8(0, kInstallDate + 2, 0x06);
    b.setBankText(0, kCraneMaker, kCraneMakerWidth, "Ивановский завод");
    b.setBankText(0, kProgrammingOrganisation, kProgrammingOrganisationWidth, "Сервис-Кран");
    setBank(b, 0, values);
    b.copyBank0ToBank1();
    sample::FrameFields f;
    b.setFrame(5120, sample::FrameFields(f).at(28, 11, 6, 14, 5, 59));
    b.setFrame(6000, sample::FrameFields(f).at(28, 11, 6, 14, 5, 59));
    b.setFrame(recorder::kPageFrames + 9, sample::FrameFields(f).at(2, 12, 6, 9, 30, 0));
    b.fixAllBankChecks();
    b.fixImageSum();
    return b;
}

inline const recorder::ServiceTexts& lastService() {
    static const recorder::ServiceTexts texts{"ООО «Стройкран»", "Кранэкспертиза",
                                              "Петров П.П.",     "ТН-0417",
                                              "15.09.2026",      "02.12.2006 10:00"};
    return texts;
}

inline recorder::Reading loadLast(const sample::ImageBuilder& b, char separator = ',') {
    recorder::Reading r;
    recorder::loadReading(recorder::DataFile(b.fileBytes(lastService())), r, {separator});
    return r;
}

// A previous reading whose last buffer frame (of `bufferFrames`) is at 28.11.06 14:05:59.
inline sample::ImageBuilder previousImage(const BankValues& bank0, const BankValues& bank1,
                                          int bufferFrames = 4) {
    sample::ImageBuilder b;
    b.setPointers(sample::agreeingPointers(bufferFrames, 0, 0, 0, 0));
    setBank(b, 0, bank0);
    setBank(b, 1, bank1);
    const int n = bufferFrames == 0 ? 33 : bufferFrames;
    b.setFrame(recorder::kPageFrames + static_cast<std::size_t>(n - 1),
               sample::FrameFields().at(28, 11, 6, 14, 5, 59));
    return b;
}

inline recorder::DataFile previousFile(const sample::ImageBuilder& b) {
    return recorder::DataFile(b.fileBytes({"", "", "", "", "", "28.11.2006 15:00"}));
}

}  // namespace forms_test
