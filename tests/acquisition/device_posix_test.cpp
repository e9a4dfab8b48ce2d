// The acquisition through the real serial line on a real pseudo-terminal,
// against the reader-device simulator.

#include <gtest/gtest.h>

#include <algorithm>

#include <chrono>
#include <cstdio>

#include "acquisition/litm3_protocol.h"
#include "acquisition/termios_line_posix.h"
#include "acquisition_test_support_posix.h"
#include "simulation/litm3_device/litm3_device_posix.h"

using acqtest::RecordingSink;
using acquisition::ReadOutcome;
using acquisition::StatusColour;
using litm3sim::DeviceOptions;
using litm3sim::DeviceThread;

namespace {

DeviceOptions fast() {
    DeviceOptions options;
    options.fast = true;
    return options;
}

struct Reading {
    acquisition::ReadResult result;
    RecordingSink sink;
    double seconds = 0;
};

// One press of "read" with the given ports, into image.
Reading readWith(const acquisition::ComPortMap& map, std::vector<std::uint8_t>& image,
                 int& unsaved) {
    Reading reading;
    acquisition::TermiosLine line;
    const auto ports = acquisition::comPortCandidates(map);
    const auto start = std::chrono::steady_clock::now();
    reading.result = acquisition::readDevice(line, ports, reading.sink, image, unsaved);
    reading.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_FALSE(line.isOpen()) << "every reading ends with the port released";
    return reading;
}

std::vector<std::string> probeTexts(int upTo) {
    std::vector<std::string> texts = {"Поиск устройства..."};
    for (int n = 0; n <= upTo; ++n)
        texts.push_back("Опрашивается порт COM" + std::to_string(n) + "...");
    return texts;
}

}  // namespace

TEST(DeviceNotFound, NoSerialPortsAtAll) {
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 1;
    const auto reading = readWith(acqtest::portsWith({}), image, unsaved);
    EXPECT_EQ(reading.result.outcome, ReadOutcome::NoDevice);
    auto expected = probeTexts(14);
    expected.push_back("Устройство не обнаружено!");
    EXPECT_EQ(reading.sink.painted, expected);
    EXPECT_EQ(reading.sink.colour, StatusColour::ButtonFace);
    EXPECT_EQ(unsaved, 0) << "a reading starts by clearing the unsaved flag";
    EXPECT_LT(reading.seconds, 1.0) << "ports that do not exist cost no waiting";
}

TEST(DeviceNotFound, AWrongAnswerOrSilenceIsNoDeviceAndThePortGetsItsSettingsBack) {
    DeviceOptions wrong = fast();
    wrong.probeAnswer = 0x55;
    DeviceThread wrongDevice(acqtest::patternedImage(1), wrong);
    DeviceOptions silent = fast();
    silent.silent = true;
    DeviceThread silentDevice(acqtest::patternedImage(1), silent);
    ASSERT_TRUE(wrongDevice.ok() && silentDevice.ok());
    acqtest::setUnusualSettings(wrongDevice.device().terminalFd());
    acqtest::setUnusualSettings(silentDevice.device().terminalFd());
    const auto before = acqtest::settingsOf(wrongDevice.device().terminalFd());

    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    const auto reading = readWith(
        acqtest::portsWith({{2, wrongDevice.path()}, {5, silentDevice.path()}}), image, unsaved);

    EXPECT_EQ(reading.result.outcome, ReadOutcome::NoDevice);
    EXPECT_EQ(reading.sink.text, "Устройство не обнаружено!");
    EXPECT_EQ(acqtest::settingsOf(wrongDevice.device().terminalFd()), before);
    EXPECT_EQ(acqtest::settingsOf(silentDevice.device().terminalFd()), before);
    EXPECT_EQ(wrongDevice.device().transfers(), 0u) << "no transfer is asked of a wrong device";
    // Two opened ports: 300 ms settling each, and 100 ms waiting at the silent one.
    EXPECT_GE(reading.seconds, 0.65);
}

TEST(DeviceFound, OnTheLastNameCom14) {
    DeviceOptions silent = fast();
    silent.silent = true;
    DeviceThread other(acqtest::patternedImage(0), silent);
    const auto sent = acqtest::patternedImage(3);
    DeviceThread device(sent, fast());
    ASSERT_TRUE(other.ok() && device.ok());

    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    const auto reading =
        readWith(acqtest::portsWith({{3, other.path()}, {14, device.path()}}), image, unsaved);

    EXPECT_EQ(reading.result.outcome, ReadOutcome::Good);
    EXPECT_EQ(reading.result.port, "COM14");
    auto expected = probeTexts(14);
    expected.push_back("ЛИТМ-3, подключен к порту COM14");
    expected.push_back("Считано 270336 байт. Расчет контрольной суммы...");
    expected.push_back("Считывание успешно завершено!");
    EXPECT_EQ(reading.sink.painted, expected);
    EXPECT_EQ(image, sent);
    EXPECT_EQ(unsaved, 1);
}

