// Fuzz target: a data file as the open command takes it. Every check, every
// decoder and every text a window, report or form shows from it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "recorder/chart_data.h"
#include "recorder/datafile.h"
#include "recorder/loader.h"
#include "recorder/record_fields.h"
#include "recorder/selection.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The loader keeps no more than the image and its trailer of any file.
    const recorder::DataFile file(
        std::vector<std::uint8_t>(data, data + std::min(size, recorder::kNormalFileSize)));
    static recorder::Reading reading;  // every load replaces all of it
    recorder::NumberFormat format;
    format.decimalSeparator = size % 2 ? ',' : '.';
    recorder::loadReading(file, reading, format);

    std::size_t shown = reading.addressReportText().size();
    for (const auto& [name, text] : reading.texts.entries()) shown += name.size() + text.size();
    for (const auto& line : reading.LoadErrorLog) shown += line.size();
    // The texts of the table rows, for the rows a first and a last page show and a
    // spread between (every row costs the same; all of them would slow the search).
    auto shownRow = [](int i, int count) { return i < 40 || i >= count - 40 || i % 61 == 0; };
    const auto& frameFields = recorder::frameFields();
    for (int i = 0; i < reading.FrameCount; ++i) {
        if (!shownRow(i, reading.FrameCount)) continue;
        const auto& frame = reading.FrameTable[static_cast<std::size_t>(i)];
        for (int f = 0; f < static_cast<int>(frameFields.size()); ++f)
            shown += recorder::fieldText(recorder::frameFieldValue(frame, f), format).size();
    }
    const auto& overloadFields = recorder::overloadFields();
    for (int i = 0; i < reading.OverloadCount; ++i) {
        if (!shownRow(i, reading.OverloadCount)) continue;
        const auto& record = reading.OverloadTable[static_cast<std::size_t>(i)];
        for (int f = 0; f < static_cast<int>(overloadFields.size()); ++f)
            shown += recorder::fieldText(recorder::overloadFieldValue(record, f), format).size();
    }
    shown += recorder::parameterChartTitle(reading).size();
    shown += recorder::parameterChartData(reading).dateMarks.size();
    (void)recorder::protectionChartData(reading);
    shown += static_cast<std::size_t>(recorder::selectFramesByLoad(reading, 50).count);
    shown += static_cast<std::size_t>(recorder::selectOverloadsByLoad(reading, 25).count);
    return shown == SIZE_MAX ? 1 : 0;
}
