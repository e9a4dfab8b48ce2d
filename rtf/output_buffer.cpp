#include "rtf/detail/output_buffer.h"
#include "rtf/detail/free_storage.h"

#include <algorithm>
#include <utility>

#include "rtf/detail/markers.h"

namespace RepoRTF_interface::detail {

OutputBuffer::OutputBuffer(const TemplateText& source) : source_(source) {
    reset();
}

void OutputBuffer::reset() {
    pieces_.clear();
    runs_.clear();
    // The first block of values is kept: a flush after every block row must not
    // give its room back and ask for it again.
    if (valueBlocks_.size() > 1) valueBlocks_.erase(valueBlocks_.begin() + 1, valueBlocks_.end());
    if (!valueBlocks_.empty()) valueBlocks_.front().clear();
    // A large index would be cleared on every flush of a block row.
    if (slots_.size() > 4096) {
        freeStorage(slots_);
    } else {
        std::fill(slots_.begin(), slots_.end(), kNone);
    }
    usedSlots_ = 0;
    first_ = last_ = runs_.add();
}

OutputBuffer::Number OutputBuffer::newRunAfter(Number at) {
    const Number created = runs_.add();
    Run& run = runs_[at];
    Run& c = runs_[created];
    c.prev = at;
    c.next = run.next;
    if (run.next != kNone) runs_[run.next].prev = created;
    run.next = created;
    if (last_ == at) last_ = created;
    return created;
}

void OutputBuffer::addText(Number at, std::string_view text, const TextHash& hash) {
    if (text.empty()) return;
    Run& run = runs_[at];
    // A piece holds at most 4 GiB; longer text (a huge value) takes several.
    while (!text.empty()) {
        const std::size_t size = std::min<std::size_t>(text.size(), UINT32_MAX);
        const Number piece = pieces_.add();
        pieces_[piece].text = text.data();
        pieces_[piece].size = static_cast<std::uint32_t>(size);
        if (run.tail != kNone) {
            pieces_[run.tail].next = piece;
        } else {
            run.head = piece;
        }
        run.tail = piece;
        text.remove_prefix(size);
    }
    run.hash = run.hash * hash.power + hash.hash;
    run.length += hash.length;
}

void OutputBuffer::appendRun(Number at, Number from) {
    Run& run = runs_[at];
    const Run& other = runs_[from];
    if (other.head == kNone) return;
    if (run.tail != kNone) {
        pieces_[run.tail].next = other.head;
    } else {
        run.head = other.head;
    }
    run.tail = other.tail;
    run.hash = run.hash * hashPower(other.length) + other.hash;
    run.length += other.length;
}

void OutputBuffer::unlink(Number at) {
    const Run& run = runs_[at];
    if (run.prev != kNone) runs_[run.prev].next = run.next;
    if (run.next != kNone) runs_[run.next].prev = run.prev;
    if (last_ == at) last_ = run.prev;
}

std::size_t OutputBuffer::homeSlot(std::uint64_t key) const {
    // Multiplicative mixing: the keys' low bits alone are too regular.
    return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ULL) >> 32) & (slots_.size() - 1);
}

std::size_t OutputBuffer::slotOf(std::uint64_t key) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = homeSlot(key);
    while (slots_[slot] != kNone && keyOf(runs_[slots_[slot]]) != key) slot = (slot + 1) & mask;
    return slot;
}

void OutputBuffer::growIndex(std::size_t entries) {
    if (2 * entries <= slots_.size()) return;
    std::size_t size = std::max<std::size_t>(slots_.size(), 64);
    while (2 * entries > size) size *= 2;
    std::vector<Number> old = std::exchange(slots_, std::vector<Number>(size, kNone));
    for (Number head : old)
        if (head != kNone) slots_[slotOf(keyOf(runs_[head]))] = head;
}

