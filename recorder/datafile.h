#pragma once
// The data file: a copy of the recorder image, a gap byte and the service
// trailer, every item at a fixed absolute offset.
//
// DataFile holds the bytes of one file, read once, and answers fixed-offset
// reads; a value whose bytes lie beyond the end of the file reads as zero in
// every missing byte, so a short or damaged file never reads out of bounds.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace recorder {

// ---- The map of the file -------------------------------------------------------------------

inline constexpr std::size_t kImageSize = 270336;       // recorder image as the reader delivers it
inline constexpr std::size_t kSummedSize = 264192;      // bytes covered by the whole-image sum
inline constexpr std::size_t kImageSumOffset = 264192;  // stored uint32 whole-image sum
inline constexpr std::size_t kGapOffset = 270336;       // never written, reads as 0
inline constexpr std::size_t kNormalFileSize = 270537;  // trailer with a 16-character date

// Memory address A of the recorder's parameter memory is file offset kMemoryBase + A.
inline constexpr std::size_t kMemoryBase = 232320;

inline constexpr std::size_t kFrameSize = 32;
inline constexpr std::size_t kPageFrames = 7260;  // 220 pages of 33 frames
inline constexpr std::size_t kBufferFramesMax = 33;
inline constexpr std::size_t kFrameTableSize = kPageFrames + kBufferFramesMax;  // 7293
inline constexpr std::size_t kBufferFramesOffset = 232984;

inline constexpr std::size_t kBank0Offset = 232320;
inline constexpr std::size_t kBank1Offset = 232652;
inline constexpr std::size_t kBankSize = 332;

inline constexpr std::size_t kPointerBlockOffset = 234068;
inline constexpr std::size_t kPointerBlockSize = 27;

inline constexpr std::size_t kRecordSize = 10;  // overload, critical-value and settings records
inline constexpr std::uint32_t kOverloadRegionStart = 2020;  // memory addresses
inline constexpr std::uint32_t kKdsRegionStart = 28024;
inline constexpr std::uint32_t kSettingsRegionStart = 29528;
inline constexpr std::size_t kOverloadTableSize = 2600;
inline constexpr std::size_t kKdsRoom = 150;

// Offsets of fields inside a bank (add kBank0Offset or kBank1Offset).
namespace bank {
inline constexpr std::size_t kSerialNumber = 0;  // text slot, 8
inline constexpr std::size_t kModelDigit = 8;
inline constexpr std::size_t kProgramVersion = 9;
inline constexpr std::size_t kTablesVersion = 10;
inline constexpr std::size_t kConfiguration = 11;
inline constexpr std::size_t kRecorderVersion = 12;
inline constexpr std::size_t kLimiterMaker = 13;   // text slot, 20
inline constexpr std::size_t kAdaptedCranes = 33;  // text slot, 60
inline constexpr std::size_t kCraneNumber = 94;
inline constexpr std::size_t kManufactureYear = 96;
inline constexpr std::size_t kModeGroup = 98;
inline constexpr std::size_t kCraneModel = 99;                // text slot, 15
inline constexpr std::size_t kInstallDate = 114;              // 3 BCD bytes: day, month, year
inline constexpr std::size_t kCraneMaker = 117;               // text slot, 40
inline constexpr std::size_t kProgrammingOrganisation = 157;  // text slot, 40
inline constexpr std::size_t kCharacteristicNumber = 198;     // float32
inline constexpr std::size_t kLoadCycles = 203;               // 15 x uint24
inline constexpr std::size_t kTotalCycles = 248;              // int32
inline constexpr std::size_t kWorkCycles = 253;               // 15 x uint24
inline constexpr std::size_t kWinchSeconds = 299;             // int32
inline constexpr std::size_t kBoomAngleSeconds = 303;
inline constexpr std::size_t kBoomLengthSeconds = 307;
inline constexpr std::size_t kSlewSeconds = 311;
inline constexpr std::size_t kMotorMinutes = 316;  // uint24
inline constexpr std::size_t kLiftedMass = 320;    // int32, 0.01 t

inline constexpr std::size_t kSerialNumberWidth = 8;
inline constexpr std::size_t kLimiterMakerWidth = 20;
inline constexpr std::size_t kAdaptedCranesWidth = 60;
inline constexpr std::size_t kCraneModelWidth = 15;
inline constexpr std::size_t kCraneMakerWidth = 40;
inline constexpr std::size_t kProgrammingOrganisationWidth = 40;
inline constexpr int kBands = 15;
}  // namespace bank

// One of the seven checked blocks of a bank: offset inside the bank and size with its check byte.
struct BankBlock {
    std::size_t offset;
    std::size_t size;
};
inline constexpr std::array<BankBlock, 7> kBankBlocks = {{
    {0, 94},    // 1 limiter identification
    {94, 104},  // 2 crane identification
    {198, 5},   // 3 characteristic number
    {203, 50},  // 4 load cycles and total
    {253, 46},  // 5 work cycles
    {299, 17},  // 6 mechanism running times
    {316, 4},   // 7 motor hours
}};

