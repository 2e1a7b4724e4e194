#pragma once
// The title row of the list control: captions in the title colours and the sort marker.

#include <QtWidgets/QHeaderView>

class TOrvDBSortGridPrivate;

class TOrvDBSortGridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit TOrvDBSortGridHeader(const TOrvDBSortGridPrivate& grid);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

private:
    const TOrvDBSortGridPrivate& FGrid;
};
