// What only POSIX has: FIFOs and device files as inputs, refused at once.

#include <gtest/gtest.h>

#include <chrono>

#include <sys/stat.h>

#include "fileio/bounded_read.h"
#include "fileio_test_support.h"

namespace {

using fileio_test::Folder;

class BoundedReadPosix : public Folder {};

TEST_F(BoundedReadPosix, RefusesWhatIsNotARegularFileAtOnce) {
    const auto fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto started = std::chrono::steady_clock::now();
    struct Case {
        fileio_test::fs::path path;
        const char* reason;
    };
    for (const Case& c :
         {Case{fifo, "это канал (FIFO), а не файл"}, Case{"/dev/zero", "это устройство, а не файл"},
          Case{"/dev/null", "это устройство, а не файл"}, Case{dir, "это папка, а не файл"},
          Case{dir / "missing", "файл или папка не существует"}}) {
        fileio::FileBytes read;
        std::string reason;
        EXPECT_FALSE(fileio::readRegularFile(c.path, 1000, 1000, read, reason)) << c.path;
        EXPECT_EQ(reason, c.reason) << c.path;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2))
        << "a FIFO without a writer must not be waited on";
}

}  // namespace
