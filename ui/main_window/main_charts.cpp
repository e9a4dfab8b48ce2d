#include "ui/main_window/main_charts.h"

#include "ui/charts/parameter_chart_page.h"
#include "ui/charts/protection_chart_page.h"
#include "ui/main_window/pages.h"

MainCharts::MainCharts(QWidget* parameterTab, QWidget* protectionTab, QObject* parent)
    : QObject(parent),
      parameters_(buildParameterChartPage(parameterTab)),
      protection_(buildProtectionChartPage(protectionTab)) {}

void MainCharts::fill(const recorder::Reading& reading) {
    parameters_->fill(reading);
    protection_->fill(reading);
}

void MainCharts::resetFrameAxis() {
    parameters_->resetFrameAxis();
}
