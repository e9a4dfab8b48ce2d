#include "rtf/detail/template_pass.h"

#include <cstring>

#include "rtf/detail/markers.h"
#include "rtf/report_messages.h"

namespace RepoRTF_interface::detail {

namespace {

constexpr std::string_view kCharsetOld = "\\fcharset0";
constexpr std::string_view kCharsetNew = "\\fcharset204";
constexpr std::size_t npos = std::string::npos;
// What ends an RTF control word inside a field name: a blank, or a line break, which
// some word processors write instead (RTF itself ignores both there).
constexpr std::string_view kControlWordEnd = " \r\n";

bool isNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Remembers where the next "}" after a position is, so that trimming after many
// block fields scans the template once.
class BraceFinder {
  public:
    explicit BraceFinder(const std::string& text) : text_(text) {}
    std::size_t nextFrom(std::size_t from) {
        if (!(from >= from_ && (at_ == npos || from <= at_))) {
            from_ = from;
            at_ = text_.find('}', from);
        }
        return at_;
    }

  private:
    const std::string& text_;
    std::size_t from_ = npos;
    std::size_t at_ = npos;
};

// The template being converted: `out` is finished text (the template's own text
// in it escaped, see markers.h), `pending` is inserted text that the search starts
// in (it holds no whole delimiter and no marker, but a delimiter may begin in it
// and end in the source), and the source is read from `read` on.
class TemplatePass {
  public:
    TemplatePass(const std::string& source, const TemplatePassContext& context)
        : src_(source), ctx_(context), braces_(source) {
        // The converted text is about as long as the source: no regrowth copies.
        out_.reserve(source.size() + 64);
    }

    std::string run() {
        for (;;) {
            if (delim_.empty()) break;
            std::size_t afterOpen;
            if (!findOpening(afterOpen)) break;
            std::size_t close = src_.find(delim_, afterOpen);
            if (close == npos) throw RepoRTF_Error(messages::kStructure);
            read_ = close + delim_.size();
            std::string inserted =
                replacement(std::string_view(src_).substr(afterOpen, close - afterOpen));
            // The search resumes at the inserted text, except when the delimiter
            // occurs in it (the pass would then take its own output for a field
            // again and again) or when it is a marker: a marker is whole, no
            // delimiter begins or ends inside it.
            if (!delim_.empty() &&
                (inserted.find(delim_) != npos || inserted.find_first_of("\x02\x03") != npos)) {
                out_ += inserted;
            } else {
                pending_ = std::move(inserted);
            }
        }
        out_ += pending_;
        appendEscaped(out_, std::string_view(src_).substr(read_));
        return std::move(out_);
    }

  private:
    // Finds the next opening delimiter; on success everything before it is in
    // out_ and afterOpen is the source position just after it.
    bool findOpening(std::size_t& afterOpen) {
        const std::size_t d = delim_.size();
        if (!pending_.empty() && d > 1) {
            // An occurrence that begins in the pending text and ends in the source.
            std::size_t first = pending_.size() > d - 1 ? pending_.size() - (d - 1) : 0;
            for (std::size_t k = first; k < pending_.size(); ++k) {
                std::size_t inPending = pending_.size() - k;
                std::size_t inSource = d - inPending;
                if (read_ + inSource > src_.size()) continue;
                if (std::string_view(pending_).substr(k) ==
                        std::string_view(delim_).substr(0, inPending) &&
                    std::string_view(src_).substr(read_, inSource) ==
                        std::string_view(delim_).substr(inPending)) {
                    out_.append(pending_, 0, k);
                    pending_.clear();
                    afterOpen = read_ + inSource;
                    return true;
                }
            }
        }
        out_ += pending_;
        pending_.clear();
        std::size_t p = src_.find(delim_, read_);
        if (p == npos) return false;
        appendEscaped(out_, std::string_view(src_).substr(read_, p - read_));
        afterOpen = p + d;
        return true;
    }

    std::string replacement(std::string_view field) {
        std::string name(field);
        if (name.starts_with("FONT=")) {
            name.erase(0, 5);
            if (ctx_.registerFont && *ctx_.registerFont) (*ctx_.registerFont)(name);
        }
        if (name.empty()) {
            std::string r;
            appendHexEscape(r, delim_[0]);
            return r;
        }
        if (name[0] == '@') {
            delim_ = name.substr(1);
            return {};
        }
        if (name.find("\\'") == npos) name = cleanFieldName(name);
        if (auto tag = blockFieldTag(name)) {
            if (ctx_.rtf) trimAfterBlockField();
            return *tag;
        }
        if (name == "DATE") return ctx_.date;
        if (name == "TIME") return ctx_.time;
        if (name == "EOP") return ctx_.rtf ? "{\\page}" : "\f";
        return fieldMarker(name);
    }

