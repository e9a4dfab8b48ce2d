#include "ui/charts/date_marks_item.h"

#include <QChart>
#include <QFontMetrics>
#include <QPainter>
#include <QValueAxis>
#include <QXYSeries>
#include <utility>

DateMarksItem::DateMarksItem(QChart* chart, QXYSeries* series)
    : QGraphicsItem(chart), chart_(chart), series_(series) {
    setZValue(100);  // over every series
    setAcceptedMouseButtons(Qt::NoButton);
}

void DateMarksItem::setMarks(QList<Mark> marks) {
    marks_ = std::move(marks);
    update();
}

void DateMarksItem::refresh() {
    prepareGeometryChange();
    bounds_ = chart_->plotArea();
    update();
}

QRectF DateMarksItem::boundingRect() const {
    return bounds_;
}

void DateMarksItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    if (marks_.isEmpty() || !series_->isVisible()) return;
    const QRectF plot = chart_->plotArea();
    painter->setClipRect(plot);
    painter->setFont(chart_->font());
    const QFontMetrics metrics(painter->font());

    // A label that would cover the one before it is left out; zooming in shows it.
    double lastLabelRight = plot.left() - 1e9;
    for (const Mark& mark : std::as_const(marks_)) {
        const QPointF at = chart_->mapToPosition(QPointF(mark.x, 0), series_);
        if (at.x() < plot.left() - 1 || at.x() > plot.right() + 1) continue;
        const QPointF tip(at.x(), at.y() - 4);
        const QPointF tail(at.x(), tip.y() - kArrowLength);
        painter->setPen(QPen(Qt::black, 1));
        painter->drawLine(tail, tip);
        painter->drawLine(tip, tip + QPointF(-3, -4));
        painter->drawLine(tip, tip + QPointF(3, -4));

        QRectF box = metrics.boundingRect(mark.label).adjusted(-3, -1, 3, 1);
        box.moveCenter(QPointF(tail.x(), tail.y() - box.height() / 2));
        if (box.left() <= lastLabelRight + 2) continue;
        lastLabelRight = box.right();
        painter->setBrush(QColor(255, 255, 225));
        painter->drawRect(box);
        painter->drawText(box, Qt::AlignCenter, mark.label);
    }
}
