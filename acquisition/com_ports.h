#pragma once
// The port names the engineer sees, "COM0" to "COM14", and the devices behind them.
//
// On Windows COMn is the system's own port of that name (WindowsComPortMap).
// Elsewhere the machine's serial devices are numbered (com_ports_posix.h).
// Tests give their own list, mapping names to pseudo-terminals.

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

// COMn is the Windows device \\.\COMn (the form that also reaches COM10 and
// above). A name with no port behind it simply fails to open; so does COM0,
// which Windows never assigns.
class WindowsComPortMap : public ComPortMap {
  public:
    std::string devicePath(int n) const override;
};

// COM0 .. COM14 in probing order.
std::vector<PortCandidate> comPortCandidates(const ComPortMap& map);

// One port named by the user: "COMn" or "\\.\COMn" (n = 0..14, any letter
// case), or a device path. Nothing for a COM name out of range or text that is
// neither.
std::optional<PortCandidate> portCandidateFor(const std::string& nameOrPath, const ComPortMap& map);

}  // namespace acquisition
