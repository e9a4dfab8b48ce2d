#include "rtf/detail/template_text.h"

#include <algorithm>

#include "rtf/detail/markers.h"

namespace RepoRTF_interface::detail {

TemplateText::TemplateText(std::string text) : text_(std::move(text)) {
    const std::string_view all(text_);
    for (std::size_t at = all.find(kBlockMark); at != npos; at = all.find(kBlockMark, at + 1)) {
        if (at + kBlockTagSize <= all.size())
            tags_[all.substr(at, kBlockTagSize)].push_back(static_cast<std::uint32_t>(at));
    }
}

std::string_view TemplateText::fieldName(std::size_t open, std::size_t& after) const {
    std::size_t close = text_.find(kFieldMark, open + 1);
    if (close == npos) close = text_.size();  // never: fields are made whole
    after = close + 1;
    return std::string_view(text_).substr(open + 1, close - open - 1);
}

std::pair<std::size_t, std::size_t> TemplateText::findBlockTags(std::string_view tag,
                                                                std::size_t from) const {
    auto found = tags_.find(tag);
    if (found == tags_.end()) return {npos, npos};
    const auto& at = found->second;
    auto it = std::lower_bound(at.begin(), at.end(), from);
    if (it == at.end()) return {npos, npos};
    auto next = std::next(it);
    return {*it, next == at.end() ? npos : std::size_t{*next}};
}

}  // namespace RepoRTF_interface::detail
