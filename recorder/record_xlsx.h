#pragma once
// A record sheet (record_sheet.h) as an Excel workbook (.xlsx), for `litm
// frames|overloads --xlsx` and the window's "Сохранить выборку как Excel
// (.xlsx)…". One worksheet named after the sheet: the grid's captions in a
// bold header row that stays in view (frozen), numbers as numbers shown with
// two decimals, integers as numbers, dates, times and bit strings as text in
// their shown form, so "00010001" keeps its zeros; every column as wide as
// its texts. The workbook is made in a private temporary folder and then
// written through the safe writer, so a failed save never leaves half a file.
//
// Its own library (record_xlsx) over the C library libxlsxwriter; no Qt.

#include <filesystem>

#include "fileio/safe_write.h"
#include "recorder/record_sheet.h"

namespace recorder {

fileio::WriteResult writeSheetXlsx(const std::filesystem::path& target, const RecordSheet& sheet);

}  // namespace recorder
