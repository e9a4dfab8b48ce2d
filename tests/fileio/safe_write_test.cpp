// The safe writer: the target as the user meant it, the earlier file kept on
// every failure, temporaries that never block a save and never stay behind.

#include <gtest/gtest.h>

#include <cerrno>

#include "base/utf8_path.h"
#include "fileio/device_name.h"
#include "fileio/safe_write.h"
#include "fileio_test_support.h"

namespace {

namespace fs = fileio_test::fs;
using fileio_test::Folder;

class SafeWrite : public Folder {};

TEST_F(SafeWrite, LeftoversAndLongNamesNeverBlockASave) {
    // Leftovers of interrupted saves under the names an earlier version used.
    for (int i = 0; i < 100; ++i) put(dir / (".r.litm.tmp" + std::to_string(i)), "left");
    ASSERT_TRUE(fileio::writeFileSafely(dir / "r.litm", "new").ok);
    EXPECT_EQ(get(dir / "r.litm"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 101);

    // The longest name most file systems allow (255 bytes), in Cyrillic.
    std::string longName;
    while (longName.size() < 250) longName += "ж";
    longName += ".litm";
    ASSERT_EQ(longName.size(), 255u);
    const auto saved = fileio::writeFileSafely(dir / base::pathFromUtf8(longName), "long");
    ASSERT_TRUE(saved.ok) << saved.message;
    EXPECT_EQ(get(dir / base::pathFromUtf8(longName)), "long");
}

TEST_F(SafeWrite, EveryFailureRemovesTheTemporaryAndKeepsTheEarlierFile) {
    const auto target = dir / "r.litm";
    put(target, "earlier");
    {
        // Abandoned: destroyed without commit.
        fileio::SafeFile file;
        ASSERT_TRUE(file.open(target));
        ASSERT_TRUE(file.write("half"));
    }
    const auto missing = fileio::writeFileSafely(dir / "no folder" / "x.litm", "x");
    EXPECT_EQ(missing.message, "Не удалось записать файл \"x.litm\": папка не существует.");
    EXPECT_EQ(missing.reason, "папка не существует");
    EXPECT_EQ(missing.error, ENOENT);
    EXPECT_EQ(get(target), "earlier");
    EXPECT_EQ(othersThan({"r.litm"}), std::vector<std::string>{});
}

// The names Windows keeps for its devices, in every form it accepts them, and
// the ordinary names that only look like them.
TEST(DeviceName, KnowsEveryFormWindowsAccepts) {
    for (const char* name :
         {"CON", "con", "Prn", "AUX", "nul", "NUL.txt", "nul.tar.gz", "COM0", "com1", "COM9.log",
          "LPT0", "lpt9", "CON.", "CON  ", "NUL . txt", "conin$", "CONOUT$"})
        EXPECT_TRUE(fileio::isDeviceName(name)) << name;
    for (const char* name : {"", ".", "CONSOLE", "CO", "icon", "COM", "COM10", "COMA", "LPT",
                             "xNUL", "nul_", "Форма 1.rtf", "con-1.litm", ".con"})
        EXPECT_FALSE(fileio::isDeviceName(name)) << name;
}

}  // namespace
