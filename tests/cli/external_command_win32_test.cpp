// litm.exe starts litm-NAME.exe and waits for it: the helper beside it gets the
// arguments unchanged, through a command line the system splits again, and its
// exit status is litm's.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "cli/external_command.h"
#include "cli/external_command_platform.h"
#include "external_probe.h"

namespace {

TEST(ExternalCommand, QuotedArgumentsAreSplitBackAsTheyWere) {
    std::string line = "litm-probe.exe";
    for (const std::string& a : awkwardArguments()) line += " " + cli::quotedArgument(a);
    int count = 0;
    wchar_t** split = CommandLineToArgvW(base::pathFromUtf8(line).wstring().c_str(), &count);
    ASSERT_NE(split, nullptr);
    std::vector<std::string> back;
    for (int i = 1; i < count; ++i) back.push_back(base::utf8Of(std::filesystem::path(split[i])));
    LocalFree(split);
    EXPECT_EQ(back, awkwardArguments());
}

TEST(ExternalCommand, TheHelperBesideGetsTheArgumentsAndGivesItsStatus) {
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() /
        base::pathFromUtf8("проба_" + std::to_string(GetCurrentProcessId()));
    std::vector<std::string> args = {"probe", base::utf8Of(out)};
    for (const std::string& a : awkwardArguments()) args.push_back(a);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    EXPECT_EQ(cli::runExternalCommand("probe", static_cast<int>(args.size()), argv.data()),
              kProbeStatus);
    EXPECT_EQ(probedArguments(out), awkwardArguments());
    std::filesystem::remove(out);
}

}  // namespace
