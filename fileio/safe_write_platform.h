#pragma once
// The system's side of the safe writer (safe_write_posix.cpp, safe_write_win32.cpp):
// the file calls; safe_write.cpp keeps the order of the steps and the messages.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "fileio/file_error.h"

namespace fileio::detail {

inline constexpr std::intptr_t kNoFile = -1;

// Why a step failed: the reason in Russian and the errno value it stands for.
struct Failure {
    std::string reason;
    int error = 0;
};
using Outcome = std::optional<Failure>;  // nothing when the step succeeded

// The reason of a failed save of this kind: a missing folder and missing rights
// in a save's words, any other kind with the text given.
Failure writeFailure(FileError kind, int error, std::string otherwise);

// What the earlier file at the target has that the new one keeps.
struct Earlier {
    bool exists = false;
    unsigned mode = 0;  // POSIX permission bits, owner and group
    long long owner = -1;
    long long group = -1;
};

// Refuses a target that is not a regular file or is read-only; fills earlier.
Outcome inspectTarget(const std::filesystem::path& resolved, Earlier& earlier);

// Creates the temporary exclusively and registers it for the interrupt handlers
// (slot). kNoFile on failure; nameTaken when only the name was in use.
std::intptr_t createTemporary(const std::filesystem::path& temporary, int& slot, Failure& failure,
                              bool& nameTaken);
Outcome keepEarlierAttributes(std::intptr_t file, const Earlier& earlier);
Outcome writeAll(std::intptr_t file, const std::uint8_t* bytes, std::size_t size);
Outcome flushToDisk(std::intptr_t file);
Outcome closeFile(std::intptr_t file);
// Puts the complete temporary in the target's place, the earlier file replaced.
Outcome replaceTarget(const std::filesystem::path& temporary,
                      const std::filesystem::path& resolved);
void removeFile(const std::filesystem::path& path) noexcept;
std::uint64_t processId() noexcept;

}  // namespace fileio::detail
