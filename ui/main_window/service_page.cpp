// The "Служебная" page: who read the recorder, which limiter and crane it
// belongs to, the crane's operating mode and resource, and the running times.

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "recorder/display_table.h"
#include "ui/main_window/displays.h"
#include "ui/main_window/pages.h"

namespace {

namespace d = recorder::display;

struct Row {
    const char* caption;  // empty: the display spans the whole group
    const recorder::Display& display;
    bool below = false;  // the caption on a row of its own, the display across the group below
};

// A group box of caption and display pairs, filled row by row over `columns` pairs.
QGroupBox* group(const char* title, std::initializer_list<Row> rows, Displays& displays,
                 QWidget* parent, int columns = 1) {
    auto* box = new QGroupBox(QString::fromUtf8(title), parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 0, 6, 3);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    for (int c = 0; c < columns; ++c) grid->setColumnStretch(2 * c + 1, 1);
    int i = 0;
    for (const Row& row : rows) {
        QWidget* display = displays.addText(row.display, box);
        const int r = i / columns;
        const int c = 2 * (i % columns);
        if (*row.caption == '\0') {
            grid->addWidget(display, r, c, 1, 2);
        } else if (row.below) {
            grid->addWidget(new QLabel(QString::fromUtf8(row.caption), box), r, c, 1, 2);
            grid->addWidget(display, r + 1, c, 1, 2);
            i += columns;
        } else {
            grid->addWidget(new QLabel(QString::fromUtf8(row.caption), box), r, c);
            grid->addWidget(display, r, c + 1);
        }
        ++i;
    }
    grid->setRowStretch((i + columns - 1) / columns, 1);  // rows keep to the top
    return box;
}

}  // namespace

QFrame* buildServicePanel(Displays& displays, QWidget* page) {
    auto* panel = new QFrame(page);
    panel->setObjectName("Panel_Slugebnaya");

    QGroupBox* operatorBox =
        group(" Информация об операторе ",
              {
                  {"Сервисная организация:", d::kServiceOrganisation},
                  {"Ф.И.О. оператора:", d::kOperatorName},
                  {"Номер удостоверения:", d::kCertificateNumber},
                  {"Удостоверение действительно до:", d::kCertificateValidUntil},
                  {"Дата считывания:", d::kReadingDate},
              },
              displays, panel);
    QGroupBox* craneBox = group(" Идентификация крана ",
                                {
                                    {"Владелец крана:", d::kOwner},
                                    {"Модель крана:", d::kCraneModel},
                                    {"Заводской номер крана:", d::kCraneNumber},
                                    {"Год изготовления:", d::kManufactureYear},
                                    {"Группа режима работы:", d::kModeGroup},
                                    {"Дата установки ограничителя:", d::kInstallDate},
                                    // Up to forty characters: the whole width of the group.
                                    {"Изготовитель крана:", d::kCraneMaker, true},
                                },
                                displays, panel);
    QGroupBox* programBox = group(" Организация, осуществившая ввод рабочей программы ",
                                  {{"", d::kProgrammingOrganisation}}, displays, panel);
    QGroupBox* limiterBox = group(" Идентификация ограничителя ",
                                  {
                                      {"Заводской номер:", d::kLimiterSerialNumber},
                                      {"Модификация:", d::kLimiterModel},
                                      {"Версия программы:", d::kProgramVersion},
                                      {"Версия таблиц:", d::kTablesVersion},
                                      {"Конфигурация:", d::kConfiguration},
                                      {"Версия регистратора:", d::kRecorderVersion},
                                      {"Изготовитель:", d::kLimiterMaker},
                                      {"Адаптирован к кранам:", d::kAdaptedCranes},
                                  },
                                  displays, panel);
    QGroupBox* modesBox =
        group(" Информация о режимах работы и ресурсе крана ",
              {
                  {"Характеристическое число (текущее):", d::kCharacteristicNumber},
                  {"Характеристическое число (нормативное):", d::kNormativeCharacteristicNumber},
                  {"Класс использования:", d::kUseClass},
                  {"Коэффициент распределения нагрузок:", d::kLoadSpectrumFactor},
                  {"Режим нагружения:", d::kLoadSpectrumClass},
                  {"Текущая группа режима работы крана:", d::kCurrentGroup},
                  {"Масса поднятых грузов:", d::kLiftedMass},
              },
              displays, panel);
    QGroupBox* timesBox = group(" Время работы механизмов ",
                                {
                                    {"Лебёдка:", d::kWinchTime},
                                    {"Подъём стрелы:", d::kBoomAngleTime},
                                    {"Телескопирование:", d::kBoomLengthTime},
                                    {"Поворот:", d::kSlewTime},
                                    {"Наработка в моточасах:", d::kMotorHours},
                                },
                                displays, panel, 3);

    // Two columns: the people and the crane on the left, the limiter and the
    // crane's mode and resource on the right; the running times below both.
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(3);
    grid->addWidget(operatorBox, 0, 0);
    grid->addWidget(craneBox, 1, 0);
    grid->addWidget(programBox, 2, 0);
    grid->addWidget(limiterBox, 0, 1);
    grid->addWidget(modesBox, 1, 1, 2, 1);
    grid->addWidget(timesBox, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    return panel;
}
