// The Win32 serial line on a Windows communications port. The simulated reader
// device stands behind the port named by TIRS_TEST_COM_PORT (scripts/wine-com-read
// links a Wine COM port to litm3-sim's pseudo-terminal, started with --fast and
// the generated reading of seed 1); without it the cases that need a device skip.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "acquisition/litm3_protocol.h"
#include "acquisition/serial_line_win32.h"
#include "acquisition_test_support.h"
#include "simulation/litm3_device/litm3_device.h"

using acquisition::ReadOutcome;
using acquisition::Win32SerialLine;

namespace {

std::string portUnderTest() {
    const char* name = std::getenv("TIRS_TEST_COM_PORT");
    return name ? name : "";
}

}  // namespace

TEST(Win32SerialLine, AMissingPortOrADeviceThatIsNoSerialPortDoesNotOpen) {
    Win32SerialLine line;
    EXPECT_FALSE(line.open("\\\\.\\COM0")) << "Windows never names a port COM0";
    EXPECT_FALSE(line.openFailedBusy());
    EXPECT_FALSE(line.open("\\\\.\\NUL")) << "a character device without a line";
    EXPECT_FALSE(line.openFailedBusy());
    EXPECT_FALSE(line.isOpen());
}

TEST(Win32SerialLine, ReadsTheSimulatedDeviceAndSaysWhenAnotherProgramHoldsThePort) {
    const std::string name = portUnderTest();
    if (name.empty()) GTEST_SKIP() << "TIRS_TEST_COM_PORT names no port with the simulator";
    const auto port = acquisition::portCandidateFor(name, acquisition::WindowsComPortMap());
    ASSERT_TRUE(port) << name;

    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    Win32SerialLine line;
    acqtest::RecordingSink sink;
    auto result = acquisition::readDevice(line, std::span(&*port, 1), sink, image, unsaved);
    EXPECT_EQ(result.outcome, ReadOutcome::Good) << sink.text;
    EXPECT_EQ(result.received, recorder::kImageSize);
    EXPECT_TRUE(image == litm3sim::generatedImage(1)) << "byte for byte the device's image";
    EXPECT_EQ(sink.text, "Считывание успешно завершено!");
    EXPECT_FALSE(line.isOpen()) << "the port is released";

    Win32SerialLine otherProgram;
    ASSERT_TRUE(otherProgram.open(port->device));
    acqtest::RecordingSink busySink;
    result = acquisition::readDevice(line, std::span(&*port, 1), busySink, image, unsaved);
    EXPECT_EQ(result.outcome, ReadOutcome::NoDevice);
    EXPECT_EQ(busySink.text, "Устройство не обнаружено! Порт " + port->name +
                                 " занят другой программой: устройство на нём не опрошено.");
    otherProgram.close();
    EXPECT_TRUE(line.open(port->device)) << "released on close";
}
