// `litm read` against the simulator on a pseudo-terminal.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include "acquisition_test_support.h"
#include "cli/read_command.h"
#include "recorder/loader.h"
#include "simulation/litm3_device/litm3_device.h"

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

// Ctrl+C or SIGTERM in the middle of a transfer: the reading stops at once, the
// port gets its own settings back, no file is written (the earlier one stays and
// no temporary is left) and the status tells the signal.
TEST(ReadCommand, AnInterruptStopsTheReadingAndWritesNothing) {
    const fs::path folder =
        fs::temp_directory_path() / ("read-command-sig-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path out = folder / "r.litm";
    std::ofstream(out) << "earlier";
    for (int signal : {SIGINT, SIGTERM}) {
        litm3sim::DeviceOptions options;  // at the line rate: about 28 s for a full image
        litm3sim::DeviceThread device(acqtest::patternedImage(5), options);
        ASSERT_TRUE(device.ok());
        acqtest::setUnusualSettings(device.device().terminalFd());
        const auto before = acqtest::settingsOf(device.device().terminalFd());

        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            ::_exit(
                runRead({"--out", out.string(), "--port", device.path()}, acqtest::portsWith({})));
        // Well into the transfer.
        while (device.device().transfers() == 0) ::usleep(10000);
        ::usleep(300000);
        const auto sent = std::chrono::steady_clock::now();
        ::kill(child, signal);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(3));
        ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
        EXPECT_EQ(WEXITSTATUS(status), 128 + signal);
        EXPECT_EQ(acqtest::settingsOf(device.device().terminalFd()), before);
    }
    const auto file = fileBytes(out);
    EXPECT_EQ(std::string(file.begin(), file.end()), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
    fs::remove_all(folder);
}
