#pragma once
// Whether a file the program is about to write is one it reads: writing a report
// over its own reading (or template, or the open archive) would destroy the input
// and still report success. Every command that writes asks this first.

#include <filesystem>
#include <span>
#include <string>

namespace fileio {

// True when a and b lead to the same file: the same device and inode, symbolic
// links followed, so a hard link or a link to the file counts too. When one of
// them does not exist, true when both names lead to the same place.
bool isSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The first of inputs that writing output would replace, or null. Empty names
// stand for inputs a command does not have and are skipped.
const std::filesystem::path* overwrittenInput(const std::filesystem::path& output,
                                              std::span<const std::filesystem::path> inputs);

// "Файл «OUT» — это тот же файл, что и «IN»: ...", for the user.
std::string sameFileMessage(const std::filesystem::path& output,
                            const std::filesystem::path& input);

}  // namespace fileio
