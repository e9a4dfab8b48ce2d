// `litm read` against the simulator on a pseudo-terminal.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include "acquisition/termios_line_posix.h"
#include "acquisition_test_support_posix.h"
#include "cli/read_command.h"
#include "recorder/loader.h"
#include "simulation/litm3_device/litm3_device_posix.h"

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

// Ctrl+C, SIGTERM, a closed terminal or Ctrl+\ in the middle of a transfer: the reading stops at
// once, the port gets its own settings back, no file is written (the earlier one stays and no
// temporary is left) and the status tells the signal.
TEST(ReadCommand, AnInterruptStopsTheReadingAndWritesNothing) {
    const fs::path folder =
        fs::temp_directory_path() / ("read-command-sig-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path out = folder / "r.litm";
    std::ofstream(out) << "earlier";
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
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

namespace {

// What f writes to standard error.
template <typename F>
std::string standardErrorOf(F f) {
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    FILE* file = std::tmpfile();
    ::dup2(::fileno(file), STDERR_FILENO);
    f();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text;
    std::rewind(file);
    for (int c; (c = std::fgetc(file)) != EOF;) text.push_back(static_cast<char>(c));
    std::fclose(file);
    return text;
}

fs::path freshFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / (name + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder;
}

std::vector<fs::path> readingsIn(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".litm" && entry.is_regular_file())
            found.push_back(entry.path());
    return found;
}

}  // namespace

// The file is checked before the half-minute transfer: a folder, a read-only
// file, a missing folder and a port another program holds are each said at
// once, and the device is never asked for its image.
TEST(ReadCommand, WhatWouldLoseTheReadingIsSaidBeforeTheTransfer) {
    litm3sim::DeviceOptions options;
    options.fast = true;
    litm3sim::DeviceThread device(acqtest::patternedImage(3), options);
    ASSERT_TRUE(device.ok());
    const fs::path folder = freshFolder("read-command-check-");
    std::ofstream(folder / "ro.litm") << "earlier";
    fs::permissions(folder / "ro.litm", fs::perms::owner_read);
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {folder, "это папка"},
        {folder / "ro.litm", "файл только для чтения"},
        {folder / "none" / "r.litm", "папка не существует"}};
    for (const auto& [out, reason] : cases) {
        const auto started = std::chrono::steady_clock::now();
        int status = -1;
        const std::string said = standardErrorOf([&, &out = out] {
            status =
                runRead({"--out", out.string(), "--port", device.path()}, acqtest::portsWith({}));
        });
        EXPECT_EQ(status, 1) << out;
        EXPECT_NE(said.find(reason), std::string::npos) << said;
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(250));
    }
    EXPECT_EQ(device.device().transfers(), 0u);
    EXPECT_EQ(fileBytes(folder / "ro.litm").size(), 7u);

    acquisition::TermiosLine otherProgram;
    ASSERT_TRUE(otherProgram.open(device.path()));
    int status = -1;
    const std::string said = standardErrorOf([&] {
        status = runRead({"--out", (folder / "r.litm").string(), "--port", "COM4"},
                         acqtest::portsWith({{4, device.path()}}));
    });
    EXPECT_EQ(status, 1);
    EXPECT_NE(said.find("Порт COM4 занят другой программой"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(folder / "r.litm"));
    fs::remove_all(folder);
}

// Should the file fail after the transfer all the same (its folder gone, a
// folder put in its place), the reading is kept under its proposed name beside
// it, or in the temporary folder, and the message names that file.
TEST(ReadCommand, AReadingWhoseFileFailsAfterTheTransferIsKeptAndNamed) {
    const fs::path folder = freshFolder("read-command-keep-");
    const fs::path temporary = folder / "tmp";
    fs::create_directories(temporary);
    const auto sent = acqtest::patternedImage(9);
    for (const bool folderGoes : {false, true}) {
        litm3sim::DeviceOptions options;
        options.fast = true;
        litm3sim::DeviceThread device(sent, options);
        ASSERT_TRUE(device.ok());
        const fs::path target = folder / "target" / "r.litm";
        fs::create_directories(target.parent_path());
        const fs::path said = folder / "said.txt";
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::setenv("TMPDIR", temporary.c_str(), 1);
            if (!std::freopen(said.c_str(), "w", stderr)) ::_exit(99);
            const int code = runRead({"--out", target.string(), "--port", device.path()},
                                     acqtest::portsWith({}));
            std::fflush(stderr);
            ::_exit(code);
        }
        // The image arrives; the end of the stream is a 1.2 s wait for more.
        while (device.device().transfers() == 0) ::usleep(2000);
        if (folderGoes)
            fs::rename(target.parent_path(), folder / "moved");
        else
            fs::create_directory(target);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 1);

        const auto kept = readingsIn(folderGoes ? temporary : target.parent_path());
        ASSERT_EQ(kept.size(), 1u) << folderGoes;
        EXPECT_EQ(kept[0].filename().string().rfind("КС-55713 №1234 ", 0), 0u) << kept[0];
        const auto bytes = fileBytes(kept[0]);
        ASSERT_EQ(bytes.size(), 270537u);
        EXPECT_TRUE(std::equal(sent.begin(), sent.end(), bytes.begin()));
        const auto text = fileBytes(said);
        EXPECT_NE(std::string(text.begin(), text.end()).find("«" + kept[0].string() + "»"),
                  std::string::npos)
            << std::string(text.begin(), text.end());
        fs::remove_all(folder / "target");
        fs::remove_all(folder / "moved");
    }
    fs::remove_all(folder);
}
