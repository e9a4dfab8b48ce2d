#include "recorder/record_sheet.h"

#include <string_view>

namespace recorder {
namespace {

SheetColumn column(const RecordField& field) {
    // The bit strings are the fields named ...Bits (KosBits, RelayBits, InputBits1 ...).
    return {field.caption, field.kind,
            std::string_view(field.name).find("Bits") != std::string_view::npos};
}

}  // namespace

RecordSheet frameSheet(const std::vector<const FrameRecord*>& frames) {
    RecordSheet sheet;
    sheet.title = "Кадры";
    for (const RecordField& field : frameFields()) sheet.columns.push_back(column(field));
    for (const FrameRecord* frame : frames) {
        auto& row = sheet.rows.emplace_back();
        for (int f = 0; f < kFrameFieldCount; ++f) row.push_back(frameFieldValue(*frame, f));
    }
    return sheet;
}

RecordSheet overloadSheet(const std::vector<const OverloadRecord*>& records) {
    RecordSheet sheet;
    sheet.title = "Перегрузки";
    for (int r = 0; r < kOverloadFieldCount; ++r)
        sheet.columns.push_back(
            column(overloadFields()[static_cast<std::size_t>(overloadRowField(r))]));
    for (const OverloadRecord* record : records) {
        auto& row = sheet.rows.emplace_back();
        for (int r = 0; r < kOverloadFieldCount; ++r)
            row.push_back(overloadFieldValue(*record, overloadRowField(r)));
    }
    return sheet;
}

}  // namespace recorder
