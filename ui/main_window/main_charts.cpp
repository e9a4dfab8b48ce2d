// The main window's chart pages: built with the pages, filled at the end of
// every load, and the jump from a clicked point into the frame view.

#include <QTabWidget>

#include "recorder/chart_data.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/charts/protection_chart_page.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/pages.h"
#include "ui/views/record_view.h"

void TForm_TIRS48CMain::createChartPages() {
    ParamPage = buildParameterChartPage(TabSheet_Param);
    KZPage = buildProtectionChartPage(TabSheet_KZ);
    connect(ParamPage, &ParameterChartPage::frameClicked, this, &TForm_TIRS48CMain::showFrameAt);
}

void TForm_TIRS48CMain::fillCharts() {
    ParamPage->fill(*reading_);
    KZPage->fill(*reading_);
}

void TForm_TIRS48CMain::resetChartAxis() {
    ParamPage->resetFrameAxis();
}

void TForm_TIRS48CMain::showFrameAt(int frame) {
    PageControl_Main->setCurrentWidget(TabSheet_Cikl);
    PageControl_Cikl->setCurrentWidget(TabSheet_Osn);
    frameView_->showRecord(frame);
    emit frameJumpRequested(frame);
}
