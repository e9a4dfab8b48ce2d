#include "recorder/loader.h"
#include "base/utf8_path.h"

#include <algorithm>
#include <cstdint>

#include "fileio/bounded_read.h"
#include "recorder/address_report.h"
#include "recorder/classification.h"
#include "recorder/counters.h"
#include "recorder/frames.h"
#include "recorder/identification.h"
#include "recorder/integrity.h"
#include "recorder/pointer_block.h"
#include "recorder/reading_texts.h"
#include "recorder/records.h"

namespace recorder {

std::optional<DataFile> openDataFile(const std::string& path, std::string& error) {
    // Nothing of the format lies beyond the trailer: a longer file is read up to
    // there (and only counted beyond), so no file can exhaust memory.
    fileio::FileBytes read;
    if (!fileio::readRegularFile(base::pathFromUtf8(path), kNormalFileSize, UINT64_MAX, read,
                                 error))
        return std::nullopt;
    return DataFile(std::move(read.bytes));
}

void checkDataFile(const DataFile& file, Reading& reading) {
    reading.LoadErrorLog.clear();
    runIntegrityChecks(file, reading.LoadErrorLog);
}

void decodeDataFile(const DataFile& file, Reading& reading, const NumberFormat& format) {
    reading.service = readServiceTexts(file);
    reading.limiter = readLimiterInfo(file);
    reading.crane = readCraneInfo(file);
    reading.counters = readCounters(file);
    reading.classification = classificationOf(reading.crane.ModeGroup, reading.counters);

    // Pointers: page and frame first (report entry 1), then the three regions.
    reading.pointers = readPointerBlock(file);
    const PointerBlock& p = reading.pointers;
    reading.PageAddress = static_cast<std::uint16_t>(vote(p.page));
    // The page buffer holds at most 33 frames; a larger voted pointer is cut to 33.
    reading.BufferFrameCount =
        std::min(votedBufferFrameCount(p), static_cast<int>(kBufferFramesMax));
    reading.FrameCount = static_cast<int>(kPageFrames) + reading.BufferFrameCount;
    reading.AddressReport = addressReportEntries(p);

    reading.OverloadCount = regionCount(vote(p.overload), kOverloadRegionStart, kOverloadRoom);
    reading.KdsCount = regionCount(vote(p.kds), kKdsRegionStart, kKdsRoomRecords);
    reading.SettingsCount = regionCount(vote(p.settings), kSettingsRegionStart, kSettingsRoom);
    decodeOverloads(file, reading);

    decodeFrames(file, reading);
    reading.clearUnloadedSlots();

    // Then every text and gauge from the values.
    showReading(reading, format);
}

void loadReading(const DataFile& file, Reading& reading, const NumberFormat& format) {
    // The same end state as ClearAll followed by the load; the decoding fills or
    // clears every slot itself, so the tables are not cleared twice.
    reading.AddressReport.clear();
    checkDataFile(file, reading);
    decodeDataFile(file, reading, format);
}

bool loadReading(const std::string& path, Reading& reading, const NumberFormat& format,
                 std::string& error) {
    reading.ClearAll();
    auto file = openDataFile(path, error);
    if (!file) return false;
    checkDataFile(*file, reading);
    decodeDataFile(*file, reading, format);
    return true;
}

}  // namespace recorder
