#include <windows.h>

#include "fileio/file_error.h"

namespace fileio {

namespace {

// Codes newer than the compiler's headers.
constexpr DWORD kDiskQuotaExceeded = 1295;
constexpr DWORD kDirectoryNotSupported = 336;
constexpr DWORD kStoppedOnSymlink = 681;

}  // namespace

FileError fileErrorOfWin32(unsigned long code) {
    switch (code) {
        case ERROR_ACCESS_DENIED:
        case ERROR_PRIVILEGE_NOT_HELD:
            return FileError::AccessDenied;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return FileError::NotFound;
        case ERROR_DIRECTORY:
            return FileError::FileInPath;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
        case kDiskQuotaExceeded:
            return FileError::NoSpace;
        case ERROR_FILE_TOO_LARGE:
            return FileError::TooLarge;
        case ERROR_WRITE_PROTECT:
            return FileError::ReadOnlyMedium;
        case kDirectoryNotSupported:
            return FileError::IsFolder;
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_BUFFER_OVERFLOW:
            return FileError::NameTooLong;
        case ERROR_CANT_RESOLVE_FILENAME:
        case kStoppedOnSymlink:
            return FileError::LinkLoop;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_GEN_FAILURE:
        case ERROR_IO_DEVICE:
            return FileError::InputOutput;
        case ERROR_OPERATION_ABORTED:
            return FileError::Interrupted;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_USER_MAPPED_FILE:
        case ERROR_UNABLE_TO_REMOVE_REPLACED:
            return FileError::InUse;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return FileError::BadName;
        default:
            return FileError::Other;
    }
}

std::string win32ReasonText(unsigned long code) {
    const std::string text = fileErrorText(fileErrorOfWin32(code));
    if (!text.empty()) return text;
    // The system's own words, in the user's language, as UTF-8.
    wchar_t* words = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&words), 0, nullptr);
    std::string utf8;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, words, static_cast<int>(length), nullptr,
                                             0, nullptr, nullptr);
        utf8.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, words, static_cast<int>(length), utf8.data(), size, nullptr,
                            nullptr);
    }
    if (words) LocalFree(words);
    while (!utf8.empty() &&
           (utf8.back() == '\n' || utf8.back() == '\r' || utf8.back() == ' ' || utf8.back() == '.'))
        utf8.pop_back();
    if (utf8.empty()) return "ошибка Windows " + std::to_string(code);
    return utf8;
}

}  // namespace fileio
