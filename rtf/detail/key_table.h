// The keys the data file names, each with what the data pass knows of its fields.
// Keys are looked up by the names of the template's fields, so a field that no
// data line names costs nothing but the lookup.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace RepoRTF_interface::detail {

struct KeyState {
    static constexpr std::uint32_t kNoEvent = UINT32_MAX;
    static constexpr std::size_t kNowhere = std::string::npos;

    std::string_view key;                   // as the data file has it
    std::size_t lastInTemplate = kNowhere;  // opening mark of its last field
    // What follows is of the output of one flush (generation); see the data pass.
    std::uint32_t generation = 0;
    std::uint64_t lastInOutput = 0;       // output position of its last field
    bool inOutput = false;                // a field of it was appended
    std::uint64_t filledTo = 0;           // its fields before this have a value
    std::uint32_t firstEvent = kNoEvent;  // the values given to it, in order
    std::uint32_t lastEvent = kNoEvent;
};

class KeyTable {
  public:
    static constexpr std::uint32_t kNone = UINT32_MAX;

    // Adds a key (a view that outlives the table) unless it is there already.
    void add(std::string_view key);
    // The key's number, or kNone.
    std::uint32_t find(std::string_view key) const;
    // The number of the key a field name of the converted template (escaped, see
    // markers.h) stands for, or kNone.
    std::uint32_t findName(std::string_view name) const;

    KeyState& operator[](std::uint32_t n) { return keys_[n]; }
    std::size_t size() const { return keys_.size(); }

  private:
    std::size_t slotOf(std::string_view key) const;
    void grow();

    std::vector<KeyState> keys_;
    // Open addressing, at most half full: the key's number or kNone.
    std::vector<std::uint32_t> slots_;
};

}  // namespace RepoRTF_interface::detail
