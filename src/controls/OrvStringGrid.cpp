#include "controls/OrvStringGrid.h"

#include "controls/OrvDBSortGridPrivate.h"
#include "core/OrvMessages.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QScrollBar>

TOrvStringGrid::TOrvStringGrid(TOrvDBSortGridPrivate& grid, QWidget* parent) : QTableView(parent), FGrid(grid) {}

void TOrvStringGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // Horizontal scrolling is by whole columns, done by the control.
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(0);
}

void TOrvStringGrid::keyPressEvent(QKeyEvent* event) {
    GuardUiAction([&] {
        int key = event->key();
        const bool used = FGrid.GridKeyDown(key, event->modifiers());
        if (FGrid.q.OnKeyDown) FGrid.q.OnKeyDown(&FGrid.q, key, event->modifiers());
        if (used || key == 0) return event->accept();
        static const QList<int> navigation{Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home,
                                           Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,  Qt::Key_Down,
                                           Qt::Key_Insert, Qt::Key_Delete,   Qt::Key_Tab, Qt::Key_Backtab};
        const QString text = event->text();
        if (!navigation.contains(key) && !text.isEmpty() && !(event->modifiers() & Qt::ControlModifier) &&
            FGrid.GridKeyPress(text[0]))
            return event->accept();
        QTableView::keyPressEvent(event);
    });
}

void TOrvStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (FGrid.q.OnDoubleClick) GuardUiAction([&] { FGrid.q.OnDoubleClick(&FGrid.q); });
}

void TOrvStringGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    setFocus();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() != FGrid.FSortColumn) FGrid.ClearIncrementalSearch();
}

void TOrvStringGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FGrid.EnsureColumnVisible(FGrid.CurrentColumn());
}
