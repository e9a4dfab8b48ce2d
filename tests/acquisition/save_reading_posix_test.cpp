// Saving a reading when the disk stops taking bytes half-way: the earlier file
// stays as it was and no temporary is left. (A file size limit stands in for a
// full disk.)

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>

#include "acquisition/save_reading.h"
#include "save_reading_fixture.h"

namespace fs = std::filesystem;
using acqtest::RecordingSink;
using acqtest::SaveReading;

TEST_F(SaveReading, AFailedWriteLeavesTheEarlierFileIntact) {
    const fs::path target = dir / "reading.litm";
    const std::string earlier = "the earlier reading";
    std::ofstream(target) << earlier;

    // A file size limit makes the write fail half-way, as a full disk would.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old;
    limited.rlim_cur = 100000;
    setrlimit(RLIMIT_FSIZE, &limited);
    RecordingSink sink;
    int unsaved = 1;
    const auto result =
        acquisition::saveReading(target, acqtest::patternedImage(1), {}, sink, unsaved);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("reading.litm"), std::string::npos) << result.message;
    EXPECT_EQ(sink.text, "Файл не сохранен: reading.litm");
    EXPECT_EQ(unsaved, 1) << "the reading still counts as unsaved";
    EXPECT_EQ(sink.gauge, 0);
    const auto file = acqtest::fileBytes(target);
    EXPECT_EQ(std::string(file.begin(), file.end()), earlier);
    EXPECT_EQ(filesInDir(), 1u) << "the partial temporary file is removed";

    const auto missing = acquisition::saveReading(dir / "no such folder" / "x.litm",
                                                  acqtest::patternedImage(1), {}, sink, unsaved);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "Не удалось записать файл \"x.litm\": папка не существует.");
}
