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

// The text of a PDF as pdftotext gives it with its layout (UTF-8, a table row on one
// line), runs of blanks made one; empty on failure.
std::string pdfText(const std::filesystem::path& pdf);

// Writes bytes to a file, replacing it.
void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);

}  // namespace office_test
