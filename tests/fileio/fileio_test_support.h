// A scratch folder for the file tests, and whole-file reads and writes.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/utf8_path.h"

namespace fileio_test {

namespace fs = std::filesystem;

class Folder : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("fileio-test-" + std::to_string(std::random_device{}()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    static void put(const fs::path& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    static std::string get(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Names in the folder (UTF-8) other than the ones given.
    std::vector<std::string> othersThan(const std::vector<std::string>& known) const {
        std::vector<std::string> others;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = base::utf8Of(entry.path().filename());
            if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
        }
        return others;
    }

    fs::path dir;
};

}  // namespace fileio_test
