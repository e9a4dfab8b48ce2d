#include "recorder/chart_data.h"

#include <algorithm>

namespace recorder {

std::optional<ValueSpan> valueSpan(const std::vector<ChartPoint>& points) {
    if (points.empty()) return std::nullopt;
    ValueSpan span{points.front().y, points.front().y};
    for (const ChartPoint& p : points) {
        span.low = std::min(span.low, p.y);
        span.high = std::max(span.high, p.y);
    }
    return span;
}

ParameterChartData parameterChartData(const Reading& reading) {
    ParameterChartData d;
    const int n = std::clamp(reading.FrameCount, 0, static_cast<int>(reading.FrameTable.size()));
    for (auto* series :
         {&d.limit100, &d.loadPercent, &d.loadMass, &d.boomLength, &d.radius, &d.axis})
        series->reserve(static_cast<std::size_t>(n));

    // The last date starts as frame 0's, so frame 0 never gets a mark; a bad
    // frame neither gets a mark nor changes the last date.
    std::string lastDate = n > 0 ? reading.FrameTable[0].Date : std::string();
    for (int i = 0; i < n; ++i) {
        const FrameRecord& f = reading.FrameTable[static_cast<std::size_t>(i)];
        const double x = f.Number;
        d.loadMass.push_back({x, f.LoadMass});
        d.limit100.push_back({x, 100});
        d.loadPercent.push_back({x, static_cast<double>(f.LoadPercent)});
        d.boomLength.push_back({x, f.BoomLength});
        d.radius.push_back({x, f.Radius});
        d.axis.push_back({x, 0});
        if (f.Date != lastDate && f.Status == kStatusGood) {
            lastDate = f.Date;
            d.dateMarks.push_back({f.Number, lastDate});
        }
    }
    return d;
}

ProtectionChartData protectionChartData(const Reading& reading) {
    ProtectionChartData d;
    const int n = std::clamp(reading.FrameCount, 0, static_cast<int>(reading.FrameTable.size()));
    d.axis.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        const FrameRecord& f = reading.FrameTable[static_cast<std::size_t>(i)];
        const std::string& bits = f.LimitBits;  // character 1 is bit 7, character 8 bit 0
        d.axis.push_back({static_cast<double>(f.Number), 0});
        if (bits.size() != 8) continue;
        for (int level = 0; level < 4; ++level) {
            const char entered = bits[static_cast<std::size_t>(7 - level)];    // bits 0..3
            const char triggered = bits[static_cast<std::size_t>(3 - level)];  // bits 4..7
            auto& marks = d.limits[static_cast<std::size_t>(level)];
            if (entered == '1') marks.push_back({f.Number, false});
            if (triggered == '1') marks.push_back({f.Number, true});
        }
    }
    return d;
}

std::string parameterChartTitle(const Reading& reading) {
    return "График параметров работы крана " + reading.texts.get(display::kCraneModel) + " №" +
           reading.texts.get(display::kCraneNumber) + " по данным РП ТИРС-48 №" +
           reading.texts.get(display::kLimiterSerialNumber) + " (по кадрам)";
}

std::string frameReadout(const FrameRecord& frame, const ShownLines& shown,
                         const NumberFormat& format) {
    std::string text =
        "Кадр " + std::to_string(frame.Number) + "\n" + frame.Date + " " + frame.Time;
    if (shown.loadPercent) text += "\nM = " + std::to_string(frame.LoadPercent) + " %";
    if (shown.loadMass) text += "\nQ = " + formatFixed(frame.LoadMass, 2, format) + " т";
    if (shown.boomLength) text += "\nL = " + formatFixed(frame.BoomLength, 2, format) + " м";
    if (shown.radius) text += "\nR = " + formatFixed(frame.Radius, 2, format) + " м";
    return text;
}

}  // namespace recorder
