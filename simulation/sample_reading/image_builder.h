#pragma once
// ImageBuilder: writes a recorder image byte by byte at the fixed offsets of the
// data file, so tests and the sample generator can state exactly the bytes that
// matter. It encodes frames, overload records and the pointer block itself and
// closes every record with its check byte; it never asks the decoders of the
// recorder core for bytes, so it can serve as their oracle.
//
// Only the layout constants and composeDataFile of the core are used here.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace sample {

// Two decimal digits in one byte, tens in the high nibble (25 -> 0x25).
std::uint8_t toBcd(int value);

// The raw fields of one 32-byte frame, in the units the recorder stores.
struct FrameFields {
    // BCD bytes 0..5: day, month, year, then seconds, minutes, hours.
    std::uint8_t day = 0, month = 0, year = 0;
    std::uint8_t second = 0, minute = 0, hour = 0;
    std::int16_t boomAngle = 0;   // 0.01 degree
    std::int16_t boomLength = 0;  // 0.01 m
    std::int16_t radius = 0;      // 0.01 m
    std::int16_t pressure = 0;    // 0.1 atm
    std::int16_t loadMass = 0;    // 0.01 t
    std::uint16_t azimuth = 0;    // 0.1 degree
    std::uint16_t wind = 0;       // 0.1 m/s
    std::uint8_t kos = 0;         // byte 20
    std::int8_t temperature = 0;  // degrees
    std::int8_t reeving = 0;
    std::int8_t mode = 0;
    std::uint8_t loadPercent = 0;
    std::uint8_t relays = 0;
    std::uint8_t limits = 0;  // bits 0..3 entered, 4..7 triggered
    std::uint8_t inputs1 = 0, inputs2 = 0, inputs3 = 0;
    std::uint8_t faultCode = 0;
    // Byte 31; left empty, the correct check byte is written.
    std::optional<std::uint8_t> checkByte;

    // Date and time from decimal numbers (year within the century).
    FrameFields& at(int d, int mo, int y, int h, int mi, int s);
};

// The raw fields of one ten-byte overload record.
struct OverloadFields {
    std::int16_t radius = 0;    // 0.01 m
    std::int16_t capacity = 0;  // 0.01 t
    std::uint8_t loadPercent = 0;
    std::uint8_t day = 0, month = 0, year = 0;  // BCD
    std::uint8_t mode = 0;
    std::optional<std::uint8_t> checkByte;  // empty: the correct one

    OverloadFields& on(int d, int mo, int y);
};

using FrameBytes = std::array<std::uint8_t, recorder::kFrameSize>;
using RecordBytes = std::array<std::uint8_t, recorder::kRecordSize>;

FrameBytes encodeFrame(const FrameFields& f);
RecordBytes encodeOverload(const OverloadFields& o);
// Nine bytes closed by the check byte that makes the ten add up to 0xFF.
RecordBytes closedRecord(const std::array<std::uint8_t, 9>& bytes);
// The check byte that makes `bytes` plus itself add up to 0xFF.
std::uint8_t checkByte(std::span<const std::uint8_t> bytes);

// Pointer copies whose three copies agree: the frame pointer byte `bufferFrames`
// (0 reads as a full buffer of 33), and the given record counts of the three
// ten-byte regions.
recorder::PointerBlock agreeingPointers(int bufferFrames, std::uint16_t page, int overloads,
                                        int kdsRecords, int settingsRecords);

class ImageBuilder {
  public:
    ImageBuilder();

    // ---- Raw little-endian puts at absolute image offsets ----
    void putU8(std::size_t offset, std::uint8_t v);
    void putI8(std::size_t offset, std::int8_t v);
    void putU16(std::size_t offset, std::uint16_t v);
    void putI16(std::size_t offset, std::int16_t v);
    void putU24(std::size_t offset, std::uint32_t v);
    void putI32(std::size_t offset, std::int32_t v);
    void putU32(std::size_t offset, std::uint32_t v);
    void putF32(std::size_t offset, float v);
    void putBytes(std::size_t offset, std::span<const std::uint8_t> bytes);
    void fill(std::size_t offset, std::size_t n, std::uint8_t v);
    // A UTF-8 text in Windows-1251, cut to `width` bytes; the rest of the slot is zeroed.
    void putText(std::size_t offset, std::size_t width, std::string_view utf8);

    // ---- Banks: index 0 or 1, offsets relative to the bank's start ----
    static std::size_t bankBase(int bank);
    void setBankU8(int bank, std::size_t offset, std::uint8_t v);
    void setBankI8(int bank, std::size_t offset, std::int8_t v);
    void setBankI16(int bank, std::size_t offset, std::int16_t v);
    void setBankU24(int bank, std::size_t offset, std::uint32_t v);
    void setBankI32(int bank, std::size_t offset, std::int32_t v);
    void setBankF32(int bank, std::size_t offset, float v);
    void setBankText(int bank, std::size_t offset, std::size_t width, std::string_view utf8);
    // Copies the whole of Bank 0 (332 bytes) over Bank 1.
    void copyBank0ToBank1();
    // Fills a bank with 0xFF, as erased memory reads.
    void eraseBank(int bank);
    // Writes the correct check byte of block `block` (1..7) of a bank.
    void fixBankCheck(int bank, int block);
    void fixBankChecks(int bank);
    void fixAllBankChecks();
    // Makes the check byte of a block wrong (correct + 1).
    void breakBankCheck(int bank, int block);

    // ---- Frames: slot < 7260 in page memory, 7260..7292 in the page buffer ----
    static std::size_t frameOffset(std::size_t slot);
    void setFrame(std::size_t slot, const FrameFields& f);

    // ---- Ten-byte records, by index within their region ----
    static std::size_t overloadOffset(std::size_t i);
    static std::size_t kdsOffset(std::size_t i);
    static std::size_t settingsOffset(std::size_t i);
    void setOverload(std::size_t i, const OverloadFields& o);
    void setKdsRecord(std::size_t i, const RecordBytes& bytes);
    void setSettingsRecord(std::size_t i, const RecordBytes& bytes);

    // ---- Pointer block: the copies exactly as given ----
    void setPointers(const recorder::PointerBlock& p);

    // ---- Whole-image sum ----
    std::uint32_t computeImageSum() const;
    void fixImageSum();

    std::span<const std::uint8_t> image() const { return image_; }
    std::span<std::uint8_t> image() { return image_; }
    // The data file: image, gap byte and the service texts in their slots.
    std::vector<std::uint8_t> fileBytes(const recorder::ServiceTexts& texts) const;

  private:
    std::vector<std::uint8_t> image_;
};

}  // namespace sample
