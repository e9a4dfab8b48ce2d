#include "recorder/record_csv.h"

#include <charconv>

namespace recorder {
namespace {

// Only a string of binary digits is wrapped into a formula: nothing else a
// record holds can reach a spreadsheet as one.
bool binaryDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("01") == std::string::npos;
}

// ="00010001" as a quoted field: the spreadsheet's formula gives back the text
// with its leading zeros. Written here, not through csvField, which keeps a
// spreadsheet from taking the record's own texts for formulas.
std::string bitStringFormula(const std::string& bits) {
    return "\"=\"\"" + bits + "\"\"\"";
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

std::string sheetCsv(const RecordSheet& sheet, char separator) {
    const char decimal = separator == ';' ? ',' : '.';
    std::string out = kUtf8ByteOrderMark;
    for (std::size_t c = 0; c < sheet.columns.size(); ++c)
        out += (c ? std::string(1, separator) : "") + csvField(sheet.columns[c].caption, separator);
    out += "\r\n";
    for (const auto& row : sheet.rows) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            const FieldValue& v = row[c];
            if (c) out.push_back(separator);
            if (v.kind == FieldKind::Integer)
                out += std::to_string(v.integer);
            else if (v.kind == FieldKind::Number)
                out += shortestNumber(v.number, decimal);
            else if (sheet.columns[c].bits && binaryDigits(*v.text))
                out += bitStringFormula(*v.text);
            else
                out += csvField(*v.text, separator);
        }
        out += "\r\n";
    }
    return out;
}

std::string framesCsv(const std::vector<const FrameRecord*>& frames, char separator) {
    return sheetCsv(frameSheet(frames), separator);
}

std::string overloadsCsv(const std::vector<const OverloadRecord*>& records, char separator) {
    return sheetCsv(overloadSheet(records), separator);
}

}  // namespace recorder
