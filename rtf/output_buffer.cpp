#include "rtf/output_buffer.h"

#include <algorithm>

#include "rtf/markers.h"

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
    // A large bucket array would be cleared on every flush of a block row.
    if (index_.bucket_count() > 4096) {
        index_ = {};
    } else {
        index_.clear();
    }
    runs_.emplace_back();
    first_ = last_ = &runs_.back();
}

OutputBuffer::Run* OutputBuffer::newRunAfter(Run* run) {
    Run* created = &runs_.emplace_back();
    created->prev = run;
    created->next = run->next;
    if (run->next) run->next->prev = created;
    run->next = created;
    if (last_ == run) last_ = created;
    return created;
}

void OutputBuffer::addText(Run* run, std::string_view text, const TextHash& hash) {
    if (text.empty()) return;
    Piece* piece = &pieces_.emplace_back();
    piece->text = text;
    if (run->tail) {
        run->tail->next = piece;
    } else {
        run->head = piece;
    }
    run->tail = piece;
    run->hash.append(hash);
}

void OutputBuffer::unlink(Run* run) {
    if (run->prev) run->prev->next = run->next;
    if (run->next) run->next->prev = run->prev;
    if (last_ == run) last_ = run->prev;
}

void OutputBuffer::unindex(Run* run) {
    if (!run->bucket) return;
    if (run->bucketPrev) {
        run->bucketPrev->bucketNext = run->bucketNext;
    } else {
        run->bucket->head = run->bucketNext;
    }
    if (run->bucketNext) run->bucketNext->bucketPrev = run->bucketPrev;
    run->bucket = nullptr;
    run->bucketPrev = run->bucketNext = nullptr;
}

void OutputBuffer::reindex(Run* run) {
    unindex(run);
    if (!bounded(run)) return;
    Bucket& bucket = index_[run->hash.key()];
    run->bucket = &bucket;
    run->bucketNext = bucket.head;
    if (bucket.head) bucket.head->bucketPrev = run;
    bucket.head = run;
}

void OutputBuffer::appendTemplate(std::size_t from, std::size_t to) {
    if (from >= to) return;
    const auto& marks = source_.fieldMarks();
    auto it = std::lower_bound(marks.begin(), marks.end(), from);
    auto end = std::lower_bound(it, marks.end(), to);
    index_.reserve(index_.size() + static_cast<std::size_t>(end - it));
    std::string_view text(source_.text());
    std::size_t at = from;
    for (; it != marks.end() && *it < to; ++it) {
        addText(last_, text.substr(at, *it - at), source_.hashRange(at, *it));
        Run* closed = last_;
        newRunAfter(last_);
        reindex(closed);
        at = *it + 1;
    }
    addText(last_, text.substr(at, to - at), source_.hashRange(at, to));
}

bool OutputBuffer::runEquals(const Run* run, const TextPart& part) const {
    if (run->hash.length != part.text.size() || run->hash.hash != part.hash.hash) return false;
    std::size_t at = 0;
    for (const Piece* p = run->head; p; p = p->next) {
        if (part.text.substr(at, p->text.size()) != p->text) return false;
        at += p->text.size();
    }
    return true;
}

bool OutputBuffer::matchesAt(const Run* run, const std::vector<TextPart>& parts) const {
    for (const TextPart& part : parts) {
        if (!run || !bounded(run) || !runEquals(run, part)) return false;
        run = run->next;
    }
    return true;
}

std::vector<OutputBuffer::Run*> OutputBuffer::occurrences(const SearchKey& key, bool firstOnly) {
    std::vector<Run*> found;
    const auto& parts = key.parts();
    auto bucket = index_.find(parts[0].hash.key());
    if (bucket == index_.end()) return found;
    for (Run* run = bucket->second.head; run; run = run->bucketNext) {
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
    std::vector<Run*> found = occurrences(key, false);
    if (found.empty()) return;
    const std::size_t span = key.parts().size();  // runs an occurrence consists of

    // Occurrences may overlap (they share a 0x03 at least); a left-to-right pass
    // takes one and skips those that begin inside it. An occurrence that has no
    // other within `span` runs to its left starts a chain that is walked rightwards.
    ++stamp_;
    for (Run* run : found) run->candidate = stamp_;
    std::vector<Run*> taken;
    for (Run* start : found) {
        if (start->visited == stamp_) continue;
        bool isStart = true;
        const Run* left = start->prev;
        for (std::size_t k = 0; k < span && left && isStart; ++k, left = left->prev)
            isStart = left->candidate != stamp_;
        if (!isStart) continue;
        std::size_t blocked = 0, sinceCandidate = 0;
        for (Run* run = start; run; run = run->next) {
            bool isCandidate = run->candidate == stamp_;
            if (isCandidate) {
                if (run->visited == stamp_ && run != start) break;
                run->visited = stamp_;
                sinceCandidate = 0;
            } else if (++sinceCandidate > span) {
                break;
            }
            if (isCandidate && blocked == 0) {
                taken.push_back(run);
                blocked = span;
            } else if (blocked > 0) {
                --blocked;
            }
        }
    }

    std::vector<TextPart> parts = splitAtFieldMarks(storeValue(value));
    for (Run* run : taken) replaceAt(run, span, parts);
}

void OutputBuffer::replaceAt(Run* run, std::size_t runCount, const std::vector<TextPart>& value) {
    // The text "0x03 run 0x03 ... run 0x03" goes; the value's first part joins the
    // run on the left, its last part the run on the right.
    Run* left = run->prev;
    Run* right = run;
    for (std::size_t k = 0; k < runCount; ++k) {
        Run* next = right->next;
        unindex(right);
        unlink(right);
        right = next;
    }
    unindex(left);
    unindex(right);

    Run* current = left;
    addText(current, value[0].text, value[0].hash);
    std::vector<Run*> created;
    for (std::size_t k = 1; k < value.size(); ++k) {
        current = newRunAfter(current);
        addText(current, value[k].text, value[k].hash);
        created.push_back(current);
    }
    // Join the right-hand run to the current one.
    if (right->head) {
        if (current->tail) {
            current->tail->next = right->head;
        } else {
            current->head = right->head;
        }
        current->tail = right->tail;
        current->hash.append(right->hash);
    }
    unlink(right);

    reindex(left);
    for (Run* c : created) reindex(c);
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
    for (Run* run = first_; run; run = run->next) {
        run->bucket = nullptr;
        run->bucketPrev = run->bucketNext = nullptr;
    }
    index_ = {};
}

std::string OutputBuffer::take() {
    std::string text;
    std::size_t size = 0;
    for (const Run* run = first_; run; run = run->next) size += run->hash.length + 1;
    text.reserve(size);
    for (const Run* run = first_; run; run = run->next) {
        for (const Piece* p = run->head; p; p = p->next) text.append(p->text);
        if (run->next) text.push_back(kFieldMark);
    }
    reset();
    return text;
}

}  // namespace RepoRTF_interface::detail
