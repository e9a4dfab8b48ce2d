// The engine's file rules that need POSIX to be set up: a symbolic link to the
// template, a write that fails half-way, FIFOs and devices.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <string>

#include "rtf/report_messages.h"
#include "rtf_test_support.h"
#include "rtf_test_support_posix.h"

namespace {

namespace msg = RepoRTF_interface::messages;
using rtf_test::ReadBytes;
using rtf_test::WriteBytes;

using RtfEngineFiles = rtf_test::FilesFixture;

TEST_F(RtfEngineFiles, ALinkToTheTemplateIsTheTemplate) {
    const auto t = dir_ / "t.rtf";
    rtf_test::fs::create_symlink(t, dir_ / "link.rtf");
    EXPECT_EQ(Error(dir_ / "d.txt", t, dir_ / "link.rtf"), msg::kSameFile);
    EXPECT_EQ(ReadBytes(t), "{\\rtf1 #A#}");
}

// A write that fails half-way, as on a full disk, leaves an earlier report
// exactly as it was and no temporary file beside it.
TEST_F(RtfEngineFiles, AWriteThatFailsHalfWayKeepsTheEarlierReport) {
    std::string rows;
    for (int i = 0; i < 20000; ++i) rows += "|1:N:row row row row\n";
    WriteBytes(dir_ / "rows.txt", rows);
    WriteBytes(dir_ / "rows.rtf", "{#1#<#N#>#1#}");
    {
        rtf_test::FileSizeLimit limit(100000);
        EXPECT_EQ(Error(dir_ / "rows.txt", dir_ / "rows.rtf", dir_ / "old.rtf"), msg::kWriteError);
    }
    EXPECT_EQ(ReadBytes(dir_ / "old.rtf"), "earlier report");
    for (const auto& entry : rtf_test::fs::directory_iterator(dir_.Path()))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

// A FIFO, a device or a file over the engine's limit is refused at once, as a
// file that cannot be opened; nothing is waited on or read whole.
TEST_F(RtfEngineFiles, InputsThatAreNoFilesOrTooLargeAreRefused) {
    ASSERT_EQ(::mkfifo((dir_ / "pipe").c_str(), 0600), 0);
    WriteBytes(dir_ / "huge.rtf", "{\\rtf1 #A#}");
    rtf_test::fs::resize_file(dir_ / "huge.rtf", 300ull * 1024 * 1024);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "pipe", dir_ / "old.rtf"), msg::kTemplateNotOpened);
    EXPECT_EQ(Error(dir_ / "d.txt", "/dev/zero", dir_ / "old.rtf"), msg::kTemplateNotOpened);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "huge.rtf", dir_ / "old.rtf"), msg::kTemplateNotOpened);
    EXPECT_EQ(Error(dir_ / "pipe", dir_ / "t.rtf", dir_ / "old.rtf"), msg::kDataNotOpened);
    EXPECT_EQ(Error("/dev/zero", dir_ / "t.rtf", dir_ / "old.rtf"), msg::kDataNotOpened);
    EXPECT_EQ(ReadBytes(dir_ / "old.rtf"), "earlier report");
}

TEST_F(RtfEngineFiles, ReportThatIsNotARegularFileIsRefused) {
    if (!rtf_test::fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t.rtf", "/dev/full"), msg::kReportNotOpened);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t.rtf", "/dev/null"), msg::kReportNotOpened);
}

}  // namespace
