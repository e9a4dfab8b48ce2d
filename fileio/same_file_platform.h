#pragma once
// The system's side of same_file.cpp (same_file_posix.cpp, same_file_win32.cpp).

#include <filesystem>
#include <optional>

namespace fileio::detail {

// Whether two existing files are one (the same device and inode, the same volume
// and file index); nothing when either cannot be looked at.
std::optional<bool> sameExistingFile(const std::filesystem::path& a,
                                     const std::filesystem::path& b);

// Whether two full names that lead to no file yet name the same place: the same
// text on POSIX, the same letters in any case on Windows.
bool sameName(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace fileio::detail
