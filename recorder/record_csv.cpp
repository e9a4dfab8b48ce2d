#include "recorder/record_csv.h"

#include <charconv>

#include "recorder/record_fields.h"

namespace recorder {
namespace {

template <typename Record>
std::string csv(const std::vector<const Record*>& records, const RecordField* fields,
                int fieldCount, FieldValue (*get)(const Record&, int), char separator) {
    const char decimal = separator == ';' ? ',' : '.';
    std::string out;
    for (int f = 0; f < fieldCount; ++f)
        out += (f ? std::string(1, separator) : "") + fields[f].name;
    out += "\r\n";
    for (const Record* r : records) {
        for (int f = 0; f < fieldCount; ++f) {
            const FieldValue v = get(*r, f);
            if (f) out.push_back(separator);
            out += v.kind == FieldKind::Integer  ? std::to_string(v.integer)
                   : v.kind == FieldKind::Number ? shortestNumber(v.number, decimal)
                                                 : csvField(*v.text, separator);
        }
        out += "\r\n";
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number: a sign, digits with one '.' or ',' among or before them, an
// exponent.
bool isPlainNumber(const std::string& text) {
    std::size_t i = text[0] == '+' || text[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    bool separator = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i]))
            ++digits;
        else if ((text[i] == '.' || text[i] == ',') && !separator)
            separator = true;
        else
            break;
    }
    if (digits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t exponent = i;
        while (i < text.size() && isDigit(text[i])) ++i;
        if (i == exponent) return false;
    }
    return i == text.size();
}

bool startsLikeAFormula(const std::string& text) {
    if (text.empty()) return false;
    switch (text[0]) {
        case '=':
        case '@':
        case '\t':
        case '\r':
            return true;
        case '+':
        case '-':
            return !isPlainNumber(text);
        default:
            return false;
    }
}

}  // namespace

std::string shortestNumber(float value, char decimalSeparator) {
    char buffer[32];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, ec == std::errc{} ? ptr : buffer);
    if (decimalSeparator != '.')
        for (char& c : text)
            if (c == '.') c = decimalSeparator;
    return text;
}

std::string csvField(const std::string& text, char separator) {
    const bool formula = startsLikeAFormula(text);
    if (!formula && text.find_first_of(std::string("\"\r\n") + separator) == std::string::npos)
        return text;
    std::string out = formula ? "\"'" : "\"";
    for (char c : text) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    return out + "\"";
}

std::string framesCsv(const std::vector<const FrameRecord*>& frames, char separator) {
    return csv<FrameRecord>(frames, frameFields().data(), kFrameFieldCount, frameFieldValue,
                            separator);
}

std::string overloadsCsv(const std::vector<const OverloadRecord*>& records, char separator) {
    return csv<OverloadRecord>(records, overloadFields().data(), kOverloadFieldCount,
                               overloadFieldValue, separator);
}

}  // namespace recorder
