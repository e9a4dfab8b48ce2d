// A data key as it is sought in the buffers: 0x03, key, 0x03. Its text between
// the outer markers is kept split at any 0x03 inside the key, because the
// buffers are indexed as runs of text between 0x03 characters.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rtf/detail/markers.h"
#include "rtf/detail/text_hash.h"

namespace RepoRTF_interface::detail {

struct TextPart {
    std::string_view text;
    TextHash hash;
};

// Splits text at every 0x03 into hashed parts (n markers give n + 1 parts).
inline std::vector<TextPart> splitAtFieldMarks(std::string_view text) {
    std::vector<TextPart> parts;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find(kFieldMark, from);
        std::string_view part =
            text.substr(from, at == std::string_view::npos ? text.npos : at - from);
        parts.push_back({part, hashOf(part)});
        if (at == std::string_view::npos) break;
        from = at + 1;
    }
    return parts;
}

class SearchKey {
  public:
    explicit SearchKey(std::string key) : key_(std::move(key)), parts_(splitAtFieldMarks(key_)) {}
    SearchKey(const SearchKey&) = delete;
    SearchKey& operator=(const SearchKey&) = delete;

    // The runs between markers that an occurrence consists of, in order.
    const std::vector<TextPart>& parts() const { return parts_; }

  private:
    std::string key_;
    std::vector<TextPart> parts_;
};

}  // namespace RepoRTF_interface::detail
