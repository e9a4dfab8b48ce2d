#include "ui/main_window/band_gauge.h"

#include <QPainter>
#include <algorithm>

BandGauge::BandGauge(const QColor& colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMinimumHeight(6);
}

void BandGauge::setProgress(int value) {
    value = std::clamp(value, 0, 100);
    if (value == progress_) return;
    progress_ = value;
    update();
}

void BandGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame, Qt::white);
    const int filled = frame.width() * progress_ / 100;
    if (filled > 0)
        painter.fillRect(QRect(frame.left(), frame.top(), filled, frame.height()), colour_);
    painter.setPen(QColor(128, 128, 128));
    painter.drawRect(frame);
}
