// `litm read` against the simulator on a pseudo-terminal.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <unistd.h>

#include "acquisition_test_support.h"
#include "cli/read_command.h"
#include "recorder/loader.h"
#include "tools/litm3_sim/litm3_device.h"

namespace fs = std::filesystem;

namespace {

int runRead(std::vector<std::string> args, const acquisition::ComPortMap& map) {
    args.insert(args.begin(), "read");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    return cli::runReadCommand(static_cast<int>(argv.size()), argv.data(), map);
}

std::vector<std::uint8_t> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(ReadCommand, ReadsFromANamedPortAndWritesACompleteDataFile) {
    litm3sim::DeviceOptions options;
    options.fast = true;
    const auto sent = acqtest::patternedImage(21);
    litm3sim::DeviceThread device(sent, options);
    ASSERT_TRUE(device.ok());
    const fs::path out =
        fs::temp_directory_path() / ("read-command-" + std::to_string(::getpid()) + ".litm");

    const int status = runRead({"--out", out.string(), "--port", "COM7", "--owner", "ООО Кран",
                                "--date", "09.12.2026 10:30"},
                               acqtest::portsWith({{7, device.path()}}));
    EXPECT_EQ(status, 0);
    const auto file = fileBytes(out);
    ASSERT_EQ(file.size(), 270537u);
    EXPECT_TRUE(std::equal(sent.begin(), sent.end(), file.begin()));
    const recorder::DataFile data(file);
    EXPECT_EQ(data.textSlot(recorder::trailer::kOwner), "ООО Кран");
    EXPECT_EQ(data.textSlot(recorder::trailer::kCertificateNumber), "Н\\3");
    EXPECT_EQ(data.textSlot(recorder::trailer::kReadingDate), "09.12.2026 10:30");
    fs::remove(out);
}

TEST(ReadCommand, RefusesBadCommandLinesAndWritesNothingWithoutADevice) {
    const auto none = acqtest::portsWith({});
    const fs::path out =
        fs::temp_directory_path() / ("read-command-none-" + std::to_string(::getpid()) + ".litm");
    EXPECT_EQ(runRead({}, none), 64) << "--out is required";
    EXPECT_EQ(runRead({"--out", out.string(), "--port", "COM15"}, none), 64);
    EXPECT_EQ(runRead({"--out", out.string(), "--bogus", "x"}, none), 64);
    EXPECT_EQ(runRead({"--out", out.string()}, none), 1);
    EXPECT_FALSE(fs::exists(out));
}

TEST(ReadCommand, AGeneratedReadingFromTheSimulatorLoadsWithoutAnError) {
    litm3sim::DeviceOptions options;
    options.fast = true;
    litm3sim::DeviceThread device(litm3sim::generatedImage(), options);
    ASSERT_TRUE(device.ok());
    const fs::path out =
        fs::temp_directory_path() / ("read-command-gen-" + std::to_string(::getpid()) + ".litm");
    ASSERT_EQ(
        runRead({"--out", out.string(), "--port", device.path(), "--operator", "Сидоров С.С."},
                acqtest::portsWith({})),
        0);

    auto reading = std::make_unique<recorder::Reading>();
    std::string error;
    ASSERT_TRUE(recorder::loadReading(out.string(), *reading, recorder::NumberFormat{}, error))
        << error;
    EXPECT_TRUE(reading->LoadErrorLog.empty()) << reading->LoadErrorLog.front();
    EXPECT_EQ(reading->service.operatorName, "Сидоров С.С.");
    fs::remove(out);
}
