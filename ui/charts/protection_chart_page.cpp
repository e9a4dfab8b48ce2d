#include "ui/charts/protection_chart_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "recorder/chart_data.h"
#include "ui/charts/chart_style.h"
#include "ui/charts/frame_chart_view.h"
#include "ui/main_window/pages.h"

namespace {

const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);
const QColor kNavy(0, 0, 128);

struct LimitTitle {
    const char* series;
    const char* title;
};
constexpr LimitTitle kLimits[4] = {{"Series6", "1 - СТЕНА"},
                                   {"Series7", "2 - ПОТОЛОК"},
                                   {"Series8", "3 - Поворот ВЛЕВО"},
                                   {"Series9", "4 - Поворот ВПРАВО"}};

// The four titles in one line, apart by 18, 24 and 21 blanks.
QString legendLine() {
    const int gaps[3] = {18, 24, 21};
    QString line = QString::fromUtf8(kLimits[0].title);
    for (int i = 1; i < 4; ++i)
        line += QString(gaps[i - 1], ' ') + QString::fromUtf8(kLimits[i].title);
    return line;
}

// The marks are the marker images of a series without a line.
PlotSeries* markSeries(FrameChartView* chart, const QString& name, const char* title,
                       QColor colour) {
    PlotSeries* series = chart->addSeries(name, QString::fromUtf8(title));
    series->setPen(Qt::NoPen);
    series->setColor(colour);
    series->setMarker(limitMarkImage(colour), kLimitMarkHeight);
    return series;
}

}  // namespace

ProtectionChartPage::ProtectionChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName("ProtectionChartPage");
    Chart_KZ = new FrameChartView(this);
    Chart_KZ->setObjectName("Chart_KZ");
    styleFrameChart(Chart_KZ, kNavy, true);
    Chart_KZ->setTitle(QString::fromUtf8(recorder::kProtectionChartTitle));

    // All red marks after all green ones: red over green.
    for (std::size_t i = 0; i < 4; ++i)
        limits_[i].entered = markSeries(Chart_KZ, QString::fromUtf8(kLimits[i].series) + "_Entered",
                                        kLimits[i].title, kGreen);
    for (std::size_t i = 0; i < 4; ++i)
        limits_[i].triggered = markSeries(
            Chart_KZ, QString::fromUtf8(kLimits[i].series) + "_Triggered", kLimits[i].title, kRed);
    axisLine = Chart_KZ->addSeries("Series10", QString::fromUtf8("Осевая"));
    axisLine->setPen(QPen(Qt::black, 1));
    axisLine->setInLegend(false);

    axisFrames = &Chart_KZ->axisX();
    axisLevels = &Chart_KZ->axisY();
    axisLevels->setRange(0, 5);  // fixed: the four levels and the axis line
    axisLevels->setTickInterval(1);

    legendCaption = new QLabel(legendLine(), this);
    legendCaption->setObjectName("Label40");
    legendCaption->setTextFormat(Qt::PlainText);
    legendCaption->setAlignment(Qt::AlignCenter);
    QFont bold = legendCaption->font();
    bold.setBold(true);
    legendCaption->setFont(bold);

    Button_WholeRange = wholeRangeButton(this, Chart_KZ);

    // What the two colours of the bands mean.
    auto* colours =
        new QLabel(QString::fromUtf8("<span style='color:%1'>&#9632;</span> введено&nbsp;&nbsp; "
                                     "<span style='color:%2'>&#9632;</span> сработало")
                       .arg(kGreen.name(), kRed.name()),
                   this);
    colours->setObjectName("Legend_KZColours");
    colours->setTextFormat(Qt::RichText);

    // The titles keep the whole width; the colours and the button go below them.
    auto* under = new QHBoxLayout;
    under->addStretch(1);
    under->addWidget(colours);
    under->addSpacing(12);
    under->addWidget(Button_WholeRange);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Chart_KZ, 1);
    layout->addWidget(legendCaption);
    layout->addLayout(under);
}

void ProtectionChartPage::fill(const recorder::Reading& reading) {
    const recorder::ProtectionChartData chartData = recorder::protectionChartData(reading);
    for (std::size_t i = 0; i < 4; ++i) {
        const double level = static_cast<double>(i + 1);
        QList<QPointF> entered, triggered;
        for (const auto& mark : chartData.limits[i])
            (mark.triggered ? triggered : entered).append(QPointF(mark.x, level));
        limits_[i].entered->replace(entered);
        limits_[i].triggered->replace(triggered);
    }
    axisLine->replace(toQPoints(chartData.axis));
    showAllFrames(Chart_KZ, chartData.axis);
}

ProtectionChartPage* buildProtectionChartPage(QWidget* page) {
    return fillChartPage(new ProtectionChartPage(page), page);
}
