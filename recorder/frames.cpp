#include "recorder/frames.h"

#include <charconv>
#include <cstring>
#include <string>
#include <string_view>

#include "recorder/field_text.h"

namespace recorder {
namespace {

std::int16_t i16At(const std::uint8_t* b, int offset) {
    return static_cast<std::int16_t>(b[offset] | (b[offset + 1] << 8));
}
std::uint16_t u16At(const std::uint8_t* b, int offset) {
    return static_cast<std::uint16_t>(b[offset] | (b[offset + 1] << 8));
}

// The texts are written into the record's existing strings: a load decodes
// 7293 frames, and building each text anew would cost most of the load's time.
// The eight characters of a date, a time or a bit row are written over the
// ones there (a slot holds eight already, but for a first load).
constexpr char kHex[] = "0123456789ABCDEF";

char* eightCharacters(std::string& out) {
    if (out.size() != 8) out.resize(8);
    return out.data();
}

void setStatus(std::string& out, bool good) {
    const std::string_view status = good ? kStatusGood : kStatusBad;
    if (out != status) out.assign(status);
}

void assignTriple(std::string& out, std::uint8_t a, std::uint8_t b, std::uint8_t c, char sep) {
    char* text = eightCharacters(out);
    text[0] = kHex[a >> 4];
    text[1] = kHex[a & 0xF];
    text[2] = sep;
    text[3] = kHex[b >> 4];
    text[4] = kHex[b & 0xF];
    text[5] = sep;
    text[6] = kHex[c >> 4];
    text[7] = kHex[c & 0xF];
}

struct BitTexts {
    char text[256][8];
    constexpr BitTexts() : text{} {
        for (int byte = 0; byte < 256; ++byte)
            for (int bit = 0; bit < 8; ++bit) text[byte][7 - bit] = (byte >> bit) & 1 ? '1' : '0';
    }
};
constexpr BitTexts kBitTexts;

void assignBits(std::string& out, std::uint8_t byte) {
    std::memcpy(eightCharacters(out), kBitTexts.text[byte], 8);
}

void assignReevingMode(std::string& out, std::int8_t reeving, std::int8_t mode) {
    char text[16];
    auto end = std::to_chars(text, text + 4, static_cast<int>(reeving)).ptr;
    *end++ = ' ';
    end = std::to_chars(end, end + 4, static_cast<int>(mode)).ptr;
    out.assign(text, end);
}

}  // namespace

void decodeFrame(const std::uint8_t* b, int slot, FrameRecord& f) {
    setStatus(f.Status, blockSumOk(b, kFrameSize));
    f.Number = slot;
    assignTriple(f.Date, b[0], b[1], b[2], '.');
    assignTriple(f.Time, b[5], b[4], b[3], ':');
    f.BoomAngle = static_cast<float>(i16At(b, 6) * 0.01);
    f.BoomLength = static_cast<float>(i16At(b, 8) * 0.01);
    f.Radius = static_cast<float>(i16At(b, 10) * 0.01);
    f.Pressure = static_cast<float>(i16At(b, 12) * 0.1);
    f.LoadMass = static_cast<float>(i16At(b, 14) * 0.01);
    f.Azimuth = static_cast<float>(u16At(b, 16) * 0.1);
    f.Wind = static_cast<float>(u16At(b, 18) * 0.1);
    assignBits(f.KosBits, b[20]);
    f.Temperature = static_cast<std::int8_t>(b[21]);
    assignReevingMode(f.ReevingMode, static_cast<std::int8_t>(b[22]),
                      static_cast<std::int8_t>(b[23]));
    f.LoadPercent = b[24];
    assignBits(f.RelayBits, b[25]);
    assignBits(f.LimitBits, b[26]);
    assignBits(f.InputBits1, b[27]);
    assignBits(f.InputBits2, b[28]);
    assignBits(f.InputBits3, b[29]);
    f.FaultCode = b[30];
}

void decodeFrames(const DataFile& file, Reading& reading) {
    std::uint8_t bytes[kFrameSize];
    const auto whole = file.bytes();
    for (std::size_t k = 0; k < kPageFrames; ++k) {
        const std::size_t offset = kFrameSize * k;
        if (offset + kFrameSize <= whole.size()) {
            decodeFrame(whole.data() + offset, static_cast<int>(k), reading.FrameTable[k]);
        } else {
            file.copy(offset, kFrameSize, bytes);
            decodeFrame(bytes, static_cast<int>(k), reading.FrameTable[k]);
        }
    }
    for (int j = 0; j < reading.BufferFrameCount; ++j) {
        const std::size_t slot = kPageFrames + static_cast<std::size_t>(j);
        file.copy(kBufferFramesOffset + kFrameSize * static_cast<std::size_t>(j), kFrameSize,
                  bytes);
        decodeFrame(bytes, static_cast<int>(slot), reading.FrameTable[slot]);
    }
}

}  // namespace recorder
