// Inputs are opened only when they are regular files, never waited on, and never
// read beyond what the caller can use.

#include <gtest/gtest.h>

#include "fileio/bounded_read.h"
#include "fileio_test_support.h"

namespace {

using fileio_test::Folder;

class BoundedRead : public Folder {};

TEST_F(BoundedRead, KeepsNoMoreThanAskedAndRefusesWhatIsTooLarge) {
    // A sparse gigabyte: its size is counted, its bytes are never read.
    const auto big = dir / "big";
    Folder::put(big, "head");
    fileio_test::fs::resize_file(big, 1ull << 30);
    fileio::FileBytes read;
    std::string reason;
    ASSERT_TRUE(fileio::readRegularFile(big, 10, UINT64_MAX, read, reason)) << reason;
    EXPECT_EQ(read.size, 1ull << 30);
    ASSERT_EQ(read.bytes.size(), 10u);
    EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.begin() + 4), "head");

    EXPECT_FALSE(fileio::readRegularFile(big, 10, 256 * fileio::kMiB, read, reason));
    EXPECT_EQ(reason, "файл больше 256 МиБ");

    // A short file is read whole.
    Folder::put(dir / "short", "abc");
    ASSERT_TRUE(fileio::readRegularFile(dir / "short", 10, 10, read, reason));
    EXPECT_EQ(read.size, 3u);
    EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), "abc");
}

}  // namespace
