#pragma once
// The window of a pick list: all rows of the lookup data (or the candidates of a typed text) in a sortable
// list; Enter, a double click or "&Ok" take the current row, Escape and "&Annuleren" take nothing.

#include "controls/OrvWindow.h"

#include <QHash>

class TDataSource;
class TOrvDBSortGrid;

class TfrmPickList : public TOrvWindow {
    Q_OBJECT
public:
    explicit TfrmPickList(QWidget* owner = nullptr);

    TOrvDBSortGrid* Grid() const { return dbgridPickList; }
    // Shows the rows of source, only those whose keyField is one of keys when keys are given.
    void SetRows(TDataSource* source, const QString& keyField, const QStringList& keys);
    // A sort request on column sorts on actualColumn instead (names compared without regard to case).
    void AddActualColumnForSorting(const QString& column, const QString& actualColumn);
    // Makes the client wide enough for every column, at most the screen width minus 150 pixels.
    void FitColumns();

    QFrame* pnlBody;
    QFrame* pnlOkCancel;
    TOrvButton* btnOk;
    TOrvButton* btnCancel;
    QAction* acOk;
    QAction* acCancel;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void acOkExecute();

    TOrvDBSortGrid* dbgridPickList;
    QHash<QString, QString> FActualSortColumns;  // lower-case column -> column to sort on
};
