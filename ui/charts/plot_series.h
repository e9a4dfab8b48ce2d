#pragma once
// What a plot shows: its axes (range, tick step, title, numbers or dates) and
// its series (points drawn as a line, as marker images, or both, with an
// optional label over each point). A change asks the owning widget to repaint.

#include <QColor>
#include <QImage>
#include <QList>
#include <QPen>
#include <QPointF>
#include <QString>
#include <QStringList>

class QLocale;
class QWidget;

class PlotAxis {
  public:
    // Numbers: the value itself. Dates: milliseconds since the epoch (UTC),
    // labelled as days "dd.MM.yyyy".
    enum class Labels { Numbers, Dates };

    explicit PlotAxis(QWidget* owner) : owner_(owner) {}

    double min() const { return min_; }
    double max() const { return max_; }
    void setRange(double min, double max);
    // The distance between ticks; they stand on its multiples.
    double tickInterval() const { return step_; }
    void setTickInterval(double step);
    // Instead, `count` ticks evenly from end to end (0: by the interval again).
    int tickCount() const { return count_; }
    void setTickCount(int count);
    const QString& titleText() const { return title_; }
    void setTitleText(const QString& title);
    Labels labels() const { return labels_; }
    void setLabels(Labels labels);

    // The ticks within the range, low to high, and the text under each.
    QList<double> ticks() const;
    QString tickText(double value, const QLocale& locale) const;

  private:
    void changed();

    QWidget* owner_;
    double min_ = 0, max_ = 1, step_ = 0.2;
    int count_ = 0;
    QString title_;
    Labels labels_ = Labels::Numbers;
};

class PlotSeries {
  public:
    // `name` is the one a test or a screenshot finds the series by ("Series1"),
    // `title` the one a person reads in a legend.
    PlotSeries(QWidget* owner, QString name, QString title);

    const QString& name() const { return name_; }
    const QString& title() const { return title_; }

    // The line between the points; Qt::NoPen draws none.
    const QPen& pen() const { return pen_; }
    void setPen(const QPen& pen);
    // The colour a legend or a caption shows for the series.
    QColor color() const { return colour_; }
    void setColor(QColor colour);
    // An image drawn centred on every point, stretched to a square of `size`
    // pixels; a null image draws none.
    const QImage& marker() const { return marker_; }
    double markerSize() const { return markerSize_; }
    void setMarker(const QImage& image, double size);
    // A text over each point with an arrow down to it; a label that would cover
    // the one before it is left out.
    const QStringList& labels() const { return labels_; }
    void setLabels(QStringList labels);
    bool inLegend() const { return inLegend_; }
    void setInLegend(bool shown);

    // Every point at once: a series is filled whole, never point by point.
    void replace(QList<QPointF> points);
    const QList<QPointF>& points() const { return points_; }
    int count() const { return static_cast<int>(points_.size()); }
    QPointF at(int i) const { return points_.at(i); }
    // Whether x never falls from one point to the next: then only the points
    // within the shown range are looked at.
    bool xAscending() const { return ascending_; }

    bool isVisible() const { return visible_; }
    void setVisible(bool visible);

  private:
    void changed();

    QWidget* owner_;
    QString name_, title_;
    QPen pen_{Qt::black, 1};
    QColor colour_{Qt::black};
    QImage marker_;
    double markerSize_ = 0;
    QStringList labels_;
    bool inLegend_ = true;
    QList<QPointF> points_;
    bool ascending_ = true;
    bool visible_ = true;
};

// A filled circle of `colour` as a marker image.
QImage circleMarker(QColor colour);
