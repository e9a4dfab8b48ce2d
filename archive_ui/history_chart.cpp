#include "archive_ui/history_chart.h"

#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace {

// Milliseconds since the epoch, UTC, as the date axis counts them.
qreal msOfMinutes(qint64 minutes) {
    return static_cast<qreal>(minutes) * 60000.0;
}
qreal msOfDay(int day) {
    return static_cast<qreal>(day) * 86400000.0;
}

}  // namespace

void fillHistoryChart(QChart& chart, const std::vector<archive::ArchivedReading>& readings,
                      const archive::DesignLife& life) {
    chart.removeAllSeries();
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
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

    auto* measured = new QLineSeries;
    measured->setName(QStringLiteral("по считываниям"));
    measured->setPointsVisible(true);
    measured->replace(points);
    chart.addSeries(measured);

    QLineSeries* projection = nullptr;
    if (life.projectedDay) {
        const qreal reached = msOfDay(*life.projectedDay);
        projection = new QLineSeries;
        projection->setName(QStringLiteral("прогноз"));
        QPen pen(Qt::darkGreen);
        pen.setStyle(Qt::DashLine);
        pen.setWidth(2);
        projection->setPen(pen);
        projection->replace({points.back(), QPointF(reached, life.normative)});
        last = std::max(last, reached);
        chart.addSeries(projection);
    }
    QLineSeries* normative = nullptr;
    if (life.normative > 0) {
        normative = new QLineSeries;
        normative->setName(QStringLiteral("нормативное"));
        QPen pen(Qt::red);
        pen.setWidth(2);
        normative->setPen(pen);
        top = std::max(top, life.normative);
        if (last <= first) last = first + 86400000.0;
        normative->replace({QPointF(first, life.normative), QPointF(last, life.normative)});
        chart.addSeries(normative);
    }
    if (last <= first) last = first + 86400000.0;

    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd.MM.yyyy"));
    x->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(first), Qt::UTC),
                QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(last), Qt::UTC));
    auto* y = new QValueAxis;
    y->setRange(0, top * 1.05 + 1);
    y->setLabelFormat(QStringLiteral("%.0f"));
    y->applyNiceNumbers();
    chart.addAxis(x, Qt::AlignBottom);
    chart.addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : chart.series()) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}
