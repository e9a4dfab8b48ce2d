#pragma once
// Reading input files without surprises: only a regular file is opened (a
// FIFO, a device or a folder is refused at once, never waited on), a file
// larger than the caller's limit is refused, and no more bytes are kept than
// the caller can use.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace fileio {

inline constexpr std::uint64_t kMiB = 1024 * 1024;

// Opens path for reading when it is a regular file of at most refuseAbove bytes.
// Null, with the reason in Russian ("это папка, а не файл"), otherwise. The open
// never blocks: a FIFO without a writer or a terminal is refused straight away.
// size receives the file's size when given.
std::FILE* openRegularFile(const std::filesystem::path& path, std::uint64_t refuseAbove,
                           std::string& reason, std::uint64_t* size = nullptr);

struct FileBytes {
    std::vector<std::uint8_t> bytes;  // the first bytes of the file, at most what was asked
    std::uint64_t size = 0;           // the whole file's size; the rest is counted, not kept
};

// Reads at most keepAtMost bytes of a regular file of at most refuseAbove bytes.
// False, with the reason in Russian, when it cannot be opened or read.
bool readRegularFile(const std::filesystem::path& path, std::size_t keepAtMost,
                     std::uint64_t refuseAbove, FileBytes& out, std::string& reason);

// The reason a file operation failed, in Russian, for an errno value.
std::string reasonText(int error);
// The same for an error code of std::filesystem, whose system codes are Windows
// error codes on Windows and errno values elsewhere.
std::string reasonText(const std::error_code& error);

}  // namespace fileio
