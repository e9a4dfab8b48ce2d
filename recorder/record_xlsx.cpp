#include "recorder/record_xlsx.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include "base/utf8_path.h"
#include "recorder/number_format.h"

namespace recorder {
namespace {

// Characters of a UTF-8 text (its bytes that start a character).
std::size_t characters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The width a caption needs in the header row, which wraps at the blanks: its
// longest word, and at least half the caption, so it takes two or three lines.
std::size_t captionWidth(const std::string& caption) {
    std::size_t longest = 0, start = 0;
    while (start <= caption.size()) {
        const std::size_t end = std::min(caption.find(' ', start), caption.size());
        longest = std::max(longest, characters(caption.substr(start, end - start)));
        start = end + 1;
    }
    return std::max(longest, (characters(caption) + 1) / 2);
}

// A private folder under the system's temporary folder, removed with this object.
class TemporaryFolder {
  public:
    // A new folder with a random name: one that already exists is never taken
    // over, and only its owner may enter it.
    TemporaryFolder() {
        std::error_code error;
        const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
        if (error) return;
        std::random_device random;
        for (int attempt = 0; attempt < 16; ++attempt) {
            const std::filesystem::path candidate =
                temp / ("tirs48-xlsx-" + std::to_string(random()));
            if (!std::filesystem::create_directory(candidate, error)) continue;
            std::filesystem::permissions(candidate, std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::replace, error);
            path_ = candidate;
            return;
        }
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

struct Formats {
    lxw_format* header;
    lxw_format* integer;
    lxw_format* number;
    lxw_format* text;
};

Formats addFormats(lxw_workbook* book) {
    Formats f{workbook_add_format(book), workbook_add_format(book), workbook_add_format(book),
              workbook_add_format(book)};
    format_set_bold(f.header);
    format_set_text_wrap(f.header);
    format_set_align(f.header, LXW_ALIGN_CENTER);
    format_set_align(f.header, LXW_ALIGN_VERTICAL_CENTER);
    format_set_num_format(f.integer, "0");
    format_set_num_format(f.number, "0.00");
    format_set_num_format(f.text, "@");
    return f;
}

// Writes the cells; the widths each column needs, in characters.
std::vector<std::size_t> writeCells(lxw_worksheet* ws, const RecordSheet& sheet, const Formats& f) {
    std::vector<std::size_t> widths;
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
        worksheet_write_string(ws, 0, static_cast<lxw_col_t>(c), sheet.columns[c].caption,
                               f.header);
        widths.push_back(captionWidth(sheet.columns[c].caption));
    }
    lxw_row_t row = 1;
    for (const auto& values : sheet.rows) {
        for (std::size_t c = 0; c < values.size() && c < widths.size(); ++c) {
            const FieldValue& v = values[c];
            const auto col = static_cast<lxw_col_t>(c);
            std::string shown;
            if (v.kind == FieldKind::Integer) {
                shown = std::to_string(v.integer);
                worksheet_write_number(ws, row, col, static_cast<double>(v.integer), f.integer);
            } else if (v.kind == FieldKind::Number) {
                // The value the grid shows, rounded to two decimals as it is.
                shown = formatFixed(v.number, 2, '.');
                worksheet_write_number(ws, row, col, std::stod(shown), f.number);
            } else {
                shown = *v.text;
                worksheet_write_string(ws, row, col, shown.c_str(), f.text);
            }
            widths[c] = std::max(widths[c], characters(shown));
        }
        ++row;
    }
    return widths;
}

std::string failure(const std::filesystem::path& target, const std::string& reason) {
    return "Не удалось записать файл \"" + target.filename().string() + "\": " + reason + ".";
}

}  // namespace

fileio::WriteResult writeSheetXlsx(const std::filesystem::path& target, const RecordSheet& sheet) {
    const TemporaryFolder folder;
    if (folder.path().empty())
        return {false, failure(target, "не удалось создать временную папку"), {}, 0};
    // The library takes UTF-8 names (UTF-16 on Windows by itself). Its own
    // scratch files go to the system's temporary folder and vanish on close.
    const std::filesystem::path made = folder.path() / "book.xlsx";
    lxw_workbook* book = workbook_new(base::utf8Of(made).c_str());
    if (!book) return {false, failure(target, "не удалось создать книгу"), {}, 0};
    const Formats formats = addFormats(book);
    lxw_worksheet* ws =
        workbook_add_worksheet(book, sheet.title.empty() ? nullptr : sheet.title.c_str());
    const std::vector<std::size_t> widths = writeCells(ws, sheet, formats);
    for (std::size_t c = 0; c < widths.size(); ++c)
        worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                             static_cast<double>(std::clamp<std::size_t>(widths[c], 6, 40) + 2),
                             nullptr);
    worksheet_set_row(ws, 0, 45, nullptr);
    worksheet_freeze_panes(ws, 1, 0);
    if (const lxw_error error = workbook_close(book); error != LXW_NO_ERROR)
        return {false, failure(target, lxw_strerror(error)), {}, 0};

    std::ifstream in(made, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in.good() && !in.eof())
        return {false, failure(target, "не удалось прочитать книгу"), {}, 0};
    return fileio::writeFileSafely(target, bytes);
}

}  // namespace recorder
