// The "Наработка" page: for every 10 % load band the number of work cycles and
// of load cycles, and the two bars of the load diagrams, load cycles above work
// cycles, green up to 90 %, yellow for 90–100 %, red for overloads.

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <array>

#include "recorder/display_table.h"
#include "ui/main_window/band_gauge.h"
#include "ui/main_window/displays.h"
#include "ui/main_window/pages.h"

namespace {

constexpr std::array<const char*, recorder::bank::kBands> kBandCaptions = {
    "M < 10%",         "10% < M < 20%",   "20% < M < 30%",   "30% < M < 40%",   "40% < M < 50%",
    "50% < M < 60%",   "60% < M < 70%",   "70% < M < 80%",   "80% < M < 90%",   "90% < M < 100%",
    "100% < M < 110%", "110% < M < 120%", "120% < M < 130%", "130% < M < 140%", "140% < M ",
};

QColor bandColour(int band) {
    if (band < 9) return QColor(0, 160, 0);
    if (band == 9) return QColor(230, 200, 0);
    return QColor(220, 0, 0);
}

QLabel* header(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

QFrame* buildLoadBandsPanel(Displays& displays, QWidget* page) {
    auto* panel = new QFrame(page);
    panel->setObjectName("Panel_Nagruzki");
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFixedSize(kLoadBandsPanelWidth, kLoadBandsPanelHeight);

    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);
    grid->addWidget(header("Нагрузка", panel), 0, 0);
    grid->addWidget(header("Рабочие циклы", panel), 0, 1);
    grid->addWidget(header("Циклы нагружения", panel), 0, 2);
    grid->addWidget(header("Диаграмма нагружения", panel), 0, 3);
    grid->setColumnStretch(3, 1);

    const auto& names = recorder::bandDisplays();
    for (int band = 0; band < recorder::bank::kBands; ++band) {
        const auto& n = names[static_cast<std::size_t>(band)];
        const int row = band + 1;
        grid->addWidget(
            new QLabel(QString::fromUtf8(kBandCaptions[static_cast<std::size_t>(band)]), panel),
            row, 0);
        for (const auto& [name, column] : {std::pair{&n.workCycles, 1}, {&n.loadCycles, 2}}) {
            QLineEdit* edit = displays.addEdit(*name, panel);
            edit->setAlignment(Qt::AlignRight);
            edit->setFixedWidth(105);
            grid->addWidget(edit, row, column);
        }
        // The two bars share the band's row, a few pixels apart.
        auto* bars = new QWidget(panel);
        auto* stack = new QVBoxLayout(bars);
        stack->setContentsMargins(0, 2, 0, 2);
        stack->setSpacing(2);
        const QColor colour = bandColour(band);
        stack->addWidget(displays.addGauge(n.loadGauge, colour, bars));
        stack->addWidget(displays.addGauge(n.workGauge, colour, bars));
        grid->addWidget(bars, row, 3);
    }
    auto* legend = new QLabel(
        QString::fromUtf8("Верхняя полоса — циклы нагружения, нижняя — рабочие циклы"), panel);
    legend->setAlignment(Qt::AlignRight);
    grid->addWidget(legend, recorder::bank::kBands + 1, 0, 1, 4);
    return panel;
}
