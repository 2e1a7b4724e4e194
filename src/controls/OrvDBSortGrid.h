#pragma once
// The list control of every list: a read-only copy of a data source's rows in fixed, formatted columns,
// sorted by a click on a title, with a current row, incremental search and copy menus.

#include "controls/OrvStringGrid.h"
#include "support/DataSet.h"
#include "support/GridText.h"

#include <QtGui/QColor>
#include <QtWidgets/QFrame>

#include <functional>
#include <memory>
#include <vector>

class QHeaderView;
class QMenu;
class TOrvDBSortGridColumnItem;
class TOrvDBSortGridPrivate;

enum TOrvDBSortGridSortDirection { sdAscending, sdDescending, sdNotSorted };
enum TOrvDBSortGridSortImplementation { siSortOnVisualData, siSortOnRawDBData, siDefaultForDataType, siAlternateField };
enum TOrvDBSortGridAlignment { gaDefaultForDataType, gaLeft, gaRight };

// The grid colours, one setting for the whole program; an invalid colour means the system colour.
struct TOrvDBSortGridColors {
    QColor Toggle{224, 232, 240};
    QColor TitleFont{Qt::black};
    QColor TitleBackground;               // button face
    QColor FocusFont;                     // highlighted text
    QColor FocusBackground;               // highlight
    QColor UnfocusedSelectionFont;        // window
    QColor UnfocusedSelectionBackground;  // button shadow
};
extern TOrvDBSortGridColors OrvDBSortGridColors;
// The program's own colours, set once at start before any window exists.
void UseProgramGridColors();

// One declared column. The grid changes its width and frozen state; the windows read them.
class TOrvDBSortGridColumn {
public:
    const QString& Caption() const { return FCaption; }
    const QString& FieldName() const { return FFieldName; }
    int DefaultWidth() const { return FDefaultWidth; }
    int ActualWidth() const { return FActualWidth; }
    int DefaultVisualColumnIndex() const { return FDefaultVisualColumnIndex; }
    int ActualVisualColumnIndex() const;
    bool Visible() const { return !FHiddenByUser; }
    bool FixedByUser() const { return FFixedByUser; }
    bool AllowSortByUser() const { return FAllowSortByUser; }
    void SetAllowSortByUser(bool allow) { FAllowSortByUser = allow; }
    TOrvDBSortGridSortImplementation SortImplementation() const { return FSortImplementation; }
    TOrvDBSortGridAlignment Alignment() const { return FAlignment; }
    const QString& UserFormat() const { return FUserFormat; }
    const QString& ActualFormat() const { return FActualFormat; }
    TFieldType DataType() const { return FDataType; }
    // The copy's field with this column's display texts; empty when the column has no format.
    QString FormattedFieldName() const;

protected:
    TOrvDBSortGridColumn() = default;
    QString FCaption;
    QString FFieldName;
    int FDefaultWidth = 0;
    int FActualWidth = 0;
    int FDefaultVisualColumnIndex = 0;
    bool FHiddenByUser = false;
    bool FFixedByUser = false;
    bool FAllowSortByUser = true;
    TOrvDBSortGridSortImplementation FSortImplementation = siSortOnRawDBData;
    TOrvDBSortGridAlignment FAlignment = gaLeft;
    QString FUserFormat;
    QString FActualFormat;
    TFieldType FDataType = TFieldType::ftUnknown;
    const QHeaderView* FHeader = nullptr;
};

class TOrvDBSortGridColumns {
public:
    explicit TOrvDBSortGridColumns(TOrvDBSortGridPrivate& grid);
    ~TOrvDBSortGridColumns();

