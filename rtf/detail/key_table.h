// The keys the data file names, each with what the data pass knows of its fields.
// Keys are looked up by the names of the template's fields, so a field that no
// data line names costs nothing but the lookup. A key costs about 40 bytes (its
// state and its share of the table), which its data line and its field in the
// template outweigh.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace RepoRTF_interface::detail {

// Positions in the converted template and in the output of one flush fit 32
// bits: inputs are limited to 256 MiB, the template pass at most doubles them
// and the output of a flush holds each part of the template at most twice.
inline constexpr std::uint32_t kNoPosition = UINT32_MAX;

struct KeyState {
    std::uint32_t keyOffset = 0, keyLength = 0;  // in the data text
    std::uint32_t lastInTemplate = kNoPosition;  // opening mark of its last field
    // What follows is of the output of one flush (generation); see the data pass.
    std::uint32_t generation = 0;
    std::uint32_t lastInOutput = kNoPosition;  // output position of its last field
    std::uint32_t filledTo = 0;                // its fields before this have a value
    std::uint32_t firstFill = kNoPosition;     // the values given to it, in order
    std::uint32_t lastFill = kNoPosition;
};

class KeyTable {
  public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // Keys are views into `data`, which outlives the table.
    explicit KeyTable(std::string_view data) : data_(data) {}

    // Adds a key (a view into the data) unless it is there already.
    void add(std::string_view key);
    // The key's number, or kNone.
    std::uint32_t find(std::string_view key) const;
    // The number of the key a field name of the converted template (escaped, see
    // markers.h) stands for, or kNone.
    std::uint32_t findName(std::string_view name) const;

    KeyState& operator[](std::uint32_t n) { return keys_[n]; }
    std::string_view key(std::uint32_t n) const {
        return data_.substr(keys_[n].keyOffset, keys_[n].keyLength);
    }

  private:
    std::size_t slotOf(std::string_view key) const;
    void grow();

    std::string_view data_;
    std::deque<KeyState> keys_;  // grows without moving what it holds
    // Open addressing, at most half full: the key's number or kNone.
    std::vector<std::uint32_t> slots_;
};

}  // namespace RepoRTF_interface::detail
