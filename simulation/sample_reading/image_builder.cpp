#include "simulation/sample_reading/image_builder.h"

#include <algorithm>
#include <bit>
#include <stdexcept>
#include <string>

#include "base/codepage.h"

namespace sample {

using namespace recorder;

std::uint8_t toBcd(int value) {
    const int v = std::clamp(value, 0, 99);
    return static_cast<std::uint8_t>((v / 10) << 4 | (v % 10));
}

FrameFields& FrameFields::at(int d, int mo, int y, int h, int mi, int s) {
    day = toBcd(d);
    month = toBcd(mo);
    year = toBcd(y % 100);
    hour = toBcd(h);
    minute = toBcd(mi);
    second = toBcd(s);
    return *this;
}

OverloadFields& OverloadFields::on(int d, int mo, int y) {
    day = toBcd(d);
    month = toBcd(mo);
    year = toBcd(y % 100);
    return *this;
}

std::uint8_t checkByte(std::span<const std::uint8_t> bytes) {
    unsigned sum = 0;
    for (std::uint8_t b : bytes) sum += b;
    return static_cast<std::uint8_t>(0xFFu - (sum & 0xFFu));
}

namespace {

template <std::size_t N>
void put16(std::array<std::uint8_t, N>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

FrameBytes encodeFrame(const FrameFields& f) {
    FrameBytes b{};
    b[0] = f.day;
    b[1] = f.month;
    b[2] = f.year;
    b[3] = f.second;
    b[4] = f.minute;
    b[5] = f.hour;
    put16(b, 6, static_cast<std::uint16_t>(f.boomAngle));
    put16(b, 8, static_cast<std::uint16_t>(f.boomLength));
    put16(b, 10, static_cast<std::uint16_t>(f.radius));
    put16(b, 12, static_cast<std::uint16_t>(f.pressure));
    put16(b, 14, static_cast<std::uint16_t>(f.loadMass));
    put16(b, 16, f.azimuth);
    put16(b, 18, f.wind);
    b[20] = f.kos;
    b[21] = static_cast<std::uint8_t>(f.temperature);
    b[22] = static_cast<std::uint8_t>(f.reeving);
    b[23] = static_cast<std::uint8_t>(f.mode);
    b[24] = f.loadPercent;
    b[25] = f.relays;
    b[26] = f.limits;
    b[27] = f.inputs1;
    b[28] = f.inputs2;
    b[29] = f.inputs3;
    b[30] = f.faultCode;
    b[31] = f.checkByte.value_or(checkByte(std::span(b).first(31)));
    return b;
}

RecordBytes encodeOverload(const OverloadFields& o) {
    RecordBytes b{};
    put16(b, 0, static_cast<std::uint16_t>(o.radius));
    put16(b, 2, static_cast<std::uint16_t>(o.capacity));
    b[4] = o.loadPercent;
    b[5] = o.day;
    b[6] = o.month;
    b[7] = o.year;
    b[8] = o.mode;
    b[9] = o.checkByte.value_or(checkByte(std::span(b).first(9)));
    return b;
}

RecordBytes closedRecord(const std::array<std::uint8_t, 9>& bytes) {
    RecordBytes b{};
    std::copy(bytes.begin(), bytes.end(), b.begin());
    b[9] = checkByte(bytes);
    return b;
}

PointerBlock agreeingPointers(int bufferFrames, std::uint16_t page, int overloads, int kdsRecords,
                              int settingsRecords) {
    auto three16 = [](std::uint32_t v) {
        const auto w = static_cast<std::uint16_t>(v);
        return std::array<std::uint16_t, 3>{w, w, w};
    };
    PointerBlock p;
    const auto frame = static_cast<std::uint8_t>(bufferFrames);
    p.frame = {frame, frame, frame};
    p.page = three16(page);
    p.overload =
        three16(kOverloadRegionStart + kRecordSize * static_cast<std::uint32_t>(overloads));
    p.kds = three16(kKdsRegionStart + kRecordSize * static_cast<std::uint32_t>(kdsRecords));
    p.settings =
        three16(kSettingsRegionStart + kRecordSize * static_cast<std::uint32_t>(settingsRecords));
    return p;
}

// ---- ImageBuilder ----------------------------------------------------------------------------

ImageBuilder::ImageBuilder() : image_(kImageSize, 0) {}

void ImageBuilder::putU8(std::size_t offset, std::uint8_t v) {
    image_.at(offset) = v;
}
void ImageBuilder::putI8(std::size_t offset, std::int8_t v) {
    putU8(offset, static_cast<std::uint8_t>(v));
}
void ImageBuilder::putU16(std::size_t offset, std::uint16_t v) {
    putU8(offset, static_cast<std::uint8_t>(v & 0xFF));
    putU8(offset + 1, static_cast<std::uint8_t>(v >> 8));
}
void ImageBuilder::putI16(std::size_t offset, std::int16_t v) {
    putU16(offset, static_cast<std::uint16_t>(v));
}
void ImageBuilder::putU24(std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 3; ++i) putU8(offset + i, static_cast<std::uint8_t>(v >> (8 * i)));
}
void ImageBuilder::putU32(std::size_t offset, std::uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) putU8(offset + i, static_cast<std::uint8_t>(v >> (8 * i)));
}
void ImageBuilder::putI32(std::size_t offset, std::int32_t v) {
    putU32(offset, static_cast<std::uint32_t>(v));
}
void ImageBuilder::putF32(std::size_t offset, float v) {
    putU32(offset, std::bit_cast<std::uint32_t>(v));
}
void ImageBuilder::putBytes(std::size_t offset, std::span<const std::uint8_t> bytes) {
    if (offset > image_.size() || bytes.size() > image_.size() - offset)
        throw std::out_of_range("ImageBuilder::putBytes beyond the image");
    std::copy(bytes.begin(), bytes.end(), image_.begin() + static_cast<std::ptrdiff_t>(offset));
}
void ImageBuilder::fill(std::size_t offset, std::size_t n, std::uint8_t v) {
    if (offset > image_.size() || n > image_.size() - offset)
        throw std::out_of_range("ImageBuilder::fill beyond the image");
    std::fill_n(image_.begin() + static_cast<std::ptrdiff_t>(offset), n, v);
}
void ImageBuilder::putText(std::size_t offset, std::size_t width, std::string_view utf8) {
    const std::string bytes = utf8ToCp1251(utf8);
    fill(offset, width, 0);
    const std::size_t n = std::min(bytes.size(), width);
    putBytes(offset, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), n));
}

