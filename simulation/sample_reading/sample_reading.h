#pragma once
// Synthetic readings of a ТИРС-48С recorder: a truck crane at work over several
// working days, written as a complete, consistent data file (frames, overload
// records, pointer block, both banks, every check byte and the image sum), the
// same bytes for the same seed. Named faults damage exactly one thing each, so a
// test sees exactly the effect it asks for.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/datafile.h"
#include "simulation/sample_reading/calendar.h"
#include "simulation/sample_reading/image_builder.h"

namespace sample {

// What the limiter and the crane say about themselves (Bank 0 and Bank 1 alike).
struct CraneIdentity {
    std::string serialNumber = "001734";
    int modelDigit = 5;  // ТИРС-48С-05
    int programVersion = 12;
    int tablesVersion = 3;
    int configuration = 2;
    int recorderVersion = 4;
    std::string limiterMaker = "ЗАО «Кранприбор»";
    std::string adaptedCranes = "КС-55713-1, КС-55713-5К, КС-45717-1";
    int craneNumber = 1187;
    int manufactureYear = 2019;
    int modeGroup = 4;  // A4
    std::string craneModel = "КС-55713-1";
    CivilDate installDate{12, 3, 2020};
    std::string craneMaker = "ОАО «Уральский крановый завод»";
    std::string programmingOrganisation = "ООО «Подъёмтехсервис»";
};

enum class Pointer { Frame, Page, Overload, Kds, Settings };

// Copies of one pointer written as given instead of three agreeing ones.
struct PointerCopies {
    Pointer pointer = Pointer::Frame;
    std::array<std::uint32_t, 3> copies{};
};

struct BankBlockRef {
    int bank = 0;   // 0 or 1
    int block = 1;  // 1..7
};

// Damage applied after the image is complete. The image sum is recomputed after
// the other faults, so each shows alone unless `wrongImageSum` is set.
struct SampleFaults {
    std::vector<BankBlockRef> badBlocks;       // check byte of the block made wrong
    std::vector<std::size_t> badFrames;        // frame slots with a wrong check byte
    std::vector<std::size_t> badOverloads;     // overload records with a wrong check byte
    std::vector<PointerCopies> pointerCopies;  // disagreeing (or any) pointer copies
    bool wrongImageSum = false;                // stored sum one more than the true sum
    bool eraseBank1 = false;                   // Bank 1 all 0xFF
    std::optional<std::size_t> truncateTo;     // file cut to this many bytes
};

struct SampleOptions {
    std::uint64_t seed = 1;
    // Frame pointer: frames in the page buffer, 1..33; 0 is stored as 0, which reads as 33.
    int bufferFrames = 12;
    // Page pointer: the page the recorder writes next. Page memory is a ring, so the
    // pages from this one on hold the oldest frames; with 0 the memory order is the
    // order of writing.
    std::uint16_t pagePointer = 0;
    int overloads = 16;  // records in the overload region, up to 2600
    int kdsRecords = 5;  // up to 150
    int settingsRecords = 3;
    CivilDate firstWorkDay{7, 10, 2024};  // the first day of the frames in memory
    // Cycles of the crane's life before the frames in memory; negative: chosen from the seed.
    std::int32_t pastCycles = -1;
    // Cycles by which Bank 1 trails Bank 0; negative: 0 to 2 from the seed.
    int bank1Lag = -1;
    CraneIdentity identity;
    // The characteristic number both banks hold, instead of the one the simulated
    // work adds up to (a fleet with known numbers for the remaining design life).
    std::optional<float> characteristicNumber;
    // The acquisition dialog's texts; an empty reading date is set to the evening
    // of the last working day in the frames.
    recorder::ServiceTexts service{"ООО «СтройМеханизация-7»",
                                   "ООО «Кранэкспертиза»",
                                   "Петров Алексей Викторович",
                                   "ТН-0417",
                                   "15.09.2026",
                                   ""};
    SampleFaults faults;
};

// The image with every check and the image sum right, faults applied (except the
// truncation, which concerns the file), and the service texts to save it with.
struct SampleImage {
    ImageBuilder builder;
    recorder::ServiceTexts service;
};

SampleImage buildSampleImage(const SampleOptions& options);

// The complete data file: 270537 bytes unless truncated.
std::vector<std::uint8_t> makeSampleReading(const SampleOptions& options);

}  // namespace sample
