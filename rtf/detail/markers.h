// The internal markers that stand for fields in the converted template. They
// never reach the report: the flush removes the ones that received no value.
//
// The template's own bytes 0x01, 0x02 and 0x03 are escaped in the converted text
// (0x01 and a letter), so a marker is only ever one the template pass made: a
// template cannot forge a field or a block with them. Values never enter the
// converted text at all; they are written at the flush, as they are.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace RepoRTF_interface::detail {

// A named field is 0x03, name, 0x03.
inline constexpr char kFieldMark = '\x03';
// A block boundary is 0x02 and three characters of the block number (block tag).
inline constexpr char kBlockMark = '\x02';
inline constexpr std::size_t kBlockTagSize = 4;
// 0x01 and a letter: one of the template's own bytes 0x01 to 0x03.
inline constexpr char kEscapeMark = '\x01';
inline constexpr char kEscapeOffset = 0x40;  // 0x01 -> 'A', 0x02 -> 'B', 0x03 -> 'C'

inline bool isMarkByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x01 && u <= 0x03;
}

// Appends the template's own text with its bytes 0x01 to 0x03 escaped.
inline void appendEscaped(std::string& out, std::string_view text) {
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isMarkByte(text[i])) continue;
        out.append(text.substr(from, i - from));
        out.push_back(kEscapeMark);
        out.push_back(static_cast<char>(text[i] + kEscapeOffset));
        from = i + 1;
    }
    out.append(text.substr(from));
}

// The template's own text back from its escaped form.
inline std::string unescaped(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == kEscapeMark && i + 1 < text.size()) {
            out.push_back(static_cast<char>(text[++i] - kEscapeOffset));
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

inline std::string fieldMarker(std::string_view name) {
    std::string marker;
    marker.reserve(name.size() + 2);
    marker.push_back(kFieldMark);
    appendEscaped(marker, name);
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
