#include "acquisition/com_ports.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <system_error>

namespace acquisition {

std::string DeviceListComPortMap::devicePath(int n) const {
    if (n < 0 || static_cast<std::size_t>(n) >= devices_.size()) return {};
    return devices_[static_cast<std::size_t>(n)];
}

namespace {

// The number after a device prefix ("ttyUSB12" -> 12), or nothing.
std::optional<unsigned> suffixNumber(const std::string& name, const std::string& prefix) {
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return {};
    unsigned value = 0;
    const char* first = name.data() + prefix.size();
    const char* last = name.data() + name.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{} || end != last) return {};
    return value;
}

}  // namespace

std::vector<std::string> listSerialDevices(const std::filesystem::path& devDir) {
    static const std::array<std::string, 3> kGroups = {"ttyUSB", "ttyACM", "ttyS"};
    std::vector<std::string> result;
    std::error_code ec;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(devDir, ec)) {
        names.push_back(entry.path().filename().string());
    }
    for (const std::string& prefix : kGroups) {
        std::vector<std::pair<unsigned, std::string>> group;
        for (const std::string& name : names) {
            if (const auto number = suffixNumber(name, prefix)) group.emplace_back(*number, name);
        }
        std::sort(group.begin(), group.end());
        for (const auto& [number, name] : group) result.push_back((devDir / name).string());
    }
    return result;
}

DeviceListComPortMap systemComPortMap() {
    return DeviceListComPortMap(listSerialDevices());
}

std::vector<PortCandidate> comPortCandidates(const ComPortMap& map) {
    std::vector<PortCandidate> ports;
    for (int n = 0; n < kComPortCount; ++n) {
        ports.push_back({"COM" + std::to_string(n), map.devicePath(n)});
    }
    return ports;
}

std::optional<PortCandidate> portCandidateFor(const std::string& nameOrPath,
                                              const ComPortMap& map) {
    if (nameOrPath.find('/') != std::string::npos) return PortCandidate{nameOrPath, nameOrPath};
    if (nameOrPath.size() < 4) return {};
    std::string prefix = nameOrPath.substr(0, 3);
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (prefix != "COM") return {};
    unsigned n = 0;
    const char* first = nameOrPath.data() + 3;
    const char* last = nameOrPath.data() + nameOrPath.size();
    const auto [end, ec] = std::from_chars(first, last, n);
    if (ec != std::errc{} || end != last || n >= kComPortCount) return {};
    const int index = static_cast<int>(n);
    return PortCandidate{"COM" + std::to_string(index), map.devicePath(index)};
}

}  // namespace acquisition
