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
#include <vector>

#include "rtf/detail/chunked_store.h"
#include "rtf/detail/search_key.h"
#include "rtf/detail/template_text.h"

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
    using Number = std::uint32_t;
    static constexpr Number kNone = UINT32_MAX;
    // bucketPrev of the first run of a bucket's chain.
    static constexpr Number kBucketHead = UINT32_MAX - 1;

    // The record sizes matter: a dense template has one run and one piece per 0x03.
    struct Piece {
        const char* text = nullptr;
        std::uint32_t size = 0;
        Number next = kNone;
    };
    struct Run {
        std::uint64_t hash = 0;             // of the text, see TextHash
        std::uint64_t length = 0;           // its power is hashPower(length)
        Number head = kNone, tail = kNone;  // pieces
        Number prev = kNone, next = kNone;
        // Index membership (bounded runs only): a chain of runs with one key;
        // bucketPrev is kNone when the run is not indexed.
        Number bucketPrev = kNone, bucketNext = kNone;
        std::uint32_t candidate = 0;  // marks for one replaceAll
        std::uint32_t visited = 0;
    };

    void reset();
    Number newRunAfter(Number run);
    void addText(Number run, std::string_view text, const TextHash& hash);
    void appendRun(Number run, Number from);  // joins `from`'s pieces to `run`
    void unlink(Number run);
    bool bounded(Number run) const { return run != first_ && run != last_; }
    static std::uint64_t keyOf(const Run& run) { return TextHash{run.hash, 1, run.length}.key(); }
    // The slot of the chain of runs with this key, or of the empty slot where it
    // would go.
    std::size_t slotOf(std::uint64_t key) const;
    std::size_t homeSlot(std::uint64_t key) const;
    void unindex(Number run);
    void reindex(Number run);
    void eraseSlot(std::size_t slot);
    void growIndex(std::size_t entries);
    bool runEquals(Number run, const TextPart& part) const;
    bool matchesAt(Number run, const std::vector<TextPart>& parts) const;
    std::vector<Number> occurrences(const SearchKey& key, bool firstOnly);
    void replaceAt(Number run, std::size_t runCount, const std::vector<TextPart>& value);

    const TemplateText& source_;
    ChunkedStore<Piece> pieces_;
    ChunkedStore<Run> runs_;
    // The inserted values, packed into large blocks (a string each would cost
    // more than a short value itself); pieces refer to them.
    std::string_view storeValue(std::string_view value);
    std::deque<std::string> valueBlocks_;
    // Open addressing over the first run of each chain (linear probing, kept at
    // most half full): four bytes per slot, the key is read from the run.
    std::vector<Number> slots_;
    std::size_t usedSlots_ = 0;
    Number first_ = kNone;
    Number last_ = kNone;
    std::uint32_t stamp_ = 0;
};

}  // namespace RepoRTF_interface::detail
