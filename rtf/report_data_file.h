// The report data file the forms write before each merge: a list of
// "|0:Key:value" lines, saved whole in Windows-1251 with CR LF after every line.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace RepoRTF_interface {

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
    // Throws std::system_error, whose what() is the message for the user, when it
    // cannot be written.
    void Save(const std::filesystem::path& path) const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace RepoRTF_interface
