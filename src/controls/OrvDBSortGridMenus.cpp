// The list control's context menus: the title menu and the cell menu, with their copy functions.

#include "controls/OrvDBSortGridPrivate.h"
#include "core/OrvMessages.h"

#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMenu>

void TOrvDBSortGridPrivate::ShowTitleMenu(const QPoint& position) {
    const int column = FGrid->horizontalHeader()->logicalIndexAt(position);
    if (column < 0 || IsEmpty() || !FColumns.Initialized()) return;
    FLastPopupTitelBalkCol = column;
    FPopupMenuTitelBalk->popup(FGrid->horizontalHeader()->mapToGlobal(position));
}

void TOrvDBSortGridPrivate::ShowGridMenu(const QPoint& position) {
    if (!FGrid->indexAt(position).isValid() || IsEmpty()) return;
    QMenu* menu = FPopupMenu;
    if (!menu) {
        if (!FPopupMenuGrid) {
            FPopupMenuGrid = new QMenu(&q);
            FPopupMenuGrid->setObjectName(QStringLiteral("FPopupMenuGrid"));
        }
        menu = FPopupMenuGrid;
    }
    if (FCellMenuAddedTo != menu) {
        if (!menu->actions().isEmpty()) menu->addSeparator();
        QAction* item = menu->addAction(QStringLiteral("Celtekst kopiëren"));
        item->setObjectName(QStringLiteral("miCellWaardeKopieren"));
        ConnectGuarded(item, &QAction::triggered, this, [this] { CopyCellText(); });
        FCellMenuAddedTo = menu;
    }
    menu->popup(FGrid->viewport()->mapToGlobal(position));
}

void TOrvDBSortGridPrivate::CopyColumn() {
    if (FLastPopupTitelBalkCol < 0 || IsEmpty()) return;
    const TOrvDBSortGridColumn& column = FColumns.Items(FLastPopupTitelBalkCol);
    const int formatted = column.FormattedFieldName().isEmpty() ? -1 : FCopy.FieldIndex(column.FormattedFieldName());
    const int field = formatted >= 0 ? formatted : FCopy.FieldIndexOrRaise(column.FieldName());
    QStringList texts;
    for (int r = 0; r < FCopy.RecordCount(); ++r) {
        const QString text = FCopy.Value(r, field).toString();
        if (!text.trimmed().isEmpty()) texts << text;
    }
    FCopy.SetRecNo(Row() - 1);
    if (texts.isEmpty()) return ShowWarning(QStringLiteral("Alle waarden in de kolom zijn leeg."));
    QGuiApplication::clipboard()->setText(texts.join(QStringLiteral("\r\n")));
}

void TOrvDBSortGridPrivate::CopyCellText() {
    const QString text = CellText(Row(), CurrentColumn()).trimmed();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}
