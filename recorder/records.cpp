#include "recorder/records.h"

#include "recorder/field_text.h"

namespace recorder {

int regionCount(std::uint32_t votedPointer, std::uint32_t regionStart, int room) {
    if (votedPointer < regionStart) return 0;
    const std::uint32_t count = (votedPointer - regionStart) / kRecordSize;
    return count > static_cast<std::uint32_t>(room) ? room : static_cast<int>(count);
}

void decodeOverloadRecord(const std::uint8_t* b, int index, OverloadRecord& r) {
    r.Status = blockSumOk(b, kRecordSize) ? kStatusGood : kStatusBad;
    r.Number = index;
    r.Radius = static_cast<float>(static_cast<std::int16_t>(b[0] | (b[1] << 8)) * 0.01);
    r.Capacity = static_cast<float>(static_cast<std::int16_t>(b[2] | (b[3] << 8)) * 0.01);
    r.LoadPercent = b[4];
    r.Date = bcdTriple(b[5], b[6], b[7], '.');
    r.ModeNumber = b[8];
}

void decodeOverloads(const DataFile& file, Reading& reading) {
    std::uint8_t bytes[kRecordSize];
    const std::size_t start = kMemoryBase + kOverloadRegionStart;
    for (int i = 0; i < reading.OverloadCount; ++i) {
        file.copy(start + kRecordSize * static_cast<std::size_t>(i), kRecordSize, bytes);
        decodeOverloadRecord(bytes, i, reading.OverloadTable[static_cast<std::size_t>(i)]);
    }
}

}  // namespace recorder
