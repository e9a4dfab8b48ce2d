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
#include <sstream>
#include <string>

#include "forms/create_form.h"
#include "recorder/loader.h"
#include "recorder/number_format.h"
#include "recorder/record_fields.h"
#include "simulation/sample_reading/sample_reading.h"
#include "tests/support/shell_run_posix.h"

namespace {

using test_support::Outcome;

// Runs a shell command, its stdout captured.
Outcome shell(const std::string& command) {
    return test_support::runShell(command);
}

// Runs litm with the arguments; stdout captured, stderr merged when asked.
Outcome litm(const std::string& args, bool withStderr = false) {
    return shell(std::string(LITM_PATH) + " " + args + (withStderr ? " 2>&1" : " 2>/dev/null"));
}

// Runs a shell command; its stdout and stderr.
std::string shellOutput(const std::string& command) {
    return test_support::runShell(command + " 2>&1").out;
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
              "Ошибка контрольной суммы файла!\n"
              "Ошибка контрольной суммы идентификации крана в Банке-0!\n");
    const Outcome missing = litm("check " + path("missing.litm"), true);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.out.find("Файл не удалось открыть!"), std::string::npos);
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

    // A range with A > B selects nothing and, like the window, says so.
    const Outcome backwards = litm("frames " + path("good.litm") + " --range 40 0", true);
    EXPECT_EQ(backwards.exitCode, 0);
    EXPECT_NE(backwards.out.find("В диапазоне нет кадров"), std::string::npos);

    const Outcome none = litm("frames " + path("good.litm") + " --date 01.01.99", true);
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_NE(none.out.find("Кадров удовлетворяющих условию не обнаружено!"), std::string::npos);
}

