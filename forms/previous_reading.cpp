#include "forms/previous_reading.h"

#include <cstdint>

#include "fileio/bounded_read.h"
#include "recorder/counters.h"
#include "recorder/number_format.h"
#include "recorder/pointer_block.h"

namespace forms {

using namespace recorder;

PreviousReading readPreviousReading(const DataFile& file) {
    PreviousReading p;
    p.LimiterSerial = file.textSlot(kBank0Offset + bank::kSerialNumber, bank::kSerialNumberWidth);
    p.LimiterModelDigit = file.i8(kBank0Offset + bank::kModelDigit);
    p.CharacteristicNumber = largerBankF32(file, bank::kCharacteristicNumber);
    for (std::size_t band = 0; band < bank::kBands; ++band)
        p.LoadCycles[band] = largerBankU24(file, bank::kLoadCycles + 3 * band);
    p.TotalCycles = largerBankI32(file, bank::kTotalCycles);
    p.WinchSeconds = largerBankI32(file, bank::kWinchSeconds);
    p.BoomAngleSeconds = largerBankI32(file, bank::kBoomAngleSeconds);
    p.BoomLengthSeconds = largerBankI32(file, bank::kBoomLengthSeconds);
    p.SlewSeconds = largerBankI32(file, bank::kSlewSeconds);
    p.MotorMinutes = largerBankU24(file, bank::kMotorMinutes);
    p.LiftedMass = largerBankI32(file, bank::kLiftedMass);
    p.ReadingDate = file.textSlot(trailer::kReadingDate);

    p.BufferFrameCount = votedBufferFrameCount(readPointerBlock(file));
    const std::size_t frame =
        kBufferFramesOffset + kFrameSize * static_cast<std::size_t>(p.BufferFrameCount - 1);
    p.EndDate = bcdTriple(file.u8(frame), file.u8(frame + 1), file.u8(frame + 2), '.');
    p.EndTime = bcdTriple(file.u8(frame + 5), file.u8(frame + 4), file.u8(frame + 3), ':');
    return p;
}

bool readPreviousReadingFile(const std::filesystem::path& path, PreviousReading& out,
                             std::string& error) {
    // A regular file only, never waited on, and no more of it than is used.
    fileio::FileBytes read;
    if (!fileio::readRegularFile(path, kPreviousReadingBytes, UINT64_MAX, read, error))
        return false;
    out = readPreviousReading(DataFile(std::move(read.bytes)));
    return true;
}

}  // namespace forms
