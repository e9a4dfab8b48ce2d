#include "template_text.h"

#include <algorithm>

#include "markers.h"

namespace RepoRTF_interface::detail {

TemplateText::TemplateText(std::string text) : text_(std::move(text)) {
    const std::size_t n = text_.size();
    prefixHash_.resize(n + 1);
    powers_.resize(n + 1);
    prefixHash_[0] = 0;
    powers_[0] = 1;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(text_[i]);
        prefixHash_[i + 1] = prefixHash_[i] * kHashBase + (c + 1);
        powers_[i + 1] = powers_[i] * kHashBase;
        if (c == static_cast<unsigned char>(kFieldMark)) fieldMarks_.push_back(i);
        if (c == static_cast<unsigned char>(kBlockMark)) {
            blockMarks_.push_back(i);
            if (i + kBlockTagSize <= n)
                tags_[std::string_view(text_).substr(i, kBlockTagSize)].push_back(i);
        }
    }
    runsByKey_.reserve(fieldMarks_.size());
    for (std::size_t r = 1; r < fieldMarks_.size(); ++r) {
        TextHash h = HashRange(fieldMarks_[r - 1] + 1, fieldMarks_[r]);
        runsByKey_[h.Key()].push_back(static_cast<std::uint32_t>(r));
    }
}

TextHash TemplateText::HashRange(std::size_t from, std::size_t to) const {
    TextHash h;
    h.length = to - from;
    h.power = powers_[to - from];
    h.hash = prefixHash_[to] - prefixHash_[from] * h.power;
    return h;
}

bool TemplateText::RunEquals(std::size_t run, const TextPart& part) const {
    std::size_t from = fieldMarks_[run - 1] + 1;
    std::size_t to = fieldMarks_[run];
    return to - from == part.text.size() &&
           std::string_view(text_).substr(from, to - from) == part.text;
}

std::size_t TemplateText::FindKey(const SearchKey& key, std::size_t from) const {
    const auto& parts = key.Parts();
    auto bucket = runsByKey_.find(parts[0].hash.Key());
    if (bucket == runsByKey_.end()) return npos;
    // An occurrence at or after `from` opens with a 0x03 at or after it.
    std::size_t firstRun =
        std::lower_bound(fieldMarks_.begin(), fieldMarks_.end(), from) - fieldMarks_.begin() + 1;
    const auto& runs = bucket->second;
    for (auto it = std::lower_bound(runs.begin(), runs.end(), firstRun); it != runs.end(); ++it) {
        std::size_t run = *it;
        if (run + parts.size() > fieldMarks_.size()) break;
        bool all = true;
        for (std::size_t k = 0; k < parts.size() && all; ++k) all = RunEquals(run + k, parts[k]);
        if (all) return fieldMarks_[run - 1];
    }
    return npos;
}

std::size_t TemplateText::NextBlockMark(std::size_t from) const {
    auto it = std::lower_bound(blockMarks_.begin(), blockMarks_.end(), from);
    return it == blockMarks_.end() ? npos : *it;
}

std::pair<std::size_t, std::size_t> TemplateText::FindBlockTags(std::string_view tag,
                                                                std::size_t from) const {
    auto found = tags_.find(tag);
    if (found == tags_.end()) return {npos, npos};
    const auto& at = found->second;
    auto it = std::lower_bound(at.begin(), at.end(), from);
    if (it == at.end()) return {npos, npos};
    auto next = std::next(it);
    return {*it, next == at.end() ? npos : *next};
}

}  // namespace RepoRTF_interface::detail
