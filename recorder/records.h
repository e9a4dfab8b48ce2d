#pragma once
// The ten-byte record regions: overloads, critical values ("КДС") and settings.
// Their counts follow from the voted write pointers; overloads are decoded.

#include <cstdint>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace recorder {

// Number of records of a region from its voted write pointer. A pointer below the
// region's start counts as an empty region; a count beyond the region's room is
// cut to the room, so nothing past a region or a table is ever read.
int regionCount(std::uint32_t votedPointer, std::uint32_t regionStart, int room);

inline constexpr int kOverloadRoom = static_cast<int>(kOverloadTableSize);
inline constexpr int kKdsRoomRecords = static_cast<int>(kKdsRoom);
inline constexpr int kSettingsRoom =
    static_cast<int>((kImageSumOffset - kMemoryBase - kSettingsRegionStart) / kRecordSize);

void decodeOverloadRecord(const std::uint8_t* bytes, int index, OverloadRecord& out);

// Fills OverloadTable slots 0 .. OverloadCount-1 (the counts are set by the loader).
void decodeOverloads(const DataFile& file, Reading& reading);

}  // namespace recorder