// The selections' spreadsheets: the CSV with the frame view's captions, a
// byte-order mark and bit strings kept as text; the workbook read back cell by
// cell against what the frame view shows; a range past the loaded frames cut.
TEST_F(Litm, SpreadsheetsShowWhatTheGridShows) {
    recorder::Reading reading;
    std::string error;
    ASSERT_TRUE(recorder::loadReading((dir_ / "good.litm").string(), reading, {','}, error));
    const recorder::FrameRecord& first = reading.FrameTable[0];

    const Outcome csv = litm("frames " + path("good.litm") + " --csv --semicolon --range 0 0");
    ASSERT_EQ(csv.exitCode, 0);
    EXPECT_EQ(csv.out.rfind("\xEF\xBB\xBFНомер кадра;Дата записи;Время записи;"
                            "Угол наклона стрелы, град;Длина стрелы, м;",
                            0),
              0u)
        << csv.out.substr(0, 120);
    EXPECT_NE(csv.out.find(";\"=\"\"" + first.KosBits + "\"\"\";"), std::string::npos);
    EXPECT_NE(csv.out.find(";\"=\"\"" + first.InputBits3 + "\"\"\";"), std::string::npos);
    EXPECT_NE(csv.out.find("\r\n0;" + first.Date + ";" + first.Time + ";"), std::string::npos);
    const Outcome overloads = litm("overloads " + path("good.litm") + " --csv");
    EXPECT_EQ(overloads.out.rfind("\xEF\xBB\xBFНомер кадра,Дата перегрузки,Номер рабочего режима,"
                                  "\"Степень загрузки, %\",",
                                  0),
              0u);

    const std::string cells = TIRS_XLSX_CELLS;
    if (cells.empty()) GTEST_SKIP() << "python3-openpyxl is not installed";
    const std::string book = (dir_ / "Кадры.xlsx").string();
    const std::string book2 = (dir_ / "Перегрузки.xlsx").string();
    ASSERT_EQ(
        litm("frames " + path("good.litm") + " --range 7200 99999 --xlsx '" + book + "'").exitCode,
        0);
    ASSERT_EQ(litm("overloads " + path("good.litm") + " --xlsx '" + book2 + "'").exitCode, 0);
    auto lines = [&](const std::string& file) {
        std::vector<std::string> out;
        std::istringstream text(shellOutput(cells + " '" + file + "' ,"));
        for (std::string line; std::getline(text, line);) out.push_back(line);
        return out;
    };
    const auto frames = lines(book);
    ASSERT_EQ(frames.size(), 2u + (reading.FrameCount - 7200u));  // never frame 0 past the end
    EXPECT_EQ(frames[0].rfind("sheet=Кадры freeze=A2 widths=", 0), 0u) << frames[0];
    EXPECT_EQ(frames[0].find(",0"), std::string::npos);  // every column has its width
    EXPECT_EQ(frames[1].rfind("s:Номер кадра\ts:Дата записи\t", 0), 0u);
    recorder::NumberFormat comma{','};
    for (int n = 7200; n < reading.FrameCount; ++n) {
        std::string expected;
        for (int f = 0; f < recorder::kFrameFieldCount; ++f) {
            const auto v = recorder::frameFieldValue(reading.FrameTable[std::size_t(n)], f);
            expected += (f ? "\t" : "") +
                        std::string(v.kind == recorder::FieldKind::Text ? "s:" : "n:") +
                        recorder::fieldText(v, comma);
        }
        EXPECT_EQ(frames[std::size_t(n - 7200 + 2)], expected);
    }
    const auto records = lines(book2);
    ASSERT_EQ(records.size(), 2u + std::size_t(reading.OverloadCount));
    EXPECT_EQ(records[0].rfind("sheet=Перегрузки freeze=A2", 0), 0u);
    const auto& o = reading.OverloadTable[0];
    EXPECT_EQ(records[2], "n:0\ts:" + o.Date + "\tn:" + std::to_string(o.ModeNumber) +
                              "\tn:" + std::to_string(o.LoadPercent) +
                              "\tn:" + recorder::formatFixed(o.Radius, 2, ',') + "\tn:" +
                              recorder::formatFixed(o.Capacity, 2, ',') + "\ts:" + o.Status);

    // A folder that cannot be written: exit 1 and why, no file left behind.
    const Outcome refused = litm(
        "frames " + path("good.litm") + " --xlsx '" + (dir_ / "нет/x.xlsx").string() + "'", true);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_NE(refused.out.find("Не удалось записать файл"), std::string::npos) << refused.out;
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
    // The same crane's work, the previous reading with fewer cycles behind it.
    sample::SampleOptions earlier;
    earlier.pastCycles = 10000;
    write("previous.litm", sample::makeSampleReading(earlier));
    sample::SampleOptions later = earlier;
    later.pastCycles = 90000;
    write("later.litm", sample::makeSampleReading(later));
    fs::create_directories(dir_ / "cli" / "Шаблоны форм");
    fs::create_directories(dir_ / "core");
    for (const char* folder : {"cli/Шаблоны форм", "core"})
        std::ofstream(dir_ / folder / "Форма 2.rtf") << "{\\rtf1 #TipKrana# #SumCicl# #HHome#}";

    const Outcome made = litm("form 2 " + path("later.litm") + " " + path("previous.litm") +
                                  " --template " + path("cli/Шаблоны форм/Форма 2.rtf") +
                                  " --out " + path("cli/Формы/report.rtf") + " --decimal ,",
                              true);
    EXPECT_EQ(made.exitCode, 0) << made.out;

    recorder::Reading reading;
    std::string error;
    ASSERT_TRUE(recorder::loadReading((dir_ / "later.litm").string(), reading, {','}, error));
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
        litm("form 1 " + path("later.litm") + " " + path("previous.litm") + " --template " +
                 path("cli/nothing.rtf") + " --out " + path("cli/r1.rtf"),
             true);
    EXPECT_EQ(noTemplate.exitCode, 1);
    EXPECT_NE(noTemplate.out.find("Не открыт файл шаблона\nПричина: файл или папка не существует."),
              std::string::npos)
        << noTemplate.out;

    // Swapped files: refused, and the command the other way round is suggested.
    const Outcome swapped = litm("form 1 " + path("previous.litm") + " " + path("later.litm") +
                                     templ + " --out " + path("cli/r2.rtf"),
                                 true);
    EXPECT_EQ(swapped.exitCode, 1);
    EXPECT_NE(swapped.out.find("больше, чем в последнем"), std::string::npos) << swapped.out;
    EXPECT_NE(swapped.out.find("litm form 1 " + (dir_ / "later.litm").string() + " " +
                               (dir_ / "previous.litm").string()),
              std::string::npos)
        << swapped.out;
    EXPECT_FALSE(fs::exists(dir_ / "cli" / "r2.rtf"));
    // Another limiter: refused, naming both.
    sample::SampleOptions otherLimiter = earlier;
    otherLimiter.identity.serialNumber = "009999";
    write("other.litm", sample::makeSampleReading(otherLimiter));
    const Outcome other = litm("form 2 " + path("later.litm") + " " + path("other.litm") + templ +
                                   " --out " + path("cli/r3.rtf"),
                               true);
    EXPECT_EQ(other.exitCode, 1);
    EXPECT_NE(other.out.find("№ 009999"), std::string::npos) << other.out;
    EXPECT_NE(other.out.find("№ 001734"), std::string::npos) << other.out;
}

}  // namespace

