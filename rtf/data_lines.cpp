#include "rtf/detail/data_lines.h"

#include <algorithm>

#include "rtf/detail/markers.h"
#include "rtf/detail/oem_codepage.h"

namespace RepoRTF_interface::detail {

std::string DataLineReader::next() {
    std::string line;
    if (at_ >= text_.size()) {
        atEnd_ = true;
        return line;
    }
    std::size_t lf = text_.find('\n', at_);
    if (lf == std::string_view::npos) {
        line.assign(text_.substr(at_));
        at_ = text_.size();
        atEnd_ = true;
    } else {
        line.assign(text_.substr(at_, lf - at_));
        at_ = lf + 1;
    }
    if (oem_) oemToAnsiInPlace(line);
    return line;
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

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (text.find(from) == std::string::npos) return;
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    for (;;) {
        std::size_t found = text.find(from, at);
        if (found == std::string::npos) break;
        out.append(text, at, found - at);
        out.append(to);
        at = found + from.size();
    }
    out.append(text, at);
    text = std::move(out);
}

}  // namespace

std::string convertValue(std::string_view key, std::string_view value, bool rtf) {
    std::string out;
    if (key.starts_with("_SYM")) {
        out = "{\\f3\\lang1033\\langfe1049\\langnp1033 ";
        for (char c : value) appendHexEscape(out, c);
        out += " }";
        return out;
    }
    if (rtf) {
        out.reserve(value.size());
        for (char c : value) {
            if (c == '\\' || c == '{' || c == '}') {
                appendHexEscape(out, c);
            } else {
                out.push_back(c);
            }
        }
    } else {
        out.assign(value);
    }
    replaceAll(out, "|EOL:", rtf ? "{\\par}" : "\n");
    replaceAll(out, "|EOP:", rtf ? "{\\page}" : "\f");
    return out;
}

}  // namespace RepoRTF_interface::detail
