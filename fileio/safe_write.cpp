#include "fileio/safe_write.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <random>
#include <utility>

#include "base/utf8_path.h"
#include "fileio/bounded_read.h"
#include "fileio/interrupt.h"
#include "fileio/safe_write_platform.h"

namespace fileio {

namespace fs = std::filesystem;

namespace {

constexpr int kNameAttempts = 100;

// A short random part: the temporary's name stays short whatever the target's
// length, so a name the file system allows for the target always fits.
std::string randomPart() {
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    static std::atomic<std::uint64_t> counter{0};
    static const std::uint64_t seed = [] {
        std::random_device device;
        return (static_cast<std::uint64_t>(device()) << 32) ^ device() ^ detail::processId();
    }();
    std::mt19937_64 generator(seed + 0x9E3779B97F4A7C15ULL * ++counter);
    std::string part(8, 'a');
    for (char& c : part) c = kAlphabet[generator() % (sizeof kAlphabet - 1)];
    return part;
}

}  // namespace

namespace detail {

Failure writeFailure(FileError kind, int error, std::string otherwise) {
    // Creating the temporary finds nothing only when the folder is missing.
    if (kind == FileError::NotFound) return {"папка не существует", error};
    if (kind == FileError::AccessDenied) return {"нет прав на запись", error};
    return {std::move(otherwise), error};
}

}  // namespace detail

SafeFile::~SafeFile() {
    abandon();
}

bool SafeFile::fail(const std::string& reason, int error) {
    if (message_.empty()) {
        message_ = "Не удалось записать файл \"" + base::utf8Of(target_.filename()) +
                   "\": " + reason + ".";
        reason_ = reason;
        error_ = error;
    }
    failed_ = true;
    abandon();
    return false;
}

bool SafeFile::open(const fs::path& target) {
    abandon();
    target_ = target;
    message_.clear();
    reason_.clear();
    error_ = 0;
    failed_ = false;
    resolved_ = resolveSaveTarget(target);

    detail::Earlier earlier;
    if (const detail::Outcome refused = detail::inspectTarget(resolved_, earlier))
        return fail(refused->reason, refused->error);
    if (!createTemporary()) return false;
    if (earlier.exists) {
        if (const detail::Outcome failed = detail::keepEarlierAttributes(file_, earlier))
            return fail(failed->reason, failed->error);
    }
    return true;
}

bool SafeFile::createTemporary() {
    const fs::path folder = resolved_.has_parent_path() ? resolved_.parent_path() : fs::path(".");
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        temporary_ = folder / ("." + randomPart() + ".tmp");
        detail::Failure failure;
        bool nameTaken = false;
        file_ = detail::createTemporary(temporary_, slot_, failure, nameTaken);
        if (file_ != detail::kNoFile) return true;
        temporary_.clear();
        if (!nameTaken) return fail(failure.reason, failure.error);
    }
    return fail(reasonText(EEXIST), EEXIST);
}

bool SafeFile::write(const void* data, std::size_t size) {
    if (failed_ || file_ == detail::kNoFile) return false;
    if (const detail::Outcome failed =
            detail::writeAll(file_, static_cast<const std::uint8_t*>(data), size))
        return fail(failed->reason, failed->error);
    return true;
}

bool SafeFile::commit() {
    if (failed_ || file_ == detail::kNoFile) return false;
    if (const detail::Outcome failed = detail::flushToDisk(file_))
        return fail(failed->reason, failed->error);
    if (const detail::Outcome failed = detail::closeFile(std::exchange(file_, detail::kNoFile)))
        return fail(failed->reason, failed->error);
    if (interruptSignal() != 0) return fail("запись прервана", EINTR);
    if (const detail::Outcome failed = detail::replaceTarget(temporary_, resolved_))
        return fail(failed->reason, failed->error);
    unregisterTemporary(slot_);
    slot_ = -1;
    temporary_.clear();
    return true;
}

void SafeFile::abandon() {
    if (file_ != detail::kNoFile) detail::closeFile(std::exchange(file_, detail::kNoFile));
    if (!temporary_.empty()) {
        detail::removeFile(temporary_);
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
