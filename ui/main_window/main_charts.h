#pragma once
// The main window's chart pages, "Параметры" and "Координатная защита": built
// on their tabs, filled at the end of every load, the frame axis back to its
// automatic range on "Очистить". A click on a point of the parameter chart
// (ParameterChartPage::frameClicked) is the window's to answer.

#include <QObject>

class ParameterChartPage;
class ProtectionChartPage;
class QWidget;
namespace recorder {
class Reading;
}

class MainCharts : public QObject {
    Q_OBJECT

  public:
    MainCharts(QWidget* parameterTab, QWidget* protectionTab, QObject* parent);

    ParameterChartPage& parameters() const { return *parameters_; }
    void fill(const recorder::Reading& reading);
    void resetFrameAxis();

  private:
    ParameterChartPage* parameters_;
    ProtectionChartPage* protection_;
};
