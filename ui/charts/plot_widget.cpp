#include "ui/charts/plot_widget.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace {

// Around the chart: left, top, right, bottom.
constexpr double kMarginLeft = 4, kMarginTop = 4, kMarginRight = 8, kMarginBottom = 4;
constexpr double kTickLength = 4;
constexpr double kArrowLength = 10;
constexpr double kLegendSample = 20;
const QColor kGridColour(220, 220, 220);
const QColor kLabelBackground(255, 255, 225);

QFont arial(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

struct PlotWidget::Frame {
    QRectF title;
    QRectF plot;
    double xTitleTop = 0;
    double legendTop = 0;
};

PlotWidget::PlotWidget(QWidget* parent)
    : QWidget(parent), titleFont_(arial(13)), axisFont_(arial(11)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    // Axis numbers as the user writes them: the decimal comma under a Russian
    // locale, frame numbers without group separators.
    QLocale numbers;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(numbers);
}

PlotWidget::~PlotWidget() = default;

PlotSeries* PlotWidget::addSeries(const QString& name, const QString& title) {
    series_.push_back(std::make_unique<PlotSeries>(this, name, title));
    update();
    return series_.back().get();
}

QList<PlotSeries*> PlotWidget::series() const {
    QList<PlotSeries*> list;
    for (const auto& s : series_) list.append(s.get());
    return list;
}

PlotSeries* PlotWidget::findSeries(const QString& name) const {
    for (const auto& s : series_)
        if (s->name() == name) return s.get();
    return nullptr;
}

void PlotWidget::removeAllSeries() {
    series_.clear();
    update();
}

void PlotWidget::setTitle(const QString& title) {
    title_ = title;
    update();
}

void PlotWidget::setTitleFont(const QFont& font) {
    titleFont_ = font;
    update();
}

void PlotWidget::setTitleColour(QColor colour) {
    titleColour_ = colour;
    update();
}

void PlotWidget::setAxisFont(const QFont& font) {
    axisFont_ = font;
    update();
}

void PlotWidget::setLegendVisible(bool visible) {
    legend_ = visible;
    update();
}

void PlotWidget::setAntialiased(bool on) {
    antialiased_ = on;
    update();
}

PlotWidget::Frame PlotWidget::layoutFrame() const {
    const QFontMetricsF titleMetrics(titleFont_), axisMetrics(axisFont_);
    const double line = axisMetrics.height();
    Frame frame;
    double top = kMarginTop;
    if (!title_.isEmpty()) {
        frame.title = QRectF(0, top, width(), titleMetrics.height());
        top += titleMetrics.height() + 6;
    }
    double labelWidth = 0;
    for (double v : y_.ticks())
        labelWidth = std::max(labelWidth, axisMetrics.horizontalAdvance(y_.tickText(v, locale())));
    double left = kMarginLeft + labelWidth + kTickLength + 3;
    if (!y_.titleText().isEmpty()) left += line + 4;
    // The last number under the x axis is centred on its tick: room for its half.
    const double lastLabel = axisMetrics.horizontalAdvance(x_.tickText(x_.max(), locale()));
    const double right = std::max(kMarginRight, lastLabel / 2 + 2);
    double bottom = kMarginBottom + kTickLength + line + 2;
    if (!x_.titleText().isEmpty()) bottom += line + 2;
    if (legend_) bottom += line + 6;
    frame.plot = QRectF(QPointF(left, top + line / 2), QPointF(width() - right, height() - bottom))
                     .normalized();
    frame.xTitleTop = frame.plot.bottom() + kTickLength + line + 2;
    frame.legendTop = frame.xTitleTop + (x_.titleText().isEmpty() ? 0 : line + 2) + 4;
    return frame;
}

QRectF PlotWidget::plotArea() const {
    return layoutFrame().plot;
}

QPointF PlotWidget::mapToPosition(QPointF value) const {
    return mapIn(plotArea(), value);
}

QPointF PlotWidget::mapIn(const QRectF& plot, QPointF value) const {
    return {plot.left() + (value.x() - x_.min()) / (x_.max() - x_.min()) * plot.width(),
            plot.bottom() - (value.y() - y_.min()) / (y_.max() - y_.min()) * plot.height()};
}

QPointF PlotWidget::mapToValue(QPointF position) const {
    const QRectF plot = plotArea();
    return {x_.min() +
                (position.x() - plot.left()) / std::max(plot.width(), 1.0) * (x_.max() - x_.min()),
            y_.min() + (plot.bottom() - position.y()) / std::max(plot.height(), 1.0) *
                           (y_.max() - y_.min())};
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const Frame frame = layoutFrame();
    paintTitle(painter, frame);
    paintAxes(painter, frame);
    painter.save();
    painter.setClipRect(frame.plot.adjusted(-1, -1, 1, 1));
    painter.setRenderHint(QPainter::Antialiasing, antialiased_);
    for (const auto& s : series_)
        if (s->isVisible()) paintSeries(painter, frame.plot, *s);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& s : series_)
        if (s->isVisible()) paintPointLabels(painter, frame.plot, *s);
    painter.restore();
    paintLegend(painter, frame);
}

