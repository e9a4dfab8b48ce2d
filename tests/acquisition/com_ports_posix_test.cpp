// The machine's serial devices numbered as COM0 .. COM14 on a POSIX system.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "acquisition/com_ports_posix.h"

namespace fs = std::filesystem;

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
