// The "Служебная" page: who read the recorder, which limiter and crane it
// belongs to, the crane's operating mode and resource, and the running times.

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/displays.h"
#include "ui/pages.h"

namespace {

struct Row {
    const char* caption;  // empty: the display spans the whole group
    const char* display;
    bool label = false;  // a value label rather than an edit box
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
        QWidget* display = row.label ? static_cast<QWidget*>(displays.addLabel(row.display, box))
                                     : displays.addEdit(row.display, box);
        const int r = i / columns;
        const int c = 2 * (i % columns);
        if (*row.caption == '\0') {
            grid->addWidget(display, r, c, 1, 2);
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

    QGroupBox* operatorBox = group(" Информация об операторе ",
                                   {
                                       {"Сервисная организация:", "Edit_Org"},
                                       {"Ф.И.О. оператора:", "Edit_Name"},
                                       {"Номер удостоверения:", "Edit_NUd"},
                                       {"Удостоверение действительно до:", "Edit_DateUd"},
                                       {"Дата считывания:", "Edit_DataSch"},
                                   },
                                   displays, panel);
    QGroupBox* craneBox = group(" Индентификация крана ",
                                {
                                    {"Владелец крана:", "Edit_Vlad"},
                                    {"Модель крана:", "Edit_MKran"},
                                    {"Заводской номер крана:", "Edit_NKran"},
                                    {"Год изготовления:", "Edit_GodIzgot"},
                                    {"Группа режима работы:", "Edit_GrRegNag"},
                                    {"Дата установки ограничителя:", "Edit_DataUst"},
                                    {"Изготовитель крана:", "Edit_IzgotKran"},
                                },
                                displays, panel);
    QGroupBox* programBox = group(" Организация, осуществившая ввод рабочей программы ",
                                  {{"", "Edit_NalOrg"}}, displays, panel);
    QGroupBox* limiterBox = group(" Идентификация ограничителя ",
                                  {
                                      {"Заводской номер:", "Edit_NTIRS"},
                                      {"Модификация:", "Edit_ModTIRS"},
                                      {"Версия программы:", "Edit_VProg"},
                                      {"Версия таблиц:", "Edit_VTabl"},
                                      {"Конфигурация:", "Edit_ConfTIRS"},
                                      {"Версия регистратора:", "Edit_VRP"},
                                      {"Изготовитель:", "Edit_IzgotTIRS"},
                                      {"Адаптирован к кранам:", "Edit_TipKranov"},
                                  },
                                  displays, panel);
    QGroupBox* modesBox =
        group(" Информация о режимах работы и ресурсе крана ",
              {
                  {"Характеристическое число (текущее):", "Edit_HarCh"},
                  {"Характеристическое число (нормативное):", "Label_NHarch", true},
                  {"Класс использования:", "Label_KIspU", true},
                  {"Коэффициент распределения нагрузок:", "Label_KNag", true},
                  {"Режим нагружения:", "Label_RezhQ", true},
                  {"Текущая группа режима работы крана:", "Label_RezhA", true},
                  {"Масса поднятых грузов:", "Label_QSum", true},
              },
              displays, panel);
    QGroupBox* timesBox = group(" Время работы механизмов ",
                                {
                                    {"Лебёдка:", "E_LEsec"},
                                    {"Подъём стрелы:", "E_ALsec"},
                                    {"Телескопирование:", "E_Lsec"},
                                    {"Поворот:", "E_GAsec"},
                                    {"Наработка в моточасах:", "L_TimeAll", true},
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
