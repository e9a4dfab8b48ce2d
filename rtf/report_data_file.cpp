#include "rtf/report_data_file.h"

#include <system_error>

#include "base/codepage.h"
#include "fileio/safe_write.h"

namespace RepoRTF_interface {

namespace {

// A file that could not be written, with the program's own message.
class WriteFailure : public std::system_error {
  public:
    explicit WriteFailure(std::string message)
        : std::system_error(std::make_error_code(std::errc::io_error)),
          message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

  private:
    std::string message_;
};

}  // namespace

namespace {

// What a "|" in a value would start: the line's own prefix (which would end the
// value), a line or page break, or the bar's own marker.
bool startsMarker(std::string_view rest) {
    for (std::string_view marker : {"|0:", "|EOL:", "|EOP:", "|BAR:"})
        if (rest.starts_with(marker)) return true;
    return false;
}

}  // namespace

void ReportDataFile::Add(std::string_view key, std::string_view value) {
    std::string line = "|0:";
    line.append(key);
    line.push_back(':');
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            line.append("|EOL:");
        } else if (value[i] == '|' && startsMarker(value.substr(i))) {
            line.append("|BAR:");
        } else {
            line.push_back(value[i]);
        }
    }
    lines_.push_back(std::move(line));
}

std::string ReportDataFile::Encoded() const {
    std::string bytes;
    for (const std::string& line : lines_) {
        bytes.append(recorder::utf8ToCp1251(line));
        bytes.append("\r\n");
    }
    return bytes;
}

void ReportDataFile::Save(const std::filesystem::path& path) const {
    const fileio::WriteResult written = fileio::writeFileSafely(path, Encoded());
    if (!written.ok) throw WriteFailure(written.message);
}

}  // namespace RepoRTF_interface