std::size_t ImageBuilder::bankBase(int bank) {
    if (bank != 0 && bank != 1) throw std::out_of_range("bank index must be 0 or 1");
    return bank == 0 ? kBank0Offset : kBank1Offset;
}
void ImageBuilder::setBankU8(int bank, std::size_t offset, std::uint8_t v) {
    putU8(bankBase(bank) + offset, v);
}
void ImageBuilder::setBankI8(int bank, std::size_t offset, std::int8_t v) {
    putI8(bankBase(bank) + offset, v);
}
void ImageBuilder::setBankI16(int bank, std::size_t offset, std::int16_t v) {
    putI16(bankBase(bank) + offset, v);
}
void ImageBuilder::setBankU24(int bank, std::size_t offset, std::uint32_t v) {
    putU24(bankBase(bank) + offset, v);
}
void ImageBuilder::setBankI32(int bank, std::size_t offset, std::int32_t v) {
    putI32(bankBase(bank) + offset, v);
}
void ImageBuilder::setBankF32(int bank, std::size_t offset, float v) {
    putF32(bankBase(bank) + offset, v);
}
void ImageBuilder::setBankText(int bank, std::size_t offset, std::size_t width,
                               std::string_view utf8) {
    putText(bankBase(bank) + offset, width, utf8);
}
void ImageBuilder::copyBank0ToBank1() {
    std::copy_n(image_.begin() + kBank0Offset, kBankSize, image_.begin() + kBank1Offset);
}
void ImageBuilder::eraseBank(int bank) {
    fill(bankBase(bank), kBankSize, 0xFF);
}

