#include "acquisition/com_ports.h"

#include <cctype>
#include <charconv>
#include <string_view>
#include <system_error>

namespace acquisition {

std::string DeviceListComPortMap::devicePath(int n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= devices_.size()) return {};
    return devices_[static_cast<std::size_t>(n)];
}

std::string WindowsComPortMap::devicePath(int n) const {
    if (n < 0 || n >= kComPortCount) return {};
    return "\\\\.\\COM" + std::to_string(n);
}

std::vector<PortCandidate> comPortCandidates(const ComPortMap& map) {
    std::vector<PortCandidate> ports;
    for (int n = 0; n < kComPortCount; ++n) {
        ports.push_back({"COM" + std::to_string(n), map.devicePath(n)});
    }
    return ports;
}

namespace {

// The number of a port name "COMn" (any letter case), or nothing.
std::optional<int> comNumber(std::string_view name) {
    if (name.size() < 4) return {};
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i]) return {};
    }
    unsigned n = 0;
    const char* last = name.data() + name.size();
    const auto [end, ec] = std::from_chars(name.data() + 3, last, n);
    if (ec != std::errc{} || end != last || n >= kComPortCount) return {};
    return static_cast<int>(n);
}

}  // namespace

std::optional<PortCandidate> portCandidateFor(const std::string& nameOrPath,
                                              const ComPortMap& map) {
    if (nameOrPath.find('/') != std::string::npos) return PortCandidate{nameOrPath, nameOrPath};
    std::string_view name = nameOrPath;
    // The Windows device form of a port name, as Device Manager's users know it.
    constexpr std::string_view kDevicePrefix = "\\\\.\\";
    if (name.starts_with(kDevicePrefix)) name.remove_prefix(kDevicePrefix.size());
    const std::optional<int> n = comNumber(name);
    if (!n) return {};
    return PortCandidate{"COM" + std::to_string(*n), map.devicePath(*n)};
}

}  // namespace acquisition
