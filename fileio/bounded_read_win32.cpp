#include <windows.h>

#include <io.h>

#include "base/utf8_path.h"
#include "fileio/bounded_read_platform.h"
#include "fileio/device_name.h"
#include "fileio/file_error.h"

namespace fileio::detail {

namespace {

NotAFile kindOf(DWORD type) {
    if (type == FILE_TYPE_PIPE) return NotAFile::Fifo;
    if (type == FILE_TYPE_CHAR) return NotAFile::Device;
    return NotAFile::Other;
}

std::FILE* refuse(HANDLE handle, std::string& reason, std::string why) {
    reason = std::move(why);
    CloseHandle(handle);
    return nullptr;
}

}  // namespace

std::FILE* openForReading(const std::filesystem::path& path, std::uint64_t& size,
                          std::string& reason) {
    // "CON" or "nul.txt" would open the console or the null device, which may wait.
    if (isDeviceName(base::utf8Of(path.filename()))) {
        reason = notAFileText(NotAFile::Device);
        return nullptr;
    }
    // Others may read and write the file meanwhile, as on POSIX; the backup flag
    // lets a folder open, so it is named as one rather than "нет прав доступа".
    const HANDLE handle =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        reason = win32ReasonText(GetLastError());
        return nullptr;
    }
    const DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_DISK) return refuse(handle, reason, notAFileText(kindOf(type)));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info))
        return refuse(handle, reason, win32ReasonText(GetLastError()));
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return refuse(handle, reason, notAFileText(NotAFile::Folder));
    // Read-only and binary (no _O_TEXT): the bytes as they are.
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), 0);
    if (fd < 0) return refuse(handle, reason, fileErrorText(FileError::InputOutput));
    std::FILE* file = _fdopen(fd, "rb");
    if (!file) {
        reason = fileErrorText(FileError::InputOutput);
        _close(fd);  // closes the handle too
        return nullptr;
    }
    size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return file;
}

std::string systemReasonText(int code) {
    return win32ReasonText(static_cast<unsigned long>(code));
}

}  // namespace fileio::detail
