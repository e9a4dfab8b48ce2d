#pragma once
// A chart over the frames: its horizontal axis is the frame number. A drag
// with the left button along the frames zooms into that stretch, the right button
// shows the whole again, the wheel zooms in and out around the pointer; a click
// without a drag is reported for the page to decide which point it hit.

#include <QPoint>

#include "ui/charts/plot_widget.h"

class QRubberBand;

class FrameChartView : public PlotWidget {
    Q_OBJECT

  public:
    // Each wheel notch shows this share of the frames shown before (or its inverse).
    static constexpr double kWheelZoom = 0.8;
    // A stretch narrower than this is not zoomed into.
    static constexpr double kNarrowestStretch = 4;

    explicit FrameChartView(QWidget* parent = nullptr);

    // The stretch the automatic range shows; an empty chart shows 0 to 1.
    void setWholeRange(double first, double last);
    // Back to the automatic range over every frame.
    void showWhole();
    // Zooms into frames `first` to `last`.
    void showFrames(double first, double last);
    bool isZoomed() const { return zoomed_; }

  signals:
    // A left click without a drag, in the widget's coordinates.
    void clickedAt(QPointF position);
    void zoomChanged(bool zoomed);
    // The pointer moved over the chart without a button held, or left it (`inside` false).
    void hovered(QPoint position, bool inside);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The wheel zooms in and out around the frame under the pointer.
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void setFrameRange(double first, double last);
    QRect bandRect(int x) const;
    double frameAt(int x) const { return mapToValue(QPointF(x, 0)).x(); }

    QRubberBand* band_;
    double wholeFirst_ = 0, wholeLast_ = 1;
    bool zoomed_ = false;
    bool pressed_ = false;
    bool dragging_ = false;
    QPoint pressPos_;
};
