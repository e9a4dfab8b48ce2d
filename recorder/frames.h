#pragma once
// The 32-byte frame records of the page memory and the page buffer.

#include <cstdint>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace recorder {

// Decodes one frame from its 32 bytes into a slot of the table.
void decodeFrame(const std::uint8_t* bytes, int slot, FrameRecord& out);

// Fills slots 0 .. FrameCount-1: the page frames, then BufferFrameCount buffer frames.
void decodeFrames(const DataFile& file, Reading& reading);

}  // namespace recorder
