// `litm archive` with what careless hands and hostile files bring: readings named
// in the code pages of a zip made on Windows, texts with control characters and
// spreadsheet formulas, the archive itself named as the output, an archive in a
// folder this user may not write. Each case runs litm through a POSIX shell.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "simulation/sample_reading/sample_reading.h"
#include "tests/support/shell_run_posix.h"

namespace {

namespace fs = std::filesystem;

using test_support::Outcome;

// Runs a shell command, its stdout and stderr captured.
Outcome shell(const std::string& command) {
    return test_support::runShell(command + " 2>&1");
}

std::string quoted(const fs::path& path) {
    return " '" + path.native() + "'";
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class LitmArchiveHostile : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(temporary_.isValid());
        dir_ = temporary_.path().toStdString();
        db_ = dir_ / "archive" / "a.sqlite";
    }
    // Removed here: Qt's own removal sees no file whose name is not UTF-8.
    void TearDown() override {
        for (const auto& entry : fs::recursive_directory_iterator(dir_))
            if (entry.is_directory()) ::chmod(entry.path().c_str(), 0755);
        fs::remove_all(dir_);
    }

    // Runs litm on the test's archive; as the user nobody when run as root.
    // Nobody may not reach the build folder (a checkout under /root): the
    // programs are copied into the test's folder for that user.
    Outcome litm(const std::string& args, bool asNobody = false) const {
        if (!asNobody || ::getuid() != 0)
            return shell(LITM_PATH + std::string(" archive ") + args + " --db" + quoted(db_));
        const fs::path bin = dir_ / "bin";
        const fs::path built = fs::path(LITM_PATH).parent_path();
        fs::create_directories(bin);
        for (const char* program : {"litm", "litm-archive"})
            if (!fs::exists(bin / program)) fs::copy_file(built / program, bin / program);
        ::chmod(bin.c_str(), 0755);
        return shell("setpriv --reuid=nobody --regid=nogroup --clear-groups" +
                     quoted(bin / "litm") + " archive " + args + " --db" + quoted(db_));
    }

    fs::path reading(const fs::path& path, std::uint64_t seed,
                     const sample::CraneIdentity& identity = {},
                     const std::string& owner = "ООО «Кран»") const {
        sample::SampleOptions o;
        o.seed = seed;
        o.identity = identity;
        o.service.owner = owner;
        const auto bytes = sample::makeSampleReading(o);
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
        return path;
    }

    QTemporaryDir temporary_;
    fs::path dir_;
    fs::path db_;
};

// "Пример" in Windows-1251 and in CP866: neither is UTF-8.
const std::string kCp1251Name = "\xCF\xF0\xE8\xEC\xE5\xF0";
const std::string kCp866Name = "\x8F\xE0\xA8\xAC\xA5\xE0";

TEST_F(LitmArchiveHostile, ReadingsNamedInWindowsCodePagesAreAddedAndShownLossily) {
    const fs::path zip = dir_ / "zip";
    reading(zip / (kCp1251Name + ".litm"), 1);
    reading(zip / (kCp866Name + ".LITM"), 2);
    reading(zip / kCp1251Name / "b.litm", 3);
    const fs::path named = reading(dir_ / (kCp1251Name + "-4.litm"), 4);

    const Outcome added = litm("add" + quoted(zip));
    EXPECT_EQ(added.exitCode, 0) << added.out;
    const Outcome one = litm("add" + quoted(named));
    EXPECT_EQ(one.exitCode, 0) << one.out;
    const std::string both = added.out + one.out;
    std::size_t lines = 0;
    for (std::size_t at = both.find("added "); at != std::string::npos;
         at = both.find("added ", at + 1))
        ++lines;
    EXPECT_EQ(lines, 4u) << both;
    EXPECT_TRUE(contains(both, "\uFFFD")) << both;
    EXPECT_FALSE(contains(both, kCp1251Name) || contains(both, kCp866Name)) << "raw bytes shown";

    const Outcome history = litm("history 001734 --json");
    EXPECT_EQ(history.exitCode, 0) << history.out;
    EXPECT_TRUE(
        contains(history.out, "\"source\": \"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD-4.litm\""))
        << history.out;
}

