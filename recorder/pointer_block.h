#pragma once
// The recorder's triple-stored write pointers and the vote that picks one value.

#include <cstdint>

#include "recorder/datafile.h"
#include "recorder/reading.h"

namespace recorder {

// Start with `start`; then four tests in this order, each that holds overwriting
// the result, so a later test wins: c1 - c3 == 1 -> c1; c1 == c2 -> c1;
// c1 == c3 -> c1; c2 == c3 -> c2.
std::uint32_t vote(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t start = 0);

template <typename T, std::size_t N>
std::uint32_t vote(const std::array<T, N>& copies, std::uint32_t start = 0) {
    static_assert(N == 3);
    return vote(copies[0], copies[1], copies[2], start);
}

PointerBlock readPointerBlock(const DataFile& file);

// The voted frame pointer, 33 when the vote gives 0.
int votedBufferFrameCount(const PointerBlock& pointers);

}  // namespace recorder
