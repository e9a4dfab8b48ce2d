// The converted template, indexed for the data pass. The template buffer of the
// data pass is always a tail of this text (it only ever loses text at its front),
// so positions here serve both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "search_key.h"
#include "text_hash.h"

namespace RepoRTF_interface::detail {

class TemplateText {
  public:
    static constexpr std::size_t npos = std::string::npos;

    explicit TemplateText(std::string text);

    const std::string& Text() const { return text_; }
    std::size_t Size() const { return text_.size(); }

    // Hash of text_[from, to).
    TextHash HashRange(std::size_t from, std::size_t to) const;

    // Positions of the 0x03 characters, ascending.
    const std::vector<std::size_t>& FieldMarks() const { return fieldMarks_; }

    // First occurrence of the key's marker text at or after `from`.
    std::size_t FindKey(const SearchKey& key, std::size_t from) const;

    // First 0x02 at or after `from`.
    std::size_t NextBlockMark(std::size_t from) const;

    // The first occurrence of a block tag at or after `from` and the next one
    // after it; npos for the ones that do not exist.
    std::pair<std::size_t, std::size_t> FindBlockTags(std::string_view tag, std::size_t from) const;

  private:
    bool RunEquals(std::size_t run, const TextPart& part) const;

    std::string text_;
    std::vector<std::uint64_t> prefixHash_;  // hash of text_[0, i)
    std::vector<std::uint64_t> powers_;      // base^i
    std::vector<std::size_t> fieldMarks_;
    std::vector<std::size_t> blockMarks_;
    // Runs between consecutive 0x03 (run r lies between fieldMarks_[r - 1] and
    // fieldMarks_[r]), by content key, ascending.
    std::unordered_map<std::uint64_t, std::vector<std::uint32_t>> runsByKey_;
    // Positions of each four-character text that starts with 0x02, ascending.
    std::unordered_map<std::string_view, std::vector<std::size_t>> tags_;
};

}  // namespace RepoRTF_interface::detail
