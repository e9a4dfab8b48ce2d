// The converted template (see markers.h) with an index of its block tags. The
// template buffer of the data pass is always a tail of this text (it only ever
// loses text at its front), so positions here serve both.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace RepoRTF_interface::detail {

class TemplateText {
  public:
    static constexpr std::size_t npos = std::string::npos;

    explicit TemplateText(std::string text);
    TemplateText(const TemplateText&) = delete;
    TemplateText& operator=(const TemplateText&) = delete;

    const std::string& text() const { return text_; }
    std::size_t size() const { return text_.size(); }

    // The field whose opening mark is at `open`: its name (escaped) and the
    // position after its closing mark.
    std::string_view fieldName(std::size_t open, std::size_t& after) const;

    // First 0x02 at or after `from`.
    std::size_t nextBlockMark(std::size_t from) const { return text_.find('\x02', from); }

    // The first occurrence of a block tag at or after `from`, and the next one
    // after it; npos for the ones that do not exist.
    std::pair<std::size_t, std::size_t> findBlockTags(std::string_view tag, std::size_t from) const;

  private:
    std::string text_;
    // Positions of each tag, ascending. Positions fit 32 bits: inputs are
    // limited to 256 MiB and the template pass at most doubles them.
    std::unordered_map<std::string_view, std::vector<std::uint32_t>> tags_;
};

}  // namespace RepoRTF_interface::detail
