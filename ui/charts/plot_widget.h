#pragma once
// A chart drawn with QPainter: a title over a plot with a value axis at the
// left and one at the bottom (numbers or dates, light grid lines at the
// ticks), its series drawn in the order they were added, clipped to the plot,
// and an optional legend row under it. Only the points within the shown x range
// are drawn, and a line with many more points than the plot has pixel columns
// is drawn through the first, lowest, highest and last point of each column,
// which looks the same at a fraction of the cost.

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "ui/charts/plot_series.h"

class PlotWidget : public QWidget {
    Q_OBJECT

  public:
    explicit PlotWidget(QWidget* parent = nullptr);
    ~PlotWidget() override;

    // Drawn over the series added before it.
    PlotSeries* addSeries(const QString& name, const QString& title = {});
    QList<PlotSeries*> series() const;
    // The series of that name, or null.
    PlotSeries* findSeries(const QString& name) const;
    void removeAllSeries();

    PlotAxis& axisX() { return x_; }
    PlotAxis& axisY() { return y_; }
    const PlotAxis& axisX() const { return x_; }
    const PlotAxis& axisY() const { return y_; }

    const QString& title() const { return title_; }
    void setTitle(const QString& title);
    const QFont& titleFont() const { return titleFont_; }
    void setTitleFont(const QFont& font);
    QColor titleColour() const { return titleColour_; }
    void setTitleColour(QColor colour);
    // The font of the axis numbers, the axis titles, the legend and the point labels.
    const QFont& axisFont() const { return axisFont_; }
    void setAxisFont(const QFont& font);
    bool isLegendVisible() const { return legend_; }
    void setLegendVisible(bool visible);
    // Smooth lines; without it every line stays one crisp pixel wide.
    void setAntialiased(bool on);

    // The rectangle inside the axes, in the widget's coordinates.
    QRectF plotArea() const;
    // Between values and the widget's coordinates.
    QPointF mapToPosition(QPointF value) const;
    QPointF mapToValue(QPointF position) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Frame;  // where each part of the chart goes at the present size
    Frame layoutFrame() const;
    QPointF mapIn(const QRectF& plot, QPointF value) const;
    void paintTitle(QPainter& painter, const Frame& frame) const;
    void paintAxes(QPainter& painter, const Frame& frame) const;
    void paintSeries(QPainter& painter, const QRectF& plot, const PlotSeries& series) const;
    void paintMarkers(QPainter& painter, const QRectF& plot, const PlotSeries& series) const;
    void paintPointLabels(QPainter& painter, const QRectF& plot, const PlotSeries& series) const;
    void paintLegend(QPainter& painter, const Frame& frame) const;
    // The indices of the first and last point that may show in the x range.
    std::pair<qsizetype, qsizetype> shownIndices(const PlotSeries& series) const;

    PlotAxis x_{this}, y_{this};
    std::vector<std::unique_ptr<PlotSeries>> series_;
    QString title_;
    QFont titleFont_, axisFont_;
    QColor titleColour_{Qt::black};
    bool legend_ = false;
    bool antialiased_ = true;
};
