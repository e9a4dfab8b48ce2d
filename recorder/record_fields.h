#pragma once
// The fields of frame and overload records as rows of a view: their names,
// row captions, kinds and the text each row shows. The frame and overload
// grids, the printed reports and the command-line tool share these.

#include <array>
#include <string>

#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

enum class FieldKind { Integer, Number, Text };

struct RecordField {
    const char* name;  // the record's field name, e.g. "BoomAngle"
    const char* caption;  // the row caption of the view, e.g. "Угол наклона стрелы, град"
    FieldKind kind;
};

// A field's value: the integer, the float or the text, by kind.
struct FieldValue {
    FieldKind kind = FieldKind::Integer;
    long long integer = 0;
    float number = 0;
    const std::string* text = nullptr;
};

inline constexpr int kFrameFieldCount = 21;
inline constexpr int kOverloadFieldCount = 7;

// Frame fields in record order (row r of the frame grid is field r).
const std::array<RecordField, kFrameFieldCount>& frameFields();
FieldValue frameFieldValue(const FrameRecord& frame, int field);

// Overload fields in record order, and the overload grid's rows, which list
// them in another order: row r shows field overloadRowField(r).
const std::array<RecordField, kOverloadFieldCount>& overloadFields();
FieldValue overloadFieldValue(const OverloadRecord& record, int field);
int overloadRowField(int row);
const char* overloadRowCaption(int row);

// What a pointed cell of the frame grid means, for its hint: the coordinate
// protection limits entered and triggered, the bits set in the other bit
// strings, the fault code. Empty for rows without codes.
std::string frameCellExplanation(const FrameRecord& frame, int row);

// The text a grid cell shows: integers in decimal, numbers as "#0.00", texts as they are.
std::string fieldText(const FieldValue& value, const NumberFormat& format);

}  // namespace recorder
