// Fuzz target: the template engine on a template and a data file. The input is
// the template, a NUL byte, then the data file (no NUL: the data file is empty).
// When the template is empty, the data file's bytes, made ASCII, are also a shown
// text that the report data file writer writes and a plain template prints: it
// must come back whole.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

#include "rtf/report_data_file.h"
#include "rtf/report_engine.h"
#include "tests/support/fixed_time.h"

namespace {

namespace fs = std::filesystem;

// A folder of this process in memory where there is one: the engine works on files.
const fs::path& folder() {
    static const fs::path path = [] {
        const fs::path base =
            fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        fs::path p = base / ("report_engine_fuzz." + std::to_string(::getpid()));
        fs::create_directories(p);
        return p;
    }();
    return path;
}

void put(const fs::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::tm fixedNow() {
    return test_support::localTime(2003, 2, 1);
}

std::string get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A text through the writer and the engine: printed as it is, each line break
// (CR LF, CR or LF) as the report's CR LF.
void roundTrip(std::string_view bytes) {
    std::string text, expected;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = static_cast<char>(bytes[i] & 0x7F);
        text.push_back(c == '\0' ? ' ' : c);
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            expected += "\r\n";
        } else {
            expected.push_back(text[i]);
        }
    }
    RepoRTF_interface::ReportDataFile file;
    file.Add("V", text);
    file.Save(folder() / "v.txt");
    put(folder() / "v.rtf", "#V#");
    RepoRTF_interface::CreateReport(folder() / "v.txt", folder() / "v.rtf", folder() / "r.rtf");
    if (get(folder() / "r.rtf") != expected) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = input.find('\0');
    const std::string_view templ = input.substr(0, nul);
    const std::string_view lines = nul == std::string_view::npos ? "" : input.substr(nul + 1);
    put(folder() / "t.rtf", templ);
    put(folder() / "d.txt", lines);
    RepoRTF_interface::SetClock(fixedNow);
    try {
        RepoRTF_interface::CreateReport(folder() / "d.txt", folder() / "t.rtf", folder() / "r.rtf");
    } catch (const RepoRTF_interface::RepoRTF_Error&) {
        // Every failure is one of the engine's messages.
    }
    if (templ.empty()) roundTrip(lines);
    return 0;
}
