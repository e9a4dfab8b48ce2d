#include "rtf/detail/data_lines.h"

#include <algorithm>

#include "rtf/detail/markers.h"
#include "rtf/detail/oem_codepage.h"

namespace RepoRTF_interface::detail {

std::string_view DataLineReader::next() {
    if (at_ >= text_.size()) {
        atEnd_ = true;
        return {};
    }
    const std::size_t from = at_;
    std::size_t lf = text_.find('\n', at_);
    if (lf == std::string::npos) {
        lf = text_.size();
        at_ = text_.size();
        atEnd_ = true;
    } else {
        at_ = lf + 1;
    }
    if (oem_) {
        for (std::size_t i = from; i < lf; ++i)
            text_[i] = static_cast<char>(oemToAnsi(static_cast<unsigned char>(text_[i])));
    }
    return std::string_view(text_).substr(from, lf - from);
}

std::int64_t parseLevel(std::string_view text) {
    constexpr std::int64_t kLimit = 1'000'000'000;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(kLimit, value * 10 + (text[i] - '0'));
    return negative ? -value : value;
}

bool takePair(std::string_view& rest, DataPair& pair) {
    pair = DataPair{};
    std::size_t colon = rest.find(':');
    if (colon == std::string_view::npos || colon < 1) return false;
    std::string_view prefix = rest.substr(0, colon + 1);
    if (prefix[0] != '|') return false;
    pair.level = parseLevel(prefix.substr(1));
    rest.remove_prefix(prefix.size());
    colon = rest.find(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    pair.hasKey = true;
    pair.key = rest.substr(0, colon);
    rest.remove_prefix(colon + 1);
    std::size_t next = rest.find(prefix);
    if (next == std::string_view::npos) {
        pair.value = rest;
        rest = {};
    } else {
        pair.value = rest.substr(0, next);
        rest.remove_prefix(next);
    }
    return true;
}

namespace {

constexpr std::string_view kLineBreak = "|EOL:";
constexpr std::string_view kPageBreak = "|EOP:";
constexpr std::string_view kBar = "|BAR:";

void appendSymbols(std::string& out, std::string_view value) {
    out += "{\\f3\\lang1033\\langfe1049\\langnp1033 ";
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value.substr(i).starts_with(kBar)) i += kBar.size() - 1;
        appendHexEscape(out, value[i]);
    }
    out += " }";
}

}  // namespace

void appendValue(std::string& out, std::string_view key, std::string_view value, bool rtf) {
    if (key.starts_with("_SYM")) {
        appendSymbols(out, value);
        return;
    }
    // The markers never overlap one another, so one pass from left to right
    // does what replacing them one kind after the other would.
    std::size_t from = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        const bool special = c == '|' || (rtf && (c == '\\' || c == '{' || c == '}'));
        if (!special) continue;
        out.append(value.substr(from, i - from));
        from = i + 1;
        const std::string_view at = value.substr(i);
        if (c != '|') {
            appendHexEscape(out, c);
        } else if (at.starts_with(kLineBreak)) {
            out += rtf ? "{\\par}" : "\n";
            i += kLineBreak.size() - 1;
        } else if (at.starts_with(kPageBreak)) {
            out += rtf ? "{\\page}" : "\f";
            i += kPageBreak.size() - 1;
        } else if (at.starts_with(kBar)) {
            out.push_back('|');
            i += kBar.size() - 1;
        } else {
            out.push_back('|');
        }
        from = i + 1;
    }
    out.append(value.substr(from));
}

}  // namespace RepoRTF_interface::detail
