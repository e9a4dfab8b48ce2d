#include "acquisition/com_ports_posix.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <optional>
#include <system_error>

#include "base/utf8_path.h"

namespace acquisition {

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
        names.push_back(base::utf8Of(entry.path().filename()));
    }
    for (const std::string& prefix : kGroups) {
        std::vector<std::pair<unsigned, std::string>> group;
        for (const std::string& name : names) {
            if (const auto number = suffixNumber(name, prefix)) group.emplace_back(*number, name);
        }
        std::sort(group.begin(), group.end());
        for (const auto& [number, name] : group) {
            result.push_back(base::utf8Of(devDir / base::pathFromUtf8(name)));
        }
    }
    return result;
}

DeviceListComPortMap systemComPortMap() {
    return DeviceListComPortMap(listSerialDevices());
}

}  // namespace acquisition
