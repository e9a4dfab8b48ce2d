// What litm must do the same on every system: file names in UTF-8 from the
// command line to the disk and back into messages, a missing helper program
// named clearly, and arguments written into a Windows command line so that the
// helper gets them back unchanged.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "base/utf8_path.h"
#include "cli/command_line.h"
#include "cli/external_command.h"
#include "cli/external_command_platform.h"
#include "cli/subcommands.h"

namespace {

namespace fs = std::filesystem;

int run(const cli::Subcommand& command, std::vector<std::string> args) {
    args.insert(args.begin(), command.name);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return cli::runSubcommand(command, static_cast<int>(args.size()), argv.data());
}

// A fresh folder with a Cyrillic name: on Windows every name below it is lost
// if any step takes it through the ANSI code page.
class CyrillicFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  base::pathFromUtf8("литм проверка " + std::to_string(std::random_device()()));
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    std::string name(const std::string& utf8) const {
        return base::utf8Of(folder_ / base::pathFromUtf8(utf8));
    }
    fs::path folder_;
};

TEST_F(CyrillicFolder, CommandsReadAndWriteTheNamedFilesAndNameThemInMessages) {
    const std::string reading = name("Считывание №1.litm");
    ASSERT_EQ(run(cli::kSampleCommand, {"--out", reading}), cli::kExitOk);
    EXPECT_TRUE(fs::is_regular_file(base::pathFromUtf8(reading)));

    testing::internal::CaptureStdout();
    EXPECT_EQ(run(cli::kShowCommand, {reading, "--json"}), cli::kExitOk);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("\"texts\""), std::string::npos);

    const fs::path templates = folder_ / base::pathFromUtf8("Шаблоны форм");
    fs::create_directories(templates);
    std::ofstream(templates / base::pathFromUtf8("Форма 3.rtf"), std::ios::binary)
        << "{\\rtf1 #A#}";
    const std::string report = name("Отчёты/Форма 3 крана.rtf");
    EXPECT_EQ(run(cli::kFormCommand,
                  {"3", reading, "--template",
                   base::utf8Of(templates / base::pathFromUtf8("Форма 3.rtf")), "--out", report}),
              cli::kExitOk);
    EXPECT_TRUE(fs::is_regular_file(base::pathFromUtf8(report)));
    EXPECT_TRUE(fs::is_regular_file(templates / base::pathFromUtf8("Форма 3.txt")));

    // A missing file is named as it was given.
    const std::string missing = name("Нет такого.litm");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run(cli::kShowCommand, {missing}), cli::kExitCannotOpen);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(missing), std::string::npos);
}

TEST(ExternalCommand, AMissingHelperProgramIsNamedAndFails) {
    std::string name = "show";
    char* argv[] = {name.data(), nullptr};
    testing::internal::CaptureStderr();
    EXPECT_EQ(cli::runExternalCommand("no-such-helper", 1, argv), cli::kExitFailure);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("litm-no-such-helper"), std::string::npos) << message;
    EXPECT_NE(message.find("is not installed"), std::string::npos) << message;
}

TEST(ExternalCommand, ArgumentsAreQuotedOnlyWhereTheCommandLineNeedsIt) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"", "\"\""},
        {"two words", "\"two words\""},
        {"C:\\dir\\file", "C:\\dir\\file"},      // backslashes alone stand for themselves
        {"C:\\my dir\\", "\"C:\\my dir\\\\\""},  // but would escape the closing quote
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},  // a backslash before a quote is doubled
        {"Кран", "Кран"},
    };
    for (const auto& [argument, quoted] : cases)
        EXPECT_EQ(cli::quotedArgument(argument), quoted) << argument;
}

}  // namespace
