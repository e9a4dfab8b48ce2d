// The litm tool as a user runs it: exit codes, the exact texts under
// --decimal ,, the JSON and CSV shapes, and clear errors.

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "forms/create_form.h"
#include "recorder/loader.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

struct Outcome {
    int exitCode = -1;
    std::string out;
};

// Runs litm with the arguments; stdout captured, stderr merged when asked.
Outcome litm(const std::string& args, bool withStderr = false) {
    const std::string command =
        std::string(LITM_PATH) + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null");
    Outcome run;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Litm : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = std::filesystem::temp_directory_path() / ("litm_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
        write("good.litm", sample::makeSampleReading({}));
        sample::SampleOptions damaged;
        damaged.faults.badBlocks = {{0, 2}};
        damaged.faults.wrongImageSum = true;
        write("damaged.litm", sample::makeSampleReading(damaged));
    }
    static void TearDownTestSuite() { std::filesystem::remove_all(dir_); }
    static void write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::ofstream(dir_ / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    static std::string path(const std::string& name) { return "'" + (dir_ / name).string() + "'"; }
    static std::filesystem::path dir_;
};
std::filesystem::path Litm::dir_;

TEST_F(Litm, CheckExitCodesAndLines) {
    EXPECT_EQ(litm("check " + path("good.litm")).exitCode, 0);
    EXPECT_EQ(litm("check " + path("good.litm")).out, "");
    const Outcome damaged = litm("check " + path("damaged.litm"));
    EXPECT_EQ(damaged.exitCode, 1);
    EXPECT_EQ(damaged.out,
              "Ошибка контольной суммы файла!\n"
              "Ошибка контольной суммы идентификации крана в Банке-0!\n");
    const Outcome missing = litm("check " + path("missing.litm"), true);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.out.find("Файл не удальсь открыть!"), std::string::npos);
    EXPECT_NE(missing.out.find("missing.litm"), std::string::npos);
}

TEST_F(Litm, ShowJsonHoldsTheShownTexts) {
    const Outcome run = litm("show " + path("good.litm") + " --json --decimal ,");
    ASSERT_EQ(run.exitCode, 0);
    for (const char* expected :
         {"\"Edit_ModTIRS\": \"ТИРС-48С-05\"", "\"Edit_MKran\": \"КС-55713-1\"",
          "\"Edit_GodIzgot\": \"2019 г.\"", "\"Label_KNag\": \"0,170\"", "\"Label_RezhA\": \"A3\"",
          "\"CGauge_N10\": ", "\"FrameCount\": 7272", "\"BufferFrameCount\": 12",
          "\"OverloadCount\": 16", "\"log\": []",
          "\"addressReport\": \"Адреса памяти страницы\\r\\nАдрес1: 0\\r\\n"})
        EXPECT_NE(run.out.find(expected), std::string::npos) << expected;
    EXPECT_NE(run.out.find(" т.\""), std::string::npos);
    EXPECT_EQ(run.out.find("Label_QSum\": \"0"), std::string::npos);

    const Outcome point = litm("show " + path("good.litm") + " --json --decimal .");
    EXPECT_NE(point.out.find("\"Label_KNag\": \"0.170\""), std::string::npos);
}

TEST_F(Litm, FramesJsonCsvAndSelections) {
    const Outcome json = litm("frames " + path("good.litm") + " --json --range 10 11");
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_EQ(json.out.rfind("[\n  {\"Number\": 10, \"Date\": \"", 0), 0u)
        << json.out.substr(0, 80);
    EXPECT_NE(json.out.find("\"Status\": \"Норма\"}"), std::string::npos);
    EXPECT_NE(json.out.find("\"LoadPercent\": "), std::string::npos);

    const Outcome csv = litm("frames " + path("good.litm") + " --csv --semicolon --range 0 0");
    ASSERT_EQ(csv.exitCode, 0);
    EXPECT_EQ(csv.out.rfind("Number;Date;Time;BoomAngle;", 0), 0u);
    EXPECT_NE(csv.out.find("\r\n0;"), std::string::npos);

    const Outcome all = litm("frames " + path("good.litm") + " --csv");
    std::size_t lines = 0;
    for (char c : all.out) lines += c == '\n';
    EXPECT_EQ(lines, 1u + 7272u);

    const Outcome heavy = litm("frames " + path("good.litm") + " --csv --min-load 126");
    for (std::size_t at = heavy.out.find("\r\n"); at + 2 < heavy.out.size();
         at = heavy.out.find("\r\n", at + 2)) {
        // Column 14 (LoadPercent) of every row is at least 126.
        std::size_t start = at + 2;
        for (int comma = 0; comma < 13; ++comma) start = heavy.out.find(',', start) + 1;
        EXPECT_GE(std::stoi(heavy.out.substr(start)), 126);
    }

    // A range with A > B selects nothing and, like the window, says nothing.
    const Outcome backwards = litm("frames " + path("good.litm") + " --range 40 0", true);
    EXPECT_EQ(backwards.exitCode, 0);
    EXPECT_EQ(backwards.out.find("не обнаружено"), std::string::npos);

    const Outcome none = litm("frames " + path("good.litm") + " --date 01.01.99", true);
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_NE(none.out.find("Кадров удовлетворяющих условию не обнаружено!"), std::string::npos);
}

