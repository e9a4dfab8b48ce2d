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
    if (text.find_first_of(std::string("\"\r\n") + separator) == std::string::npos) return text;
    std::string out = "\"";
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
