#include "ui/charts/plot_series.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

int decimalsFor(double step) {
    return step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

}  // namespace

void PlotAxis::changed() {
    if (owner_) owner_->update();
}

void PlotAxis::setRange(double min, double max) {
    min_ = min;
    max_ = max > min ? max : min + 1;
    changed();
}

void PlotAxis::setTickInterval(double step) {
    step_ = step > 0 ? step : 1;
    changed();
}

void PlotAxis::setTitleText(const QString& title) {
    title_ = title;
    changed();
}

void PlotAxis::setLabels(Labels labels) {
    labels_ = labels;
    changed();
}

void PlotAxis::setTickCount(int count) {
    count_ = std::max(count, 0);
    changed();
}

QList<double> PlotAxis::ticks() const {
    QList<double> ticks;
    if (count_ >= 2) {
        for (int i = 0; i < count_; ++i) ticks.append(min_ + (max_ - min_) * i / (count_ - 1));
        return ticks;
    }
    // A step too fine for the range (a few hundred ticks) would only blacken the axis.
    if ((max_ - min_) / step_ > 400) return ticks;
    for (double n = std::ceil(min_ / step_ - 1e-9); n * step_ <= max_ + step_ * 1e-9; ++n)
        ticks.append(n * step_);
    return ticks;
}

QString PlotAxis::tickText(double value, const QLocale& locale) const {
    if (labels_ == Labels::Dates)
        return QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(std::llround(value)), Qt::UTC)
            .toString(QStringLiteral("dd.MM.yyyy"));
    if (std::abs(value) < step_ * 1e-9) value = 0;  // no "-0"
    return locale.toString(value, 'f', decimalsFor(step_));
}

PlotSeries::PlotSeries(QWidget* owner, QString name, QString title)
    : owner_(owner), name_(std::move(name)), title_(std::move(title)) {}

void PlotSeries::changed() {
    if (owner_) owner_->update();
}

void PlotSeries::setPen(const QPen& pen) {
    pen_ = pen;
    if (pen.style() != Qt::NoPen) colour_ = pen.color();
    changed();
}

void PlotSeries::setColor(QColor colour) {
    colour_ = colour;
    if (pen_.style() != Qt::NoPen) pen_.setColor(colour);
    changed();
}

void PlotSeries::setMarker(const QImage& image, double size) {
    marker_ = image;
    markerSize_ = size;
    changed();
}

void PlotSeries::setLabels(QStringList labels) {
    labels_ = std::move(labels);
    changed();
}

void PlotSeries::setInLegend(bool shown) {
    inLegend_ = shown;
    changed();
}

void PlotSeries::replace(QList<QPointF> points) {
    points_ = std::move(points);
    ascending_ = true;
    for (qsizetype i = 1; i < points_.size() && ascending_; ++i)
        ascending_ = points_[i - 1].x() <= points_[i].x();
    changed();
}

void PlotSeries::setVisible(bool visible) {
    visible_ = visible;
    changed();
}

QImage circleMarker(QColor colour) {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(image.rect().adjusted(2, 2, -2, -2));
    return image;
}
