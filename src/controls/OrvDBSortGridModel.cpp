#include "controls/OrvDBSortGridModel.h"

#include "controls/OrvDBSortGridPrivate.h"

#include <algorithm>

TOrvDBSortGridModel::TOrvDBSortGridModel(TOrvDBSortGridPrivate& grid, QObject* parent)
    : QAbstractTableModel(parent), FGrid(grid) {}

int TOrvDBSortGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FRows; }

int TOrvDBSortGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FColumns; }

QVariant TOrvDBSortGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() >= FGrid.FColumns.Count()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return FGrid.CellText(index.row() + 1, index.column());
    case Qt::TextAlignmentRole:
        return int((FGrid.FColumns.Items(index.column()).Alignment() == gaRight ? Qt::AlignRight : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // Grid rows count from the title row: even grid rows are the odd model rows.
        return index.row() % 2 == 1 ? QVariant(OrvDBSortGridColors.Toggle) : QVariant();
    case Qt::ForegroundRole:
        return FGrid.IsInactiveRow(index.row() + 1) ? QVariant(QColor(128, 128, 128)) : QVariant();
    default:
        return {};
    }
}

QVariant TOrvDBSortGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < FColumns)
        return FGrid.FColumns.Items(section).Caption();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TOrvDBSortGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TOrvDBSortGridModel::Refill() {
    const int rows = std::max(1, FGrid.IsEmpty() ? 0 : FGrid.FCopy.RecordCount());
    if (rows < FRows) {
        beginRemoveRows({}, rows, FRows - 1);
        FRows = rows;
        endRemoveRows();
    } else if (rows > FRows) {
        beginInsertRows({}, FRows, rows - 1);
        FRows = rows;
        endInsertRows();
    }
    if (FColumns > 0) Q_EMIT dataChanged(index(0, 0), index(FRows - 1, FColumns - 1));
}

void TOrvDBSortGridModel::ColumnAdded() {
    beginInsertColumns({}, FColumns, FColumns);
    ++FColumns;
    endInsertColumns();
}
