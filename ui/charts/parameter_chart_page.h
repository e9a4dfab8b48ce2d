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
class DateMarksItem;
class FrameChartView;
class QChart;
class QCheckBox;
class QFrame;
class QLabel;
class QLineSeries;
class QPushButton;
class QValueAxis;
class QXYSeries;

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

    // The frame a click at `chartPosition` (chart coordinates) hits: the nearest
    // point of a shown series within a few pixels, or nothing.
    std::optional<int> frameAt(QPointF chartPosition) const;

    FrameChartView* Chart_Param = nullptr;
    QChart* chart = nullptr;
    QValueAxis* axisFrames = nullptr;
    QValueAxis* axisValues = nullptr;
    // Their object names are the form's own ("Series1" ... "Series18", "Panel6",
    // "Label33"), so a test or a screenshot still finds them by name.
    QLineSeries* limit100Line = nullptr;     // "Предел 100%"
    QLineSeries* loadPercentLine = nullptr;  // "Процент загрузки M (%)"
    QLineSeries* loadMassLine = nullptr;     // "Груз Q (т.)"
    QLineSeries* boomLengthLine = nullptr;   // "Длина стрелы L (т.)"
    QLineSeries* radiusLine = nullptr;       // "Вылет R (т.)"
    QLineSeries* axisLine = nullptr;         // "Осевая"
    QLineSeries* dateMarks = nullptr;        // "Дата": points only, no line
    DateMarksItem* dateLabels = nullptr;

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
    void Chart_ParamClickSeries(QPointF chartPosition);
    void showReadout(QPointF chartPosition, QPoint viewPosition, bool inside);

    const recorder::Reading* reading_ = nullptr;
    std::array<QXYSeries*, 7> allSeries() const;

    // Lowest and highest value of each series, for the automatic value axis.
    std::array<std::optional<recorder::ValueSpan>, 7> spans_{};
};
