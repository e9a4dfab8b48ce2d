#include "ui/charts/frame_chart_view.h"

#include <QMouseEvent>
#include <QRubberBand>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/charts/chart_style.h"

namespace {

// About eight labels over the span, never a fraction of a frame.
double frameTickStep(double span) {
    return niceStep(std::max(span / 8, 1.0));
}

// Pixels the mouse must travel before a press becomes a drag.
constexpr int kDragThreshold = 4;

}  // namespace

FrameChartView::FrameChartView(QWidget* parent)
    : PlotWidget(parent), band_(new QRubberBand(QRubberBand::Rectangle, this)) {
    // Every line one crisp pixel wide, as the frames are many.
    setAntialiased(false);
    setFrameRange(wholeFirst_, wholeLast_);
    setMouseTracking(true);
}

void FrameChartView::setWholeRange(double first, double last) {
    wholeFirst_ = first;
    wholeLast_ = std::max(last, first + 1);
}

void FrameChartView::showWhole() {
    setFrameRange(wholeFirst_, wholeLast_);
    if (zoomed_) {
        zoomed_ = false;
        emit zoomChanged(false);
    }
}

void FrameChartView::showFrames(double first, double last) {
    if (last < first) std::swap(first, last);
    first = std::max(first, wholeFirst_);
    last = std::min(last, wholeLast_);
    if (last - first < kNarrowestStretch) {
        const double middle = (first + last) / 2;
        first = std::max(wholeFirst_, middle - kNarrowestStretch / 2);
        last = std::min(wholeLast_, first + kNarrowestStretch);
    }
    setFrameRange(first, last);
    if (!zoomed_) {
        zoomed_ = true;
        emit zoomChanged(true);
    }
}

void FrameChartView::setFrameRange(double first, double last) {
    axisX().setTickInterval(frameTickStep(last - first));
    axisX().setRange(first, last);
}

QRect FrameChartView::bandRect(int x) const {
    const QRect plot = plotArea().toRect();
    const int left = std::clamp(std::min(x, pressPos_.x()), plot.left(), plot.right());
    const int right = std::clamp(std::max(x, pressPos_.x()), plot.left(), plot.right());
    return QRect(QPoint(left, plot.top()), QPoint(right, plot.bottom()));
}

void FrameChartView::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        dragging_ = false;
        pressPos_ = pos;
        event->accept();
    } else if (event->button() == Qt::RightButton) {
        showWhole();
        event->accept();
    } else {
        PlotWidget::mousePressEvent(event);
    }
}

void FrameChartView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) {
        const QPoint pos = event->position().toPoint();
        emit hovered(pos, true);
        return PlotWidget::mouseMoveEvent(event);
    }
    const QPoint pos = event->position().toPoint();
    if (!dragging_ && std::abs(pos.x() - pressPos_.x()) >= kDragThreshold) dragging_ = true;
    if (dragging_) {
        band_->setGeometry(bandRect(pos.x()));
        band_->show();
    }
    event->accept();
}

void FrameChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return PlotWidget::mouseReleaseEvent(event);
    pressed_ = false;
    const QPoint pos = event->position().toPoint();
    if (dragging_) {
        band_->hide();
        dragging_ = false;
        const QRect band = bandRect(pos.x());
        if (band.width() >= kDragThreshold) showFrames(frameAt(band.left()), frameAt(band.right()));
    } else {
        emit clickedAt(pos);
    }
    event->accept();
}

void FrameChartView::leaveEvent(QEvent* event) {
    emit hovered({}, false);
    PlotWidget::leaveEvent(event);
}

void FrameChartView::wheelEvent(QWheelEvent* event) {
    const double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return PlotWidget::wheelEvent(event);
    event->accept();
    // The frame under the pointer keeps its place; the stretch either side of
    // it shrinks (wheel away from the user) or grows.
    const double factor = std::pow(kWheelZoom, notches);
    const double first = axisX().min(), last = axisX().max();
    const double at = std::clamp(frameAt(event->position().toPoint().x()), first, last);
    const double newFirst = at - (at - first) * factor;
    const double newLast = at + (last - at) * factor;
    if (newFirst <= wholeFirst_ && newLast >= wholeLast_)
        showWhole();
    else
        showFrames(newFirst, newLast);
}
