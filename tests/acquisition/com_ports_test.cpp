// The names COM0 .. COM14 and the devices behind them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "acquisition/com_ports.h"

namespace fs = std::filesystem;
using acquisition::DeviceListComPortMap;

TEST(ComPorts, SystemOrderPutsUsbAdaptersFirstInNumericOrder) {
    const fs::path dev =
        fs::temp_directory_path() / ("com-ports-test-" + std::to_string(::getpid()));
    fs::create_directories(dev);
    for (const char* name : {"ttyS0", "ttyS10", "ttyS2", "ttyUSB10", "ttyUSB2", "ttyACM0", "tty0",
                             "ttyUSB", "ttyUSBx", "console", "ttyS1"}) {
        std::ofstream(dev / name).put('x');
    }
    const std::vector<std::string> found = acquisition::listSerialDevices(dev);
    std::vector<std::string> names;
    for (const auto& path : found) names.push_back(fs::path(path).filename().string());
    EXPECT_EQ(names, (std::vector<std::string>{"ttyUSB2", "ttyUSB10", "ttyACM0", "ttyS0", "ttyS1",
                                               "ttyS2", "ttyS10"}));
    fs::remove_all(dev);

    EXPECT_TRUE(acquisition::listSerialDevices(dev).empty()) << "a missing folder lists nothing";
}

TEST(ComPorts, FifteenNamesInOrderEachWithItsDevice) {
    const DeviceListComPortMap map({"/dev/ttyUSB0", "/dev/ttyS0"});
    const auto ports = acquisition::comPortCandidates(map);
    ASSERT_EQ(ports.size(), 15u);
    EXPECT_EQ(ports[0].name, "COM0");
    EXPECT_EQ(ports[0].device, "/dev/ttyUSB0");
    EXPECT_EQ(ports[1].device, "/dev/ttyS0");
    EXPECT_EQ(ports[2].device, "") << "names beyond the machine's devices lead nowhere";
    EXPECT_EQ(ports[14].name, "COM14");
}

TEST(ComPorts, OnePortNamedByTheUser) {
    const DeviceListComPortMap map({"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/ttyS0"});
    auto port = acquisition::portCandidateFor("COM2", map);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->name, "COM2");
    EXPECT_EQ(port->device, "/dev/ttyS0");

    port = acquisition::portCandidateFor("com1", map);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->name, "COM1");

    port = acquisition::portCandidateFor("/dev/pts/7", map);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->name, "/dev/pts/7");
    EXPECT_EQ(port->device, "/dev/pts/7");

    port = acquisition::portCandidateFor("COM14", map);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->device, "");

    for (const char* bad : {"COM15", "COM", "COM-1", "COM1x", "LPT1", ""}) {
        EXPECT_FALSE(acquisition::portCandidateFor(bad, map)) << bad;
    }
}
