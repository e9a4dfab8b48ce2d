#pragma once
// "Параметры": the chart of the crane's load, load percentage, boom length and
// radius over the frames, with the check boxes under it that show and hide its
// lines and serve as its legend. A click on a point asks for the frame view at
// that frame.

#include <QPointF>
#include <QWidget>
#include <array>
#include <optional>

#include "recorder/chart_data.h"

namespace recorder {
class Reading;
}
class FrameChartView;
class PlotAxis;
class PlotSeries;
class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

class ParameterChartPage : public QWidget {
    Q_OBJECT

  public:
    explicit ParameterChartPage(QWidget* parent = nullptr);

    // Rebuilds every series and the title from a freshly loaded reading, shows
    // all frames, then applies the check boxes.
    void fill(const recorder::Reading& reading);
    // "Очистить": the frame axis goes back to its automatic range.
    void resetFrameAxis();
    // Shows only frames `first` to `last` (a zoom, undone by the automatic range).
    void showFrames(double first, double last);

    // The frame a click at `position` (the chart's coordinates) hits: the nearest
    // point of a shown series within a few pixels, or nothing.
    std::optional<int> frameAt(QPointF position) const;

    FrameChartView* Chart_Param = nullptr;
    PlotAxis* axisFrames = nullptr;
    PlotAxis* axisValues = nullptr;
    // Their names are the form's own ("Series1" ... "Series18"; the object names
    // "Panel6", "Label33"), so a test or a screenshot still finds them by name.
    PlotSeries* limit100Line = nullptr;     // "Предел 100%"
    PlotSeries* loadPercentLine = nullptr;  // "Процент загрузки M (%)"
    PlotSeries* loadMassLine = nullptr;     // "Груз Q (т.)"
    PlotSeries* boomLengthLine = nullptr;   // "Длина стрелы L (т.)"
    PlotSeries* radiusLine = nullptr;       // "Вылет R (т.)"
    PlotSeries* axisLine = nullptr;         // "Осевая"
    // "Дата": black circles without a line, each labelled with its date over an arrow.
    PlotSeries* dateMarks = nullptr;

    QFrame* legendPanel = nullptr;   // the captions under the chart, its legend
    QLabel* limitCaption = nullptr;  // "------- 100%"
    QCheckBox* CheckBox_GrParM = nullptr;
    QCheckBox* CheckBox_GrParQ = nullptr;
    QCheckBox* CheckBox_GrParR = nullptr;
    QCheckBox* CheckBox_GrParL = nullptr;
    QCheckBox* CheckBox_Data = nullptr;
    QPushButton* Button_WholeRange = nullptr;
    // The read-out at the pointer: frame number, date, time and the shown values.
    QLabel* hoverReadout = nullptr;

  public slots:
    // Shows each series as its check box says and fits the value axis to what is shown.
    void CheckBox_GrParClick();

  signals:
    // A point of `frame` was clicked: the frame view is to show that frame.
    void frameClicked(int frame);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The lines, the date marks and the two axes, in drawing order.
    void buildSeriesAndAxes();
    // The coloured captions under the chart that switch its lines on and off.
    void buildLegendPanel();
    void Chart_ParamClickSeries(QPointF position);
    void showReadout(QPoint position, bool inside);

    const recorder::Reading* reading_ = nullptr;
    std::array<PlotSeries*, 7> allSeries() const;

    // Lowest and highest value of each series, for the automatic value axis.
    std::array<std::optional<recorder::ValueSpan>, 7> spans_{};
};