namespace {

std::string fileText(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writing over an input would destroy it and still end with success: a command
// that writes refuses an output that is one of its inputs, whatever name it goes
// by (the same path, a symbolic link, a hard link), and writes nothing.
TEST_F(Litm, AnOutputThatIsAnInputIsRefusedAndTheInputKept) {
    namespace fs = std::filesystem;
    const fs::path folder = dir_ / "same";
    const fs::path templates = folder / "Шаблоны форм";
    fs::create_directories(templates);
    fs::copy_file(dir_ / "good.litm", folder / "r.litm");
    fs::create_symlink(folder / "r.litm", folder / "link.litm");
    fs::create_hard_link(folder / "r.litm", folder / "hard.litm");
    const fs::path templ = templates / "Форма 3.rtf";
    std::ofstream(templ) << "{\\rtf1 #TipKrana#}";
    fs::create_symlink(templ, folder / "template-link.rtf");
    const std::string reading = fileText(folder / "r.litm");
    auto quoted = [](const fs::path& p) { return " '" + p.string() + "'"; };

    for (const char* out : {"r.litm", "link.litm", "hard.litm", "Шаблоны форм/Форма 3.rtf"}) {
        const Outcome form = litm("form 3" + quoted(folder / "r.litm") + " --template" +
                                      quoted(templ) + " --out" + quoted(folder / out),
                                  true);
        EXPECT_EQ(form.exitCode, 1) << out;
        EXPECT_NE(form.out.find("это тот же файл"), std::string::npos) << form.out;
    }
    // The data file "Форма 3.txt" written beside the template is an output too.
    fs::copy_file(folder / "r.litm", templates / "Форма 3.txt");
    const Outcome data = litm("form 3" + quoted(templates / "Форма 3.txt") + " --template" +
                                  quoted(templ) + " --out" + quoted(folder / "f.rtf"),
                              true);
    EXPECT_EQ(data.exitCode, 1) << data.out;
    EXPECT_EQ(fileText(templates / "Форма 3.txt"), reading);
    // merge refuses the same through the one shared check.
    const Outcome merged = litm("merge" + quoted(templates / "Форма 3.txt") + quoted(templ) +
                                    quoted(folder / "template-link.rtf"),
                                true);
    EXPECT_EQ(merged.exitCode, 1) << merged.out;

    EXPECT_EQ(fileText(folder / "r.litm"), reading);
    EXPECT_EQ(fileText(templ), "{\\rtf1 #TipKrana#}");
    EXPECT_FALSE(fs::exists(folder / "f.rtf"));
    // An output of another name is written as ever.
    EXPECT_EQ(litm("form 3" + quoted(folder / "r.litm") + " --template" + quoted(templ) + " --out" +
                   quoted(folder / "f.rtf"))
                  .exitCode,
              0);
}

// A reading's texts reach a terminal without their control characters: an ESC
// sequence in a crane model could retitle or clear the terminal, hide or fake
// lines. JSON keeps them, escaped.
TEST_F(Litm, ControlCharactersOfAReadingNeverReachTheTerminal) {
    sample::SampleOptions hostile;
    hostile.identity.craneModel = "КС\x1b]0;x\x07\x1b[2J\r-1";
    write("hostile.litm", sample::makeSampleReading(hostile));
    const Outcome shown = litm("show " + path("hostile.litm"));
    ASSERT_EQ(shown.exitCode, 0);
    for (char control : {'\x1b', '\x07', '\r'})
        EXPECT_EQ(shown.out.find(control), std::string::npos) << int(control);
    EXPECT_NE(shown.out.find("КС\uFFFD]0;x\uFFFD\uFFFD[2J\uFFFD-1"), std::string::npos);
    const Outcome json = litm("show " + path("hostile.litm") + " --json");
    EXPECT_NE(json.out.find("КС\\u001b]0;x\\u0007\\u001b[2J\\r-1"), std::string::npos);

    // A file name given on the command line is shown the same way.
    const Outcome missing = litm("check '" + (dir_ / "a\x1b[2Jb.litm").string() + "'", true);
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.out.find('\x1b'), std::string::npos) << missing.out;
}

// Form 3's files in a folder of their own: a template folder with the template.
void formFolder(const std::filesystem::path& root) {
    std::filesystem::create_directories(root / "Шаблоны форм");
    std::ofstream(root / "Шаблоны форм" / "Форма 3.rtf") << "{\\rtf1 #TipKrana#}";
}

// A damaged reading makes its form with a warning, or none with --strict.
TEST_F(Litm, FormOfADamagedReadingWarnsOrIsRefused) {
    formFolder(dir_ / "damaged");
    const std::string files = " --template " + path("damaged/Шаблоны форм/Форма 3.rtf") +
                              " --out " + path("damaged/Формы/f.rtf");
    const Outcome warned = litm("form 3 " + path("damaged.litm") + files, true);
    EXPECT_EQ(warned.exitCode, 0) << warned.out;
    EXPECT_NE(warned.out.find("ошибок в журнале загрузки: 2"), std::string::npos) << warned.out;
    EXPECT_NE(warned.out.find("Ошибка контрольной суммы файла!"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "damaged" / "Формы" / "f.rtf"));

    std::filesystem::remove(dir_ / "damaged" / "Формы" / "f.rtf");
    const Outcome refused = litm("form 3 " + path("damaged.litm") + files + " --strict", true);
    EXPECT_EQ(refused.exitCode, 1) << refused.out;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "damaged" / "Формы" / "f.rtf"));
    EXPECT_EQ(litm("form 3 " + path("good.litm") + files + " --strict", true).out, "");
}

