#include "controls/OrvDBSortGridHeader.h"

#include "controls/OrvDBSortGridPrivate.h"

#include <QtGui/QPainter>

TOrvDBSortGridHeader::TOrvDBSortGridHeader(const TOrvDBSortGridPrivate& grid)
    : QHeaderView(Qt::Horizontal), FGrid(grid) {}

void TOrvDBSortGridHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    if (!rect.isValid() || logicalIndex >= FGrid.FColumns.Count()) return;
    const QColor background = OrSystemColor(OrvDBSortGridColors.TitleBackground, palette().button().color());
    const QColor font = OrSystemColor(OrvDBSortGridColors.TitleFont, palette().buttonText().color());
    painter->save();
    painter->fillRect(rect, background);
    painter->setPen(background.darker(140));
    painter->drawLine(rect.topRight(), rect.bottomRight());
    painter->drawLine(rect.bottomLeft(), rect.bottomRight());
    painter->setClipRect(rect);
    painter->setPen(font);
    painter->drawText(rect.adjusted(2, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      FGrid.FColumns.Items(logicalIndex).Caption());
    if (logicalIndex == FGrid.FSortColumn && FGrid.FSortDirection != sdNotSorted) {
        const QRect marker(rect.right() - 4 - 11, rect.top() + 2, 12, 12);
        QPolygon triangle;
        if (FGrid.FSortDirection == sdAscending)
            triangle << QPoint(marker.left() + 2, marker.bottom() - 3)
                     << QPoint(marker.right() - 2, marker.bottom() - 3)
                     << QPoint(marker.center().x(), marker.top() + 3);
        else
            triangle << QPoint(marker.left() + 2, marker.top() + 3) << QPoint(marker.right() - 2, marker.top() + 3)
                     << QPoint(marker.center().x(), marker.bottom() - 3);
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setBrush(font);
        painter->drawPolygon(triangle);
    }
    painter->restore();
}
