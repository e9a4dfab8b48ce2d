#include "ui/charts/parameter_chart_page.h"

#include <QChart>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "recorder/chart_data.h"
#include "ui/charts/chart_style.h"
#include "ui/charts/date_marks_item.h"
#include "ui/charts/frame_chart_view.h"
#include "ui/main_window/pages.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kBlue(0, 0, 255);
const QColor kMaroon(128, 0, 0);
const QColor kBlack(0, 0, 0);

// How far from a point, in pixels, a click still hits it.
constexpr double kHitDistance = 6;

QLineSeries* lineSeries(QChart* chart, const char* name, const char* title, QColor colour,
                        int width) {
    auto* series = new QLineSeries(chart);
    series->setObjectName(name);
    series->setName(QString::fromUtf8(title));
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    series->setPen(pen);
    chart->addSeries(series);
    return series;
}

QCheckBox* captionBox(QWidget* parent, const char* name, const char* caption, QColor colour,
                      bool checked) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(name);
    setTextColour(box, colour);
    box->setChecked(checked);
    return box;
}

double distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t =
        length2 > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

}  // namespace

ParameterChartPage::ParameterChartPage(QWidget* parent) : QWidget(parent) {
    setObjectName("ParameterChartPage");
    chart = new QChart;
    chart->setObjectName("Chart_Param_Chart");
    styleFrameChart(chart, kBlack, false);
    chart->setTitle(QString::fromUtf8(recorder::kParameterChartInitialTitle));

    buildSeriesAndAxes();

    Chart_Param = new FrameChartView(chart, axisFrames, this);
    Chart_Param->setObjectName("Chart_Param");
    connect(Chart_Param, &FrameChartView::clickedAt, this,
            &ParameterChartPage::Chart_ParamClickSeries);
    hoverReadout = new QLabel(Chart_Param);
    hoverReadout->setObjectName("Chart_Param_Readout");
    hoverReadout->setStyleSheet(QStringLiteral(
        "QLabel { background: #ffffe1; color: black; border: 1px solid gray; padding: 2px; }"));
    hoverReadout->setAttribute(Qt::WA_TransparentForMouseEvents);
    hoverReadout->hide();
    connect(Chart_Param, &FrameChartView::hovered, this, &ParameterChartPage::showReadout);

    dateLabels = new DateMarksItem(chart, dateMarks);
    connect(chart, &QChart::plotAreaChanged, this, [this] { dateLabels->refresh(); });
    connect(axisFrames, &QValueAxis::rangeChanged, this, [this] { dateLabels->refresh(); });
    connect(axisValues, &QValueAxis::rangeChanged, this, [this] { dateLabels->refresh(); });

    buildLegendPanel();
    Button_WholeRange = wholeRangeButton(this, Chart_Param);

    auto* under = new QHBoxLayout;
    under->addWidget(legendPanel, 1);
    under->addWidget(Button_WholeRange);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(Chart_Param, 1);
    layout->addLayout(under);

    CheckBox_GrParClick();
}

void ParameterChartPage::buildSeriesAndAxes() {
    // Added in this order, so each line is drawn over the ones before it.
    limit100Line = lineSeries(chart, "Series1", "Предел 100%", kRed, 2);
    loadPercentLine = lineSeries(chart, "Series2", "Процент загрузки M (%)", kGreen, 1);
    loadMassLine = lineSeries(chart, "Series4", "Груз Q (т.)", kBlue, 1);
    boomLengthLine = lineSeries(chart, "Series5", "Длина стрелы L (т.)", kBlack, 1);
    radiusLine = lineSeries(chart, "Series16", "Вылет R (т.)", kMaroon, 1);
    axisLine = lineSeries(chart, "Series18", "Осевая", kBlack, 2);
    // Points without a line: the chart draws the marker images itself, where a
    // point series would make one graphics item per point.
    dateMarks = new QLineSeries(chart);
    dateMarks->setObjectName("Series3");
    dateMarks->setName(QString::fromUtf8("Дата"));
    dateMarks->setPen(Qt::NoPen);
    dateMarks->setMarkerSize(kDateMarkSize);
    dateMarks->setLightMarker(dateMarkImage());
    chart->addSeries(dateMarks);

    axisFrames = new QValueAxis(chart);
    axisFrames->setObjectName("Chart_Param_BottomAxis");
    axisFrames->setTitleText(QString::fromUtf8("Кадры"));
    axisValues = new QValueAxis(chart);
    axisValues->setObjectName("Chart_Param_LeftAxis");
    axisValues->setLabelFormat("%.6g");  // a localized format needs its precision
    axisValues->setTickType(QValueAxis::TicksDynamic);
    axisValues->setTickAnchor(0);
    styleAxis(axisFrames);
    styleAxis(axisValues);
    chart->addAxis(axisFrames, Qt::AlignBottom);
    chart->addAxis(axisValues, Qt::AlignLeft);
    for (QXYSeries* series : allSeries()) {
        series->attachAxis(axisFrames);
        series->attachAxis(axisValues);
    }
}

