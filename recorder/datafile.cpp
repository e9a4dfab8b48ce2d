#include "recorder/datafile.h"
#include "base/utf8_path.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/codepage.h"
#include "fileio/bounded_read.h"

namespace recorder {

namespace {

// The sum of n bytes, eight at a time: the same sum a byte loop makes, with a
// word read per eight bytes (the image sum covers a quarter of a megabyte).
std::uint32_t byteSum(const std::uint8_t* bytes, std::size_t n) {
    constexpr std::uint64_t kEvenBytes = 0x00FF00FF00FF00FFull;
    std::uint32_t sum = 0;
    std::size_t i = 0;
    while (n - i >= 8) {
        // Four 16-bit lanes gather pairs of bytes; 128 words keep them below 65536.
        std::uint64_t lanes = 0;
        for (const std::size_t end = std::min(n - n % 8, i + 8 * 128); i < end; i += 8) {
            std::uint64_t word = 0;
            std::memcpy(&word, bytes + i, 8);
            lanes += (word & kEvenBytes) + (word >> 8 & kEvenBytes);
        }
        sum += static_cast<std::uint32_t>((lanes & 0xFFFF) + (lanes >> 16 & 0xFFFF) +
                                          (lanes >> 32 & 0xFFFF) + (lanes >> 48));
    }
    for (; i < n; ++i) sum += bytes[i];
    return sum;
}

}  // namespace

bool blockSumOk(const std::uint8_t* bytes, std::size_t n) {
    return (byteSum(bytes, n) & 0xFFu) == 0xFFu;
}

std::uint8_t checkByteFor(const std::uint8_t* bytes, std::size_t nWithoutCheck) {
    return static_cast<std::uint8_t>(0xFFu - (byteSum(bytes, nWithoutCheck) & 0xFFu));
}

std::uint32_t imageSum(std::span<const std::uint8_t> image) {
    return byteSum(image.data(), std::min(image.size(), kSummedSize));
}

// Multi-byte reads start inside the file or read zero: an offset near the top of
// the address range must not wrap around to the file's start.
std::uint32_t storedImageSum(std::span<const std::uint8_t> image) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const std::size_t at = kImageSumOffset + i;
        if (at < image.size()) sum |= static_cast<std::uint32_t>(image[at]) << (8 * i);
    }
    return sum;
}

std::uint16_t DataFile::u16(std::size_t offset) const {
    if (offset >= bytes_.size()) return 0;
    return static_cast<std::uint16_t>(u8(offset) | (u8(offset + 1) << 8));
}

std::uint32_t DataFile::u24(std::size_t offset) const {
    if (offset >= bytes_.size()) return 0;
    return static_cast<std::uint32_t>(u8(offset)) |
           (static_cast<std::uint32_t>(u8(offset + 1)) << 8) |
           (static_cast<std::uint32_t>(u8(offset + 2)) << 16);
}

std::uint32_t DataFile::u32(std::size_t offset) const {
    if (offset >= bytes_.size()) return 0;
    return u24(offset) | (static_cast<std::uint32_t>(u8(offset + 3)) << 24);
}

float DataFile::f32(std::size_t offset) const {
    return std::bit_cast<float>(u32(offset));
}

void DataFile::copy(std::size_t offset, std::size_t n, std::uint8_t* out) const {
    std::size_t available = offset < bytes_.size() ? std::min(n, bytes_.size() - offset) : 0;
    if (available > 0) std::memcpy(out, bytes_.data() + offset, available);
    if (available < n) std::memset(out + available, 0, n - available);
}

bool DataFile::blockOk(std::size_t offset, std::size_t n) const {
    if (offset <= bytes_.size() && n <= bytes_.size() - offset)
        return blockSumOk(bytes_.data() + offset, n);
    std::vector<std::uint8_t> block(n);
    copy(offset, n, block.data());
    return blockSumOk(block.data(), n);
}

std::string DataFile::textSlot(std::size_t offset, std::size_t width) const {
    std::string raw;
    if (offset >= bytes_.size()) return raw;
    for (std::size_t i = 0; i < width; ++i) {
        const std::uint8_t b = u8(offset + i);
        if (b == 0) break;
        raw.push_back(static_cast<char>(b));
    }
    return cp1251ToUtf8(raw);
}

std::string readTextSlot(const DataFile& file, std::size_t offset, std::size_t width) {
    return file.textSlot(offset, width);
}

bool readFileBytes(const std::string& path, std::vector<std::uint8_t>& out, FileReadError& error) {
    fileio::FileBytes read;
    if (!fileio::readRegularFile(base::pathFromUtf8(path), kReadFileLimit, kReadFileLimit, read,
                                 error.message))
        return false;
    out = std::move(read.bytes);
    return true;
}

namespace {

// Places a text in its slot without ever passing the slot's end.
void putText(std::vector<std::uint8_t>& file, TextSlot slot, const std::string& utf8,
             std::size_t maxBytes) {
    const std::string bytes = utf8ToCp1251(utf8);
    const std::size_t n = std::min({bytes.size(), maxBytes, slot.width});
    std::memcpy(file.data() + slot.offset, bytes.data(), n);
}

}  // namespace

std::vector<std::uint8_t> composeDataFile(std::span<const std::uint8_t> image,
                                          const ServiceTexts& texts) {
    // The reading date keeps one terminating NUL inside its 17-byte slot.
    const std::string date = utf8ToCp1251(texts.readingDate);
    const std::size_t dateLength = std::min(date.size(), trailer::kReadingDate.width - 1);
    std::vector<std::uint8_t> file(trailer::kReadingDate.offset + dateLength + 1, 0);

    std::memcpy(file.data(), image.data(), std::min(image.size(), kImageSize));
    putText(file, trailer::kOwner, texts.owner, trailer::kOwner.width);
    putText(file, trailer::kServiceOrganisation, texts.serviceOrganisation,
            trailer::kServiceOrganisation.width);
    putText(file, trailer::kOperatorName, texts.operatorName, trailer::kOperatorName.width);
    putText(file, trailer::kCertificateNumber, texts.certificateNumber,
            trailer::kCertificateNumber.width);
    putText(file, trailer::kCertificateValidUntil, texts.certificateValidUntil,
            trailer::kCertificateValidUntil.width);
    std::memcpy(file.data() + trailer::kReadingDate.offset, date.data(), dateLength);
    return file;
}

}  // namespace recorder
