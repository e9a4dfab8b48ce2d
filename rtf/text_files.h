// Text-mode file access for the engine: the template and the data file are read
// with CR LF taken as LF, and the report is written with every LF as CR LF, on
// every platform (the C library of Linux does neither).
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace RepoRTF_interface::detail {

struct FileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file with a C library mode ("rb", "wb"); null when it cannot be opened.
FileHandle OpenFile(const std::filesystem::path& path, const char* mode);

// Reads the rest of an open file and returns it with every CR LF turned into LF.
// False when the file cannot be read (a directory, an I/O error).
bool ReadTextFile(std::FILE* file, std::string& text);

// Turns every CR LF of the text into LF.
std::string CrLfToLf(std::string_view bytes);

// True when the two paths name one file: equal as written, the same existing
// file (links, "dir/./t.rtf" and "dir/t.rtf"), or the same location once resolved.
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The report file, written in text mode. Output is collected and written in pieces
// of 64 KiB; a piece that is not written completely marks a write error, after
// which nothing more is written.
class ReportWriter {
  public:
    explicit ReportWriter(FileHandle file);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // Appends text, every LF as CR LF. False once a write error has occurred.
    bool Write(std::string_view text);
    // Writes what is collected. False once a write error has occurred.
    bool Flush();
    // Writes what is collected and closes the file. False on any write error.
    bool Close();

  private:
    bool WritePending();

    FileHandle file_;
    std::string pending_;
    bool failed_ = false;
};

}  // namespace RepoRTF_interface::detail
