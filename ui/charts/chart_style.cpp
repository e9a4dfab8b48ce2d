#include "ui/charts/chart_style.h"

#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "ui/charts/frame_chart_view.h"
#include "ui/charts/plot_series.h"

void styleFrameChart(FrameChartView* chart, QColor titleColour, bool boldTitle) {
    QFont title("Arial");
    title.setPixelSize(13);
    title.setBold(boldTitle);
    chart->setTitleFont(title);
    chart->setTitleColour(titleColour);
}

double niceStep(double rough) {
    if (!(rough > 0)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * power >= rough * (1 - 1e-12)) return m * power;
    return 10 * power;
}

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QImage dateMarkImage() {
    return circleMarker(Qt::black);
}

QImage limitMarkImage(QColor colour) {
    QImage image(kLimitMarkHeight, kLimitMarkHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    for (int y = 0; y < kLimitMarkHeight; ++y) image.setPixelColor(kLimitMarkHeight / 2, y, colour);
    return image;
}

QList<QPointF> toQPoints(const std::vector<recorder::ChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const auto& p : points) list.append(QPointF(p.x, p.y));
    return list;
}

void showAllFrames(FrameChartView* view, const std::vector<recorder::ChartPoint>& axis) {
    if (axis.empty())
        view->setWholeRange(0, 1);
    else
        view->setWholeRange(axis.front().x, axis.back().x);
    view->showWhole();
}

void placeChartPage(QWidget* content, QWidget* page) {
    content->setMinimumSize(1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
}

QPushButton* wholeRangeButton(QWidget* parent, FrameChartView* view) {
    auto* button = new QPushButton(QString::fromUtf8("Весь диапазон"), parent);
    button->setObjectName("Button_WholeRange");
    button->setToolTip(QString::fromUtf8(
        "Участок кадров выделяется мышью на графике; правая кнопка мыши показывает все кадры"));
    QObject::connect(button, &QPushButton::clicked, view, &FrameChartView::showWhole);
    return button;
}
