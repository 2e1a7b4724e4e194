#include "controls/OrvDBSortGridDelegate.h"

#include "controls/OrvDBSortGridPrivate.h"

#include <QtGui/QPainter>

TOrvDBSortGridDelegate::TOrvDBSortGridDelegate(const TOrvDBSortGridPrivate& grid, QObject* parent)
    : QStyledItemDelegate(parent), FGrid(grid) {}

void TOrvDBSortGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const QPalette& palette = option.palette;
    const QVariant background = index.data(Qt::BackgroundRole), foreground = index.data(Qt::ForegroundRole);
    QColor back = background.isValid() ? background.value<QColor>() : palette.base().color();
    QColor font = foreground.isValid() ? foreground.value<QColor>() : palette.text().color();
    if (option.state & QStyle::State_Selected) {
        if (FGrid.q.Focused()) {
            back = OrSystemColor(OrvDBSortGridColors.FocusBackground, palette.highlight().color());
            font = OrSystemColor(OrvDBSortGridColors.FocusFont, palette.highlightedText().color());
        } else {
            back = OrSystemColor(OrvDBSortGridColors.UnfocusedSelectionBackground, palette.dark().color());
            font = OrSystemColor(OrvDBSortGridColors.UnfocusedSelectionFont, palette.window().color());
        }
    }
    painter->save();
    painter->fillRect(option.rect, back);
    painter->setClipRect(option.rect);
    painter->setPen(font);
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(2, 0, -3, 0), index.data(Qt::TextAlignmentRole).toInt(),
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}
