#pragma once
// Saving a reading as a data file: the proposed file name, and the save
// through the program's safe writer (fileio/safe_write.h).

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "acquisition/status_sink.h"
#include "fileio/safe_write.h"
#include "recorder/datafile.h"

namespace acquisition {

inline constexpr const char* kDataFileExtension = "litm";

// "dd.mm.yyyy hh:mm", the form of the reading date.
std::string formatReadingDate(const std::tm& when);

// The service texts a new acquisition starts with: placeholder names, the
// certificate "Н\3" valid until "00.00.0000", and the given date of reading.
recorder::ServiceTexts defaultServiceTexts(const std::tm& now);

// The name proposed for a reading, without folder or extension: the crane
// model from bank 0, " №", the crane's factory number and the date and time as
// "dd.mm.yy hh-mm". Characters that no file name may hold become '_'.
std::string proposedFileName(std::span<const std::uint8_t> image, const std::tm& now);

// Why a file could not be written, and the safe writer itself (a temporary
// beside the target, renamed over it only when complete).
using SaveResult = fileio::WriteResult;
using fileio::writeFileSafely;

// Saves the image and the service texts to target, showing progress on the
// gauge. On success the status tells the file's name and unsavedReading drops
// to 0; on failure the status says the file was not saved and the flag stays.
SaveResult saveReading(const std::filesystem::path& target, std::span<const std::uint8_t> image,
                       const recorder::ServiceTexts& texts, StatusSink& sink, int& unsavedReading);

// Keeps a reading whose file could not be written after the transfer, so the
// half-minute reading is not lost: under its proposed name (and " (2)", " (3)"
// … beside an earlier file of that name) in the target's folder, or in the
// temporary folder when that folder takes nothing. The file written, or an
// empty path when neither place took it.
std::filesystem::path keepUnsavedReading(const std::filesystem::path& target,
                                         std::span<const std::uint8_t> image,
                                         const recorder::ServiceTexts& texts, const std::tm& now);

}  // namespace acquisition
