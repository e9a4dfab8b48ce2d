#include "forms/test_period.h"

#include <algorithm>

namespace forms {

TestPeriod findTestPeriod(const recorder::Reading& last, const PreviousReading& previous) {
    TestPeriod period;
    const int count = std::min<int>(last.FrameCount, static_cast<int>(last.FrameTable.size()));
    for (int slot = 0; slot < count; ++slot) {
        const recorder::FrameRecord& frame = last.FrameTable[static_cast<std::size_t>(slot)];
        if (frame.Date == previous.EndDate && frame.Time == previous.EndTime) {
            period.FirstFrame = frame.Number;
            period.found = true;
            break;
        }
    }
    // Without any loaded frame the table's first (cleared) slot stands for the end.
    const recorder::FrameRecord& end =
        last.FrameTable.at(static_cast<std::size_t>(std::max(count - 1, 0)));
    period.LastFrame = end.Number;
    period.TimeIsp = previous.EndDate + " " + previous.EndTime + " - " + end.Date + " " + end.Time;
    period.KadrIsp = std::to_string(period.FirstFrame) + " - " + std::to_string(end.Number);
    return period;
}

}  // namespace forms
