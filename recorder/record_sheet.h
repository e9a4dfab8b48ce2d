#pragma once
// Frame and overload records as a table for a spreadsheet: one column per row
// of the view's grid, in the grid's order and under the grid's own captions,
// one row per record. The CSV and the Excel workbook of a saved selection are
// written from it.

#include <string>
#include <vector>

#include "recorder/reading.h"
#include "recorder/record_fields.h"

namespace recorder {

struct SheetColumn {
    const char* caption;  // the grid's row caption, e.g. "Угол наклона стрелы, град"
    FieldKind kind;
    bool bits = false;  // a bit string such as "00010001": text whose leading zeros count
};

struct RecordSheet {
    std::string title;  // "Кадры" or "Перегрузки"
    std::vector<SheetColumn> columns;
    std::vector<std::vector<FieldValue>> rows;  // values point into the records
};

RecordSheet frameSheet(const std::vector<const FrameRecord*>& frames);
RecordSheet overloadSheet(const std::vector<const OverloadRecord*>& records);

}  // namespace recorder
