#include <windows.h>

#include <algorithm>
#include <cerrno>

#include "base/utf8_path.h"
#include "fileio/device_name.h"
#include "fileio/file_error.h"
#include "fileio/interrupt.h"
#include "fileio/safe_write.h"
#include "fileio/safe_write_platform.h"

namespace fileio {

namespace fs = std::filesystem;

namespace {

detail::Failure failureOf(DWORD code) {
    const FileError kind = fileErrorOfWin32(code);
    return detail::writeFailure(kind, errnoOf(kind), win32ReasonText(code));
}

HANDLE handleOf(std::intptr_t file) {
    return reinterpret_cast<HANDLE>(file);
}

// A handle for looking at a file (links followed), conflicting with no one's sharing.
HANDLE openToLookAt(const fs::path& path, DWORD access) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A file another program holds without sharing its removal (a document open in
// an editor) cannot be replaced; a name that opens a device is no file.
detail::Outcome replaceable(const fs::path& path) {
    const HANDLE handle = openToLookAt(path, DELETE);
    if (handle == INVALID_HANDLE_VALUE) return failureOf(GetLastError());
    const DWORD type = GetFileType(handle);
    CloseHandle(handle);
    if (type != FILE_TYPE_DISK) return detail::Failure{notAFileText(NotAFile::Device), EINVAL};
    return std::nullopt;
}

}  // namespace

// A symbolic link or junction is written through: the file at its end is
// replaced. The name is made whole first: ReplaceFileW is not given a name
// relative to the current folder (Wine's fails on one).
fs::path resolveSaveTarget(const fs::path& given) {
    std::error_code error;
    const fs::path whole = fs::absolute(given, error);
    const fs::path& target = error ? given : whole;
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return target;
    const HANDLE handle = openToLookAt(target, 0);
    if (handle == INVALID_HANDLE_VALUE) return target;
    std::wstring name(32768, L'\0');
    const DWORD length =
        GetFinalPathNameByHandleW(handle, name.data(), static_cast<DWORD>(name.size()), 0);
    CloseHandle(handle);
    if (length == 0 || length >= name.size()) return target;
    name.resize(length);
    return fs::path(name);
}

namespace detail {

Outcome inspectTarget(const fs::path& resolved, Earlier& earlier) {
    if (isDeviceName(base::utf8Of(resolved.filename())))
        return Failure{notAFileText(NotAFile::Device), EINVAL};
    const DWORD attributes = GetFileAttributesW(resolved.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
        return failureOf(code);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Failure{"это папка", EISDIR};
    if (attributes & FILE_ATTRIBUTE_READONLY) return Failure{"файл только для чтения", EACCES};
    // Said now, not after the content is made.
    if (const Outcome held = replaceable(resolved)) return held;
    earlier.exists = true;
    return std::nullopt;
}

std::intptr_t createTemporary(const fs::path& temporary, int& slot, Failure& failure,
                              bool& nameTaken) {
    const InterruptsHeldBack heldBack;
    // No one else reads or writes the half-made file; deletion is shared so the
    // console handler can remove it while it is open.
    const HANDLE handle = CreateFileW(temporary.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        nameTaken = code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS;
        failure = failureOf(code);
        return kNoFile;
    }
    slot = registerTemporary(base::utf8Of(temporary).c_str());
    return reinterpret_cast<std::intptr_t>(handle);
}

// ReplaceFileW gives the new file the earlier one's attributes and security.
Outcome keepEarlierAttributes(std::intptr_t, const Earlier&) {
    return std::nullopt;
}

Outcome writeAll(std::intptr_t file, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handleOf(file), bytes, piece, &written, nullptr))
            return failureOf(GetLastError());
        if (written == 0) return failureOf(ERROR_WRITE_FAULT);
        bytes += written;
        size -= written;
    }
    return std::nullopt;
}

Outcome flushToDisk(std::intptr_t file) {
    if (!FlushFileBuffers(handleOf(file))) return failureOf(GetLastError());
    return std::nullopt;
}

Outcome closeFile(std::intptr_t file) {
    if (!CloseHandle(handleOf(file))) return failureOf(GetLastError());
    return std::nullopt;
}

// The folder cannot be flushed on Windows: the write-through move stands for it.
Outcome replaceTarget(const fs::path& temporary, const fs::path& resolved) {
    if (GetFileAttributesW(resolved.c_str()) != INVALID_FILE_ATTRIBUTES) {
        // Asked first: a replacement that fails half-way may leave files of its own.
        if (const Outcome held = replaceable(resolved)) return held;
        if (ReplaceFileW(resolved.c_str(), temporary.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
            return std::nullopt;
        const DWORD code = GetLastError();
        // Gone meanwhile: the temporary simply takes its name.
        if (code != ERROR_FILE_NOT_FOUND) return failureOf(code);
    }
    if (!MoveFileExW(temporary.c_str(), resolved.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return failureOf(GetLastError());
    return std::nullopt;
}

void removeFile(const fs::path& path) noexcept {
    DeleteFileW(path.c_str());
}

std::uint64_t processId() noexcept {
    return GetCurrentProcessId();
}

}  // namespace detail

}  // namespace fileio
