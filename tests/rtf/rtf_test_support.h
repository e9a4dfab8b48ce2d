// Helpers for the engine's tests: a scratch folder, whole-file reads and writes,
// and one call of the engine on given bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "rtf/report_engine.h"
#include "tests/support/fixed_time.h"

namespace rtf_test {

namespace fs = std::filesystem;

class TempDir {
  public:
    // A name no other folder has: creating a folder fails where one is already.
    TempDir() {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path name =
                fs::temp_directory_path() / ("rtf_test_" + std::to_string(random()));
            if (fs::create_directory(name)) path_ = name;
        }
        if (path_.empty()) throw std::runtime_error("no temporary folder");
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& Path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

  private:
    fs::path path_;
};

// Replaces the file. Removing it first keeps ext4 from forcing the data to disk
// on close, as it does for a file that is truncated and rewritten.
inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::error_code ec;
    fs::remove(path, ec);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The fixed moment the tests' DATE and TIME fields show: 01.02.2003 04:05.
inline std::tm FixedNow() {
    return test_support::localTime(2003, 2, 1, 4, 5);
}

struct EngineResult {
    std::string report;  // the report file's bytes
    std::string error;   // the message thrown, empty on success
};

// Writes the template and the data file, runs the engine, reads the report back.
inline EngineResult RunEngine(const TempDir& dir, const std::string& templateBytes,
                              const std::string& dataBytes,
                              const RepoRTF_interface::ProgressCallback& progress = {}) {
    WriteBytes(dir / "t.rtf", templateBytes);
    WriteBytes(dir / "d.txt", dataBytes);
    std::error_code ec;
    fs::remove(dir / "r.rtf", ec);
    EngineResult result;
    RepoRTF_interface::SetClock(FixedNow);
    try {
        RepoRTF_interface::CreateReport(dir / "d.txt", dir / "t.rtf", dir / "r.rtf", progress);
    } catch (const RepoRTF_interface::RepoRTF_Error& e) {
        result.error = e.Message;
    }
    RepoRTF_interface::SetClock({});
    result.report = ReadBytes(dir / "r.rtf");
    return result;
}

// A template, a data file and an earlier report in a folder of their own, and
// the message a merge over named files throws (empty when it succeeds): the
// engine's rules for the files themselves.
class FilesFixture : public testing::Test {
  protected:
    void SetUp() override {
        WriteBytes(dir_ / "t.rtf", "{\\rtf1 #A#}");
        WriteBytes(dir_ / "d.txt", "|0:A:1\n");
        WriteBytes(dir_ / "old.rtf", "earlier report");
    }
    std::string Error(const fs::path& data, const fs::path& templ, const fs::path& report) {
        try {
            RepoRTF_interface::CreateReport(data, templ, report);
        } catch (const RepoRTF_interface::RepoRTF_Error& e) {
            return e.Message;
        }
        return "";
    }
    TempDir dir_;
};

}  // namespace rtf_test