TEST_F(Litm, OverloadsAndAddresses) {
    const Outcome json = litm("overloads " + path("good.litm") + " --json");
    ASSERT_EQ(json.exitCode, 0);
    std::size_t records = 0;
    for (std::size_t at = json.out.find("\"Number\""); at != std::string::npos;
         at = json.out.find("\"Number\"", at + 1))
        ++records;
    EXPECT_EQ(records, 16u);
    EXPECT_NE(json.out.find("\"Capacity\": "), std::string::npos);

    const Outcome report = litm("addresses " + path("good.litm"));
    EXPECT_EQ(report.out.rfind("Адреса памяти страницы\nАдрес1: 0\n", 0), 0u);
    EXPECT_NE(report.out.find("Адреса памяти перегрузок:\nАдрес1: 2180\n"), std::string::npos);
}

TEST_F(Litm, UsageErrorsAreClear) {
    const Outcome unknown = litm("frobnicate", true);
    EXPECT_EQ(unknown.exitCode, 64);
    EXPECT_NE(unknown.out.find("unknown command"), std::string::npos);
    const Outcome both =
        litm("frames " + path("good.litm") + " --min-load 5 --date 01.01.20", true);
    EXPECT_EQ(both.exitCode, 64);
    EXPECT_EQ(litm("frames " + path("good.litm") + " --min-load abc").exitCode, 64);
    EXPECT_EQ(litm("frames " + path("good.litm") + " --date 1.1.2020").exitCode, 64);
    EXPECT_EQ(litm("show " + path("good.litm") + " --decimal ';'").exitCode, 64);
    for (const char* command : {"check", "show", "frames", "overloads", "addresses", "sample"}) {
        const Outcome help = litm(std::string(command) + " --help");
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_NE(help.out.find("usage: litm"), std::string::npos) << command;
    }
}

TEST_F(Litm, SampleWritesAFullReading) {
    const auto out = dir_ / "sample.litm";
    EXPECT_EQ(litm("sample --seed 7 --out '" + out.string() + "'").exitCode, 0);
    EXPECT_EQ(std::filesystem::file_size(out), 270537u);
    EXPECT_EQ(litm("check '" + out.string() + "'").exitCode, 0);
    EXPECT_NE(litm("sample --out /nonexistent/dir/x.litm").exitCode, 0);
}

