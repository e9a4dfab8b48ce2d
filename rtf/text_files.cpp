#include "rtf/detail/text_files.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "fileio/bounded_read.h"

namespace RepoRTF_interface::detail {

namespace fs = std::filesystem;

namespace {
constexpr std::size_t kWritePiece = 64 * 1024;
}

void crLfToLfInPlace(std::string& text) {
    std::size_t out = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') continue;
        text[out++] = text[i];
    }
    text.resize(out);
}

std::string crLfToLf(std::string_view bytes) {
    std::string text(bytes);
    crLfToLfInPlace(text);
    return text;
}

bool readTextFile(const fs::path& path, std::string& text) {
    std::string reason;
    std::uint64_t size = 0;
    std::FILE* file = fileio::openRegularFile(path, kInputLimit, reason, &size);
    if (!file) return false;
    // Read straight into the text, with room to spare for the charset rewrite of
    // a template, so neither needs a second copy.
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(size) + 4096 + static_cast<std::size_t>(size / 256));
    bytes.resize(static_cast<std::size_t>(size));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::size_t n = std::fread(bytes.data() + got, 1, bytes.size() - got, file);
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    // A file that grew while it was read: the rest, up to the limit.
    char piece[65536];
    while (!std::ferror(file) && !std::feof(file)) {
        const std::size_t n = std::fread(piece, 1, sizeof piece, file);
        if (bytes.size() + n > kInputLimit) {
            std::fclose(file);
            return false;
        }
        bytes.append(piece, n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return false;
    crLfToLfInPlace(bytes);
    text = std::move(bytes);
    return true;
}

bool sameFile(const fs::path& a, const fs::path& b) {
    if (a.native() == b.native()) return true;
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    std::error_code ecA, ecB;
    fs::path ca = fs::weakly_canonical(fs::absolute(a, ecA), ecA);
    fs::path cb = fs::weakly_canonical(fs::absolute(b, ecB), ecB);
    return !ecA && !ecB && ca == cb;
}

bool ReportWriter::open(const fs::path& report) {
    return file_.open(report);
}

bool ReportWriter::write(std::string_view text) {
    if (failed_) return false;
    // Copied a line at a time, each LF as CR LF, and written once a piece is
    // collected, so a large text needs no second copy.
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        const std::size_t line = lf == std::string_view::npos ? text.size() : lf;
        const std::size_t room = kWritePiece > pending_.size() ? kWritePiece - pending_.size() : 0;
        const std::size_t take = std::min(line, std::max<std::size_t>(room, 1));
        pending_.append(text.substr(0, take));
        text.remove_prefix(take);
        if (take == line && lf != std::string_view::npos) {
            pending_.append("\r\n");
            text.remove_prefix(1);
        }
        if (pending_.size() >= kWritePiece && !writePending()) return false;
    }
    return true;
}

bool ReportWriter::writePending() {
    if (failed_) return false;
    if (pending_.empty()) return true;
    if (!file_.write(pending_)) failed_ = true;
    pending_.clear();
    return !failed_;
}

bool ReportWriter::flush() {
    return writePending();
}

bool ReportWriter::close() {
    if (closed_) return !failed_;
    closed_ = true;
    writePending();
    if (!failed_ && !file_.commit()) failed_ = true;
    if (failed_) file_.abandon();
    return !failed_;
}

}  // namespace RepoRTF_interface::detail
