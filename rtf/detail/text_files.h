// File access for the engine: the template and the data file are read in text
// mode (CR LF taken as LF) and the report is written in text mode (every LF as
// CR LF), on every platform (the C library of Linux does neither).
//
// Inputs are regular files of at most kInputLimit bytes, read without waiting
// on a FIFO or a device. The report goes through the program's safe writer: a
// temporary beside it, renamed over it only when the merge is complete, so a
// failed merge leaves an earlier report as it was.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fileio/safe_write.h"

namespace RepoRTF_interface::detail {

// The largest template or data file the engine reads (256 MiB); a larger one is
// refused as a file that cannot be opened. The engine's peak memory stays within
// a small multiple of its input, so this bounds it too.
inline constexpr std::uint64_t kInputLimit = 256ull * 1024 * 1024;

// Reads a whole template or data file with every CR LF turned into LF. False when
// it is not a regular file, is larger than kInputLimit or cannot be read.
bool readTextFile(const std::filesystem::path& path, std::string& text);

// Turns every CR LF of the text into LF.
std::string crLfToLf(std::string_view bytes);
void crLfToLfInPlace(std::string& text);

// True when the two paths name one file: equal as written, the same existing
// file (links, "dir/./t.rtf" and "dir/t.rtf"), or the same location once resolved.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The report file, written in text mode. Output is converted and written in
// pieces of 64 KiB; a piece that is not written completely marks a write error,
// after which nothing more is written. Until close() succeeds, the earlier report
// is untouched; a writer destroyed without it leaves no trace.
class ReportWriter {
  public:
    ReportWriter() = default;
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // Checks the report's name and creates the temporary. False when the report
    // cannot be written there.
    bool open(const std::filesystem::path& report);
    // Appends text, every LF as CR LF. False once a write error has occurred.
    bool write(std::string_view text);
    // Writes what is collected. False once a write error has occurred.
    bool flush();
    // Writes what is collected and puts the report in place. False on any write error.
    bool close();

  private:
    bool writePending();

    fileio::SafeFile file_;
    std::string pending_;
    bool failed_ = false;
    bool closed_ = false;
};

}  // namespace RepoRTF_interface::detail
