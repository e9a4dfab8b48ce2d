// A growing store of small records addressed by 32-bit numbers. The records live
// in chunks that are never moved (no copy when the store grows, no moment with two
// copies alive); a number costs half a pointer. The first chunks double in size
// (64 ... 2048 records) so that a small merge allocates little, the rest hold
// 4096 records each so that a large one wastes little.
#pragma once

#include <bit>
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
        if (size_ == kNone - kFirstChunk) throw std::length_error("engine buffer is full");
        const auto [chunk, offset] = locate(size_);
        if (chunk == chunks_.size()) chunks_.push_back(std::make_unique<T[]>(chunkSize(chunk)));
        chunks_[chunk][offset] = T{};
        return size_++;
    }

    T& operator[](Number n) {
        const auto [chunk, offset] = locate(n);
        return chunks_[chunk][offset];
    }
    const T& operator[](Number n) const {
        const auto [chunk, offset] = locate(n);
        return chunks_[chunk][offset];
    }

    // Forgets every record; the first few chunks stay for the next use (a flush
    // after every block row must not give its room back and ask for it again).
    void clear() {
        if (chunks_.size() > kKeptChunks) chunks_.resize(kKeptChunks);
        size_ = 0;
    }

  private:
    static constexpr unsigned kFirstChunkBits = 6;
    static constexpr Number kFirstChunk = Number{1} << kFirstChunkBits;
    static constexpr std::size_t kKeptChunks = 6;  // the doubling ones: 4032 records
    static constexpr Number kDoubled = kFirstChunk * ((Number{1} << kKeptChunks) - 1);
    static constexpr unsigned kLargeChunkBits = 12;

    struct Place {
        std::size_t chunk;
        std::size_t offset;
    };
    static std::size_t chunkSize(std::size_t chunk) {
        return chunk < kKeptChunks ? std::size_t{kFirstChunk} << chunk
                                   : std::size_t{1} << kLargeChunkBits;
    }
    // Doubling chunk k holds the numbers [64 * (2^k - 1), 64 * (2^(k+1) - 1)).
    static Place locate(Number n) {
        if (n >= kDoubled) {
            const Number rest = n - kDoubled;
            return {kKeptChunks + (rest >> kLargeChunkBits),
                    rest & ((Number{1} << kLargeChunkBits) - 1)};
        }
        const Number shifted = n + kFirstChunk;
        const unsigned top = static_cast<unsigned>(std::bit_width(shifted)) - 1;
        return {top - kFirstChunkBits, shifted - (Number{1} << top)};
    }

    std::vector<std::unique_ptr<T[]>> chunks_;
    Number size_ = 0;
};

}  // namespace RepoRTF_interface::detail
