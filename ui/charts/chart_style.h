#pragma once
// The common look of the two frame charts: title in Arial 13 px, marker images
// and the button that shows all frames.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <vector>

#include "recorder/chart_data.h"

class FrameChartView;
class QPushButton;
class QWidget;

// Title font and colour.
void styleFrameChart(FrameChartView* chart, QColor titleColour, bool boldTitle);

// The smallest step of 1, 2 or 5 times a power of ten not below `rough`.
double niceStep(double rough);

// Text colour of a label or check box caption.
void setTextColour(QWidget* widget, QColor colour);

// A date mark: a black filled circle.
inline constexpr int kDateMarkSize = 8;
QImage dateMarkImage();

// An upright limit mark 1 pixel wide and 15 tall. A marker image is stretched
// to a square of the marker size, so the mark is one coloured column in the
// middle of a transparent square.
inline constexpr int kLimitMarkHeight = 15;
QImage limitMarkImage(QColor colour);

// The core's points as a series takes them, all at once.
QList<QPointF> toQPoints(const std::vector<recorder::ChartPoint>& points);

// The frame axis of `view` spans the frames of `axis` (one point per frame) and shows them all.
void showAllFrames(FrameChartView* view, const std::vector<recorder::ChartPoint>& axis);

// Puts a chart page's content into its tab page, filling it. The window may be
// made smaller than the chart and its row of captions: they are cut then, as
// the other pages are.
void placeChartPage(QWidget* content, QWidget* page);
template <typename Page>
Page* fillChartPage(Page* content, QWidget* page) {
    placeChartPage(content, page);
    return content;
}

// "Весь диапазон": shows every frame of `view` again.
QPushButton* wholeRangeButton(QWidget* parent, FrameChartView* view);