// Every failure to write names its cause. Permissions are tried as a user
// without root rights: the superuser writes into read-only folders.
TEST_F(Litm, FormFailuresNameTheirRealCause) {
    namespace fs = std::filesystem;
    const fs::path root = dir_ / "causes";
    fs::create_directories(root / "file");
    std::ofstream(root / "file" / "Шаблоны форм") << "a file, not a folder";
    const Outcome notFolder = litm("form 3 " + path("good.litm") + " --template " +
                                       path("causes/file/Шаблоны форм/Форма 3.rtf") + " --out " +
                                       path("causes/file/r.rtf"),
                                   true);
    EXPECT_EQ(notFolder.exitCode, 1);
    EXPECT_NE(notFolder.out.find("не папка"), std::string::npos) << notFolder.out;

    formFolder(root / "dir");
    fs::create_directories(root / "dir" / "Шаблоны форм" / "Форма 3.txt");
    const Outcome isFolder =
        litm("form 3 " + path("good.litm") + " --template " +
                 path("causes/dir/Шаблоны форм/Форма 3.rtf") + " --out " + path("causes/dir/r.rtf"),
             true);
    EXPECT_NE(isFolder.out.find("Форма 3.txt»: это папка."), std::string::npos) << isFolder.out;

    // As nobody: litm and the reading copied where that user reaches them.
    std::string asUser;
    if (::geteuid() == 0) {
        asUser = "setpriv --reuid=nobody --regid=nogroup --clear-groups ";
        if (std::system((asUser + "true").c_str()) != 0)
            GTEST_SKIP() << "setpriv cannot run a command as nobody here";
    }
    fs::copy_file(LITM_PATH, root / "litm");
    fs::copy_file(dir_ / "good.litm", root / "good.litm");
    const auto readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                          fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    auto form3 = [&](const std::string& folder) {  // its messages on stdout too
        const std::string at = "'" + (root / folder).string();
        return asUser + "'" + (root / "litm").string() + "' form 3 '" +
               (root / "good.litm").string() + "' --template " + at +
               "/Шаблоны форм/Форма 3.rtf' --out " + at + "/Формы/r.rtf' 2>&1";
    };
    formFolder(root / "ro");
    formFolder(root / "reports");
    fs::create_directories(root / "reports" / "Формы");
    fs::permissions(root / "reports" / "Шаблоны форм", fs::perms::all);
    fs::permissions(root / "ro" / "Шаблоны форм", readOnly);
    fs::permissions(root / "reports" / "Формы", readOnly);
    struct Writable {  // so the folders can be removed afterwards by anyone
        fs::path root;
        ~Writable() {
            for (const char* folder : {"ro/Шаблоны форм", "reports/Формы"})
                fs::permissions(root / folder, fs::perms::owner_all);
        }
    } writable{root};

    const Outcome templates = shell(form3("ro"));
    EXPECT_EQ(templates.exitCode, 1) << templates.out;
    EXPECT_NE(templates.out.find("Форма 3.txt»: нет прав на запись."), std::string::npos)
        << templates.out;

    const Outcome report = shell(form3("reports"));
    EXPECT_EQ(report.exitCode, 1) << report.out;
    EXPECT_NE(report.out.find("Не открыт файл отчета.\nВОЗМОЖНО НЕ ЗАКРЫТ СТАРЫЙ ОТЧЕТ.\n"
                              "Причина: нет прав на запись."),
              std::string::npos)
        << report.out;
}

}  // namespace
