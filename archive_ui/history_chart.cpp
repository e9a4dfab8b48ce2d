#include "archive_ui/history_chart.h"

#include <QPen>
#include <algorithm>
#include <cmath>

#include "ui/charts/chart_style.h"
#include "ui/charts/plot_widget.h"

namespace {

constexpr qreal kDayMs = 86400000.0;
const QColor kMeasured(32, 159, 223);

// Milliseconds since the epoch, UTC, as the date axis counts them.
qreal msOfMinutes(qint64 minutes) {
    return static_cast<qreal>(minutes) * 60000.0;
}
qreal msOfDay(int day) {
    return static_cast<qreal>(day) * kDayMs;
}

PlotSeries* line(PlotWidget& chart, const char* title, const QPen& pen, QList<QPointF> points) {
    PlotSeries* series = chart.addSeries(QString(), QString::fromUtf8(title));
    series->setPen(pen);
    series->replace(std::move(points));
    return series;
}

}  // namespace

void fillHistoryChart(PlotWidget& chart, const std::vector<archive::ArchivedReading>& readings,
                      const archive::DesignLife& life) {
    chart.removeAllSeries();
    QList<QPointF> points;
    for (const archive::ArchivedReading& r : readings)
        if (r.readingMinutes)
            points << QPointF(msOfMinutes(*r.readingMinutes), r.counters.CharacteristicNumber);
    if (points.isEmpty()) {
        chart.setTitle(QStringLiteral("Нет считываний с датой"));
        return;
    }
    chart.setTitle(QStringLiteral("Характеристическое число"));
    qreal first = points.front().x(), last = points.back().x();
    qreal top = 0;
    for (const QPointF& p : points) top = std::max(top, p.y());

    PlotSeries* measured = line(chart, "по считываниям", QPen(kMeasured, 2), points);
    measured->setMarker(circleMarker(kMeasured), 7);
    if (life.projectedDay) {
        const qreal reached = msOfDay(*life.projectedDay);
        line(chart, "прогноз", QPen(Qt::darkGreen, 2, Qt::DashLine),
             {points.back(), QPointF(reached, life.normative)});
        last = std::max(last, reached);
    }
    if (last <= first) last = first + kDayMs;
    if (life.normative > 0) {
        line(chart, "нормативное", QPen(Qt::red, 2),
             {QPointF(first, life.normative), QPointF(last, life.normative)});
        top = std::max(top, life.normative);
    }

    PlotAxis& x = chart.axisX();
    x.setLabels(PlotAxis::Labels::Dates);
    x.setRange(first, last);
    x.setTickCount(5);  // the first and the last day and three between
    PlotAxis& y = chart.axisY();
    const double step = niceStep((top * 1.05 + 1) / 5);
    y.setTickInterval(step);
    y.setRange(0, std::ceil((top * 1.05 + 1) / step) * step);
}
