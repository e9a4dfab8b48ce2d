// A real word processor for round trips: LibreOffice headless converts documents
// (HTML to RTF, RTF to PDF) and poppler's pdftotext reads a PDF's text back.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace office_test {

// True when both soffice and pdftotext can be run.
bool toolsPresent();

// Converts every file in one soffice run, with its own profile and HOME under
// workDir, into outDir; target is "rtf" or "pdf". HTML sources are opened as
// word-processor documents. Returns false when soffice fails.
bool convertAll(const std::filesystem::path& workDir, const std::string& target,
                const std::vector<std::filesystem::path>& files,
                const std::filesystem::path& outDir);

// Opens CSV files as a spreadsheet user does in a Russian locale (fields split
// at `separator`, the character set found from the file, Russian number and
// date forms) and saves each as HTML in outDir, which shows every cell's text
// as the sheet shows it. Returns false when soffice fails.
bool convertCsvToHtml(const std::filesystem::path& workDir,
                      const std::vector<std::filesystem::path>& files, char separator,
                      const std::filesystem::path& outDir);

// The cells of an HTML table, one line per row, cells joined by '|'.
std::string htmlCells(const std::filesystem::path& html);

// The text of a PDF as pdftotext gives it with its layout (UTF-8, a table row on one
// line), runs of blanks made one; empty on failure.
std::string pdfText(const std::filesystem::path& pdf);

// Writes bytes to a file, replacing it.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

}  // namespace office_test