void ImageBuilder::fixBankCheck(int bank, int block) {
    const BankBlock& b = kBankBlocks.at(static_cast<std::size_t>(block - 1));
    const std::size_t start = bankBase(bank) + b.offset;
    image_[start + b.size - 1] = checkByte(std::span(image_).subspan(start, b.size - 1));
}
void ImageBuilder::fixBankChecks(int bank) {
    for (int k = 1; k <= static_cast<int>(kBankBlocks.size()); ++k) fixBankCheck(bank, k);
}
void ImageBuilder::fixAllBankChecks() {
    fixBankChecks(0);
    fixBankChecks(1);
}
void ImageBuilder::breakBankCheck(int bank, int block) {
    fixBankCheck(bank, block);
    const BankBlock& b = kBankBlocks.at(static_cast<std::size_t>(block - 1));
    ++image_[bankBase(bank) + b.offset + b.size - 1];
}

std::size_t ImageBuilder::frameOffset(std::size_t slot) {
    if (slot >= kFrameTableSize) throw std::out_of_range("frame slot beyond 7292");
    return slot < kPageFrames ? kFrameSize * slot
                              : kBufferFramesOffset + kFrameSize * (slot - kPageFrames);
}
void ImageBuilder::setFrame(std::size_t slot, const FrameFields& f) {
    putBytes(frameOffset(slot), encodeFrame(f));
}

std::size_t ImageBuilder::overloadOffset(std::size_t i) {
    if (i >= kOverloadTableSize) throw std::out_of_range("overload record beyond the region");
    return kMemoryBase + kOverloadRegionStart + kRecordSize * i;
}
std::size_t ImageBuilder::kdsOffset(std::size_t i) {
    if (i >= kKdsRoom) throw std::out_of_range("critical-value record beyond the region");
    return kMemoryBase + kKdsRegionStart + kRecordSize * i;
}
std::size_t ImageBuilder::settingsOffset(std::size_t i) {
    const std::size_t offset = kMemoryBase + kSettingsRegionStart + kRecordSize * i;
    if (offset + kRecordSize > kImageSumOffset)
        throw std::out_of_range("settings record beyond the region");
    return offset;
}
void ImageBuilder::setOverload(std::size_t i, const OverloadFields& o) {
    putBytes(overloadOffset(i), encodeOverload(o));
}
void ImageBuilder::setKdsRecord(std::size_t i, const RecordBytes& bytes) {
    putBytes(kdsOffset(i), bytes);
}
void ImageBuilder::setSettingsRecord(std::size_t i, const RecordBytes& bytes) {
    putBytes(settingsOffset(i), bytes);
}

void ImageBuilder::setPointers(const PointerBlock& p) {
    const std::size_t base = kPointerBlockOffset;
    for (std::size_t c = 0; c < 3; ++c) {
        putU8(base + 3 * c, p.frame[c]);
        putU16(base + 3 * c + 1, p.page[c]);
        putU16(base + 9 + 2 * c, p.overload[c]);
        putU16(base + 15 + 2 * c, p.kds[c]);
        putU16(base + 21 + 2 * c, p.settings[c]);
    }
}

std::uint32_t ImageBuilder::computeImageSum() const {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < kSummedSize; ++i) sum += image_[i];
    return sum;
}
void ImageBuilder::fixImageSum() {
    putU32(kImageSumOffset, computeImageSum());
}

std::vector<std::uint8_t> ImageBuilder::fileBytes(const ServiceTexts& texts) const {
    return composeDataFile(image_, texts);
}

}  // namespace sample
