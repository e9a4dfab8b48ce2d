#include "text_files.h"

#include <algorithm>
#include <system_error>

namespace RepoRTF_interface::detail {

namespace fs = std::filesystem;

namespace {
constexpr std::size_t kWritePiece = 64 * 1024;
}

FileHandle OpenFile(const fs::path& path, const char* mode) {
#ifdef _WIN32
    std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return FileHandle(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return FileHandle(std::fopen(path.c_str(), mode));
#endif
}

std::string CrLfToLf(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') continue;
        text.push_back(bytes[i]);
    }
    return text;
}

bool ReadTextFile(std::FILE* file, std::string& text) {
    std::string bytes;
    char piece[65536];
    for (;;) {
        std::size_t got = std::fread(piece, 1, sizeof piece, file);
        bytes.append(piece, got);
        if (got < sizeof piece) break;
    }
    if (std::ferror(file)) return false;
    text = CrLfToLf(bytes);
    return true;
}

bool SameFile(const fs::path& a, const fs::path& b) {
    if (a.native() == b.native()) return true;
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    std::error_code ecA, ecB;
    fs::path ca = fs::weakly_canonical(fs::absolute(a, ecA), ecA);
    fs::path cb = fs::weakly_canonical(fs::absolute(b, ecB), ecB);
    return !ecA && !ecB && ca == cb;
}

ReportWriter::ReportWriter(FileHandle file) : file_(std::move(file)) {
    // Our own pieces go straight to the file, so a refused write shows at once.
    std::setvbuf(file_.get(), nullptr, _IONBF, 0);
}

ReportWriter::~ReportWriter() {
    Close();
}

bool ReportWriter::Write(std::string_view text) {
    if (failed_) return false;
    std::size_t start = 0;
    for (;;) {
        std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            pending_.append(text.substr(start));
            break;
        }
        pending_.append(text.substr(start, lf - start));
        pending_.append("\r\n");
        start = lf + 1;
    }
    if (pending_.size() >= kWritePiece) return WritePending();
    return true;
}

bool ReportWriter::WritePending() {
    if (failed_) return false;
    if (pending_.empty()) return true;
    std::size_t done = 0;
    while (done < pending_.size()) {
        std::size_t size = std::min(kWritePiece, pending_.size() - done);
        if (std::fwrite(pending_.data() + done, 1, size, file_.get()) != size) {
            failed_ = true;
            break;
        }
        done += size;
    }
    pending_.clear();
    return !failed_;
}

bool ReportWriter::Flush() {
    return WritePending();
}

bool ReportWriter::Close() {
    if (!file_) return !failed_;
    WritePending();
    if (std::fclose(file_.release()) != 0) failed_ = true;
    return !failed_;
}

}  // namespace RepoRTF_interface::detail
