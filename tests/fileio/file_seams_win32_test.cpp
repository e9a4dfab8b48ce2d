// What only Windows has: Cyrillic names through the wide calls, device names in
// every folder, the read-only attribute, files other programs hold open without
// sharing them, and names that are one file in any case.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include "base/utf8_path.h"

#include "fileio/bounded_read.h"
#include "fileio/interrupt.h"
#include "fileio/safe_write.h"
#include "fileio/same_file.h"
#include "fileio_test_support.h"

namespace {

namespace fs = fileio_test::fs;
using fileio_test::Folder;

// Ctrl+C at this process's console. A test runner may start the test with no
// console, or with one it shares with others: the test gets one of its own.
bool pressCtrlC() {
    static const bool ownConsole = (FreeConsole(), AllocConsole() != 0);
    return ownConsole && GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
}

class FileSeamsWin32 : public Folder {
  protected:
    std::string readBack(const fs::path& path, std::string& reason) const {
        fileio::FileBytes read;
        if (!fileio::readRegularFile(path, 1000, 1000, read, reason)) return {};
        return {read.bytes.begin(), read.bytes.end()};
    }
};

TEST_F(FileSeamsWin32, CyrillicNamesAndNamesInAnyCaseAreOneFile) {
    const fs::path form = dir / base::pathFromUtf8("Форма 1.rtf");
    const auto saved = fileio::writeFileSafely(form, "{\\rtf1 текст}");
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(othersThan({}), std::vector<std::string>{"Форма 1.rtf"});
    std::string reason;
    EXPECT_EQ(readBack(form, reason), "{\\rtf1 текст}") << reason;

    // The same file in another case: replaced in place, never a second file.
    const fs::path lower = dir / base::pathFromUtf8("форма 1.rtf");
    EXPECT_TRUE(fileio::isSameFile(lower, form));
    ASSERT_TRUE(fileio::writeFileSafely(lower, "второй").ok);
    EXPECT_EQ(readBack(form, reason), "второй") << reason;
    EXPECT_EQ(othersThan({}).size(), 1u);
    // Names of files not there yet compare the same way.
    EXPECT_TRUE(fileio::isSameFile(dir / base::pathFromUtf8("новый.litm"),
                                   dir / base::pathFromUtf8("НОВЫЙ.LITM")));
    EXPECT_FALSE(fileio::isSameFile(dir / base::pathFromUtf8("новый.litm"), form));

    // A name relative to the current folder, as typed after `litm ... --out`,
    // replaces its earlier file too.
    const fs::path before = fs::current_path();
    fs::current_path(dir);
    const auto again = fileio::writeFileSafely(base::pathFromUtf8("Форма 1.rtf"), "третий");
    fs::current_path(before);
    ASSERT_TRUE(again.ok) << again.message;
    EXPECT_EQ(readBack(form, reason), "третий") << reason;
    EXPECT_EQ(othersThan({}).size(), 1u);
}

TEST_F(FileSeamsWin32, RefusesDevicesFoldersReadOnlyAndHeldFilesLeavingNothingBehind) {
    fs::create_directory(dir / "folder");
    const fs::path locked = dir / "locked.litm";
    put(locked, "earlier");
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    const fs::path held = dir / "held.rtf";
    put(held, "earlier");
    // Another program's handle that shares nothing, as an editor keeps a document.
    const HANDLE holder = CreateFileW(held.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);

    struct Case {
        fs::path target;
        const char* written;  // the reason a save gives
        const char* read;     // the reason a read gives
    };
    const char* device = "это устройство, а не файл";
    for (const Case& c :
         {Case{dir / "CON", device, device}, Case{dir / "nul.txt", device, device},
          Case{dir / "COM1", device, device},
          Case{dir / "folder", "это папка", "это папка, а не файл"},
          Case{held, "файл открыт другой программой", "файл открыт другой программой"}}) {
        const fileio::WriteResult result = fileio::writeFileSafely(c.target, "new");
        EXPECT_FALSE(result.ok) << c.target;
        EXPECT_EQ(result.message, "Не удалось записать файл \"" +
                                      base::utf8Of(c.target.filename()) + "\": " + c.written + ".");
        std::string reason;
        EXPECT_EQ(readBack(c.target, reason), "");
        EXPECT_EQ(reason, c.read) << c.target;
    }
    const fileio::WriteResult readOnly = fileio::writeFileSafely(locked, "new");
    EXPECT_EQ(readOnly.message,
              "Не удалось записать файл \"locked.litm\": файл только для чтения.");
    CloseHandle(holder);
    {
        // Held only after the checks: the replacement fails and the temporary goes.
        const fs::path later = dir / "later.rtf";
        put(later, "earlier");
        fileio::SafeFile file;
        ASSERT_TRUE(file.open(later));
        ASSERT_TRUE(file.write("new"));
        const HANDLE late = CreateFileW(later.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(late, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(file.reason(), "файл открыт другой программой");
        CloseHandle(late);
        EXPECT_EQ(get(later), "earlier");
    }
    EXPECT_EQ(get(held), "earlier");
    EXPECT_EQ(get(locked), "earlier");
    EXPECT_EQ(othersThan({"folder", "locked.litm", "held.rtf", "later.rtf"}),
              std::vector<std::string>{});
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    // The system's codes in std::filesystem's errors are Windows codes here.
    EXPECT_EQ(fileio::reasonText(std::error_code(ERROR_SHARING_VIOLATION, std::system_category())),
              "файл открыт другой программой");
    EXPECT_EQ(fileio::reasonText(std::error_code(ERROR_PATH_NOT_FOUND, std::system_category())),
              "файл или папка не существует");
}

// Ctrl+C at the console while a file is written: the handler, on a thread of its
// own, removes the temporary at once and notes SIGINT; the writer saves nothing.
TEST_F(FileSeamsWin32, CtrlCRemovesTheTemporaryAndIsNotedAsSigint) {
    const fs::path target = dir / "r.litm";
    put(target, "earlier");
    {
        const fileio::InterruptHandlers handlers(fileio::OnInterrupt::Note);
        fileio::SafeFile file;
        ASSERT_TRUE(file.open(target));
        ASSERT_TRUE(file.write("half"));
        if (!pressCtrlC()) GTEST_SKIP() << "no console here: " << GetLastError();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (fileio::interruptSignal() == 0 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(fileio::interruptSignal(), 2);
        EXPECT_EQ(fileio::interruptExitStatus(fileio::interruptSignal()), 130);
        EXPECT_FALSE(file.commit());
        EXPECT_EQ(file.message(), "Не удалось записать файл \"r.litm\": запись прервана.");
    }
    EXPECT_EQ(fileio::interruptSignal(), 0);
    EXPECT_EQ(get(target), "earlier");
    EXPECT_EQ(othersThan({"r.litm"}), std::vector<std::string>{});
}

// Run by the test below in a process of its own, which Ctrl+C ends.
TEST(FileSeamsWin32Child, DISABLED_WritesUntilCtrlC) {
    wchar_t target[MAX_PATH];
    if (!GetEnvironmentVariableW(L"FILEIO_TEST_TARGET", target, MAX_PATH)) GTEST_SKIP();
    const fileio::InterruptHandlers handlers(fileio::OnInterrupt::Exit);
    fileio::SafeFile file;
    if (!file.open(target) || !file.write("half")) ExitProcess(1);
    if (!pressCtrlC()) ExitProcess(2);
    Sleep(10000);
    ExitProcess(3);
}

// Ctrl+C during a command that simply ends: the temporary goes, the earlier file
// stays, and the status is 130 as after SIGINT.
TEST_F(FileSeamsWin32, CtrlCEndsACommandWith130AndLeavesNoTemporary) {
    const fs::path target = dir / "r.litm";
    put(target, "earlier");
    ASSERT_TRUE(SetEnvironmentVariableW(L"FILEIO_TEST_TARGET", target.c_str()));
    wchar_t self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
    std::wstring command =
        std::wstring(L"\"") + self +
        L"\" --gtest_also_run_disabled_tests --gtest_filter=FileSeamsWin32Child.*";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    ASSERT_TRUE(CreateProcessW(self, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &child));
    SetEnvironmentVariableW(L"FILEIO_TEST_TARGET", nullptr);
    WaitForSingleObject(child.hProcess, 30000);
    DWORD status = 0;
    GetExitCodeProcess(child.hProcess, &status);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    if (status == 2) GTEST_SKIP() << "no console for the child";
    EXPECT_EQ(status, 130u);
    EXPECT_EQ(get(target), "earlier");
    EXPECT_EQ(othersThan({"r.litm"}), std::vector<std::string>{});
}

}  // namespace
