// Filling and first drawing of both charts with a full frame table (7293
// frames), as the window does at the end of "Открыть" and when the chart page
// is first shown. Prints milliseconds per round and the median of the rounds.

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "recorder/loader.h"
#include "simulation/sample_reading/sample_reading.h"
#include "ui/charts/frame_chart_view.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/charts/protection_chart_page.h"

namespace {

struct Round {
    double fill = 0, draw = 0;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double millis(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// A fresh page shown at the size the main window gives it, filled, then painted once.
template <typename Page, typename View>
Round measure(const recorder::Reading& reading, View* Page::*view) {
    Page page;
    page.resize(760, 520);
    page.show();
    QApplication::processEvents();
    Round round;
    QElapsedTimer clock;
    clock.start();
    page.fill(reading);
    round.fill = millis(clock);
    clock.restart();
    QApplication::processEvents();
    (page.*view)->repaint();
    round.draw = millis(clock);
    return round;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    sample::SampleOptions options;
    options.bufferFrames = 33;  // the full table of 7293 frames
    recorder::Reading reading;
    recorder::loadReading(recorder::DataFile(sample::makeSampleReading(options)), reading, {','});
    std::printf("frames: %d\n", reading.FrameCount);

    constexpr int kRounds = 7;
    std::vector<double> fills[2], draws[2], totals;
    for (int i = 0; i < kRounds; ++i) {
        const Round p = measure(reading, &ParameterChartPage::Chart_Param);
        const Round k = measure(reading, &ProtectionChartPage::Chart_KZ);
        std::printf("round %d: parameters fill %.1f draw %.1f; protection fill %.1f draw %.1f ms\n",
                    i + 1, p.fill, p.draw, k.fill, k.draw);
        fills[0].push_back(p.fill);
        draws[0].push_back(p.draw);
        fills[1].push_back(k.fill);
        draws[1].push_back(k.draw);
        totals.push_back(p.fill + p.draw + k.fill + k.draw);
    }
    std::printf(
        "median: parameters fill %.1f draw %.1f; protection fill %.1f draw %.1f; "
        "both charts %.1f ms\n",
        median(fills[0]), median(draws[0]), median(fills[1]), median(draws[1]), median(totals));
    return 0;
}