TEST_F(LitmArchiveHostile, ControlCharactersAndFormulasOfAReadingAreDefused) {
    sample::CraneIdentity crane;
    crane.craneModel = "КС\x1b[31m-1";
    crane.craneNumber = -5;
    reading(dir_ / "hostile.litm", 1, crane, "=HYPERLINK(\"http://x\";\"\x1b]0;y\x07\")");
    ASSERT_EQ(litm("add" + quoted(dir_ / "hostile.litm")).exitCode, 0);

    for (const char* shown : {"list", "history 001734"}) {
        const Outcome text = litm(shown);
        EXPECT_EQ(text.exitCode, 0) << text.out;
        EXPECT_FALSE(contains(text.out, "\x1b") || contains(text.out, "\x07")) << text.out;
        EXPECT_TRUE(contains(text.out, "КС\uFFFD[31m-1")) << text.out;
    }
    const Outcome csv = litm("list --csv");
    EXPECT_TRUE(contains(csv.out, ",\"'=HYPERLINK(\"\"http://x\"\";")) << csv.out;
    EXPECT_TRUE(contains(csv.out, ",-5,")) << "a negative number stays a number: " << csv.out;
    const Outcome json = litm("list --json");
    EXPECT_TRUE(contains(json.out, "КС\\u001b[31m-1")) << json.out;
}

TEST_F(LitmArchiveHostile, TheStoredFileIsNeverWrittenOverTheArchive) {
    ASSERT_EQ(litm("add" + quoted(reading(dir_ / "r.litm", 1))).exitCode, 0);
    fs::create_symlink(db_, dir_ / "link.sqlite");
    const auto size = fs::file_size(db_);
    for (const fs::path& out : {db_, dir_ / "link.sqlite", fs::path(db_.native() + "-wal")}) {
        const Outcome get = litm("get 1 --out" + quoted(out));
        EXPECT_EQ(get.exitCode, 1) << out;
        EXPECT_TRUE(contains(get.out, "это тот же файл")) << get.out;
    }
    EXPECT_EQ(fs::file_size(db_), size);
    EXPECT_EQ(litm("list").exitCode, 0);
    EXPECT_EQ(litm("get 1 --out" + quoted(dir_ / "back.litm")).exitCode, 0);
}

// CI runs as root, whom no permission stops: the commands then run as nobody.
TEST_F(LitmArchiveHostile, AnArchiveThisUserMayNotWriteIsStillRead) {
    if (::getuid() == 0) {
        ASSERT_EQ(shell("command -v setpriv").exitCode, 0) << "setpriv needed";
    }
    ASSERT_EQ(litm("add" + quoted(reading(dir_ / "r.litm", 1))).exitCode, 0);
    const fs::path shared = dir_ / "shared" / "a.sqlite";
    fs::create_directories(shared.parent_path());
    fs::copy_file(db_, shared);
    const fs::path out = dir_ / "out";
    fs::create_directories(out);
    ::chmod(dir_.c_str(), 0755);
    ::chmod(out.c_str(), 0777);
    ::chmod(db_.c_str(), 0444);
    ::chmod(db_.parent_path().c_str(), 0555);  // the folder takes no new file
    ::chmod(shared.c_str(), 0444);
    ::chmod(shared.parent_path().c_str(), 0777);  // only the file is read-only

    for (const fs::path& db : {db_, shared}) {
        db_ = db;
        for (const std::string& command :
             {std::string("list"), std::string("history 001734"),
              "get 1 --out" + quoted(out / (db.parent_path().filename().string() + ".litm"))}) {
            const Outcome run = litm(command, true);
            EXPECT_EQ(run.exitCode, 0) << db << " " << command << ": " << run.out;
        }
        const Outcome add = litm("add" + quoted(reading(dir_ / "r2.litm", 2)), true);
        EXPECT_EQ(add.exitCode, 1) << add.out;
        EXPECT_TRUE(contains(add.out, db.native())) << add.out;
    }
    EXPECT_EQ(fs::file_size(out / "archive.litm"), fs::file_size(dir_ / "r.litm"));
}

}  // namespace
