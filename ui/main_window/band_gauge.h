#pragma once
// A horizontal bar of 0 to 100 in one colour: the load-band diagrams draw two
// of them per band, load cycles above work cycles.

#include <QColor>
#include <QWidget>

class BandGauge : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int progress READ progress WRITE setProgress)

  public:
    BandGauge(const QColor& colour, QWidget* parent);

    int progress() const { return progress_; }
    // Values outside 0..100 show as an empty or a full bar.
    void setProgress(int value);
    QColor colour() const { return colour_; }

    QSize sizeHint() const override { return {200, 8}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_;
    int progress_ = 0;
};
