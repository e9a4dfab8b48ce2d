#include "fileio/safe_write.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fileio/bounded_read.h"
#include "fileio/interrupt.h"

namespace fileio {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinks = 40;
constexpr int kNameAttempts = 100;

std::string writeReason(int error) {
    // Creating the temporary fails with ENOENT only when the folder is missing.
    if (error == ENOENT) return "папка не существует";
    if (error == EACCES || error == EPERM) return "нет прав на запись";
    return reasonText(error);
}

// The errno value that stands for a refused target of this kind.
int notAFileError(mode_t mode) {
    return S_ISDIR(mode) ? EISDIR : EINVAL;
}

std::string notAFile(mode_t mode) {
    if (S_ISDIR(mode)) return "это папка";
    if (S_ISFIFO(mode)) return "это канал (FIFO), а не файл";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "это устройство, а не файл";
    if (S_ISSOCK(mode)) return "это сокет, а не файл";
    return "это не обычный файл";
}

// A short random part: the temporary's name stays short whatever the target's
// length, so a name the file system allows for the target always fits.
std::string randomPart() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^
               static_cast<std::uint64_t>(::getpid());
    }();
    std::mt19937_64 generator(seed + 0x9E3779B97F4A7C15ULL * ++counter);
    std::string part(8, 'a');
    for (char& c : part) c = kAlphabet[generator() % (sizeof kAlphabet - 1)];
    return part;
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

SafeFile::~SafeFile() {
    abandon();
}

bool SafeFile::fail(const std::string& reason, int error) {
    if (message_.empty()) {
        message_ =
            "Не удалось записать файл \"" + target_.filename().string() + "\": " + reason + ".";
        reason_ = reason;
        error_ = error;
    }
    failed_ = true;
    abandon();
    return false;
}

bool SafeFile::failErrno(int error) {
    if (error == 0) error = EIO;
    return fail(writeReason(error), error);
}

bool SafeFile::open(const fs::path& target) {
    abandon();
    target_ = target;
    message_.clear();
    reason_.clear();
    error_ = 0;
    failed_ = false;
    resolved_ = resolveSaveTarget(target);

    struct stat earlier {};
    const bool exists = ::stat(resolved_.c_str(), &earlier) == 0;
    if (exists) {
        if (!S_ISREG(earlier.st_mode))
            return fail(notAFile(earlier.st_mode), notAFileError(earlier.st_mode));
        // The mode bits decide even for the superuser, whom access() never refuses.
        if ((earlier.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
            ::access(resolved_.c_str(), W_OK) != 0)
            return fail("файл только для чтения", EACCES);
    } else if (errno != ENOENT) {
        return failErrno(errno);
    }

    const fs::path folder = resolved_.has_parent_path() ? resolved_.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < kNameAttempts && fd_ < 0; ++attempt) {
        temporary_ = (folder / ("." + randomPart() + ".tmp")).string();
        int error = 0;
        {
            const InterruptsHeldBack heldBack;
            fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                         0666);
            error = errno;
            if (fd_ >= 0) slot_ = registerTemporary(temporary_.c_str());
        }
        if (fd_ < 0) {
            temporary_.clear();
            if (error != EEXIST) return failErrno(error);
        }
    }
    if (fd_ < 0) return failErrno(EEXIST);
    if (exists) {
        // The owner first: a change of owner clears set-id bits that fchmod then restores.
        if (::fchown(fd_, earlier.st_uid, earlier.st_gid) != 0) {
            // Only the superuser may give a file away; the new file then is the writer's.
        }
        if (::fchmod(fd_, earlier.st_mode & 07777) != 0) return failErrno(errno);
    }
    return true;
}

bool SafeFile::write(const void* data, std::size_t size) {
    if (failed_ || fd_ < 0) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fd_, bytes, size);
        if (n < 0) {
            if (errno == EINTR && interruptSignal() == 0) continue;
            return failErrno(errno);
        }
        bytes += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool SafeFile::commit() {
    if (failed_ || fd_ < 0) return false;
    if (::fsync(fd_) != 0) return failErrno(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) return failErrno(errno);
    if (interruptSignal() != 0) return fail("запись прервана", EINTR);
    if (::rename(temporary_.c_str(), resolved_.c_str()) != 0) return failErrno(errno);
    unregisterTemporary(slot_);
    slot_ = -1;
    temporary_.clear();
    syncFolder(resolved_.has_parent_path() ? resolved_.parent_path() : fs::path("."));
    return true;
}

void SafeFile::abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    unregisterTemporary(slot_);
    slot_ = -1;
}

WriteResult writeFileSafely(const fs::path& target, std::span<const std::uint8_t> bytes,
                            const std::function<void(std::size_t)>& progress) {
    SafeFile file;
    if (!file.open(target)) return file.result();
    // Written in pieces so a gauge can follow.
    const std::size_t kPiece = std::clamp<std::size_t>(bytes.size() / 100, 4096, 1024 * 1024);
    for (std::size_t done = 0; done < bytes.size();) {
        const std::size_t n = std::min(kPiece, bytes.size() - done);
        if (!file.write(bytes.data() + done, n)) return file.result();
        done += n;
        if (progress) progress(done);
    }
    if (!file.commit()) return file.result();
    return {true, {}, {}, 0};
}

WriteResult checkSaveTarget(const fs::path& target) {
    SafeFile probe;
    if (!probe.open(target)) return probe.result();
    return {true, {}, {}, 0};
}

WriteResult writeFileSafely(const fs::path& target, std::string_view text) {
    return writeFileSafely(
        target, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace fileio
