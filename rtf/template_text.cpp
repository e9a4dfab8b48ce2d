#include "rtf/detail/template_text.h"
#include "rtf/detail/free_storage.h"

#include <algorithm>

#include "rtf/detail/markers.h"

namespace RepoRTF_interface::detail {

TemplateText::TemplateText(std::string text) : text_(std::move(text)), size_(text_.size()) {
    const std::size_t n = text_.size();
    checkpoints_.reserve(n / kStride + 1);
    std::uint64_t hash = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (i % kStride == 0) checkpoints_.push_back(hash);
        unsigned char c = static_cast<unsigned char>(text_[i]);
        hash = hash * kHashBase + (c + 1);
        if (c == static_cast<unsigned char>(kFieldMark))
            fieldMarks_.push_back(static_cast<std::uint32_t>(i));
        if (c == static_cast<unsigned char>(kBlockMark)) {
            blockMarks_.push_back(static_cast<std::uint32_t>(i));
            if (i + kBlockTagSize <= n)
                tags_[std::string_view(text_).substr(i, kBlockTagSize)].push_back(i);
        }
    }
    if (n % kStride == 0) checkpoints_.push_back(hash);
    smallPowers_[0] = 1;
    for (std::size_t i = 1; i < kStride; ++i) smallPowers_[i] = smallPowers_[i - 1] * kHashBase;
    const std::uint64_t stride = smallPowers_[kStride - 1] * kHashBase;
    stridePowers_.resize(n / kStride + 1);
    stridePowers_[0] = 1;
    for (std::size_t k = 1; k < stridePowers_.size(); ++k)
        stridePowers_[k] = stridePowers_[k - 1] * stride;

    runsByKey_.reserve(fieldMarks_.empty() ? 0 : fieldMarks_.size() - 1);
    for (std::size_t r = 1; r < fieldMarks_.size(); ++r) {
        TextHash h = hashRange(fieldMarks_[r - 1] + 1, fieldMarks_[r]);
        runsByKey_.emplace_back(h.key(), static_cast<std::uint32_t>(r));
    }
    std::sort(runsByKey_.begin(), runsByKey_.end());
}

void TemplateText::release() {
    freeStorage(text_);
    releaseIndexes();
}

void TemplateText::releaseIndexes() {
    freeStorage(checkpoints_);
    freeStorage(stridePowers_);
    freeStorage(fieldMarks_);
    freeStorage(blockMarks_);
    freeStorage(runsByKey_);
    freeStorage(tags_);
}

std::uint64_t TemplateText::prefixHash(std::size_t i) const {
    std::size_t k = i / kStride;
    std::uint64_t hash = checkpoints_[k];
    for (std::size_t j = k * kStride; j < i; ++j)
        hash = hash * kHashBase + (static_cast<unsigned char>(text_[j]) + 1);
    return hash;
}

std::uint64_t TemplateText::power(std::size_t n) const {
    return stridePowers_[n / kStride] * smallPowers_[n % kStride];
}

TextHash TemplateText::hashRange(std::size_t from, std::size_t to) const {
    TextHash h;
    h.length = to - from;
    h.power = power(to - from);
    h.hash = prefixHash(to) - prefixHash(from) * h.power;
    return h;
}

bool TemplateText::runEquals(std::size_t run, const TextPart& part) const {
    std::size_t from = fieldMarks_[run - 1] + 1;
    std::size_t to = fieldMarks_[run];
    return to - from == part.text.size() &&
           std::string_view(text_).substr(from, to - from) == part.text;
}

std::size_t TemplateText::findKey(const SearchKey& key, std::size_t from) const {
    const auto& parts = key.parts();
    const std::uint64_t first = parts[0].hash.key();
    // An occurrence at or after `from` opens with a 0x03 at or after it.
    std::size_t firstRun =
        std::lower_bound(fieldMarks_.begin(), fieldMarks_.end(), from) - fieldMarks_.begin() + 1;
    if (firstRun > UINT32_MAX) return npos;
    for (auto it = std::lower_bound(runsByKey_.begin(), runsByKey_.end(),
                                    std::make_pair(first, static_cast<std::uint32_t>(firstRun)));
         it != runsByKey_.end() && it->first == first; ++it) {
        std::size_t run = it->second;
        if (run + parts.size() > fieldMarks_.size()) break;
        bool all = true;
        for (std::size_t k = 0; k < parts.size() && all; ++k) all = runEquals(run + k, parts[k]);
        if (all) return fieldMarks_[run - 1];
    }
    return npos;
}

std::size_t TemplateText::nextBlockMark(std::size_t from) const {
    if (from > UINT32_MAX) return npos;
    auto it = std::lower_bound(blockMarks_.begin(), blockMarks_.end(), from);
    return it == blockMarks_.end() ? npos : *it;
}

std::pair<std::size_t, std::size_t> TemplateText::findBlockTags(std::string_view tag,
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