void ParameterChartPage::buildLegendPanel() {
    // The coloured captions with their dashes are the chart's legend.
    legendPanel = new QFrame(this);
    legendPanel->setObjectName("Panel6");
    legendPanel->setFrameShape(QFrame::StyledPanel);
    legendPanel->installEventFilter(this);
    limitCaption = new QLabel(QString::fromUtf8("------- 100%"), legendPanel);
    limitCaption->setObjectName("Label33");
    setTextColour(limitCaption, kRed);
    CheckBox_GrParM = captionBox(legendPanel, "CheckBox_GrParM", "------ M1(t) ", kGreen, true);
    CheckBox_GrParQ = captionBox(legendPanel, "CheckBox_GrParQ", "-------- Q(t)", kBlue, true);
    CheckBox_GrParR = captionBox(legendPanel, "CheckBox_GrParR", "-------- R(t)", kMaroon, false);
    CheckBox_GrParL = captionBox(legendPanel, "CheckBox_GrParL", "-------- L(t)", kBlack, false);
    CheckBox_Data = captionBox(legendPanel, "CheckBox_Data", "Даты", kBlack, false);
    auto* panelRow = new QHBoxLayout(legendPanel);
    panelRow->setContentsMargins(8, 2, 8, 2);
    panelRow->setSpacing(16);
    panelRow->addWidget(limitCaption);
    for (QCheckBox* box :
         {CheckBox_GrParM, CheckBox_GrParQ, CheckBox_GrParR, CheckBox_GrParL, CheckBox_Data}) {
        panelRow->addWidget(box);
        connect(box, &QCheckBox::clicked, this, &ParameterChartPage::CheckBox_GrParClick);
    }
    panelRow->addStretch();
}

std::array<QXYSeries*, 7> ParameterChartPage::allSeries() const {
    return {limit100Line, loadPercentLine, loadMassLine, boomLengthLine,
            radiusLine,   axisLine,        dateMarks};
}

void ParameterChartPage::showReadout(QPointF chartPosition, QPoint viewPosition, bool inside) {
    const QRectF plot = chart->plotArea();
    if (!inside || !reading_ || !plot.contains(chartPosition)) {
        hoverReadout->hide();
        return;
    }
    const double share = (chartPosition.x() - plot.left()) / std::max(plot.width(), 1.0);
    const long frame =
        std::lround(axisFrames->min() + share * (axisFrames->max() - axisFrames->min()));
    if (frame < 0 || frame >= reading_->FrameCount) {
        hoverReadout->hide();
        return;
    }
    recorder::ShownLines shown;
    shown.loadPercent = CheckBox_GrParM->isChecked();
    shown.loadMass = CheckBox_GrParQ->isChecked();
    shown.boomLength = CheckBox_GrParL->isChecked();
    shown.radius = CheckBox_GrParR->isChecked();
    const QString point = QLocale().decimalPoint();
    const recorder::NumberFormat format{point == "," ? ',' : '.'};
    hoverReadout->setText(QString::fromStdString(recorder::frameReadout(
        reading_->FrameTable[static_cast<std::size_t>(frame)], shown, format)));
    hoverReadout->adjustSize();
    // Beside the pointer, turned to the other side near the right and bottom edges.
    QPoint at = viewPosition + QPoint(14, 14);
    if (at.x() + hoverReadout->width() > Chart_Param->width())
        at.setX(viewPosition.x() - 14 - hoverReadout->width());
    if (at.y() + hoverReadout->height() > Chart_Param->height())
        at.setY(viewPosition.y() - 14 - hoverReadout->height());
    hoverReadout->move(at);
    hoverReadout->show();
    hoverReadout->raise();
}

void ParameterChartPage::fill(const recorder::Reading& reading) {
    reading_ = &reading;
    const recorder::ParameterChartData chartData = recorder::parameterChartData(reading);
    const std::array<const std::vector<recorder::ChartPoint>*, 6> lines = {
        &chartData.limit100,   &chartData.loadPercent, &chartData.loadMass,
        &chartData.boomLength, &chartData.radius,      &chartData.axis};
    for (std::size_t i = 0; i < lines.size(); ++i) spans_[i] = recorder::valueSpan(*lines[i]);
    spans_[6] =
        chartData.dateMarks.empty() ? std::nullopt : std::optional(recorder::ValueSpan{0, 0});

    axisFrames->setTitleText(QString::fromUtf8("Кадры"));
    chart->setTitle(QString::fromStdString(recorder::parameterChartTitle(reading)));
    // Axes first: every change of an axis recomputes every series drawn on it,
    // so they are set while the series are still short.
    showAllFrames(Chart_Param, chartData.axis);
    CheckBox_GrParClick();

    // Whole lists at once: adding point by point to a shown series is far too slow.
    for (std::size_t i = 0; i < lines.size(); ++i) allSeries()[i]->replace(toQPoints(*lines[i]));
    QList<QPointF> markPoints;
    QList<DateMarksItem::Mark> marks;
    markPoints.reserve(static_cast<qsizetype>(chartData.dateMarks.size()));
    marks.reserve(static_cast<qsizetype>(chartData.dateMarks.size()));
    for (const auto& mark : chartData.dateMarks) {
        markPoints.append(QPointF(mark.x, 0));
        marks.append({static_cast<double>(mark.x), QString::fromStdString(mark.label)});
    }
    dateMarks->replace(markPoints);
    dateLabels->setMarks(std::move(marks));
}

