#pragma once
// Opening a data file: read it once, run the integrity checks, decode it into
// the Reading in a fixed order.
//
// The window shows the load-error log between the checks and the decoding, so
// the load is offered in two steps as well as in one call.

#include <optional>
#include <string>

#include "recorder/datafile.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

// What the window and `litm` tell the user when a data file cannot be opened.
inline constexpr const char* kCannotOpenMessage = "Файл не удалось открыть!";

// Reads the file: a regular file only (a folder, FIFO or device is refused at
// once), at most the image and its trailer kept. Empty result and the reason, in
// Russian, when it cannot be opened or read.
std::optional<DataFile> openDataFile(const std::string& path, std::string& error);

// Empties the load-error log and appends a line per failed check.
void checkDataFile(const DataFile& file, Reading& reading);

// Decodes service texts, identification, counters, pointers and address report,
// overloads and record counts, frames, load diagrams and classification. Every
// table slot ends up decoded or cleared, as after ClearAll and a load.
void decodeDataFile(const DataFile& file, Reading& reading, const NumberFormat& format);

// ClearAll, check and decode in one call. False, with the message, when the file
// cannot be opened; the tables are then left cleared and everything else as it was.
bool loadReading(const std::string& path, Reading& reading, const NumberFormat& format,
                 std::string& error);

// The same over bytes already in memory.
void loadReading(const DataFile& file, Reading& reading, const NumberFormat& format);

}  // namespace recorder
