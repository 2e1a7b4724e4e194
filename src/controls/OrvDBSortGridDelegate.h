#pragma once
// Draws the list control's data cells: alternate rows, grey inactive rows, the focus colours.

#include <QtWidgets/QStyledItemDelegate>

class TOrvDBSortGridPrivate;

class TOrvDBSortGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    TOrvDBSortGridDelegate(const TOrvDBSortGridPrivate& grid, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const TOrvDBSortGridPrivate& FGrid;
};
