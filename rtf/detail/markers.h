// The internal markers that stand for fields in the engine's buffers. They never
// reach the report: the flush removes the ones that received no value.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace RepoRTF_interface::detail {

// A named field is 0x03, name, 0x03; a data key is sought as the same text.
inline constexpr char kFieldMark = '\x03';
// A block boundary is 0x02 and three characters of the block number (block tag).
inline constexpr char kBlockMark = '\x02';
inline constexpr std::size_t kBlockTagSize = 4;

inline std::string fieldMarker(std::string_view name) {
    std::string marker;
    marker.reserve(name.size() + 2);
    marker.push_back(kFieldMark);
    marker.append(name);
    marker.push_back(kFieldMark);
    return marker;
}

// The tag of a block whose number is written by the given decimal digits without
// leading zeros (a non-zero number): the first three characters of digits + "**".
inline std::string blockTagFromDigits(std::string_view digits) {
    std::string tag(1, kBlockMark);
    tag.append(digits.substr(0, 3));
    while (tag.size() < kBlockTagSize) tag.push_back('*');
    return tag;
}

inline std::string blockTag(int number) {
    return blockTagFromDigits(std::to_string(number));
}

// "\'" and the two upper-case hexadecimal digits of a character's code.
inline void appendHexEscape(std::string& out, char c) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    unsigned char u = static_cast<unsigned char>(c);
    out.push_back('\\');
    out.push_back('\'');
    out.push_back(kHex[u >> 4]);
    out.push_back(kHex[u & 0xF]);
}

}  // namespace RepoRTF_interface::detail
