#include "reports/chart_painter.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>

#include "reports/page_writer.h"
#include "reports/report_content.h"

namespace reports {
namespace {

constexpr double kCaptionHeight = 18;
constexpr double kLeftSpace = 58;    // axis numbers and the rotated axis title
constexpr double kBottomSpace = 32;  // axis numbers and the axis title
constexpr double kRightSpace = 12;
const FontStyle kCaptionFont{12, true, false};
const FontStyle kTickFont{9, false, false};
const FontStyle kTitleFont{10, true, false};

int decimalsFor(double step) {
    return step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
}

QString tickText(double value, int decimals) {
    if (std::abs(value) < 1e-12) value = 0;  // no "-0"
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);  // frame numbers read "7000", not "7,000"
    return locale.toString(value, 'f', decimals);
}

double firstTick(const AxisScale& s) {
    return std::ceil(s.low / s.step - 1e-6) * s.step;
}

template <typename MapX, typename MapY>
void drawPolyline(QPainter& painter, const ChartSeries& s, MapX mapX, MapY mapY) {
    if (s.points.empty()) return;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(s.points.size()));
    for (const recorder::ChartPoint& p : s.points) line << QPointF(mapX(p.x), mapY(p.y));
    QPen pen(QColor::fromRgb(static_cast<QRgb>(s.rgb)), s.lineWidth * 0.5);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    if (line.size() == 1)
        painter.drawPoint(line.front());
    else
        painter.drawPolyline(line);
}

}  // namespace

QRectF plotArea(const QRectF& rect) {
    return rect.adjusted(kLeftSpace, kCaptionHeight + 4, -kRightSpace, -kBottomSpace);
}

void drawChart(QPainter& painter, const QRectF& rect, const ChartContent& chart) {
    painter.save();
    const QRectF plot = plotArea(rect);

    painter.setPen(Qt::black);
    painter.setFont(reportFont(kCaptionFont));
    painter.drawText(QRectF(rect.left(), rect.top(), rect.width(), kCaptionHeight),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.caption));

    const AxisScale& xs = chart.x;
    const AxisScale& ys = chart.y;
    auto mapX = [&](double x) {
        return plot.left() + (x - xs.low) / (xs.high - xs.low) * plot.width();
    };
    auto mapY = [&](double y) {
        return plot.bottom() - (y - ys.low) / (ys.high - ys.low) * plot.height();
    };

    // Grid and axis numbers.
    painter.setFont(reportFont(kTickFont));
    const QPen gridPen(QColor(190, 190, 190), 0.4, Qt::DotLine);
    const int yDecimals = decimalsFor(ys.step);
    for (double v = firstTick(ys); v <= ys.high + ys.step * 1e-6; v += ys.step) {
        const double y = mapY(v);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - 44, y - 7, 40, 14), Qt::AlignRight | Qt::AlignVCenter,
                         tickText(v, yDecimals));
    }
    const int xDecimals = decimalsFor(xs.step);
    for (double v = firstTick(xs); v <= xs.high + xs.step * 1e-6; v += xs.step) {
        const double x = mapX(v);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x - 30, plot.bottom() + 2, 60, 12), Qt::AlignHCenter | Qt::AlignTop,
                         tickText(v, xDecimals));
    }

    // Axis titles: "Кадры" under the plot, the quantity upright at the left.
    painter.setFont(reportFont(kTitleFont));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 15, plot.width(), 14),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.xTitle));
    painter.save();
    painter.translate(rect.left() + 2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), 14),
                     Qt::AlignHCenter | Qt::AlignTop, QString::fromStdString(chart.yTitle));
    painter.restore();

    // The series, clipped to the plot; reference lines over the frame, so one
    // standing near an edge is never hidden by it.
    const auto drawSeries = [&](bool reference) {
        painter.save();
        painter.setClipRect(plot);
        for (const ChartSeries& s : chart.series)
            if (s.reference == reference) drawPolyline(painter, s, mapX, mapY);
        painter.restore();
    };
    drawSeries(false);
    painter.setPen(QPen(Qt::black, 0.75));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
    drawSeries(true);
    painter.restore();
}

}  // namespace reports
