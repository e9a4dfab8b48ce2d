#include "recorder/frames.h"

#include <string>

#include "recorder/number_format.h"

namespace recorder {
namespace {

std::int16_t i16At(const std::uint8_t* b, int offset) {
    return static_cast<std::int16_t>(b[offset] | (b[offset + 1] << 8));
}
std::uint16_t u16At(const std::uint8_t* b, int offset) {
    return static_cast<std::uint16_t>(b[offset] | (b[offset + 1] << 8));
}

}  // namespace

void decodeFrame(const std::uint8_t* b, int slot, FrameRecord& f) {
    f.Status = blockSumOk(b, kFrameSize) ? kStatusGood : kStatusBad;
    f.Number = slot;
    f.Date = bcdTriple(b[0], b[1], b[2], '.');
    f.Time = bcdTriple(b[5], b[4], b[3], ':');
    f.BoomAngle = static_cast<float>(i16At(b, 6) * 0.01);
    f.BoomLength = static_cast<float>(i16At(b, 8) * 0.01);
    f.Radius = static_cast<float>(i16At(b, 10) * 0.01);
    f.Pressure = static_cast<float>(i16At(b, 12) * 0.1);
    f.LoadMass = static_cast<float>(i16At(b, 14) * 0.01);
    f.Azimuth = static_cast<float>(u16At(b, 16) * 0.1);
    f.Wind = static_cast<float>(u16At(b, 18) * 0.1);
    f.KosBits = bitString(b[20]);
    f.Temperature = static_cast<std::int8_t>(b[21]);
    f.ReevingMode = std::to_string(static_cast<std::int8_t>(b[22])) + " " +
                    std::to_string(static_cast<std::int8_t>(b[23]));
    f.LoadPercent = b[24];
    f.RelayBits = bitString(b[25]);
    f.LimitBits = bitString(b[26]);
    f.InputBits1 = bitString(b[27]);
    f.InputBits2 = bitString(b[28]);
    f.InputBits3 = bitString(b[29]);
    f.FaultCode = b[30];
}

void decodeFrames(const DataFile& file, Reading& reading) {
    std::uint8_t bytes[kFrameSize];
    for (std::size_t k = 0; k < kPageFrames; ++k) {
        file.copy(kFrameSize * k, kFrameSize, bytes);
        decodeFrame(bytes, static_cast<int>(k), reading.FrameTable[k]);
    }
    for (int j = 0; j < reading.BufferFrameCount; ++j) {
        const std::size_t slot = kPageFrames + static_cast<std::size_t>(j);
        file.copy(kBufferFramesOffset + kFrameSize * static_cast<std::size_t>(j), kFrameSize,
                  bytes);
        decodeFrame(bytes, static_cast<int>(slot), reading.FrameTable[slot]);
    }
}

}  // namespace recorder
