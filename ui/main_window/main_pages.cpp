// The main window's page controls: three main pages, each with an inner page
// control whose tabs stand on the left. The chart and table pages are filled
// by their own views; a click on the chart shows its frame in the frame view.

#include <QFrame>
#include <QGroupBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "recorder/chart_data.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/main_charts.h"
#include "ui/main_window/pages.h"
#include "ui/views/record_view.h"

namespace {

// A main page holding an inner page control that fills it.
QTabWidget* innerPageControl(QTabWidget* main, const char* sheetName, const char* caption,
                             const char* name) {
    auto* sheet = new QWidget(main);
    sheet->setObjectName(sheetName);
    main->addTab(sheet, QString::fromUtf8(caption));
    auto* layout = new QVBoxLayout(sheet);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* pages = new QTabWidget(sheet);
    layout->addWidget(pages);
    pages->setObjectName(name);
    pages->setTabPosition(QTabWidget::West);
    pages->setUsesScrollButtons(false);
    return pages;
}

// Fixed-size grids never stop the window from shrinking: a small window
// scrolls the page instead.
QScrollArea* scrollable(QWidget* content, QWidget* page) {
    auto* area = new QScrollArea(page);
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(content);
    return area;
}

QWidget* page(QTabWidget* control, const char* name, const char* caption) {
    auto* sheet = new QWidget(control);
    sheet->setObjectName(name);
    control->addTab(sheet, QString::fromUtf8(caption));
    return sheet;
}

}  // namespace

void TForm_TIRS48CMain::BitBtn_OtborClick(int tag) {
    frameView_->selectByTag(tag);
}
void TForm_TIRS48CMain::BitBtn_OtborPer(int tag) {
    overloadView_->selectByTag(tag);
}
void TForm_TIRS48CMain::ScrollBar_CiklChange(int position) {
    frameView_->showPosition(position);
}
void TForm_TIRS48CMain::ScrollBar_PerChange(int position) {
    overloadView_->showPosition(position);
}
// The КДС records have no decoding, so their scroll bar moves nothing.
void TForm_TIRS48CMain::ScrollBar_KDSChange() {}

void TForm_TIRS48CMain::createPages() {
    PageControl_Main = new QTabWidget(this);
    PageControl_Main->setObjectName("PageControl_Main");
    PageControl_Main->setDocumentMode(true);  // flat tabs over the whole window
    setCentralWidget(PageControl_Main);

    QTabWidget* PageControl_Inf = innerPageControl(PageControl_Main, "TabSheet_Inf",
                                                   "Основная информация", "PageControl_Inf");
    TabSheet_Slug = page(PageControl_Inf, "TabSheet_Slug", "Служебная");
    TabSheet_Nagr = page(PageControl_Inf, "TabSheet_Nagr", "Наработка");
    Panel_Slugebnaya = buildServicePanel(displays_, TabSheet_Slug);
    Panel_Nagruzki = buildLoadBandsPanel(displays_, TabSheet_Nagr);
    TabSheet_Slug->installEventFilter(this);
    TabSheet_Nagr->installEventFilter(this);

    QTabWidget* PageControl_Grafik =
        innerPageControl(PageControl_Main, "TabSheet_Grafik", "Циклическая информация (графики)",
                         "PageControl_Grafik");
    QWidget* TabSheet_Param = page(PageControl_Grafik, "TabSheet_Param", "Параметры");
    QWidget* TabSheet_KZ = page(PageControl_Grafik, "TabSheet_KZ", "Координатная защита");
    charts_ = new MainCharts(TabSheet_Param, TabSheet_KZ, this);
    connect(&charts_->parameters(), &ParameterChartPage::frameClicked, this,
            &TForm_TIRS48CMain::showFrameAt);

    PageControl_Cikl = innerPageControl(PageControl_Main, "TabSheet_Cikl",
                                        "Циклическая информация (таблицы)", "PageControl_Cikl");
    TabSheet_Cikl = PageControl_Cikl->parentWidget();
    TabSheet_Osn = page(PageControl_Cikl, "TabSheet_Osn", "Общая");
    TabSheet_Per = page(PageControl_Cikl, "TabSheet_Per", "Перегрузки и КДС");
    const char separator = numberFormat().decimalSeparator;
    frameView_ = new RecordView(frameViewSetup(), *reading_, dialogs_, separator, TabSheet_Osn);
    (new QVBoxLayout(TabSheet_Osn))->addWidget(scrollable(frameView_, TabSheet_Osn));

    // The overload and KDS views share one scrollable column.
    auto* perColumn = new QWidget(TabSheet_Per);
    auto* perLayout = new QVBoxLayout(perColumn);
    perLayout->setContentsMargins(0, 0, 0, 0);
    (new QVBoxLayout(TabSheet_Per))->addWidget(scrollable(perColumn, TabSheet_Per));
    auto* overloads =
        new QGroupBox(QString::fromUtf8("Данные по перегрузкам крана более 25%"), perColumn);
    overloadView_ = new RecordView(overloadViewSetup(), *reading_, dialogs_, separator, overloads);
    (new QVBoxLayout(overloads))->addWidget(overloadView_);
    auto* kds = new QGroupBox(QString::fromUtf8("Данные по критическим заначениям параметров КДС"),
                              perColumn);
    (new QVBoxLayout(kds))->addWidget(buildKdsView(kds));
    perLayout->addWidget(overloads);
    perLayout->addWidget(kds);
    perLayout->addStretch();

    connect(frameView_, &RecordView::buttonClicked, this, &TForm_TIRS48CMain::BitBtn_OtborClick);
    connect(overloadView_, &RecordView::buttonClicked, this, &TForm_TIRS48CMain::BitBtn_OtborPer);
    connect(frameView_, &RecordView::scrollBarChanged, this,
            &TForm_TIRS48CMain::ScrollBar_CiklChange);
    connect(overloadView_, &RecordView::scrollBarChanged, this,
            &TForm_TIRS48CMain::ScrollBar_PerChange);
    for (RecordView* view : {frameView_, overloadView_})
        connect(view, &RecordView::saveSelectionRequested, this,
                [this, view] { saveSelectionAsCsv(view); });
    connect(kds->findChild<QScrollBar*>("ScrollBar_KDS"), &QScrollBar::valueChanged, this,
            &TForm_TIRS48CMain::ScrollBar_KDSChange);

    PageControl_Main->setCurrentIndex(0);
}

void TForm_TIRS48CMain::showFrameAt(int frame) {
    PageControl_Main->setCurrentWidget(TabSheet_Cikl);
    PageControl_Cikl->setCurrentWidget(TabSheet_Osn);
    // Stand on the clicked frame's entry of the list (after a selection the
    // entry at position `frame` would be some other frame).
    frameView_->jumpTo(recorder::frameViewPosition(frameView_->state().list(), frame));
    emit frameJumpRequested(frame);
}
