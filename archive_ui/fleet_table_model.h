#pragma once
// The fleet as a table: one row per limiter with its crane, owner, latest
// reading and remaining design life. Qt::UserRole gives each cell's sort key
// (numbers as numbers, dates as minutes), so the view sorts as a person expects.

#include <QAbstractTableModel>
#include <vector>

#include "archive/archived_reading.h"

class FleetTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        Serial,
        Crane,
        CraneNumber,
        Owner,
        LastReading,
        Readings,
        Characteristic,
        Normative,
        UsedPercent,
        Projected,
        Method,
        ColumnCount
    };
    static constexpr int kSortRole = Qt::UserRole;
    // Owner and crane model together: what the filter box matches.
    static constexpr int kFilterRole = Qt::UserRole + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setFleet(std::vector<archive::FleetEntry> fleet);
    const archive::FleetEntry& entry(int row) const {
        return fleet_[static_cast<std::size_t>(row)];
    }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<archive::FleetEntry> fleet_;
};
