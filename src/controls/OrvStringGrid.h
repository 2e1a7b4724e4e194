#pragma once
// The inner grid of the list control: a table view that leaves keys, scrolling and the context menus to
// its control.

#include <QtWidgets/QTableView>

class TOrvDBSortGridPrivate;

class TOrvStringGrid : public QTableView {
    Q_OBJECT
public:
    TOrvStringGrid(TOrvDBSortGridPrivate& grid, QWidget* parent);
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TOrvDBSortGridPrivate& FGrid;
};
