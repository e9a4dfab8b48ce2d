#pragma once
// A folder of its own for each test that saves readings, and the bytes of a file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "acquisition_test_support.h"

namespace acqtest {

inline std::vector<std::uint8_t> fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class SaveReading : public ::testing::Test {
  protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        dir = fs::temp_directory_path() /
              ("save-reading-test-" + std::to_string(std::random_device{}()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    std::size_t filesInDir() const {
        namespace fs = std::filesystem;
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }

    std::filesystem::path dir;
};

}  // namespace acqtest
