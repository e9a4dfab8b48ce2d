#pragma once
// The one writer of every file the program writes (readings, reports, data files
// of forms, CSV, PDF). A save never loses the earlier file:
//
// - the new content goes to a short, uniquely named temporary beside the target,
//   created exclusively, flushed to disk with its folder, and renamed over the
//   target only when complete; on every failure the temporary is removed;
// - a symbolic link is written through: the file it names is replaced, the link stays;
// - a target that is not a regular file (a folder, a FIFO, a device) and a
//   read-only earlier file are refused with a clear message;
// - the earlier file's permission bits (POSIX) or attributes (Windows) are kept;
// - on Windows a device name ("CON", "nul.txt", "COM1") is refused as a target;
// - under the command-line tool's interrupt handlers (interrupt.h) a temporary
//   is removed when the user presses Ctrl+C.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace fileio {

struct WriteResult {
    bool ok = false;
    std::string message;  // why the file was not written, in Russian (UTF-8)
    std::string reason;  // the cause alone ("нет прав на запись"), for a caller's own message
    int error = 0;  // the cause as an errno value (EACCES, ENOSPC, EISDIR …)
};

class SafeFile {
  public:
    SafeFile() = default;
    ~SafeFile();  // an uncommitted file is abandoned
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Checks the target and creates the temporary. False, with message(), when
    // the target is refused or the temporary cannot be created.
    bool open(const std::filesystem::path& target);
    // Appends bytes. False once anything has failed.
    bool write(const void* data, std::size_t size);
    bool write(std::string_view text) { return write(text.data(), text.size()); }
    // Flushes to disk and renames the temporary over the target.
    bool commit();
    // Removes the temporary; the target stays as it was.
    void abandon();

    bool isOpen() const { return file_ != -1; }
    // "Не удалось записать файл "NAME": REASON." after a failure.
    const std::string& message() const { return message_; }
    // The REASON alone, and the errno value it stands for.
    const std::string& reason() const { return reason_; }
    int error() const { return error_; }
    WriteResult result() const { return {!failed_, message_, reason_, error_}; }

  private:
    bool fail(const std::string& reason, int error);
    bool createTemporary();

    std::filesystem::path target_;     // as the caller named it (for messages)
    std::filesystem::path resolved_;   // the file the name leads to, links followed
    std::filesystem::path temporary_;  // beside resolved_, while it exists
    std::intptr_t file_ = -1;          // the temporary, open: a descriptor or a handle
    int slot_ = -1;
    bool failed_ = false;
    std::string message_;
    std::string reason_;
    int error_ = 0;
};

// Writes the bytes to target the safe way. progress is told how many bytes have
// been written so far.
WriteResult writeFileSafely(const std::filesystem::path& target,
                            std::span<const std::uint8_t> bytes,
                            const std::function<void(std::size_t written)>& progress = {});
WriteResult writeFileSafely(const std::filesystem::path& target, std::string_view text);

// The checks of a save done before the content exists (the device reading
// checks its file before a half-minute transfer): the target as SafeFile::open
// checks it, and a temporary created in its folder and removed again.
WriteResult checkSaveTarget(const std::filesystem::path& target);

// The file a save of target replaces: symbolic links followed to the end of the
// chain (a link to a file that does not exist yet leads to that new file).
std::filesystem::path resolveSaveTarget(const std::filesystem::path& target);

}  // namespace fileio