    // A block marker that stands in a paragraph of its own takes the rest of that
    // paragraph with it: a "}" right after the field goes, then the text up to the
    // next "}" (or up to the next delimiter, when that comes first).
    void trimAfterBlockField() {
        if (read_ < src_.size() && src_[read_] == '}') ++read_;
        std::size_t brace = braces_.nextFrom(read_);
        if (brace == npos) return;
        std::string_view before =
            std::string_view(src_).substr(read_, brace - read_ + delim_.size() - 1);
        std::size_t d = before.find(delim_);
        read_ = (d != npos && read_ + d < brace) ? read_ + d : brace;
    }

    const std::string& src_;
    const TemplatePassContext& ctx_;
    BraceFinder braces_;
    std::string delim_ = "#";
    std::string out_;
    std::string pending_;
    std::size_t read_ = 0;
};

}  // namespace

std::string rewriteCharset(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t from = 0;
    for (;;) {
        std::size_t at = text.find(kCharsetOld, from);
        if (at == npos) break;
        out.append(text.substr(from, at - from));
        out.append(kCharsetNew);
        from = at + kCharsetOld.size();
    }
    out.append(text.substr(from));
    return out;
}

void rewriteCharsetInPlace(std::string& text) {
    std::size_t count = 0;
    for (std::size_t at = text.find(kCharsetOld); at != npos;
         at = text.find(kCharsetOld, at + kCharsetOld.size()))
        ++count;
    if (count == 0) return;
    const std::size_t grow = kCharsetNew.size() - kCharsetOld.size();
    const std::size_t oldSize = text.size();
    if (text.capacity() < oldSize + count * grow) {
        text = rewriteCharset(text);
        return;
    }
    // Moved from the back, each occurrence found by searching backwards.
    text.resize(oldSize + count * grow);
    std::size_t read = oldSize;  // text[0, read) is still unmoved
    std::size_t write = text.size();
    while (count > 0) {
        const std::size_t at = text.rfind(kCharsetOld, read - kCharsetOld.size());
        const std::size_t tail = read - (at + kCharsetOld.size());
        write -= tail;
        std::memmove(text.data() + write, text.data() + at + kCharsetOld.size(), tail);
        write -= kCharsetNew.size();
        std::memcpy(text.data() + write, kCharsetNew.data(), kCharsetNew.size());
        read = at;
        --count;
    }
}

std::string cleanFieldName(std::string_view name) {
    std::string clean;
    std::size_t nextSpace = 0, nextBrace = 0;  // search positions, only ever move forward
    // "space" below stands for any character of kControlWordEnd.
    std::size_t spaceAt = npos, braceAt = npos;
    bool spaceKnown = false, braceKnown = false;
    std::size_t i = 0;
    while (i < name.size()) {
        char c = name[i];
        if (isNameChar(c)) {
            clean.push_back(c);
            ++i;
        } else if (c == '{' || c == '\\') {
            if (!spaceKnown || (spaceAt != npos && spaceAt <= i)) {
                nextSpace = std::max(nextSpace, i + 1);
                spaceAt = name.find_first_of(kControlWordEnd, nextSpace);
                spaceKnown = true;
            }
            if (spaceAt != npos) {
                i = spaceAt + 1;
                continue;
            }
            if (!braceKnown || (braceAt != npos && braceAt <= i)) {
                nextBrace = std::max(nextBrace, i + 1);
                braceAt = name.find('}', nextBrace);
                braceKnown = true;
            }
            i = braceAt != npos ? braceAt + 1 : i + 1;
        } else {
            ++i;
        }
    }
    return clean;
}

std::optional<std::string> blockFieldTag(std::string_view name) {
    if (name.empty()) return std::nullopt;
    std::string_view digits = name;
    bool leadingD = false;
    if (digits.front() == 'D') {
        digits.remove_prefix(1);
        leadingD = true;
    } else if (digits.back() == 'D') {
        digits.remove_suffix(1);
    }
    for (char c : digits)
        if (!isDigit(c)) return std::nullopt;
    if (leadingD) digits = digits.substr(0, 7);
    while (!digits.empty() && digits.front() == '0') digits.remove_prefix(1);
    if (digits.empty()) return std::string();
    return blockTagFromDigits(digits);
}

std::string runTemplatePass(const std::string& text, const TemplatePassContext& context) {
    return TemplatePass(text, context).run();
}

}  // namespace RepoRTF_interface::detail