void ParameterChartPage::resetFrameAxis() {
    Chart_Param->showWhole();
}

void ParameterChartPage::showFrames(double first, double last) {
    Chart_Param->showFrames(first, last);
}

void ParameterChartPage::CheckBox_GrParClick() {
    const bool m = CheckBox_GrParM->isChecked();
    limit100Line->setVisible(m);
    loadPercentLine->setVisible(m);
    loadMassLine->setVisible(CheckBox_GrParQ->isChecked());
    boomLengthLine->setVisible(CheckBox_GrParL->isChecked());
    radiusLine->setVisible(CheckBox_GrParR->isChecked());
    axisLine->setVisible(true);
    dateMarks->setVisible(CheckBox_Data->isChecked());
    dateLabels->update();

    // The value axis spans what is shown, as an automatic axis does.
    double low = std::numeric_limits<double>::max();
    double high = std::numeric_limits<double>::lowest();
    const auto series = allSeries();
    for (std::size_t i = 0; i < series.size(); ++i) {
        if (!series[i]->isVisible() || !spans_[i]) continue;
        low = std::min(low, spans_[i]->low);
        high = std::max(high, spans_[i]->high);
    }
    if (low > high) low = high = 0;
    if (high - low < 1e-9) high = low + 1;
    // Round numbers at both ends, set at once: each change of the range
    // recomputes every series.
    const double step = niceStep((high - low) / 5);
    axisValues->setTickInterval(step);
    axisValues->setRange(std::floor(low / step) * step, std::ceil(high / step) * step);
}

bool ParameterChartPage::eventFilter(QObject* watched, QEvent* event) {
    // A click on the panel between the check boxes applies them as well.
    if (watched == legendPanel && event->type() == QEvent::MouseButtonRelease)
        CheckBox_GrParClick();
    return QWidget::eventFilter(watched, event);
}

std::optional<int> ParameterChartPage::frameAt(QPointF at) const {
    double best = kHitDistance;
    std::optional<double> bestX;
    for (QXYSeries* series : allSeries()) {
        if (!series->isVisible()) continue;
        const QList<QPointF> points = series->points();  // shared, not copied
        if (points.isEmpty()) continue;
        // Frame numbers rise with the index, so only the points whose x lies
        // within reach of the click need a look.
        const double from = chart->mapToValue(at - QPointF(kHitDistance, 0), series).x();
        const double to = chart->mapToValue(at + QPointF(kHitDistance, 0), series).x();
        const auto byX = [](const QPointF& p, double x) { return p.x() < x; };
        qsizetype first =
            std::lower_bound(points.begin(), points.end(), from, byX) - points.begin();
        qsizetype last = std::lower_bound(points.begin(), points.end(), to, byX) - points.begin();
        first = std::max<qsizetype>(first - 1, 0);
        last = std::min<qsizetype>(last, points.size() - 1);
        const bool isLine = series != dateMarks;
        for (qsizetype i = first; i <= last; ++i) {
            const QPointF p = chart->mapToPosition(points[i], series);
            const double d = QLineF(p, at).length();
            if (d < best) {
                best = d;
                bestX = points[i].x();
            }
            if (!isLine || i == last) continue;
            // A click on the line between two points takes the nearer of them.
            const QPointF q = chart->mapToPosition(points[i + 1], series);
            const double s = distanceToSegment(at, p, q);
            if (s < best) {
                best = s;
                bestX = std::abs(at.x() - p.x()) <= std::abs(at.x() - q.x()) ? points[i].x()
                                                                             : points[i + 1].x();
            }
        }
    }
    if (!bestX) return std::nullopt;
    return static_cast<int>(std::trunc(*bestX));
}

void ParameterChartPage::Chart_ParamClickSeries(QPointF chartPosition) {
    if (const auto frame = frameAt(chartPosition)) emit frameClicked(*frame);
}

ParameterChartPage* buildParameterChartPage(QWidget* page) {
    return fillChartPage(new ParameterChartPage(page), page);
}
