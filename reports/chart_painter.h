#pragma once
// A line chart drawn straight onto a page as vector strokes: caption line at
// its top edge, framed plot with a grid, axis numbers and titles, and every
// point of every series.

#include <QRectF>

class QPainter;

namespace reports {

struct ChartContent;

// The plot area (inside the axes) of a chart drawn in `rect`.
QRectF plotArea(const QRectF& rect);

void drawChart(QPainter& painter, const QRectF& rect, const ChartContent& chart);

}  // namespace reports
