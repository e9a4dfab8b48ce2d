// The report data file the forms write before each merge: a list of
// "|0:Key:value" lines, saved whole in Windows-1251 with CR LF after every line.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace RepoRTF_interface {

// A data file that could not be written: code() is the system's cause (EACCES,
// ENOSPC, EISDIR …), what() the program's whole message and reason() the cause
// alone in its words ("нет прав на запись"), for a caller's own message.
class DataFileWriteError : public std::system_error {
  public:
    DataFileWriteError(int error, std::string message, std::string reason);
    const char* what() const noexcept override { return text_->first.c_str(); }
    const std::string& reason() const noexcept { return text_->second; }

  private:
    std::shared_ptr<const std::pair<std::string, std::string>> text_;  // copied without throwing
};

class ReportDataFile {
  public:
    // Adds the line "|0:" key ":" value (UTF-8). The value reaches the report
    // whole: a line break inside it is written as "|EOL:", so the line stays one
    // line and the report shows the break, and a "|" that would end the value
    // ("|0:") or start a marker ("|EOL:", "|EOP:", "|BAR:") as "|BAR:", which the
    // engine reads as "|".
    void Add(std::string_view key, std::string_view value);

    // The lines added so far, in UTF-8 and without line ends.
    const std::vector<std::string>& Lines() const { return lines_; }

    // The file's bytes: every line in Windows-1251 followed by CR LF.
    std::string Encoded() const;

    // Writes the file through the safe writer, replacing it only when complete.
    // Throws DataFileWriteError when it cannot be written.
    void Save(const std::filesystem::path& path) const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace RepoRTF_interface
