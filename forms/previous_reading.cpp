#include "forms/previous_reading.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "recorder/number_format.h"
#include "recorder/pointer_block.h"

namespace forms {

namespace {

using namespace recorder;

// Bank 1 replaces Bank 0 only when strictly greater, integers compared as signed
// 32-bit numbers, the characteristic number as a float (a NaN never wins).
std::int32_t largerI32(const DataFile& f, std::size_t offset) {
    const std::int32_t v0 = f.i32(kBank0Offset + offset);
    const std::int32_t v1 = f.i32(kBank1Offset + offset);
    return v1 > v0 ? v1 : v0;
}

std::uint32_t largerU24(const DataFile& f, std::size_t offset) {
    const auto v0 = static_cast<std::int32_t>(f.u24(kBank0Offset + offset));
    const auto v1 = static_cast<std::int32_t>(f.u24(kBank1Offset + offset));
    return static_cast<std::uint32_t>(v1 > v0 ? v1 : v0);
}

float largerF32(const DataFile& f, std::size_t offset) {
    const float v0 = f.f32(kBank0Offset + offset);
    const float v1 = f.f32(kBank1Offset + offset);
    return v1 > v0 ? v1 : v0;
}

}  // namespace

PreviousReading readPreviousReading(const DataFile& file) {
    PreviousReading p;
    p.CharacteristicNumber = largerF32(file, bank::kCharacteristicNumber);
    for (std::size_t band = 0; band < bank::kBands; ++band)
        p.LoadCycles[band] = largerU24(file, bank::kLoadCycles + 3 * band);
    p.TotalCycles = largerI32(file, bank::kTotalCycles);
    p.WinchSeconds = largerI32(file, bank::kWinchSeconds);
    p.BoomAngleSeconds = largerI32(file, bank::kBoomAngleSeconds);
    p.BoomLengthSeconds = largerI32(file, bank::kBoomLengthSeconds);
    p.SlewSeconds = largerI32(file, bank::kSlewSeconds);
    p.MotorMinutes = largerU24(file, bank::kMotorMinutes);
    p.LiftedMass = largerI32(file, bank::kLiftedMass);
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
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    std::vector<std::uint8_t> bytes(kPreviousReadingBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) {
        error = std::strerror(errno ? errno : EIO);
        return false;
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    out = readPreviousReading(DataFile(std::move(bytes)));
    return true;
}

}  // namespace forms