// The six text slots of the service trailer, in file order.
struct TextSlot {
    std::size_t offset;
    std::size_t width;
};
namespace trailer {
inline constexpr TextSlot kOwner{270337, 50};
inline constexpr TextSlot kServiceOrganisation{270387, 50};
inline constexpr TextSlot kOperatorName{270437, 50};
inline constexpr TextSlot kCertificateNumber{270487, 20};
inline constexpr TextSlot kCertificateValidUntil{270507, 13};
inline constexpr TextSlot kReadingDate{270520, 17};
}  // namespace trailer

// ---- Checks ---------------------------------------------------------------------------------

// A block whose last byte is its check byte is intact when all its bytes add up to 0xFF mod 256.
bool blockSumOk(const std::uint8_t* bytes, std::size_t n);
inline bool blockSumOk(std::span<const std::uint8_t> bytes) {
    return blockSumOk(bytes.data(), bytes.size());
}

// The check byte that makes the first n-1 bytes plus itself add up to 0xFF.
std::uint8_t checkByteFor(const std::uint8_t* bytes, std::size_t nWithoutCheck);

// 32-bit sum of the unsigned bytes at offsets 0..264191 (missing bytes count as 0).
std::uint32_t imageSum(std::span<const std::uint8_t> image);

// The little-endian sum stored at offset 264192 (missing bytes read as 0).
std::uint32_t storedImageSum(std::span<const std::uint8_t> image);

// ---- Reading ---------------------------------------------------------------------------------

class DataFile {
  public:
    DataFile() = default;
    explicit DataFile(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t size() const { return bytes_.size(); }
    std::span<const std::uint8_t> bytes() const { return bytes_; }
    // Hands the bytes back (the file is left empty), so that a caller loading
    // file after file can reuse one buffer.
    std::vector<std::uint8_t> takeBytes() { return std::exchange(bytes_, {}); }

    std::uint8_t u8(std::size_t offset) const {
        return offset < bytes_.size() ? bytes_[offset] : 0;
    }
    std::int8_t i8(std::size_t offset) const { return static_cast<std::int8_t>(u8(offset)); }
    std::uint16_t u16(std::size_t offset) const;
    std::int16_t i16(std::size_t offset) const { return static_cast<std::int16_t>(u16(offset)); }
    std::uint32_t u24(std::size_t offset) const;
    std::uint32_t u32(std::size_t offset) const;
    std::int32_t i32(std::size_t offset) const { return static_cast<std::int32_t>(u32(offset)); }
    float f32(std::size_t offset) const;

    // Copies n bytes starting at offset into out (zero where the file ends).
    void copy(std::size_t offset, std::size_t n, std::uint8_t* out) const;

    // Block check of n bytes at an absolute offset.
    bool blockOk(std::size_t offset, std::size_t n) const;

    // The text of a slot in UTF-8: bytes up to the first NUL or the slot's end, never beyond.
    std::string textSlot(std::size_t offset, std::size_t width) const;
    std::string textSlot(TextSlot slot) const { return textSlot(slot.offset, slot.width); }

  private:
    std::vector<std::uint8_t> bytes_;
};

// The slot rule as a free function over a data file (returns UTF-8).
std::string readTextSlot(const DataFile& file, std::size_t offset, std::size_t width);

// Why a file could not be read.
struct FileReadError {
    std::string message;  // the reason, in Russian
};

// The largest file readFileBytes takes.
inline constexpr std::size_t kReadFileLimit = 16 * 1024 * 1024;

// Reads a whole regular file of at most kReadFileLimit bytes into memory. Returns
// false and fills error when it cannot be opened or read.
bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& out, FileReadError& error);

// ---- Writing ---------------------------------------------------------------------------------

// The six texts typed in the acquisition dialog and kept in the file's trailer, UTF-8.
struct ServiceTexts {
    std::string owner;
    std::string serviceOrganisation;
    std::string operatorName;
    std::string certificateNumber;
    std::string certificateValidUntil;
    std::string readingDate;  // "dd.mm.yyyy hh:mm"
};

// Builds the bytes of a data file from an image and the service texts: the image,
// the zero gap byte, and each text in Windows-1251 in its slot. A text is cut to
// its slot's width so it never spills into the next slot; the reading date keeps
// its terminating NUL when it fits. The result is kNormalFileSize bytes long for a
// 16-character date (at least the end of the last slot's text plus its NUL).
std::vector<std::uint8_t> composeDataFile(std::span<const std::uint8_t> image,
                                          const ServiceTexts& texts);

}  // namespace recorder
