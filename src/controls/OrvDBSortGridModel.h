#pragma once
// The list control's rows as a table model over its copy; model column = declaration index.

#include <QAbstractTableModel>
#include <QtGui/QColor>

class TOrvDBSortGridPrivate;

class TOrvDBSortGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TOrvDBSortGridModel(TOrvDBSortGridPrivate& grid, QObject* parent);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the view the rows were replaced, reordered or filtered.
    void Refill();
    void ColumnAdded();

private:
    TOrvDBSortGridPrivate& FGrid;
    int FRows = 1;
    int FColumns = 0;
};