TEST(CompleteImage, RightSumIsGreenAndMeasuredAgainstTheBudget) {
    const auto sent = acqtest::patternedImage(9);
    DeviceThread device(sent, fast());
    ASSERT_TRUE(device.ok());
    acqtest::setUnusualSettings(device.device().terminalFd());
    const auto before = acqtest::settingsOf(device.device().terminalFd());

    std::vector<std::uint8_t> image(recorder::kImageSize, 0xEE);
    int unsaved = 0;
    const auto reading = readWith(acqtest::portsWith({{0, device.path()}}), image, unsaved);

    EXPECT_EQ(reading.result.outcome, ReadOutcome::Good);
    EXPECT_EQ(reading.result.received, 270336u);
    EXPECT_EQ(image, sent);
    EXPECT_EQ(reading.sink.colours,
              (std::vector<StatusColour>{StatusColour::ButtonFace, StatusColour::Red,
                                         StatusColour::Yellow, StatusColour::Green}));
    EXPECT_EQ(reading.sink.text, "Считывание успешно завершено!");
    EXPECT_EQ(reading.sink.gauge, 0);
    EXPECT_EQ(*std::max_element(reading.sink.gaugeValues.begin(), reading.sink.gaugeValues.end()),
              100);
    // The gauge runs to 100 twice, through the transfer and through the sum, and
    // is touched only when its value changes.
    EXPECT_LE(reading.sink.gaugeValues.size(), 210u) << "the gauge is touched only when it changes";
    EXPECT_EQ(std::count(reading.sink.gaugeValues.begin(), reading.sink.gaugeValues.end(), 100), 2);
    EXPECT_EQ(unsaved, 1);
    EXPECT_EQ(acqtest::settingsOf(device.device().terminalFd()), before)
        << "the port's own settings come back after a good reading too";

    // From the transfer request to the gauge's 100 % (byte 270000); the 200 ms
    // pause after the request is part of it.
    const double transfer = reading.sink.secondsToFullGauge("ЛИТМ-3, подключен к порту COM0");
    std::printf("full image from a fast device: %.3f s from request to full gauge, %.3f s in all\n",
                transfer, reading.seconds);
    RecordProperty("transfer_ms", static_cast<int>(transfer * 1000));
    EXPECT_GE(reading.seconds, 1.7) << "the end is only known after 1.2 s without a byte";
}

TEST(CompleteImage, WrongSumStaysYellowAndMayStillBeSaved) {
    DeviceOptions options = fast();
    options.wrongSum = true;
    DeviceThread device(acqtest::patternedImage(4), options);
    ASSERT_TRUE(device.ok());
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    const auto reading = readWith(acqtest::portsWith({{0, device.path()}}), image, unsaved);

    EXPECT_EQ(reading.result.outcome, ReadOutcome::SumMismatch);
    EXPECT_EQ(reading.result.storedSum, reading.result.computedSum + 1);
    EXPECT_EQ(reading.sink.text, "Несоответствие контрольной суммы!");
    EXPECT_EQ(reading.sink.colour, StatusColour::Yellow);
    EXPECT_EQ(unsaved, 1);
}

TEST(ShortTransfer, StopAfter1000BytesLeavesTheFlagAtZero) {
    DeviceOptions options = fast();
    options.stopAfter = 1000;
    const auto sent = acqtest::patternedImage(5);
    DeviceThread device(sent, options);
    ASSERT_TRUE(device.ok());
    acqtest::setUnusualSettings(device.device().terminalFd());
    const auto before = acqtest::settingsOf(device.device().terminalFd());

    std::vector<std::uint8_t> image(recorder::kImageSize, 0xEE);
    int unsaved = 1;
    const auto reading = readWith(acqtest::portsWith({{0, device.path()}}), image, unsaved);

    EXPECT_EQ(reading.result.outcome, ReadOutcome::ShortTransfer);
    EXPECT_EQ(reading.result.received, 1000u);
    const std::vector<std::string> tail(reading.sink.texts.end() - 2, reading.sink.texts.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"Ошибка считывания!",
                                              "Считывание прервано на 1000 байте!"}));
    EXPECT_EQ(reading.sink.colour, StatusColour::ButtonFace);
    EXPECT_EQ(unsaved, 0);
    EXPECT_TRUE(std::equal(sent.begin(), sent.begin() + 1000, image.begin()));
    EXPECT_EQ(image[1000], 0xEE) << "bytes beyond a short transfer keep their earlier values";
    EXPECT_EQ(acqtest::settingsOf(device.device().terminalFd()), before);
}

