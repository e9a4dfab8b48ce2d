#include "recorder/pointer_block.h"

namespace recorder {

std::uint32_t vote(std::uint32_t c1, std::uint32_t c2, std::uint32_t c3, std::uint32_t start) {
    std::uint32_t r = start;
    // "c1 - c3 = 1" on non-negative integers: c1 is exactly one more than c3.
    if (c1 == c3 + 1) r = c1;
    if (c1 == c2) r = c1;
    if (c1 == c3) r = c1;
    if (c2 == c3) r = c2;
    return r;
}

PointerBlock readPointerBlock(const DataFile& file) {
    const std::size_t base = kPointerBlockOffset;
    PointerBlock p;
    for (std::size_t i = 0; i < 3; ++i) {
        p.frame[i] = file.u8(base + 3 * i);
        p.page[i] = file.u16(base + 3 * i + 1);
        p.overload[i] = file.u16(base + 9 + 2 * i);
        p.kds[i] = file.u16(base + 15 + 2 * i);
        p.settings[i] = file.u16(base + 21 + 2 * i);
    }
    return p;
}

int votedBufferFrameCount(const PointerBlock& pointers) {
    const std::uint32_t voted = vote(pointers.frame);
    return voted == 0 ? static_cast<int>(kBufferFramesMax) : static_cast<int>(voted);
}

}  // namespace recorder