// Inputs that are no files, or far too large: a clear message at once, never a
// hang or a growing memory.
TEST_F(Litm, InputsThatAreNoFilesOrTooLarge) {
    const auto fifo = dir_ / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const auto started = std::chrono::steady_clock::now();
    const Outcome fromFifo = litm("check " + path("pipe"), true);
    EXPECT_EQ(fromFifo.exitCode, 2);
    EXPECT_NE(fromFifo.out.find("это канал (FIFO), а не файл"), std::string::npos) << fromFifo.out;
    const Outcome fromZero = litm("check /dev/zero", true);
    EXPECT_EQ(fromZero.exitCode, 2);
    EXPECT_NE(fromZero.out.find("это устройство, а не файл"), std::string::npos) << fromZero.out;
    const Outcome merged = litm("merge /dev/zero /dev/zero " + path("report.rtf"), true);
    EXPECT_EQ(merged.exitCode, 1);
    EXPECT_NE(merged.out.find("Не открыт файл шаблона"), std::string::npos) << merged.out;

    // A reading followed by a sparse gigabyte: read up to the trailer, shown as usual.
    std::filesystem::copy_file(dir_ / "good.litm", dir_ / "huge.litm");
    std::filesystem::resize_file(dir_ / "huge.litm", 1ull << 30);
    EXPECT_EQ(litm("check " + path("huge.litm")).exitCode, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    std::filesystem::remove(dir_ / "huge.litm");
    std::filesystem::remove(fifo);
}

// Ctrl+C at any moment of `litm sample`: the file is either the earlier one or
// complete, and no temporary is ever left behind.
TEST_F(Litm, SampleInterruptedAtAnyMomentLeavesNoTemporary) {
    const auto folder = dir_ / "interrupted";
    std::filesystem::create_directories(folder);
    const auto out = folder / "s.litm";
    std::ofstream(out) << "earlier";
    std::mt19937 random(3);
    int interrupted = 0;
    for (int run = 0; run < 30; ++run) {
        const std::string outArg = out.string();
        char* argv[] = {const_cast<char*>(LITM_PATH), const_cast<char*>("sample"),
                        const_cast<char*>("--out"), const_cast<char*>(outArg.c_str()), nullptr};
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, LITM_PATH, nullptr, nullptr, argv, environ), 0);
        ::usleep(static_cast<useconds_t>(2000 + random() % 40000));
        ::kill(child, run % 2 ? SIGTERM : SIGINT);
        int status = 0;
        ::waitpid(child, &status, 0);
        // A signal before the handlers are in place ends the program before it writes.
        const int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        EXPECT_TRUE(code == 0 || code == 130 || code == 143) << code;
        if (code != 0) ++interrupted;
        const auto size = std::filesystem::file_size(out);
        EXPECT_TRUE(size == 7 || size == sample::makeSampleReading({}).size()) << size;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                                std::filesystem::directory_iterator()),
                  1);
    }
    EXPECT_GT(interrupted, 0) << "no run was caught while writing";
}

}  // namespace

namespace {

// litm form writes the bytes the window's commands write: both call the forms core.
TEST_F(Litm, FormWritesTheCoresDataFileAndReportOrSaysWhyNot) {
    namespace fs = std::filesystem;
    sample::SampleOptions earlier;
    earlier.seed = 5;
    write("previous.litm", sample::makeSampleReading(earlier));
    fs::create_directories(dir_ / "cli" / "Шаблоны форм");
    fs::create_directories(dir_ / "core");
    for (const char* folder : {"cli/Шаблоны форм", "core"})
        std::ofstream(dir_ / folder / "Форма 2.rtf") << "{\\rtf1 #TipKrana# #SumCicl# #HHome#}";

    const Outcome made = litm("form 2 " + path("good.litm") + " " + path("previous.litm") +
                                  " --template " + path("cli/Шаблоны форм/Форма 2.rtf") +
                                  " --out " + path("cli/Формы/report.rtf") + " --decimal ,",
                              true);
    EXPECT_EQ(made.exitCode, 0) << made.out;

    recorder::Reading reading;
    std::string error;
    ASSERT_TRUE(recorder::loadReading((dir_ / "good.litm").string(), reading, {','}, error));
    forms::PreviousReading previous;
    ASSERT_TRUE(forms::readPreviousReadingFile(dir_ / "previous.litm", previous, error));
    forms::createForm2(reading, previous, {dir_ / "core" / "Форма 2.rtf", dir_ / "core" / "r.rtf"},
                       {','});
    auto bytes = [](const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    };
    EXPECT_EQ(bytes(dir_ / "cli" / "Шаблоны форм" / "Форма 2.txt"),
              bytes(dir_ / "core" / "Форма 2.txt"));
    EXPECT_EQ(bytes(dir_ / "cli" / "Формы" / "report.rtf"), bytes(dir_ / "core" / "r.rtf"));

    const std::string templ = " --template " + path("cli/Шаблоны форм/Форма 2.rtf");
    const Outcome noPrevious = litm("form 2 " + path("good.litm") + templ + " --out x.rtf", true);
    EXPECT_NE(noPrevious.exitCode, 0);
    EXPECT_NE(noPrevious.out.find("LAST PREVIOUS"), std::string::npos) << noPrevious.out;
    const Outcome missing = litm("form 3 " + path("missing.litm") + templ + " --out x.rtf", true);
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.out.find("missing.litm"), std::string::npos) << missing.out;
    const Outcome noTemplate =
        litm("form 1 " + path("good.litm") + " " + path("previous.litm") + " --template " +
                 path("cli/nothing.rtf") + " --out " + path("cli/r1.rtf"),
             true);
    EXPECT_EQ(noTemplate.exitCode, 1);
    EXPECT_NE(noTemplate.out.find("Не открыт файл шаблона"), std::string::npos) << noTemplate.out;
}

}  // namespace
