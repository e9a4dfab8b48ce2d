// What only POSIX has: symbolic links, FIFOs and device files as targets,
// permission bits, the file size limit, and the signals.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fileio/interrupt.h"
#include "fileio/safe_write.h"
#include "fileio_test_support.h"

namespace {

namespace fs = fileio_test::fs;
using fileio_test::Folder;

class SafeWritePosix : public Folder {};

mode_t modeOf(const fs::path& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_mode & 07777;
}

TEST_F(SafeWritePosix, WritesThroughSymbolicLinksAndTheLinkStays) {
    put(dir / "real.litm", "earlier");
    fs::create_symlink("real.litm", dir / "link.litm");
    fs::create_symlink(dir / "link.litm", dir / "link2.litm");
    ASSERT_TRUE(fileio::writeFileSafely(dir / "link2.litm", "new").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "link.litm"));
    EXPECT_TRUE(fs::is_symlink(dir / "link2.litm"));
    EXPECT_EQ(get(dir / "real.litm"), "new");

    // A link to a file not yet there makes that file.
    fs::create_symlink("later.litm", dir / "dangling.litm");
    ASSERT_TRUE(fileio::writeFileSafely(dir / "dangling.litm", "made").ok);
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.litm"));
    EXPECT_EQ(get(dir / "later.litm"), "made");
    EXPECT_EQ(othersThan({"real.litm", "link.litm", "link2.litm", "dangling.litm", "later.litm"}),
              std::vector<std::string>{});
}

TEST_F(SafeWritePosix, RefusesTargetsThatAreNotFilesAndReadOnlyFiles) {
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    put(dir / "locked.litm", "earlier");
    fs::permissions(dir / "locked.litm", fs::perms::owner_read | fs::perms::group_read);
    fs::create_symlink("/dev/null", dir / "null.litm");
    fs::create_symlink("loop2.litm", dir / "loop.litm");
    fs::create_symlink("loop.litm", dir / "loop2.litm");

    struct Case {
        fs::path target;
        const char* message;
    };
    for (const Case& c :
         {Case{"/dev/null", "Не удалось записать файл \"null\": это устройство, а не файл."},
          Case{dir / "null.litm",
               "Не удалось записать файл \"null.litm\": это устройство, а не файл."},
          Case{dir / "pipe", "Не удалось записать файл \"pipe\": это канал (FIFO), а не файл."},
          Case{dir / "folder", "Не удалось записать файл \"folder\": это папка."},
          Case{dir / "locked.litm",
               "Не удалось записать файл \"locked.litm\": файл только для чтения."},
          Case{dir / "loop.litm",
               "Не удалось записать файл \"loop.litm\": символические ссылки замкнуты в круг."}}) {
        const auto result = fileio::writeFileSafely(c.target, "new");
        EXPECT_FALSE(result.ok) << c.target;
        EXPECT_EQ(result.message, c.message);
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_TRUE(fs::is_symlink(dir / "null.litm"));
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_EQ(get(dir / "locked.litm"), "earlier");
    EXPECT_EQ(othersThan({"pipe", "folder", "locked.litm", "null.litm", "loop.litm", "loop2.litm"}),
              std::vector<std::string>{});
}

TEST_F(SafeWritePosix, KeepsTheEarlierFilesPermissionBits) {
    for (mode_t mode : {0640, 0755, 0600}) {
        const auto target = dir / "kept.csv";
        put(target, "earlier");
        ::chmod(target.c_str(), mode);
        ASSERT_TRUE(fileio::writeFileSafely(target, "new").ok);
        EXPECT_EQ(modeOf(target), mode);
        EXPECT_EQ(get(target), "new");
    }
    // A new file gets the usual bits under the process's umask.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(fileio::writeFileSafely(dir / "fresh.csv", "x").ok);
    ::umask(mask);
    EXPECT_EQ(modeOf(dir / "fresh.csv"), 0644u);
}

TEST_F(SafeWritePosix, AWriteThatFailsHalfWayRemovesTheTemporary) {
    const auto target = dir / "r.litm";
    put(target, "earlier");
    {
        // A write that fails half-way, as on a full disk.
        rlimit old{};
        getrlimit(RLIMIT_FSIZE, &old);
        auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = old;
        limited.rlim_cur = 1000;
        setrlimit(RLIMIT_FSIZE, &limited);
        const auto result = fileio::writeFileSafely(target, std::string(100000, 'x'));
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.message,
                  "Не удалось записать файл \"r.litm\": файл больше, чем здесь разрешено.");
        EXPECT_EQ(result.error, EFBIG) << "the cause kept for callers";
    }
    EXPECT_EQ(get(target), "earlier");
    EXPECT_EQ(othersThan({"r.litm"}), std::vector<std::string>{});
}

// Ctrl+C, SIGTERM, a closed terminal or Ctrl+\ while a file is being written, in
// a child process: the temporary goes, the earlier file stays, the status tells
// the signal. A signal ignored from the start (nohup) stays ignored.
TEST_F(SafeWritePosix, AnInterruptRemovesTheTemporary) {
    const auto target = dir / "r.litm";
    put(target, "earlier");
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            fileio::InterruptHandlers handlers(fileio::OnInterrupt::Exit);
            fileio::SafeFile file;
            if (!file.open(target) || !file.write("half")) ::_exit(1);
            ::raise(signal);
            ::_exit(2);  // not reached
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
    }
    const pid_t underNohup = ::fork();
    ASSERT_GE(underNohup, 0);
    if (underNohup == 0) {
        ::signal(SIGHUP, SIG_IGN);
        fileio::InterruptHandlers handlers(fileio::OnInterrupt::Exit);
        ::raise(SIGHUP);
        ::_exit(fileio::interruptSignal() == 0 ? 0 : 1);
    }
    int nohupStatus = 0;
    ::waitpid(underNohup, &nohupStatus, 0);
    EXPECT_TRUE(WIFEXITED(nohupStatus) && WEXITSTATUS(nohupStatus) == 0) << nohupStatus;
    {
        // Noted only: the writer finds its temporary gone and saves nothing.
        fileio::InterruptHandlers handlers(fileio::OnInterrupt::Note);
        fileio::SafeFile file;
        ASSERT_TRUE(file.open(target));
        ASSERT_TRUE(file.write("half"));
        ::raise(SIGINT);
        EXPECT_EQ(fileio::interruptSignal(), SIGINT);
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(file.message(), "Не удалось записать файл \"r.litm\": запись прервана.");
    }
    EXPECT_EQ(fileio::interruptSignal(), 0);
    EXPECT_EQ(get(target), "earlier");
    EXPECT_EQ(othersThan({"r.litm"}), std::vector<std::string>{});
}

}  // namespace
