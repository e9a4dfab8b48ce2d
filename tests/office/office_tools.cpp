#include "office_tools.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace office_test {

namespace fs = std::filesystem;

namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

bool commandWorks(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

}  // namespace

bool toolsPresent() {
    return commandWorks("command -v soffice") && commandWorks("command -v pdftotext");
}

bool convertAll(const fs::path& workDir, const std::string& target,
                const std::vector<fs::path>& files, const fs::path& outDir) {
    fs::path profile = workDir / "lo-profile";
    fs::create_directories(profile);
    fs::create_directories(outDir);
    std::string command = "HOME=" + quoted(profile.string()) +
                          " soffice --headless --norestore -env:UserInstallation=" +
                          quoted("file://" + profile.string());
    command += target == "rtf" ? " --infilter='HTML (StarWriter)' --convert-to rtf"
                               : " --convert-to " + quoted(target);
    command += " --outdir " + quoted(outDir.string());
    for (const fs::path& file : files) command += " " + quoted(file.string());
    if (!commandWorks(command)) return false;
    for (const fs::path& file : files) {
        fs::path result = outDir / file.filename().replace_extension(target);
        if (!fs::exists(result)) return false;
    }
    return true;
}

bool convertCsvToHtml(const fs::path& workDir, const std::vector<fs::path>& files, char separator,
                      const fs::path& outDir) {
    fs::path profile = workDir / "lo-calc-profile";
    fs::create_directories(profile);
    fs::create_directories(outDir);
    // Field separator, text delimiter '"', character set detected, from line 1, Russian.
    const std::string filter = "CSV:" + std::to_string(int(separator)) + ",34,,1,,1049";
    std::string command = "LC_ALL=ru_RU.UTF-8 LANG=ru_RU.UTF-8 HOME=" + quoted(profile.string()) +
                          " soffice --headless --norestore -env:UserInstallation=" +
                          quoted("file://" + profile.string()) + " --infilter=" + quoted(filter) +
                          " --convert-to html --outdir " + quoted(outDir.string());
    for (const fs::path& file : files) command += " " + quoted(file.string());
    if (!commandWorks(command)) return false;
    for (const fs::path& file : files)
        if (!fs::exists(outDir / fs::path(file.filename()).replace_extension("html"))) return false;
    return true;
}

std::string htmlCells(const fs::path& html) {
    const std::string page = readFile(html);
    std::string out, cell, tag;
    bool inTag = false, firstCell = true;
    for (char c : page) {
        if (c == '<') {
            inTag = true;
            tag.clear();
        } else if (c == '>') {
            inTag = false;
            if (tag.rfind("td", 0) == 0) cell.clear();
            if (tag == "/td") {
                out += (firstCell ? "" : "|") + cell;
                firstCell = false;
            }
            if (tag == "/tr") {
                out += "\n";
                firstCell = true;
            }
        } else if (inTag) {
            tag += c;
        } else if (c != '\n' && c != '\t') {
            cell += c;
        }
    }
    for (const auto& [entity, text] : {std::pair<std::string, std::string>{"&quot;", "\""},
                                       {"&lt;", "<"},
                                       {"&gt;", ">"},
                                       {"&amp;", "&"}})
        for (std::size_t at = out.find(entity); at != std::string::npos; at = out.find(entity, at))
            out.replace(at, entity.size(), text);
    return out;
}

std::string pdfText(const fs::path& pdf) {
    fs::path text = fs::path(pdf).replace_extension("pdf.txt");
    if (!commandWorks("pdftotext -layout -enc UTF-8 " + quoted(pdf.string()) + " " +
                      quoted(text.string())))
        return {};
    // Runs of blanks that the layout uses to place columns become one blank.
    std::string collapsed;
    for (char c : readFile(text)) {
        if (c == ' ' && !collapsed.empty() && collapsed.back() == ' ') continue;
        collapsed.push_back(c);
    }
    return collapsed;
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace office_test
