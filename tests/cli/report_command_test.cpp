// `litm report` as a user runs it from a terminal without a display: one PDF
// per reading into a folder, the frame range, and clear failures.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "simulation/sample_reading/sample_reading.h"

namespace {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;  // stdout and stderr
};

Outcome run(const std::string& command) {
    Outcome o;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) o.out.append(buffer, n);
    const int status = pclose(pipe);
    o.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

// litm with no display and no platform chosen: the command picks its own.
Outcome litm(const std::string& args) {
    return run("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(LITM_PATH) +
               " " + args);
}

std::string pdfText(const fs::path& pdf) {
    return run("pdftotext -layout '" + pdf.string() + "' -").out;
}

class LitmReport : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("litm_report_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
        write("КС-1.litm", 1);
        write("КС-2.litm", 2);
    }
    void TearDown() override { fs::remove_all(dir_); }
    void write(const std::string& name, std::uint64_t seed) {
        sample::SampleOptions options;
        options.seed = seed;
        options.identity.craneNumber = static_cast<int>(seed) * 100;
        const auto bytes = sample::makeSampleReading(options);
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    std::string path(const std::string& name) const { return "'" + (dir_ / name).string() + "'"; }
    fs::path dir_;
};

TEST_F(LitmReport, CardsOfSeveralReadingsGoOnePdfEachIntoAFolder) {
    const Outcome o = litm("report card " + path("КС-1.litm") + " " + path("missing.litm") + " " +
                           path("КС-2.litm") + " --pdf " + path("cards"));
    EXPECT_EQ(o.exitCode, 2) << "one reading could not be opened";
    EXPECT_NE(o.out.find("missing.litm"), std::string::npos) << o.out;
    for (int n : {1, 2}) {
        const fs::path pdf = dir_ / "cards" / ("КС-" + std::to_string(n) + ".pdf");
        ASSERT_TRUE(fs::exists(pdf)) << pdf;
        const std::string text = pdfText(pdf);
        EXPECT_NE(text.find("Информационная карта"), std::string::npos);
        EXPECT_NE(text.find("№" + std::to_string(n * 100)), std::string::npos) << text;
        EXPECT_EQ(text.find('\f'), text.rfind('\f')) << "one page";
    }
}

// litm loads no Qt: it runs the program litm-report, beside it or else on PATH,
// with the arguments, streams and exit status passed through; without it, a
// clear failure.
TEST_F(LitmReport, RunsAsAProgramOfItsOwn) {
    EXPECT_NE(
        litm("--help").out.find("\n  report      write the printed reports of readings as PDF\n"),
        std::string::npos);
    const Outcome help = litm("report --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: litm report card|appendix|frames|overloads", 0), 0u)
        << help.out;
    const Outcome fromStdin =
        litm("report card /dev/stdin --pdf " + path("in.pdf") + " < " + path("КС-1.litm"));
    EXPECT_EQ(fromStdin.exitCode, 0) << fromStdin.out;
    EXPECT_TRUE(fs::exists(dir_ / "in.pdf"));

    // A litm alone in a folder: the helper on PATH, then none at all.
    fs::create_directories(dir_ / "alone");
    fs::create_directories(dir_ / "bin");
    fs::copy_file(LITM_PATH, dir_ / "alone" / "litm");
    std::ofstream(dir_ / "bin" / "litm-report") << "#!/bin/sh\necho \"helper: $*\"\nexit 7\n";
    fs::permissions(dir_ / "bin" / "litm-report", fs::perms::owner_all);
    const std::string alone = path("alone/litm");
    const Outcome onPath = run("env PATH=" + path("bin") + " " + alone + " report card 'a b'");
    EXPECT_EQ(onPath.exitCode, 7);
    EXPECT_EQ(onPath.out, "helper: card a b\n");
    const Outcome missing = run("env PATH=/nonexistent " + alone + " report card x");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.out.find("litm report: the program litm-report that runs this command is "
                               "not installed"),
              std::string::npos)
        << missing.out;
}

TEST_F(LitmReport, FramesOfARangeAndUsageErrors) {
    const Outcome o = litm("report frames " + path("КС-1.litm") + " --pdf " + path("f.pdf") +
                           " --range 7290 99999 --decimal ,");
    ASSERT_EQ(o.exitCode, 0) << o.out;
    const std::string text = pdfText(dir_ / "f.pdf");
    EXPECT_NE(text.find("Вых.реле."), std::string::npos);
    EXPECT_NE(text.find("0,00"), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = text.find(":"); at != std::string::npos; at = text.find(":", at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u * 2) << "three frames, two colons in each time";

    for (const std::string& bad :
         {"report bogus " + path("КС-1.litm") + " --pdf " + path("x.pdf"),
          "report card " + path("КС-1.litm"),
          "report card " + path("КС-1.litm") + " --pdf " + path("x.pdf") + " --range 0 1",
          "report frames " + path("КС-1.litm") + " --pdf " + path("x.pdf") + " --range a 1"}) {
        const Outcome u = litm(bad);
        EXPECT_EQ(u.exitCode, 64) << bad;
        EXPECT_FALSE(fs::exists(dir_ / "x.pdf"));
    }
}

}  // namespace
