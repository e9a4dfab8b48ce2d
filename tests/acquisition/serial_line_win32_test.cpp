// The Win32 serial line on a Windows communications port. The simulated reader
// device stands behind the port named by TIRS_TEST_COM_PORT (scripts/wine-com-read
// links a Wine COM port to litm3-sim's pseudo-terminal, started with --fast and
// the generated reading of seed 1); without it the cases that need a device skip.

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include <windows.h>

#include "acquisition/litm3_protocol.h"
#include "acquisition/serial_line_win32.h"
#include "acquisition_test_support.h"
#include "simulation/litm3_device/litm3_device.h"

using acquisition::ReadOutcome;
using acquisition::Win32SerialLine;

namespace {

// The port with the simulator behind it, if the environment names one.
std::optional<acquisition::PortCandidate> portUnderTest() {
    const char* name = std::getenv("TIRS_TEST_COM_PORT");
    if (!name) return {};
    return acquisition::portCandidateFor(name, acquisition::WindowsComPortMap());
}

bool underWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
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

TEST(Win32SerialLine, ReadsTheSimulatedDeviceByteForByteThroughTheProtocol) {
    const std::optional<acquisition::PortCandidate> port = portUnderTest();
    if (!port) GTEST_SKIP() << "TIRS_TEST_COM_PORT names no port with the simulator";

    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    Win32SerialLine line;
    acqtest::RecordingSink sink;
    const auto result = acquisition::readDevice(line, std::span(&*port, 1), sink, image, unsaved);
    EXPECT_EQ(result.outcome, ReadOutcome::Good) << sink.text;
    EXPECT_EQ(result.received, recorder::kImageSize);
    EXPECT_TRUE(image == litm3sim::generatedImage(1)) << "byte for byte the device's image";
    EXPECT_EQ(sink.text, "Считывание успешно завершено!");
    EXPECT_FALSE(line.isOpen()) << "the port is released";
    EXPECT_TRUE(line.open(port->device)) << "and can be opened again";
}

TEST(Win32SerialLine, APortAnotherProgramHoldsIsNamedAsBusy) {
    const std::optional<acquisition::PortCandidate> port = portUnderTest();
    if (!port) GTEST_SKIP() << "TIRS_TEST_COM_PORT names no port with the simulator";
    if (underWine()) GTEST_SKIP() << "Wine opens a COM port for any number of handles";

    Win32SerialLine otherProgram;
    ASSERT_TRUE(otherProgram.open(port->device));
    std::vector<std::uint8_t> image(recorder::kImageSize, 0);
    int unsaved = 0;
    Win32SerialLine line;
    acqtest::RecordingSink sink;
    const auto result = acquisition::readDevice(line, std::span(&*port, 1), sink, image, unsaved);
    EXPECT_EQ(result.outcome, ReadOutcome::NoDevice);
    EXPECT_EQ(sink.text, "Устройство не обнаружено! Порт " + port->name +
                             " занят другой программой: устройство на нём не опрошено.");
    otherProgram.close();
    EXPECT_TRUE(line.open(port->device)) << "released on close";
}
