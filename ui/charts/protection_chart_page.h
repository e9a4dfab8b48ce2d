#pragma once
// "Координатная защита": the four coordinate-protection limits over the frames,
// each a band of upright marks at its level (green where the limit is entered,
// red where it triggered), with the legend line under the chart.

#include <QWidget>
#include <array>

namespace recorder {
class Reading;
}
class FrameChartView;
class PlotAxis;
class PlotSeries;
class QLabel;
class QPushButton;

class ProtectionChartPage : public QWidget {
    Q_OBJECT

  public:
    // The marks of one limit: entered (green) and triggered (red). All red marks
    // are drawn after all green ones, so a frame with both shows red.
    struct LimitSeries {
        PlotSeries* entered = nullptr;
        PlotSeries* triggered = nullptr;
    };

    explicit ProtectionChartPage(QWidget* parent = nullptr);

    // Rebuilds every series from a freshly loaded reading and shows all frames.
    void fill(const recorder::Reading& reading);

    // Limits 1 to 4: "1 - СТЕНА", "2 - ПОТОЛОК", "3 - Поворот ВЛЕВО", "4 - Поворот ВПРАВО".
    const LimitSeries& limit(int level) const {
        return limits_[static_cast<std::size_t>(level - 1)];
    }

    FrameChartView* Chart_KZ = nullptr;
    PlotAxis* axisFrames = nullptr;
    PlotAxis* axisLevels = nullptr;
    PlotSeries* axisLine = nullptr;   // "Осевая", named "Series10"
    QLabel* legendCaption = nullptr;  // the four titles in one line, object name "Label40"
    QPushButton* Button_WholeRange = nullptr;

  private:
    std::array<LimitSeries, 4> limits_{};
};