TEST(ShortTransfer, ASecondReadingOverwritesOnlyAsFarAsItGoes) {
    const auto first = acqtest::patternedImage(11);
    const auto second = acqtest::patternedImage(12);
    DeviceThread full(first, fast());
    DeviceOptions options = fast();
    options.stopAfter = 1000;
    DeviceThread shortDevice(second, options);
    ASSERT_TRUE(full.ok() && shortDevice.ok());
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;

    EXPECT_EQ(readWith(acqtest::portsWith({{0, full.path()}}), image, unsaved).result.outcome,
              ReadOutcome::Good);
    EXPECT_EQ(unsaved, 1);
    EXPECT_EQ(
        readWith(acqtest::portsWith({{0, shortDevice.path()}}), image, unsaved).result.outcome,
        ReadOutcome::ShortTransfer);
    EXPECT_EQ(unsaved, 0) << "a new reading drops the flag of the one before";
    EXPECT_TRUE(std::equal(second.begin(), second.begin() + 1000, image.begin()));
    EXPECT_TRUE(std::equal(first.begin() + 1000, first.end(), image.begin() + 1000));

    // The same port serves a full reading again afterwards.
    EXPECT_EQ(readWith(acqtest::portsWith({{0, full.path()}}), image, unsaved).result.outcome,
              ReadOutcome::Good);
    EXPECT_EQ(image, first);
    EXPECT_EQ(unsaved, 1);
}

TEST(TooManyBytes, StoringStopsAtTheBufferEndAndTheReadingIsRefused) {
    DeviceOptions options = fast();
    options.extraBytes = 5000;
    const auto sent = acqtest::patternedImage(6);
    DeviceThread device(sent, options);
    ASSERT_TRUE(device.ok());
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 1;
    const auto reading = readWith(acqtest::portsWith({{0, device.path()}}), image, unsaved);

    EXPECT_EQ(reading.result.outcome, ReadOutcome::Overrun);
    EXPECT_EQ(reading.result.received, 270336u + 5000u);
    EXPECT_EQ(image, sent);
    const std::vector<std::string> tail(reading.sink.texts.end() - 2, reading.sink.texts.end());
    EXPECT_EQ(tail, (std::vector<std::string>{
                        "Ошибка считывания!",
                        "Устройство передало больше 270336 байт! Считывание не принято."}));
    EXPECT_EQ(reading.sink.colour, StatusColour::ButtonFace);
    EXPECT_EQ(unsaved, 0);
}

TEST(TooManyBytes, ARunawayStreamIsCutOffWithoutWaitingForItsEnd) {
    DeviceOptions options = fast();
    options.extraBytes = 4u << 20;
    DeviceThread device(acqtest::patternedImage(8), options);
    ASSERT_TRUE(device.ok());
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    const auto reading = readWith(acqtest::portsWith({{0, device.path()}}), image, unsaved);
    EXPECT_EQ(reading.result.outcome, ReadOutcome::Overrun);
    EXPECT_EQ(reading.result.received, 270336u + acquisition::kOverrunDrainLimit);
    EXPECT_EQ(reading.sink.text, "Устройство передало больше 270336 байт! Считывание не принято.");
    EXPECT_EQ(unsaved, 0);
}

TEST(LineRate, TheSimulatorSends9600BytesASecond) {
    DeviceOptions options;  // real line rate
    options.stopAfter = 9600;
    DeviceThread device(acqtest::patternedImage(2), options);
    ASSERT_TRUE(device.ok());
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    const auto reading = readWith(acqtest::portsWith({{0, device.path()}}), image, unsaved);
    EXPECT_EQ(reading.result.received, 9600u);
    // The 200 ms pause after the request overlaps the transfer; the 300 ms before
    // the probe and the 1.2 s of silence at the end do not.
    const double transfer = reading.seconds - 0.3 - 1.2;
    std::printf("9600 bytes at the line rate: %.3f s of transfer\n", transfer);
    EXPECT_GT(transfer, 0.8);
    EXPECT_LT(transfer, 1.6);
}

TEST(SerialLine, APortInUseOrNotATerminalCannotBeOpened) {
    DeviceThread device(acqtest::patternedImage(0), fast());
    ASSERT_TRUE(device.ok());
    acquisition::TermiosLine first;
    acquisition::TermiosLine second;
    ASSERT_TRUE(first.open(device.path()));
    EXPECT_FALSE(second.open(device.path())) << "a port is not shared";
    first.close();
    EXPECT_TRUE(second.open(device.path())) << "released on close";
    second.close();

    EXPECT_FALSE(first.open("/dev/null")) << "not a serial device";
    EXPECT_FALSE(first.open("/nonexistent/tty"));
}
