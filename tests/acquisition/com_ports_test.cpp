// The names COM0 .. COM14 and the devices behind them.

#include <gtest/gtest.h>

#include "acquisition/com_ports.h"

using acquisition::DeviceListComPortMap;

TEST(ComPorts, FifteenNamesInOrderEachWithItsDevice) {
    const DeviceListComPortMap map({"/dev/ttyUSB0", "/dev/ttyS0"});
    const auto ports = acquisition::comPortCandidates(map);
    ASSERT_EQ(ports.size(), 15u);
    EXPECT_EQ(ports[0].name, "COM0");
    EXPECT_EQ(ports[0].device, "/dev/ttyUSB0");
    EXPECT_EQ(ports[1].device, "/dev/ttyS0");
    EXPECT_EQ(ports[2].device, "") << "names beyond the machine's devices lead nowhere";
    EXPECT_EQ(ports[14].name, "COM14");

    const auto windows = acquisition::comPortCandidates(acquisition::WindowsComPortMap());
    ASSERT_EQ(windows.size(), 15u);
    EXPECT_EQ(windows[0].device, "\\\\.\\COM0") << "probed like the others; it never opens";
    EXPECT_EQ(windows[14].name, "COM14");
    EXPECT_EQ(windows[14].device, "\\\\.\\COM14") << "the form that reaches COM10 and above";
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

    port = acquisition::portCandidateFor("\\\\.\\com12", acquisition::WindowsComPortMap());
    ASSERT_TRUE(port) << "the Windows device form of a name";
    EXPECT_EQ(port->name, "COM12");
    EXPECT_EQ(port->device, "\\\\.\\COM12");

    for (const char* bad : {"COM15", "COM", "COM-1", "COM1x", "LPT1", "", "\\\\.\\COM15", "\\\\.\\",
                            "\\\\?\\COM1", "\\COM1"}) {
        EXPECT_FALSE(acquisition::portCandidateFor(bad, map)) << bad;
    }
}
