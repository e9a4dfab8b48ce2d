// A growing store of small records addressed by 32-bit numbers. The records live
// in fixed-size chunks, so the store never moves them (no copy when it grows, no
// moment with two copies alive) and a number costs half a pointer.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

namespace RepoRTF_interface::detail {

template <typename T>
class ChunkedStore {
  public:
    using Number = std::uint32_t;
    static constexpr Number kNone = UINT32_MAX;

    Number add() {
        if (size_ == kNone) throw std::length_error("engine buffer is full");
        if ((size_ >> kChunkBits) == chunks_.size())
            chunks_.push_back(std::make_unique<T[]>(std::size_t{1} << kChunkBits));
        T& record = (*this)[size_];
        record = T{};
        return size_++;
    }

    T& operator[](Number n) { return chunks_[n >> kChunkBits][n & kChunkMask]; }
    const T& operator[](Number n) const { return chunks_[n >> kChunkBits][n & kChunkMask]; }

    // Forgets every record; the first chunk stays for the next use (a flush after
    // every block row must not give its room back and ask for it again).
    void clear() {
        if (chunks_.size() > 1) chunks_.resize(1);
        size_ = 0;
    }

  private:
    static constexpr unsigned kChunkBits = 12;
    static constexpr Number kChunkMask = (Number{1} << kChunkBits) - 1;

    std::vector<std::unique_ptr<T[]>> chunks_;
    Number size_ = 0;
};

}  // namespace RepoRTF_interface::detail
