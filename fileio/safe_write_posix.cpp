#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/bounded_read.h"
#include "fileio/file_error.h"
#include "fileio/interrupt.h"
#include "fileio/safe_write.h"
#include "fileio/safe_write_platform.h"

namespace fileio {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;

detail::Failure failureOf(int error) {
    if (error == 0) error = EIO;
    return detail::writeFailure(fileErrorOfErrno(error), error, reasonText(error));
}

// Why a target of this type is refused, and the errno value that stands for it.
detail::Failure notAFile(mode_t mode) {
    if (S_ISDIR(mode)) return {"это папка", EISDIR};
    NotAFile kind = NotAFile::Other;
    if (S_ISFIFO(mode)) kind = NotAFile::Fifo;
    if (S_ISCHR(mode) || S_ISBLK(mode)) kind = NotAFile::Device;
    if (S_ISSOCK(mode)) kind = NotAFile::Socket;
    return {notAFileText(kind), EINVAL};
}

int descriptor(std::intptr_t file) {
    return static_cast<int>(file);
}

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

fs::path resolveSaveTarget(const fs::path& target) {
    fs::path path = target;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) break;
        std::error_code ec;
        const fs::path link = fs::read_symlink(path, ec);
        if (ec) break;
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return path;
}

namespace detail {

Outcome inspectTarget(const fs::path& resolved, Earlier& earlier) {
    struct stat st {};
    if (::stat(resolved.c_str(), &st) != 0) {
        if (errno == ENOENT) return std::nullopt;
        return failureOf(errno);
    }
    if (!S_ISREG(st.st_mode)) return notAFile(st.st_mode);
    // The mode bits decide even for the superuser, whom access() never refuses.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(resolved.c_str(), W_OK) != 0)
        return Failure{"файл только для чтения", EACCES};
    earlier = {true, static_cast<unsigned>(st.st_mode & 07777), st.st_uid, st.st_gid};
    return std::nullopt;
}

std::intptr_t createTemporary(const fs::path& temporary, int& slot, Failure& failure,
                              bool& nameTaken) {
    const InterruptsHeldBack heldBack;
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        nameTaken = errno == EEXIST;
        failure = failureOf(errno);
        return kNoFile;
    }
    slot = registerTemporary(temporary.c_str());
    return fd;
}

Outcome keepEarlierAttributes(std::intptr_t file, const Earlier& earlier) {
    // The owner first: a change of owner clears set-id bits that fchmod then restores.
    if (::fchown(descriptor(file), static_cast<uid_t>(earlier.owner),
                 static_cast<gid_t>(earlier.group)) != 0) {
        // Only the superuser may give a file away; the new file then is the writer's.
    }
    if (::fchmod(descriptor(file), static_cast<mode_t>(earlier.mode)) != 0) return failureOf(errno);
    return std::nullopt;
}

Outcome writeAll(std::intptr_t file, const std::uint8_t* bytes, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(descriptor(file), bytes, size);
        if (n < 0) {
            if (errno == EINTR && interruptSignal() == 0) continue;
            return failureOf(errno);
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return std::nullopt;
}

Outcome flushToDisk(std::intptr_t file) {
    if (::fsync(descriptor(file)) != 0) return failureOf(errno);
    return std::nullopt;
}

Outcome closeFile(std::intptr_t file) {
    if (::close(descriptor(file)) != 0) return failureOf(errno);
    return std::nullopt;
}

Outcome replaceTarget(const fs::path& temporary, const fs::path& resolved) {
    if (::rename(temporary.c_str(), resolved.c_str()) != 0) return failureOf(errno);
    syncFolder(resolved.has_parent_path() ? resolved.parent_path() : fs::path("."));
    return std::nullopt;
}

void removeFile(const fs::path& path) noexcept {
    ::unlink(path.c_str());
}

std::uint64_t processId() noexcept {
    return static_cast<std::uint64_t>(::getpid());
}

}  // namespace detail

}  // namespace fileio