    // Declares a column on a field of the data source's dataset.
    TOrvDBSortGridColumn& Add(const QString& caption, const QString& fieldName, int width,
                              const QString& format = QString::fromLatin1(kDefaultForDataType),
                              TOrvDBSortGridAlignment alignment = gaDefaultForDataType,
                              TOrvDBSortGridSortImplementation sortImplementation = siDefaultForDataType);
    int Count() const { return int(FItems.size()); }
    TOrvDBSortGridColumn& Items(int index) const;
    int IndexOf(const TOrvDBSortGridColumn* column) const;
    TOrvDBSortGridColumn* FindColumn(const QString& fieldName) const;
    TOrvDBSortGridColumn& ColumnByFieldName(const QString& fieldName) const;
    TOrvDBSortGridColumn* ColumnByActualVisualColumnIndex(int index) const;
    TOrvDBSortGridColumn* FocusedColumn() const;
    int TotalColumnWidth() const;
    // Builds the grid columns: widths, captions, frozen columns.
    void Init();
    bool Initialized() const { return FInitialized; }
    int MinimumColWidth() const { return FMinimumColWidth; }
    void SetMinimumColWidth(int width);
    // The visible columns (declaration indexes) in the order they are shown.
    std::vector<int> VisibleInVisualOrder() const;

private:
    TOrvDBSortGridPrivate& FGrid;
    std::vector<std::unique_ptr<TOrvDBSortGridColumnItem>> FItems;
    bool FInitialized = false;
    int FMinimumColWidth = 40;
};

class TOrvDBSortGrid : public QFrame {
    Q_OBJECT
public:
    explicit TOrvDBSortGrid(QWidget* parent = nullptr);
    ~TOrvDBSortGrid() override;

    void SetDataSource(TDataSource* dataSource);
    TDataSource* DataSource() const;
    TOrvDBSortGridColumns& Columns();
    const TOrvDBSortGridColumns& Columns() const;

    // (Re)loads the copy from the data source and fills the grid, keeping the sort.
    void FetchAllRows();
    // Reloads after the data source was reopened; clears the search text.
    void Refresh();
    void Sort(const QString& fieldName, TOrvDBSortGridSortDirection direction);
    void ReSortOnCurrentVisualSortColumnAndOrder();
    TOrvDBSortGridSortDirection SortDirection() const;
    // The field of the current sort column, empty when not sorted.
    QString SortFieldName() const;
    // Moves to the first row whose field equals the value exactly (case-sensitive).
    bool FindKey(const QString& keyFieldName, const QVariant& keyValue);
    void SetCursorHome();
    bool IsEmpty() const;
    bool IsRowEmpty(int row) const;
    void Next();
    void Previous();
    // Restricts the copy to rows whose field, as text, is one of the values (one per line).
    void ForceFilter(const QString& fieldName, const QString& values);

    int Row() const;
    void SetRow(int row);
    int RowCount() const;
    // The rows as the grid holds them, read-only, positioned on the current row. The grid alone sorts,
    // filters and reloads them.
    const TDataSet* DataSet() const;
    TOrvStringGrid* Grid() const;
    void SetFocus();
    bool Focused() const;
    void SetDefaultRowHeight(int height);
    // The window's own context menu of the grid; the grid adds "Celtekst kopiëren" to it.
    void SetPopupMenu(QMenu* menu);

    int RowChangeDelayedInterval() const;
    void SetRowChangeDelayedInterval(int milliseconds);

    bool AllowIncrementalSearch() const;
    void SetAllowIncrementalSearch(bool allow);
    void ClearIncrementalSearch();
    QString IncrementalSearchText() const;
    int IncrementalSearchDelay() const;

    // The display text of a cell of a data row (1-based) and declared column.
    QString CellText(int row, int column) const;

    std::function<void(TOrvDBSortGrid*)> OnDoubleClick;
    std::function<void(TOrvDBSortGrid*, int& key, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(TOrvDBSortGrid*)> OnRowChange;
    std::function<void(TOrvDBSortGrid*)> OnRowChangeDelayed;
    std::function<void(TOrvDBSortGrid*, QString& fieldName)> OnBeginSort;

private:
    std::unique_ptr<TOrvDBSortGridPrivate> d;
};
