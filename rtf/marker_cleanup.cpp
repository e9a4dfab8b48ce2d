#include "rtf/detail/marker_cleanup.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtf/detail/markers.h"

namespace RepoRTF_interface::detail {

namespace {

// For every 0x02 with a whole tag after it, the next occurrence of the same tag.
class TagIndex {
  public:
    explicit TagIndex(const std::string& text) {
        for (std::size_t i = text.find(kBlockMark); i != std::string::npos;
             i = text.find(kBlockMark, i + 1))
            marks_.push_back(i);
        next_.assign(marks_.size(), std::string::npos);
        std::unordered_map<std::string_view, std::size_t> seen;
        for (std::size_t k = marks_.size(); k-- > 0;) {
            std::size_t at = marks_[k];
            if (at + kBlockTagSize > text.size()) continue;
            std::string_view tag = std::string_view(text).substr(at, kBlockTagSize);
            auto found = seen.find(tag);
            if (found != seen.end()) next_[k] = found->second;
            seen[tag] = at;
        }
    }
    std::size_t nextSame(std::size_t at) const {
        auto it = std::lower_bound(marks_.begin(), marks_.end(), at);
        return next_[it - marks_.begin()];
    }

  private:
    std::vector<std::size_t> marks_;
    std::vector<std::size_t> next_;
};

}  // namespace

std::string removeUnusedMarkers(const std::string& text) {
    const std::size_t n = text.size();
    std::size_t firstMark = text.find_first_of("\x02\x03");
    if (firstMark == std::string::npos) return text;
    TagIndex tags(text);
    std::string out;
    out.reserve(n);
    out.append(text, 0, firstMark);
    std::size_t i = firstMark;
    while (i < n) {
        char c = text[i];
        if (c == kFieldMark) {
            std::size_t close = text.find(kFieldMark, i + 1);
            i = close == std::string::npos ? i + 1 : close + 1;
        } else if (c == kBlockMark) {
            if (i + kBlockTagSize > n) break;
            std::size_t second = tags.nextSame(i);
            i = (second == std::string::npos ? i : second) + kBlockTagSize;
        } else {
            std::size_t next = text.find_first_of("\x02\x03", i);
            if (next == std::string::npos) next = n;
            out.append(text, i, next - i);
            i = next;
        }
    }
    return out;
}

}  // namespace RepoRTF_interface::detail
