#pragma once
// The common look of the two frame charts: white plain background, no legend,
// title in Arial 13 px, marker images and the button that shows all frames.

#include <QColor>
#include <QImage>

class FrameChartView;
class QChart;
class QPushButton;
class QValueAxis;
class QWidget;

// Title font and colour, hidden legend, flat white background, small margins.
void styleFrameChart(QChart* chart, QColor titleColour, bool boldTitle);
void styleAxis(QValueAxis* axis);

// The smallest step of 1, 2 or 5 times a power of ten not below `rough`.
double niceStep(double rough);

// Text colour of a label or check box caption.
void setTextColour(QWidget* widget, QColor colour);

// A date mark: a black filled circle.
inline constexpr int kDateMarkSize = 8;
QImage dateMarkImage();

// An upright limit mark 1 pixel wide and 15 tall. The chart stretches a marker
// image to a square of the marker size, so the mark is one coloured column in
// the middle of a transparent square.
inline constexpr int kLimitMarkHeight = 15;
QImage limitMarkImage(QColor colour);

// "Весь диапазон": shows every frame of `view` again.
QPushButton* wholeRangeButton(QWidget* parent, FrameChartView* view);
