#include "forms/previous_reading.h"

#include <cstdint>

#include "fileio/bounded_read.h"
#include "recorder/counters.h"
#include "recorder/number_format.h"
#include "recorder/pointer_block.h"

namespace forms {

using namespace recorder;

PreviousReading readPreviousReading(const DataFile& file) {
    PreviousReading p;
    p.counters = readCounters(file);
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
    // A regular file only, never waited on, and no more of it than is used.
    fileio::FileBytes read;
    if (!fileio::readRegularFile(path, kPreviousReadingBytes, UINT64_MAX, read, error))
        return false;
    out = readPreviousReading(DataFile(std::move(read.bytes)));
    return true;
}

}  // namespace forms
