#include <windows.h>

#include "fileio/same_file_platform.h"

namespace fileio::detail {

namespace {

// The volume and index that identify a file, links followed; false when it
// cannot be opened. Opening for no access conflicts with no other program's
// sharing, and the backup flag lets a folder open too.
bool identityOf(const std::filesystem::path& path, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE handle =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(handle, &info) != 0;
    CloseHandle(handle);
    return known;
}

}  // namespace

std::optional<bool> sameExistingFile(const std::filesystem::path& a,
                                     const std::filesystem::path& b) {
    BY_HANDLE_FILE_INFORMATION ia{};
    BY_HANDLE_FILE_INFORMATION ib{};
    if (!identityOf(a, ia) || !identityOf(b, ib)) return std::nullopt;
    return ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
           ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

// Windows names are one name in any case: "форма 1.rtf" is "Форма 1.rtf".
bool sameName(const std::filesystem::path& a, const std::filesystem::path& b) {
    const std::wstring wa = std::filesystem::path(a).make_preferred().native();
    const std::wstring wb = std::filesystem::path(b).make_preferred().native();
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace fileio::detail
