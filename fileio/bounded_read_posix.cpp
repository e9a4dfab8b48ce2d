#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/bounded_read.h"
#include "fileio/bounded_read_platform.h"
#include "fileio/file_error.h"

namespace fileio::detail {

namespace {

NotAFile kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return NotAFile::Folder;
    if (S_ISFIFO(mode)) return NotAFile::Fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode)) return NotAFile::Device;
    if (S_ISSOCK(mode)) return NotAFile::Socket;
    return NotAFile::Other;
}

// Closes fd and gives the reason back as a refusal.
std::FILE* refuse(int fd, std::string& reason, std::string why) {
    reason = std::move(why);
    ::close(fd);
    return nullptr;
}

}  // namespace

std::FILE* openForReading(const std::filesystem::path& path, std::uint64_t& size,
                          std::string& reason) {
    // O_NONBLOCK: opening a FIFO with no writer, or a terminal, returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = reasonText(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) return refuse(fd, reason, reasonText(errno));
    if (!S_ISREG(st.st_mode)) return refuse(fd, reason, notAFileText(kindOf(st.st_mode)));
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) return refuse(fd, reason, reasonText(errno));
    size = static_cast<std::uint64_t>(st.st_size);
    return file;
}

// The system's codes are errno values here.
std::string systemReasonText(int code) {
    return reasonText(code);
}

}  // namespace fileio::detail
