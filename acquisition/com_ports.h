#pragma once
// The port names the engineer sees, "COM0" to "COM14", and the devices behind them.
//
// The system mapping (SerialDeviceList) gives COMn the n-th serial device of the
// machine in this order: USB serial adapters /dev/ttyUSB0, /dev/ttyUSB1, ...,
// then USB modems /dev/ttyACM0, ..., then the on-board ports /dev/ttyS0, ...,
// each group in numeric order. A single USB adapter is therefore always COM0.
// Tests give their own list, mapping names to pseudo-terminals.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace acquisition {

inline constexpr int kComPortCount = 15;  // COM0 .. COM14

// One port to probe: the name shown in the status line and the device opened.
struct PortCandidate {
    std::string name;
    std::string device;  // empty when nothing is behind the name
};

class ComPortMap {
  public:
    virtual ~ComPortMap() = default;
    // The device behind "COM" + n, or an empty string.
    virtual std::string devicePath(int n) const = 0;
};

// COMn is the n-th device of a list.
class DeviceListComPortMap : public ComPortMap {
  public:
    explicit DeviceListComPortMap(std::vector<std::string> devices)
        : devices_(std::move(devices)) {}
    std::string devicePath(int n) const override;

  private:
    std::vector<std::string> devices_;
};

// The serial devices found in devDir, in the order described above.
std::vector<std::string> listSerialDevices(const std::filesystem::path& devDir = "/dev");

// The system mapping: DeviceListComPortMap over listSerialDevices().
DeviceListComPortMap systemComPortMap();

// COM0 .. COM14 in probing order.
std::vector<PortCandidate> comPortCandidates(const ComPortMap& map);

// One port named by the user: "COMn" (n = 0..14, any letter case) or a device
// path. Nothing for a COM name out of range or text that is neither.
std::optional<PortCandidate> portCandidateFor(const std::string& nameOrPath, const ComPortMap& map);

}  // namespace acquisition
