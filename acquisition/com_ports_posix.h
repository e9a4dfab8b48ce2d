#pragma once
// The machine's serial devices as COM0 .. COM14 on a POSIX system.
//
// COMn is the n-th serial device in this order: USB serial adapters
// /dev/ttyUSB0, /dev/ttyUSB1, ..., then USB modems /dev/ttyACM0, ..., then the
// on-board ports /dev/ttyS0, ..., each group in numeric order. A single USB
// adapter is therefore always COM0.

#include <filesystem>
#include <string>
#include <vector>

#include "acquisition/com_ports.h"

namespace acquisition {

// The serial devices found in devDir, in the order described above.
std::vector<std::string> listSerialDevices(const std::filesystem::path& devDir = "/dev");

// The system mapping: DeviceListComPortMap over listSerialDevices().
DeviceListComPortMap systemComPortMap();

}  // namespace acquisition
