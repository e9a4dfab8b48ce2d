#include "ui/charts/protection_chart_page.h"

#include <QChart>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>

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

// The marks are the marker images of a series without a line: the chart draws
// them itself, where a point series would make one graphics item per point and
// take seconds over a full table.
QLineSeries* markSeries(QChart* chart, const char* name, const char* title, QColor colour) {
    auto* series = new QLineSeries(chart);
    series->setObjectName(name);
    series->setName(QString::fromUtf8(title));
    series->setPen(Qt::NoPen);
    series->setColor(colour);
    series->setMarkerSize(kLimitMarkHeight);
    series->setLightMarker(limitMarkImage(colour));
    return series;
}

}  // namespace

ProtectionChartPage::ProtectionChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName("ProtectionChartPage");
    chart = new QChart;
    chart->setObjectName("Chart_KZ_Chart");
    styleFrameChart(chart, kNavy, true);
    chart->setTitle(QString::fromUtf8(recorder::kProtectionChartTitle));

    for (std::size_t i = 0; i < 4; ++i) {
        const QString name = QString::fromUtf8(kLimits[i].series);
        limits_[i].entered =
            markSeries(chart, (name + "_Entered").toUtf8().constData(), kLimits[i].title, kGreen);
        limits_[i].triggered =
            markSeries(chart, (name + "_Triggered").toUtf8().constData(), kLimits[i].title, kRed);
    }
    for (const auto& limit : limits_) chart->addSeries(limit.entered);
    for (const auto& limit : limits_) chart->addSeries(limit.triggered);  // red over green
    axisLine = new QLineSeries(chart);
    axisLine->setObjectName("Series10");
    axisLine->setName(QString::fromUtf8("Осевая"));
    axisLine->setPen(QPen(Qt::black, 1));
    chart->addSeries(axisLine);

    axisFrames = new QValueAxis(chart);
    axisFrames->setObjectName("Chart_KZ_BottomAxis");
    axisLevels = new QValueAxis(chart);
    axisLevels->setObjectName("Chart_KZ_LeftAxis");
    styleAxis(axisFrames);
    styleAxis(axisLevels);
    axisLevels->setRange(0, 5);  // fixed: the four levels and the axis line
    axisLevels->setTickCount(6);
    axisLevels->setLabelFormat("%.0f");
    chart->addAxis(axisFrames, Qt::AlignBottom);
    chart->addAxis(axisLevels, Qt::AlignLeft);
    for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(axisFrames);
        series->attachAxis(axisLevels);
    }

    Chart_KZ = new FrameChartView(chart, axisFrames, this);
    Chart_KZ->setObjectName("Chart_KZ");

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
        // Whole lists at once: adding point by point to a shown series is far too slow.
        limits_[i].entered->replace(entered);
        limits_[i].triggered->replace(triggered);
    }
    axisLine->replace(toQPoints(chartData.axis));
    showAllFrames(Chart_KZ, chartData.axis);
}

ProtectionChartPage* buildProtectionChartPage(QWidget* page) {
    return fillChartPage(new ProtectionChartPage(page), page);
}
