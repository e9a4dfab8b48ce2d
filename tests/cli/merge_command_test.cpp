// `litm merge` over the engine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/merge_command.h"
#include "rtf/report_messages.h"
#include "rtf_test_support.h"

namespace {

int RunMerge(std::vector<std::string> args) {
    args.insert(args.begin(), "merge");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    return cli::runMergeCommand(static_cast<int>(argv.size()), argv.data());
}

TEST(RtfMergeCommand, MergesAndReportsFailures) {
    rtf_test::TempDir dir;
    rtf_test::WriteBytes(dir / "t.rtf", "{\\rtf1 #A#}");
    rtf_test::WriteBytes(dir / "d.txt", "|0:A:1\r\n");
    const std::string d = (dir / "d.txt").string(), t = (dir / "t.rtf").string(),
                      r = (dir / "r.rtf").string();

    EXPECT_EQ(RunMerge({d, t, r}), 0);
    EXPECT_EQ(rtf_test::ReadBytes(dir / "r.rtf"), "{\\rtf1 1}");

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunMerge({d, t, t}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              std::string("litm merge: ") + RepoRTF_interface::messages::kSameFile + "\n");

    testing::internal::CaptureStderr();
    EXPECT_EQ(RunMerge({d, t}), 64);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("usage: litm merge"), std::string::npos);

    testing::internal::CaptureStdout();
    EXPECT_EQ(RunMerge({"--help"}), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("usage: litm merge"), std::string::npos);
}

}  // namespace
