#pragma once
// The system's side of bounded reads (bounded_read_posix.cpp, bounded_read_win32.cpp).

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fileio::detail {

// Opens path for reading when it is a regular file, without ever waiting on it
// (a FIFO with no writer, a terminal, a device). Null, with the reason in
// Russian, otherwise; size receives the file's size.
std::FILE* openForReading(const std::filesystem::path& path, std::uint64_t& size,
                          std::string& reason);

// The reason for a code of the system's own error category.
std::string systemReasonText(int code);

}  // namespace fileio::detail
