#include "report_data_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "recorder/codepage.h"
#include "text_files.h"

namespace RepoRTF_interface {

void ReportDataFile::Add(std::string_view key, std::string_view value) {
    std::string line = "|0:";
    line.append(key);
    line.push_back(':');
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\r' || value[i] == '\n') {
            if (value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
            line.append("|EOL:");
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
    const std::string bytes = Encoded();
    detail::FileHandle file = detail::OpenFile(path, "wb");
    auto fail = [&](int error) {
        throw std::system_error(error ? error : EIO, std::generic_category(),
                                "Cannot write " + path.string());
    };
    if (!file) fail(errno);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) fail(errno);
    if (std::fclose(file.release()) != 0) fail(errno);
}

}  // namespace RepoRTF_interface
