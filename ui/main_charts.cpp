// The main window's chart pages: built with the pages, filled at the end of
// every load, and the jump from a clicked point into the frame view.

#include <QTabWidget>

#include "ui/Tirs48c_litm3_main.h"
#include "ui/pages.h"
#include "ui/parameter_chart_page.h"
#include "ui/protection_chart_page.h"

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
    // FRAME VIEW HOOK, for the frame view to fill in: stand on the clicked
    // frame's entry of the selection list and redraw, i.e.
    //     frameView.jumpTo(recorder::frameViewPosition(frameView.list(), frame));
    // then ScrollBar_Cikl follows and the columns are redrawn. Until then only
    // the pages change, and frameJumpRequested tells who listens.
    emit frameJumpRequested(frame);
}
