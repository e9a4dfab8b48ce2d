// Polynomial hash of byte strings, combinable over concatenation:
// H(a + b) = H(a) * P(b) + H(b), where P(s) is the base to the power |s|.
// Used to look text up by content in the engine's buffers; a hit is always
// confirmed by comparing the bytes, so collisions cost time, never correctness.
#pragma once

#include <cstdint>
#include <string_view>

namespace RepoRTF_interface::detail {

inline constexpr std::uint64_t kHashBase = 0x100000001B3ULL * 2 + 1;

struct TextHash {
    std::uint64_t hash = 0;
    std::uint64_t power = 1;  // base^length
    std::size_t length = 0;

    void append(const TextHash& other) {
        hash = hash * other.power + other.hash;
        power *= other.power;
        length += other.length;
    }
    // One number for hash tables: the hash mixed with the length.
    std::uint64_t key() const { return hash ^ (length * 0x9E3779B97F4A7C15ULL); }
};

// The hash base to the power n, by squaring: for a run whose power is not kept.
inline std::uint64_t hashPower(std::uint64_t n) {
    std::uint64_t result = 1, base = kHashBase;
    for (; n > 0; n >>= 1) {
        if (n & 1) result *= base;
        base *= base;
    }
    return result;
}

inline TextHash hashOf(std::string_view text) {
    TextHash h;
    for (char c : text) {
        h.hash = h.hash * kHashBase + (static_cast<unsigned char>(c) + 1);
        h.power *= kHashBase;
    }
    h.length = text.size();
    return h;
}

}  // namespace RepoRTF_interface::detail
