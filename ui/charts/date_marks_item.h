#pragma once
// The labels of the date marks on the parameter chart: above each mark a short
// arrow and the date in a small box. The chart component has no per-point label
// texts, so the marks are drawn over the plot area, only where the axes show them.

#include <QGraphicsItem>
#include <QList>
#include <QString>

class QChart;
class QXYSeries;

class DateMarksItem : public QGraphicsItem {
  public:
    static constexpr int kArrowLength = 10;

    struct Mark {
        double x = 0;
        QString label;
    };

    // Draws over `chart` the marks whose points `series` holds.
    DateMarksItem(QChart* chart, QXYSeries* series);

    void setMarks(QList<Mark> marks);
    const QList<Mark>& marks() const { return marks_; }
    // Follows a change of the plot area or of an axis range.
    void refresh();

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

  private:
    QChart* chart_;
    QXYSeries* series_;
    QList<Mark> marks_;
    QRectF bounds_;
};
