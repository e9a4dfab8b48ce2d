#pragma once
// What the two charts draw, computed from the frame table: the parameter lines
// over the frames, the date marks, and the coordinate-protection limit bands.
// The window copies these points into its chart series as they are.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace recorder {

struct ChartPoint {
    double x = 0;
    double y = 0;
};

struct DateMark {
    int x = 0;
    std::string label;  // DD.MM.YY
};

// One upright limit mark at a frame: green for an entered limit, red for a triggered one.
struct LimitMark {
    int x = 0;
    bool triggered = false;
};

struct ParameterChartData {
    // One point per loaded frame each, in frame order.
    std::vector<ChartPoint> limit100;     // "Предел 100%": (n, 100)
    std::vector<ChartPoint> loadPercent;  // (n, LoadPercent)
    std::vector<ChartPoint> loadMass;     // (n, LoadMass)
    std::vector<ChartPoint> boomLength;   // (n, BoomLength)
    std::vector<ChartPoint> radius;       // (n, Radius)
    std::vector<ChartPoint> axis;         // "Осевая": (n, 0)
    std::vector<DateMark> dateMarks;      // only where the date changes between good frames
};

struct ProtectionChartData {
    // Levels 1..4: wall, ceiling, turn to the left, turn to the right. Within a
    // frame the entered mark comes before the triggered one, so red is drawn last.
    std::array<std::vector<LimitMark>, 4> limits;
    std::vector<ChartPoint> axis;  // "Осевая": (n, 0)
};

inline constexpr const char* kParameterChartInitialTitle =
    "Графики временной зависимости регистрируемых параметров";
inline constexpr const char* kProtectionChartTitle = "Графики работы координатной защиты";

// The lowest and highest y of a series; nothing for an empty series.
struct ValueSpan {
    double low = 0;
    double high = 0;
};
std::optional<ValueSpan> valueSpan(const std::vector<ChartPoint>& points);

ParameterChartData parameterChartData(const Reading& reading);
ProtectionChartData protectionChartData(const Reading& reading);

// "График параметров работы крана <model> №<number> по данным РП ТИРС-48 №<serial> (по кадрам)"
// from the identification texts as shown.
std::string parameterChartTitle(const Reading& reading);

// Which lines of the parameter chart are shown, for the read-out at the pointer.
struct ShownLines {
    bool loadPercent = true, loadMass = true, boomLength = false, radius = false;
};

// The read-out of one frame at the pointer: its number, date and time, then
// the values of the shown lines, one per line ("M = 43 %", "Q = 4,83 т").
std::string frameReadout(const FrameRecord& frame, const ShownLines& shown,
                         const NumberFormat& format);

}  // namespace recorder
