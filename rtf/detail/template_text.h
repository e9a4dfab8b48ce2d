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

#include "rtf/detail/search_key.h"
#include "rtf/detail/text_hash.h"

namespace RepoRTF_interface::detail {

class TemplateText {
  public:
    static constexpr std::size_t npos = std::string::npos;

    explicit TemplateText(std::string text);

    const std::string& text() const { return text_; }
    std::size_t size() const { return size_; }

    // Hash of text_[from, to).
    TextHash hashRange(std::size_t from, std::size_t to) const;

    // Positions of the 0x03 characters, ascending.
    const std::vector<std::uint32_t>& fieldMarks() const { return fieldMarks_; }

    // Frees the text and its indexes once nothing refers to them any more
    // (before the last flush, which needs room of its own). size() stays.
    void release();
    // Frees the indexes only; the text stays for what still refers to it.
    void releaseIndexes();

    // First occurrence of the key's marker text at or after `from`.
    std::size_t findKey(const SearchKey& key, std::size_t from) const;

    // First 0x02 at or after `from`.
    std::size_t nextBlockMark(std::size_t from) const;

    // The first occurrence of a block tag at or after `from` and the next one
    // after it; npos for the ones that do not exist.
    std::pair<std::size_t, std::size_t> findBlockTags(std::string_view tag, std::size_t from) const;

  private:
    bool runEquals(std::size_t run, const TextPart& part) const;
    // Hash of text_[0, i) and the hash base to the power n, from the checkpoints:
    // a few bytes of index per template byte instead of sixteen.
    std::uint64_t prefixHash(std::size_t i) const;
    std::uint64_t power(std::size_t n) const;

    static constexpr std::size_t kStride = 64;

    std::string text_;
    std::size_t size_ = 0;
    std::vector<std::uint64_t> checkpoints_;   // hash of text_[0, k * kStride)
    std::vector<std::uint64_t> stridePowers_;  // base^(k * kStride)
    std::uint64_t smallPowers_[kStride] = {};  // base^i, i < kStride
    // Positions fit 32 bits: inputs are limited to 256 MiB and the template pass
    // at most doubles them.
    std::vector<std::uint32_t> fieldMarks_;
    std::vector<std::uint32_t> blockMarks_;
    // Runs between consecutive 0x03 (run r lies between fieldMarks_[r - 1] and
    // fieldMarks_[r]) as (content key, run), sorted.
    std::vector<std::pair<std::uint64_t, std::uint32_t>> runsByKey_;
    // Positions of each four-character text that starts with 0x02, ascending.
    std::unordered_map<std::string_view, std::vector<std::size_t>> tags_;
};

}  // namespace RepoRTF_interface::detail
