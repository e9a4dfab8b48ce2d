#include "archive_ui/fleet_table_model.h"

#include <QLocale>

namespace {

QString dayOrDash(const std::optional<int>& day) {
    return day ? QString::fromStdString(archive::dayText(*day)) : QStringLiteral("—");
}

}  // namespace

void FleetTableModel::setFleet(std::vector<archive::FleetEntry> fleet) {
    beginResetModel();
    fleet_ = std::move(fleet);
    endResetModel();
}

int FleetTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fleet_.size());
}

int FleetTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FleetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const archive::FleetEntry& e = entry(index.row());
    const archive::ArchivedReading& r = e.latest;
    const archive::DesignLife& life = e.life;
    const QLocale locale;
    if (role == kFilterRole) return r.owner + QLatin1Char('\n') + r.craneModel;
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == CraneNumber || index.column() == Readings ||
                            index.column() == Characteristic || index.column() == Normative ||
                            index.column() == UsedPercent;
        return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
    }
    if (role != Qt::DisplayRole && role != kSortRole && role != Qt::ToolTipRole) return {};
    const bool sort = role == kSortRole;
    switch (index.column()) {
        case Serial:
            return r.limiterSerial;
        case Crane:
            return r.craneModel;
        case CraneNumber:
            return r.craneNumber;
        case Owner:
            return r.owner;
        case LastReading:
            if (sort) return r.readingMinutes ? QVariant(*r.readingMinutes) : QVariant(qint64{-1});
            return r.readingDateText;
        case Readings:
            return e.readings;
        case Characteristic:
            return sort ? QVariant(static_cast<double>(r.counters.CharacteristicNumber))
                        : QVariant(locale.toString(r.counters.CharacteristicNumber, 'f', 2));
        case Normative:
            if (sort) return r.normativeNumber;
            return r.normativeNumber > 0 ? QString::number(r.normativeNumber) : QStringLiteral("—");
        case UsedPercent:
            if (sort) return life.usedShare ? *life.usedShare : -1.0;
            return life.usedShare ? locale.toString(*life.usedShare * 100, 'f', 1)
                                  : QStringLiteral("—");
        case Projected:
            if (sort) return life.projectedDay ? *life.projectedDay : INT_MAX;
            return dayOrDash(life.projectedDay);
        case Method:
            return QString::fromStdString(
                archive::methodCaption(life, static_cast<std::size_t>(e.readings)));
    }
    return {};
}

QVariant FleetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kCaptions[ColumnCount] = {
        "Ограничитель", "Кран",       "№ крана",     "Владелец",        "Последнее считывание",
        "Считываний",   "Хар. число", "Нормативное", "Использовано, %", "Норматив будет достигнут",
        "Как оценено"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(kCaptions[section])
                                                 : QVariant();
}
