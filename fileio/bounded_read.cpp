#include "fileio/bounded_read.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fileio {

namespace {

// Why a file of this type is not read.
std::string notAFile(mode_t mode) {
    if (S_ISDIR(mode)) return "это папка, а не файл";
    if (S_ISFIFO(mode)) return "это канал (FIFO), а не файл";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "это устройство, а не файл";
    if (S_ISSOCK(mode)) return "это сокет, а не файл";
    return "это не обычный файл";
}

std::string tooLarge(std::uint64_t limit) {
    if (limit >= kMiB && limit % kMiB == 0)
        return "файл больше " + std::to_string(limit / kMiB) + " МиБ";
    return "файл больше " + std::to_string(limit) + " байт";
}

}  // namespace

std::string reasonText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "нет прав доступа";
        case ENOENT:
            return "файл или папка не существует";
        case ENOTDIR:
            return "в пути файл стоит на месте папки";
        case ENOSPC:
        case EDQUOT:
            return "нет места на диске";
        case EFBIG:
            return "файл больше, чем здесь разрешено";
        case EROFS:
            return "носитель только для чтения";
        case EISDIR:
            return "это папка, а не файл";
        case ENAMETOOLONG:
            return "слишком длинное имя";
        case ELOOP:
            return "символические ссылки замкнуты в круг";
        case EIO:
            return "ошибка ввода-вывода";
        case EINTR:
            return "операция прервана";
        default:
            return std::strerror(error);
    }
}

std::FILE* openRegularFile(const std::filesystem::path& path, std::uint64_t refuseAbove,
                           std::string& reason, std::uint64_t* size) {
    // O_NONBLOCK: opening a FIFO with no writer, or a terminal, returns at once.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        reason = reasonText(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        reason = reasonText(errno);
        ::close(fd);
        return nullptr;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = notAFile(st.st_mode);
        ::close(fd);
        return nullptr;
    }
    const auto fileSize = static_cast<std::uint64_t>(st.st_size);
    if (fileSize > refuseAbove) {
        reason = tooLarge(refuseAbove);
        ::close(fd);
        return nullptr;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        reason = reasonText(errno);
        ::close(fd);
        return nullptr;
    }
    if (size) *size = fileSize;
    return file;
}

bool readRegularFile(const std::filesystem::path& path, std::size_t keepAtMost,
                     std::uint64_t refuseAbove, FileBytes& out, std::string& reason) {
    std::uint64_t size = 0;
    std::FILE* file = openRegularFile(path, refuseAbove, reason, &size);
    if (!file) return false;
    out.size = size;
    // A file that grows while it is read still yields no more than asked.
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(size, keepAtMost));
    out.bytes.resize(want);
    std::size_t got = 0;
    while (got < want) {
        const std::size_t n = std::fread(out.bytes.data() + got, 1, want - got, file);
        if (n == 0) break;
        got += n;
    }
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        reason = reasonText(error ? error : EIO);
        out.bytes.clear();
        return false;
    }
    // A file that shrank while it was read: what is there.
    out.bytes.resize(got);
    return true;
}

}  // namespace fileio
