// A previous reading, as forms 1 and 2 compare it with the loaded one: only its
// counters, its date and its last buffer frame's date and time, read straight
// from its data file without loading or checking it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace forms {

struct PreviousReading {
    recorder::Counters counters;  // each from the bank that holds the larger value
    std::string ReadingDate;      // the trailer's date slot, UTF-8

    // The voted frame pointer (33 when the vote gives 0) and the date and time of
    // that buffer frame: where the previous reading's records end.
    int BufferFrameCount = 0;
    std::string EndDate;  // DD.MM.YY
    std::string EndTime;  // HH:MM:SS
};

// Reads the values from a file's bytes; bytes beyond its end read as zero. The
// voted count may exceed the buffer (the byte holds up to 255): the frame is then
// read at the same formula, further into the file.
PreviousReading readPreviousReading(const recorder::DataFile& file);

// Every byte a previous reading's values can come from lies before this offset
// (the trailer's end), so a larger file is read no further.
inline constexpr std::size_t kPreviousReadingBytes = recorder::kNormalFileSize;

// Reads the first kPreviousReadingBytes of a regular file (never waits on a FIFO
// or a device). False, with the reason in Russian
// in `error`, when it cannot be opened or read.
bool readPreviousReadingFile(const std::filesystem::path& path, PreviousReading& out,
                             std::string& error);

}  // namespace forms
