// litm runs litm-NAME in its own place: the helper beside it gets the
// arguments unchanged and its exit status is litm's.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "cli/external_command.h"
#include "external_probe.h"

namespace {

TEST(ExternalCommand, TheHelperBesideGetsTheArgumentsAndGivesItsStatus) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("probe_" + std::to_string(::getpid()));
    std::vector<std::string> args = {"probe", base::utf8Of(out)};
    for (const std::string& a : awkwardArguments()) args.push_back(a);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    // The helper replaces the process that runs it: a child of the test here.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        cli::runExternalCommand("probe", static_cast<int>(args.size()), argv.data());
        ::_exit(99);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kProbeStatus);
    EXPECT_EQ(probedArguments(out), awkwardArguments());
    std::filesystem::remove(out);
}

}  // namespace