void PlotWidget::paintTitle(QPainter& painter, const Frame& frame) const {
    if (title_.isEmpty()) return;
    painter.setFont(titleFont_);
    painter.setPen(titleColour_);
    painter.drawText(frame.title, Qt::AlignHCenter | Qt::AlignTop, title_);
}

void PlotWidget::paintAxes(QPainter& painter, const Frame& frame) const {
    const QRectF plot = frame.plot;
    const QFontMetricsF metrics(axisFont_);
    painter.setFont(axisFont_);
    // Grid and numbers of the value axis, then those of the bottom axis; a
    // number that would touch the one before it is left out.
    double lastTop = 1e9;
    for (double v : y_.ticks()) {
        const double y = std::round(mapIn(plot, {x_.min(), v}).y());
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        if (y + metrics.height() / 2 > lastTop) continue;
        lastTop = y - metrics.height() / 2;
        painter.drawText(
            QRectF(0, y - metrics.height() / 2, plot.left() - kTickLength - 3, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, y_.tickText(v, locale()));
    }
    double lastRight = -1e9;
    for (double v : x_.ticks()) {
        const double x = std::round(mapIn(plot, {v, y_.min()}).x());
        painter.setPen(kGridColour);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        const QString text = x_.tickText(v, locale());
        const double w = metrics.horizontalAdvance(text);
        if (x - w / 2 < lastRight + 6) continue;
        lastRight = x + w / 2;
        painter.drawText(
            QRectF(x - w / 2 - 1, plot.bottom() + kTickLength + 1, w + 2, metrics.height()),
            Qt::AlignCenter, text);
    }
    painter.setPen(Qt::black);
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    if (!x_.titleText().isEmpty())
        painter.drawText(QRectF(plot.left(), frame.xTitleTop, plot.width(), metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, x_.titleText());
    if (!y_.titleText().isEmpty()) {
        painter.save();
        painter.translate(kMarginLeft, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), metrics.height()),
                         Qt::AlignHCenter | Qt::AlignTop, y_.titleText());
        painter.restore();
    }
}

std::pair<qsizetype, qsizetype> PlotWidget::shownIndices(const PlotSeries& series) const {
    const QList<QPointF>& points = series.points();
    if (!series.xAscending()) return {0, points.size() - 1};
    const auto byX = [](const QPointF& p, double x) { return p.x() < x; };
    const auto byXAfter = [](double x, const QPointF& p) { return x < p.x(); };
    // One point either side, so a line runs on to the edge of the plot.
    const qsizetype first =
        std::lower_bound(points.begin(), points.end(), x_.min(), byX) - points.begin() - 1;
    const qsizetype last =
        std::upper_bound(points.begin(), points.end(), x_.max(), byXAfter) - points.begin();
    return {std::max<qsizetype>(first, 0), std::min<qsizetype>(last, points.size() - 1)};
}

void PlotWidget::paintSeries(QPainter& painter, const QRectF& plot,
                             const PlotSeries& series) const {
    const auto [first, last] = shownIndices(series);
    if (last < first) return;
    if (series.pen().style() != Qt::NoPen) {
        const QList<QPointF>& points = series.points();
        const auto map = [&](QPointF p) { return mapIn(plot, p); };
        QPolygonF line;
        const bool dense = last - first > 2 * plot.width();
        if (!dense) {
            line.reserve(last - first + 1);
            for (qsizetype i = first; i <= last; ++i) line << map(points[i]);
        } else {
            // The first, lowest, highest and last point of each pixel column, in order.
            std::array<qsizetype, 4> kept{};
            long column = LONG_MIN;
            const auto flush = [&] {
                std::sort(kept.begin(), kept.end());
                for (std::size_t k = 0; k < kept.size(); ++k)
                    if (k == 0 || kept[k] != kept[k - 1]) line << map(points[kept[k]]);
            };
            for (qsizetype i = first; i <= last; ++i) {
                const long c = std::lround(std::floor(map(points[i]).x()));
                if (c != column) {
                    if (column != LONG_MIN) flush();
                    column = c;
                    kept = {i, i, i, i};
                    continue;
                }
                if (points[i].y() < points[kept[1]].y()) kept[1] = i;
                if (points[i].y() > points[kept[2]].y()) kept[2] = i;
                kept[3] = i;
            }
            flush();
        }
        painter.setPen(series.pen());
        painter.setBrush(Qt::NoBrush);
        if (line.size() == 1)
            painter.drawPoint(line.front());
        else
            painter.drawPolyline(line);
    }
    paintMarkers(painter, plot, series);
}

