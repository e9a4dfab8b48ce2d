// The output buffer of the data pass: text collected from the template and filled
// with values until it is flushed to the report.
//
// A key is sought as 0x03, key, 0x03 and every occurrence replaced by the value,
// over and over, in a buffer that can be as large as the whole template. To keep
// that fast, the buffer is held as the sequence of runs of text between its 0x03
// characters (run texts are chains of pieces, so joining runs costs nothing), and
// the runs bounded by 0x03 on both sides are indexed by content: an occurrence of
// a key is exactly a sequence of such runs equal to the key's parts.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "rtf/search_key.h"
#include "rtf/template_text.h"

namespace RepoRTF_interface::detail {

class OutputBuffer {
  public:
    explicit OutputBuffer(const TemplateText& source);
    OutputBuffer(const OutputBuffer&) = delete;
    OutputBuffer& operator=(const OutputBuffer&) = delete;

    // Appends source text [from, to).
    void appendTemplate(std::size_t from, std::size_t to);

    // True when the buffer contains the key's marker text.
    bool contains(const SearchKey& key);

    // Replaces every occurrence of the key's marker text by the value in one pass
    // from left to right (inserted text is not searched again).
    void replaceAll(const SearchKey& key, std::string value);

    // Returns the whole text and empties the buffer.
    std::string take();

    // Before a last take(): frees the search index, which take() does not need.
    void dropIndex();

  private:
    struct Piece {
        std::string_view text;
        Piece* next = nullptr;
    };
    struct Bucket;
    struct Run {
        Piece* head = nullptr;
        Piece* tail = nullptr;
        TextHash hash;
        Run* prev = nullptr;
        Run* next = nullptr;
        Bucket* bucket = nullptr;  // index membership (bounded runs only)
        Run* bucketPrev = nullptr;
        Run* bucketNext = nullptr;
        std::uint32_t candidate = 0;  // marks for one ReplaceAll
        std::uint32_t visited = 0;
    };
    struct Bucket {
        Run* head = nullptr;
    };

    void reset();
    Run* newRunAfter(Run* run);
    void addText(Run* run, std::string_view text, const TextHash& hash);
    void unlink(Run* run);
    bool bounded(const Run* run) const { return run != first_ && run != last_; }
    void unindex(Run* run);
    void reindex(Run* run);
    bool runEquals(const Run* run, const TextPart& part) const;
    bool matchesAt(const Run* run, const std::vector<TextPart>& parts) const;
    std::vector<Run*> occurrences(const SearchKey& key, bool firstOnly);
    void replaceAt(Run* run, std::size_t runCount, const std::vector<TextPart>& value);

    const TemplateText& source_;
    std::deque<Piece> pieces_;
    std::deque<Run> runs_;
    // The inserted values, packed into large blocks (a string each would cost
    // more than a short value itself); pieces refer to them.
    std::string_view storeValue(std::string_view value);
    std::deque<std::string> valueBlocks_;
    std::unordered_map<std::uint64_t, Bucket> index_;
    Run* first_ = nullptr;
    Run* last_ = nullptr;
    std::uint32_t stamp_ = 0;
};

}  // namespace RepoRTF_interface::detail