void OutputBuffer::eraseSlot(std::size_t slot) {
    // Backward shift: the chains after the hole that would no longer be found
    // from their home slot move into it.
    const std::size_t mask = slots_.size() - 1;
    std::size_t hole = slot;
    for (std::size_t next = (hole + 1) & mask; slots_[next] != kNone; next = (next + 1) & mask) {
        const std::uint64_t key = keyOf(runs_[slots_[next]]);
        const std::size_t home = homeSlot(key);
        // Moves when its home is not cyclically within (hole, next].
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = kNone;
    --usedSlots_;
}

void OutputBuffer::unindex(Number at) {
    Run& run = runs_[at];
    if (run.bucketPrev == kNone) return;
    if (run.bucketPrev == kBucketHead) {
        const std::size_t slot = slotOf(keyOf(run));
        if (run.bucketNext != kNone) {
            slots_[slot] = run.bucketNext;
            runs_[run.bucketNext].bucketPrev = kBucketHead;
        } else {
            eraseSlot(slot);
        }
    } else {
        runs_[run.bucketPrev].bucketNext = run.bucketNext;
        if (run.bucketNext != kNone) runs_[run.bucketNext].bucketPrev = run.bucketPrev;
    }
    run.bucketPrev = run.bucketNext = kNone;
}

void OutputBuffer::reindex(Number at) {
    unindex(at);
    if (!bounded(at)) return;
    growIndex(usedSlots_ + 1);
    Run& run = runs_[at];
    const std::size_t slot = slotOf(keyOf(run));
    if (slots_[slot] == kNone) {
        ++usedSlots_;
    } else {
        run.bucketNext = slots_[slot];
        runs_[run.bucketNext].bucketPrev = at;
    }
    run.bucketPrev = kBucketHead;
    slots_[slot] = at;
}

void OutputBuffer::appendTemplate(std::size_t from, std::size_t to) {
    if (from >= to) return;
    const auto& marks = source_.fieldMarks();
    auto it = std::lower_bound(marks.begin(), marks.end(), from);
    std::string_view text(source_.text());
    std::size_t at = from;
    for (; it != marks.end() && *it < to; ++it) {
        addText(last_, text.substr(at, *it - at), source_.hashRange(at, *it));
        const Number closed = last_;
        newRunAfter(last_);
        reindex(closed);
        at = *it + 1;
    }
    addText(last_, text.substr(at, to - at), source_.hashRange(at, to));
}

bool OutputBuffer::runEquals(Number at, const TextPart& part) const {
    const Run& run = runs_[at];
    if (run.length != part.text.size() || run.hash != part.hash.hash) return false;
    std::size_t offset = 0;
    for (Number p = run.head; p != kNone; p = pieces_[p].next) {
        const std::string_view piece(pieces_[p].text, pieces_[p].size);
        if (part.text.substr(offset, piece.size()) != piece) return false;
        offset += piece.size();
    }
    return true;
}

bool OutputBuffer::matchesAt(Number run, const std::vector<TextPart>& parts) const {
    for (const TextPart& part : parts) {
        if (run == kNone || !bounded(run) || !runEquals(run, part)) return false;
        run = runs_[run].next;
    }
    return true;
}

std::vector<OutputBuffer::Number> OutputBuffer::occurrences(const SearchKey& key, bool firstOnly) {
    std::vector<Number> found;
    if (slots_.empty()) return found;
    const auto& parts = key.parts();
    const std::size_t slot = slotOf(parts[0].hash.key());
    for (Number run = slots_[slot]; run != kNone; run = runs_[run].bucketNext) {
        if (matchesAt(run, parts)) {
            found.push_back(run);
            if (firstOnly) break;
        }
    }
    return found;
}

bool OutputBuffer::contains(const SearchKey& key) {
    return !occurrences(key, true).empty();
}

void OutputBuffer::replaceAll(const SearchKey& key, std::string value) {
    std::vector<Number> found = occurrences(key, false);
    if (found.empty()) return;
    const std::size_t span = key.parts().size();  // runs an occurrence consists of

    // Occurrences may overlap (they share a 0x03 at least); a left-to-right pass
    // takes one and skips those that begin inside it. An occurrence that has no
    // other within `span` runs to its left starts a chain that is walked rightwards.
    ++stamp_;
    for (Number run : found) runs_[run].candidate = stamp_;
    std::vector<Number> taken;
    for (Number start : found) {
        if (runs_[start].visited == stamp_) continue;
        bool isStart = true;
        Number left = runs_[start].prev;
        for (std::size_t k = 0; k < span && left != kNone && isStart; ++k, left = runs_[left].prev)
            isStart = runs_[left].candidate != stamp_;
        if (!isStart) continue;
        std::size_t blocked = 0, sinceCandidate = 0;
        for (Number at = start; at != kNone; at = runs_[at].next) {
            Run& run = runs_[at];
            const bool isCandidate = run.candidate == stamp_;
            if (isCandidate) {
                if (run.visited == stamp_ && at != start) break;
                run.visited = stamp_;
                sinceCandidate = 0;
            } else if (++sinceCandidate > span) {
                break;
            }
            if (isCandidate && blocked == 0) {
                taken.push_back(at);
                blocked = span;
            } else if (blocked > 0) {
                --blocked;
            }
        }
    }

    std::vector<TextPart> parts = splitAtFieldMarks(storeValue(value));
    for (Number run : taken) replaceAt(run, span, parts);
}

void OutputBuffer::replaceAt(Number run, std::size_t runCount, const std::vector<TextPart>& value) {
    // The text "0x03 run 0x03 ... run 0x03" goes; the value's first part joins the
    // run on the left, its last part the run on the right.
    const Number left = runs_[run].prev;
    Number right = run;
    for (std::size_t k = 0; k < runCount; ++k) {
        const Number next = runs_[right].next;
        unindex(right);
        unlink(right);
        right = next;
    }
    unindex(left);
    unindex(right);

    Number current = left;
    addText(current, value[0].text, value[0].hash);
    std::vector<Number> created;
    for (std::size_t k = 1; k < value.size(); ++k) {
        current = newRunAfter(current);
        addText(current, value[k].text, value[k].hash);
        created.push_back(current);
    }
    // Join the right-hand run to the current one.
    appendRun(current, right);
    unlink(right);

    reindex(left);
    for (Number c : created) reindex(c);
    reindex(current);
}

std::string_view OutputBuffer::storeValue(std::string_view value) {
    // Blocks grow from 4 KiB to 1 MiB, so a few short values cost little.
    constexpr std::size_t kFirstBlock = 4096, kLargestBlock = 1024 * 1024;
    if (valueBlocks_.empty() ||
        valueBlocks_.back().capacity() - valueBlocks_.back().size() < value.size()) {
        const std::size_t block = valueBlocks_.empty()
                                      ? kFirstBlock
                                      : std::min(kLargestBlock, 2 * valueBlocks_.back().capacity());
        valueBlocks_.emplace_back().reserve(std::max(block, value.size()));
    }
    std::string& block = valueBlocks_.back();
    const std::size_t at = block.size();
    block.append(value);  // within the reserved room: earlier views stay valid
    return std::string_view(block).substr(at, value.size());
}

void OutputBuffer::dropIndex() {
    for (Number run = first_; run != kNone; run = runs_[run].next)
        runs_[run].bucketPrev = runs_[run].bucketNext = kNone;
    freeStorage(slots_);
    usedSlots_ = 0;
}

std::string OutputBuffer::take() {
    std::string text;
    std::size_t size = 0;
    for (Number run = first_; run != kNone; run = runs_[run].next) size += runs_[run].length + 1;
    text.reserve(size);
    for (Number run = first_; run != kNone; run = runs_[run].next) {
        for (Number p = runs_[run].head; p != kNone; p = pieces_[p].next)
            text.append(pieces_[p].text, pieces_[p].size);
        if (runs_[run].next != kNone) text.push_back(kFieldMark);
    }
    reset();
    return text;
}

}  // namespace RepoRTF_interface::detail
