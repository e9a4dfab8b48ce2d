#include "fileio/bounded_read.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "fileio/bounded_read_platform.h"
#include "fileio/file_error.h"

namespace fileio {

namespace {

std::string tooLarge(std::uint64_t limit) {
    if (limit >= kMiB && limit % kMiB == 0)
        return "файл больше " + std::to_string(limit / kMiB) + " МиБ";
    return "файл больше " + std::to_string(limit) + " байт";
}

}  // namespace

std::string reasonText(int error) {
    std::string text = fileErrorText(fileErrorOfErrno(error));
    return text.empty() ? std::string(std::strerror(error)) : text;
}

std::string reasonText(const std::error_code& error) {
    if (error.category() == std::system_category()) return detail::systemReasonText(error.value());
    return reasonText(error.value());
}

std::FILE* openRegularFile(const std::filesystem::path& path, std::uint64_t refuseAbove,
                           std::string& reason, std::uint64_t* size) {
    std::uint64_t fileSize = 0;
    std::FILE* file = detail::openForReading(path, fileSize, reason);
    if (!file) return nullptr;
    if (fileSize > refuseAbove) {
        reason = tooLarge(refuseAbove);
        std::fclose(file);
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
