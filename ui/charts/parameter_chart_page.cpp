#include "ui/charts/parameter_chart_page.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

#include "recorder/chart_data.h"
#include "ui/charts/chart_style.h"
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

PlotSeries* lineSeries(PlotWidget* chart, const char* name, const char* title, QColor colour,
                       int width) {
    PlotSeries* series = chart->addSeries(QString::fromUtf8(name), QString::fromUtf8(title));
    QPen pen(colour, width);
    pen.setCapStyle(Qt::FlatCap);
    series->setPen(pen);
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
    Chart_Param = new FrameChartView(this);
    Chart_Param->setObjectName("Chart_Param");
    styleFrameChart(Chart_Param, kBlack, false);
    Chart_Param->setTitle(QString::fromUtf8(recorder::kParameterChartInitialTitle));
    buildSeriesAndAxes();

    connect(Chart_Param, &FrameChartView::clickedAt, this,
            &ParameterChartPage::Chart_ParamClickSeries);
    hoverReadout = new QLabel(Chart_Param);
    hoverReadout->setObjectName("Chart_Param_Readout");
    hoverReadout->setStyleSheet(QStringLiteral(
        "QLabel { background: #ffffe1; color: black; border: 1px solid gray; padding: 2px; }"));
    hoverReadout->setAttribute(Qt::WA_TransparentForMouseEvents);
    hoverReadout->hide();
    connect(Chart_Param, &FrameChartView::hovered, this, &ParameterChartPage::showReadout);

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
    limit100Line = lineSeries(Chart_Param, "Series1", "Предел 100%", kRed, 2);
    loadPercentLine = lineSeries(Chart_Param, "Series2", "Процент загрузки M (%)", kGreen, 1);
    loadMassLine = lineSeries(Chart_Param, "Series4", "Груз Q (т.)", kBlue, 1);
    boomLengthLine = lineSeries(Chart_Param, "Series5", "Длина стрелы L (т.)", kBlack, 1);
    radiusLine = lineSeries(Chart_Param, "Series16", "Вылет R (т.)", kMaroon, 1);
    axisLine = lineSeries(Chart_Param, "Series18", "Осевая", kBlack, 2);
    axisLine->setInLegend(false);
    dateMarks = Chart_Param->addSeries("Series3", QString::fromUtf8("Дата"));
    dateMarks->setPen(Qt::NoPen);
    dateMarks->setColor(kBlack);
    dateMarks->setMarker(dateMarkImage(), kDateMarkSize);

    axisFrames = &Chart_Param->axisX();
    axisFrames->setTitleText(QString::fromUtf8("Кадры"));
    axisValues = &Chart_Param->axisY();
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

std::array<PlotSeries*, 7> ParameterChartPage::allSeries() const {
    return {limit100Line, loadPercentLine, loadMassLine, boomLengthLine,
            radiusLine,   axisLine,        dateMarks};
}

void ParameterChartPage::showReadout(QPoint position, bool inside) {
    if (!inside || !reading_ || !Chart_Param->plotArea().contains(position)) {
        hoverReadout->hide();
        return;
    }
    const long frame = std::lround(Chart_Param->mapToValue(position).x());
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
    QPoint at = position + QPoint(14, 14);
    if (at.x() + hoverReadout->width() > Chart_Param->width())
        at.setX(position.x() - 14 - hoverReadout->width());
    if (at.y() + hoverReadout->height() > Chart_Param->height())
        at.setY(position.y() - 14 - hoverReadout->height());
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
    Chart_Param->setTitle(QString::fromStdString(recorder::parameterChartTitle(reading)));
    showAllFrames(Chart_Param, chartData.axis);
    CheckBox_GrParClick();

    for (std::size_t i = 0; i < lines.size(); ++i) allSeries()[i]->replace(toQPoints(*lines[i]));
    QList<QPointF> markPoints;
    QStringList labels;
    markPoints.reserve(static_cast<qsizetype>(chartData.dateMarks.size()));
    labels.reserve(static_cast<qsizetype>(chartData.dateMarks.size()));
    for (const auto& mark : chartData.dateMarks) {
        markPoints.append(QPointF(mark.x, 0));
        labels.append(QString::fromStdString(mark.label));
    }
    dateMarks->replace(markPoints);
    dateMarks->setLabels(labels);
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
    // Round numbers at both ends.
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
    for (PlotSeries* series : allSeries()) {
        if (!series->isVisible()) continue;
        const QList<QPointF>& points = series->points();
        if (points.isEmpty()) continue;
        // Frame numbers rise with the index, so only the points whose x lies
        // within reach of the click need a look.
        const double from = Chart_Param->mapToValue(at - QPointF(kHitDistance, 0)).x();
        const double to = Chart_Param->mapToValue(at + QPointF(kHitDistance, 0)).x();
        const auto byX = [](const QPointF& p, double x) { return p.x() < x; };
        qsizetype first =
            std::lower_bound(points.begin(), points.end(), from, byX) - points.begin();
        qsizetype last = std::lower_bound(points.begin(), points.end(), to, byX) - points.begin();
        first = std::max<qsizetype>(first - 1, 0);
        last = std::min<qsizetype>(last, points.size() - 1);
        const bool isLine = series != dateMarks;
        for (qsizetype i = first; i <= last; ++i) {
            const QPointF p = Chart_Param->mapToPosition(points[i]);
            const double d = QLineF(p, at).length();
            if (d < best) {
                best = d;
                bestX = points[i].x();
            }
            if (!isLine || i == last) continue;
            // A click on the line between two points takes the nearer of them.
            const QPointF q = Chart_Param->mapToPosition(points[i + 1]);
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

void ParameterChartPage::Chart_ParamClickSeries(QPointF position) {
    if (const auto frame = frameAt(position)) emit frameClicked(*frame);
}

ParameterChartPage* buildParameterChartPage(QWidget* page) {
    return fillChartPage(new ParameterChartPage(page), page);
}