void PlotWidget::paintMarkers(QPainter& painter, const QRectF& plot,
                              const PlotSeries& series) const {
    if (series.marker().isNull() || series.markerSize() <= 0) return;
    const int size = static_cast<int>(std::lround(series.markerSize()));
    const QImage image =
        series.marker().size() == QSize(size, size)
            ? series.marker()
            : series.marker().scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const auto [first, last] = shownIndices(series);
    // A mark on the edge of the plot (a date on the zero line) shows whole.
    painter.save();
    painter.setClipRect(plot.adjusted(-size / 2 - 1, -size / 2 - 1, size / 2 + 1, size / 2 + 1));
    QPoint previous(INT_MIN, INT_MIN);
    for (qsizetype i = first; i <= last; ++i) {
        const QPointF at = mapIn(plot, series.points()[i]);
        if (!plot.adjusted(-size, -size, size, size).contains(at)) continue;
        // Many points on one pixel look like one: it is drawn once.
        const QPoint pixel(static_cast<int>(std::floor(at.x())),
                           static_cast<int>(std::floor(at.y())));
        if (pixel == previous) continue;
        previous = pixel;
        painter.drawImage(pixel - QPoint(size / 2, size / 2), image);
    }
    painter.restore();
}

void PlotWidget::paintPointLabels(QPainter& painter, const QRectF& plot,
                                  const PlotSeries& series) const {
    const QStringList& labels = series.labels();
    if (labels.isEmpty()) return;
    painter.setFont(axisFont_);
    const QFontMetricsF metrics(axisFont_);
    const auto [first, last] = shownIndices(series);
    double lastLabelRight = -1e9;
    for (qsizetype i = first; i <= std::min(last, labels.size() - 1); ++i) {
        const QPointF at = mapIn(plot, series.points()[i]);
        if (at.x() < plot.left() - 1 || at.x() > plot.right() + 1) continue;
        const QPointF tip(std::round(at.x()), std::round(at.y()) - 4);
        const QPointF tail(tip.x(), tip.y() - kArrowLength);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(tail, tip);
        painter.drawLine(tip, tip + QPointF(-3, -4));
        painter.drawLine(tip, tip + QPointF(3, -4));

        QRectF box = metrics.boundingRect(labels[i]).adjusted(-3, -1, 3, 1);
        box.moveCenter(QPointF(tail.x(), tail.y() - box.height() / 2));
        // A label that would cover the one before it is left out; zooming in shows it.
        if (box.left() <= lastLabelRight + 2) continue;
        lastLabelRight = box.right();
        painter.setBrush(kLabelBackground);
        painter.drawRect(box);
        painter.drawText(box, Qt::AlignCenter, labels[i]);
    }
}

void PlotWidget::paintLegend(QPainter& painter, const Frame& frame) const {
    if (!legend_) return;
    const QFontMetricsF metrics(axisFont_);
    QList<const PlotSeries*> shown;
    double total = 0;
    for (const auto& s : series_) {
        if (!s->isVisible() || !s->inLegend() || s->title().isEmpty()) continue;
        shown.append(s.get());
        total += kLegendSample + 4 + metrics.horizontalAdvance(s->title()) + 16;
    }
    painter.setFont(axisFont_);
    painter.setRenderHint(QPainter::Antialiasing, antialiased_);
    double x = std::max(0.0, (width() - total + 16) / 2);
    const double middle = frame.legendTop + metrics.height() / 2;
    for (const PlotSeries* s : shown) {
        QPen pen = s->pen().style() == Qt::NoPen ? QPen(s->color()) : s->pen();
        pen.setWidth(2);
        painter.setPen(pen);
        painter.drawLine(QPointF(x, middle), QPointF(x + kLegendSample, middle));
        x += kLegendSample + 4;
        painter.setPen(Qt::black);
        const double w = metrics.horizontalAdvance(s->title());
        painter.drawText(QRectF(x, frame.legendTop, w + 2, metrics.height()), Qt::AlignLeft,
                         s->title());
        x += w + 16;
    }
}
