// `litm report` as a user runs it from a terminal without a display: one PDF
// per reading into a folder, the frame range, and clear failures.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "simulation/sample_reading/sample_reading.h"
#include "tests/support/shell_run_posix.h"

namespace {

namespace fs = std::filesystem;

using test_support::Outcome;

// Runs a shell command, its stdout and stderr captured.
Outcome run(const std::string& command) {
    return test_support::runShell(command + " 2>&1");
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
    void write(const std::string& name, std::uint64_t seed, sample::SampleFaults faults = {}) {
        sample::SampleOptions options;
        options.seed = seed;
        options.faults = std::move(faults);
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
        const fs::path pdf =
            dir_ / "cards" / ("КС-" + std::to_string(n) + " – информационная карта.pdf");
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

// A PDF written over a reading it is made of would destroy the reading: refused,
// by whatever name the reading goes (the same path, a link), and the others written.
TEST_F(LitmReport, APdfOverItsOwnReadingIsRefused) {
    fs::create_symlink(dir_ / "КС-1.litm", dir_ / "link.pdf");
    const auto size = fs::file_size(dir_ / "КС-1.litm");
    for (const std::string& out : {path("КС-1.litm"), path("link.pdf")}) {
        const Outcome o = litm("report card " + path("КС-1.litm") + " --pdf " + out);
        EXPECT_EQ(o.exitCode, 1) << out;
        EXPECT_NE(o.out.find("это тот же файл"), std::string::npos) << o.out;
    }
    // Into a folder: the card of КС-2.litm would go over the second reading,
    // which happens to bear that PDF's name; the other card is written.
    fs::create_directories(dir_ / "cards");
    const std::string clash = "КС-2 – информационная карта.pdf";
    fs::copy_file(dir_ / "КС-2.litm", dir_ / "cards" / clash);
    const Outcome folder = litm("report card " + path("КС-2.litm") + " " + path("cards/" + clash) +
                                " --pdf " + path("cards"));
    EXPECT_EQ(folder.exitCode, 1) << folder.out;
    EXPECT_EQ(fs::file_size(dir_ / "КС-1.litm"), size);
    EXPECT_EQ(fs::file_size(dir_ / "cards" / clash), fs::file_size(dir_ / "КС-2.litm"));
    EXPECT_TRUE(
        fs::exists(dir_ / "cards" / "КС-2 – информационная карта – информационная карта.pdf"));
}

// Fleet runs into one folder: the kind in every name, readings of one name from
// two folders apart, nothing of the run replaced, titled PDFs.
TEST_F(LitmReport, EveryReportOfEveryReadingGetsItsOwnPdf) {
    fs::create_directories(dir_ / "Север");
    fs::create_directories(dir_ / "Юг");
    fs::copy_file(dir_ / "КС-1.litm", dir_ / "Север" / "Кран.litm");
    fs::copy_file(dir_ / "КС-2.litm", dir_ / "Юг" / "Кран.litm");
    const std::string both = path("Север/Кран.litm") + " " + path("Юг/Кран.litm");
    for (const char* kind : {"card", "overloads"}) {
        const Outcome o =
            litm(std::string("report ") + kind + " " + both + " --pdf " + path("out"));
        ASSERT_EQ(o.exitCode, 0) << o.out;
    }
    std::set<std::string> written;
    for (const auto& entry : fs::directory_iterator(dir_ / "out"))
        written.insert(entry.path().filename().string());
    EXPECT_EQ(written,
              (std::set<std::string>{
                  "Кран (Север) – информационная карта.pdf", "Кран (Юг) – информационная карта.pdf",
                  "Кран (Север) – таблица перегрузок.pdf", "Кран (Юг) – таблица перегрузок.pdf"}));
    // The crane of each folder's reading in its own PDF, with title and author.
    const fs::path south = dir_ / "out" / "Кран (Юг) – информационная карта.pdf";
    EXPECT_NE(pdfText(south).find("№200"), std::string::npos);
    const std::string info = run("pdfinfo '" + south.string() + "'").out;
    auto field = [&info](const std::string& name) {
        const std::size_t at = info.find(name + ":");
        if (at == std::string::npos) return std::string();
        const std::size_t from = info.find_first_not_of(' ', at + name.size() + 1);
        return info.substr(from, info.find('\n', from) - from);
    };
    EXPECT_EQ(field("Title"), "Информационная карта на кран КС-55713-1 №200") << info;
    EXPECT_EQ(field("Author"), "Петров Алексей Викторович") << info;

    // One reading named twice in a run: the second PDF is numbered, not written over the first.
    const Outcome twice = litm("report card " + path("КС-1.litm") + " " + path("КС-1.litm") +
                               " --pdf " + path("twice"));
    ASSERT_EQ(twice.exitCode, 0) << twice.out;
    EXPECT_TRUE(fs::exists(dir_ / "twice" / "КС-1 – информационная карта.pdf"));
    EXPECT_TRUE(fs::exists(dir_ / "twice" / "КС-1 – информационная карта (2).pdf"));
}

// A reading that fails its checks prints with a warning, or not at all with --strict.
TEST_F(LitmReport, ADamagedReadingIsNeverPrintedSilently) {
    sample::SampleFaults faults;
    faults.badBlocks = {{0, 2}, {1, 3}, {1, 4}, {1, 5}};
    write("damaged.litm", 3, faults);
    const Outcome warned =
        litm("report card " + path("damaged.litm") + " --pdf " + path("damaged.pdf"));
    EXPECT_EQ(warned.exitCode, 0) << warned.out;
    EXPECT_TRUE(fs::exists(dir_ / "damaged.pdf"));
    for (const char* expected :
         {"не прошёл проверку, ошибок в журнале загрузки: 4",
          "Ошибка контрольной суммы идентификации крана в Банке-0!", "litm check"})
        EXPECT_NE(warned.out.find(expected), std::string::npos) << warned.out;

    const Outcome refused = litm("report frames " + path("damaged.litm") + " " + path("КС-1.litm") +
                                 " --pdf " + path("strict") + " --strict");
    EXPECT_EQ(refused.exitCode, 1) << refused.out;
    EXPECT_NE(refused.out.find("--strict"), std::string::npos) << refused.out;
    EXPECT_FALSE(fs::exists(dir_ / "strict" / "damaged – оперативная информация.pdf"));
    EXPECT_TRUE(fs::exists(dir_ / "strict" / "КС-1 – оперативная информация.pdf"));

    const Outcome sound = litm("report card " + path("КС-1.litm") + " --pdf " + path("s.pdf"));
    EXPECT_EQ(sound.exitCode, 0);
    EXPECT_EQ(sound.out, "") << "nothing to say of a sound reading";
}

}  // namespace
