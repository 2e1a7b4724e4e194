#pragma once
// The list control of every list: a read-only copy of a data source's rows in fixed, formatted columns,
// sorted by a click on a title, with a current row, incremental search and copy menus.

#include "support/DataSet.h"
#include "support/FuzzyMatch.h"
#include "support/GridText.h"
#include "support/OrvClientDataSet.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QTimer>
#include <QtGui/QColor>
#include <QtWidgets/QFrame>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QMenu>
#include <QtWidgets/QStyledItemDelegate>
#include <QtWidgets/QTableView>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QLineEdit;

class QScrollBar;
class TOrvDBSortGrid;

enum TOrvDBSortGridSortDirection { sdAscending, sdDescending, sdNotSorted };
enum TOrvDBSortGridSortImplementation { siSortOnVisualData, siSortOnRawDBData, siDefaultForDataType, siAlternateField };
enum TOrvDBSortGridAlignment { gaDefaultForDataType, gaLeft, gaRight };

// The grid colours, one setting for the whole program; an invalid colour means the system colour.
struct TOrvDBSortGridColors {
    QColor Toggle{224, 232, 240};
    QColor TitleFont{Qt::black};
    QColor TitleBackground;          // button face
    QColor FocusFont;                // highlighted text
    QColor FocusBackground;          // highlight
    QColor UnfocusedSelectionFont;   // window
    QColor UnfocusedSelectionBackground;  // button shadow
};
extern TOrvDBSortGridColors OrvDBSortGridColors;
// The program's own colours, set once at start before any window exists.
void UseProgramGridColors();

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

private:
    friend class TOrvDBSortGridColumns;
    friend class TOrvDBSortGrid;
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
    explicit TOrvDBSortGridColumns(TOrvDBSortGrid* grid) : FGrid(grid) {}

    // Declares a column on a field of the data source's dataset.
    TOrvDBSortGridColumn& Add(const QString& caption, const QString& fieldName, int width,
                              const QString& format = QString::fromLatin1(kDefaultForDataType),
                              TOrvDBSortGridAlignment alignment = gaDefaultForDataType,
                              TOrvDBSortGridSortImplementation sortImplementation = siDefaultForDataType);
    int Count() const { return int(FItems.size()); }
    TOrvDBSortGridColumn& Items(int index) const { return *FItems[index]; }
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
    TOrvDBSortGrid* FGrid;
    std::vector<std::unique_ptr<TOrvDBSortGridColumn>> FItems;
    bool FInitialized = false;
    int FMinimumColWidth = 40;
};

// The grid's rows as a table model over the grid's copy; model column = declaration index.
class TOrvDBSortGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TOrvDBSortGridModel(TOrvDBSortGrid* grid);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the view the rows were replaced, reordered or filtered.
    void Refill();
    void ColumnAdded();

private:
    TOrvDBSortGrid* FGrid;
    int FRows = 1;
    int FColumns = 0;
};

// The inner grid: a table view that leaves keys, scrolling and the context menus to its control.
class TOrvStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TOrvStringGrid(TOrvDBSortGrid* owner);
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    void keyboardSearch(const QString&) override {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    TOrvDBSortGrid* FOwner;
};

class TOrvDBSortGrid : public QFrame {
    Q_OBJECT
public:
    explicit TOrvDBSortGrid(QWidget* parent = nullptr);
    ~TOrvDBSortGrid() override;

    void SetDataSource(TDataSource* dataSource);
    TDataSource* DataSource() const { return FDataSource; }
    TOrvDBSortGridColumns& Columns() { return FColumns; }
    const TOrvDBSortGridColumns& Columns() const { return FColumns; }

    // (Re)loads the copy from the data source and fills the grid, keeping the sort.
    void FetchAllRows();
    // Reloads after the data source was reopened; clears the search text.
    void Refresh();
    void Sort(const QString& fieldName, TOrvDBSortGridSortDirection direction);
    void ReSortOnCurrentVisualSortColumnAndOrder();
    TOrvDBSortGridSortDirection SortDirection() const { return FSortDirection; }
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
    // The copy, positioned on the current row.
    TOrvClientDataSet* DataSet() const { return FCopy.get(); }
    TOrvStringGrid* Grid() const { return FGrid; }
    void SetFocus();
    bool Focused() const;
    void SetDefaultRowHeight(int height);
    // The window's own context menu of the grid; the grid adds "Celtekst kopiëren" to it.
    void SetPopupMenu(QMenu* menu) { FPopupMenu = menu; }

    int RowChangeDelayedInterval() const { return FRowChangeDelayedInterval; }
    void SetRowChangeDelayedInterval(int milliseconds);

    bool AllowIncrementalSearch() const { return FAllowIncrementalSearch; }
    void SetAllowIncrementalSearch(bool allow);
    void ClearIncrementalSearch();
    QString IncrementalSearchText() const;
    int IncrementalSearchDelay() const { return FSearchTimer.interval(); }

    // The display text of a cell of a data row (1-based) and declared column.
    QString CellText(int row, int column) const;

    std::function<void(TOrvDBSortGrid*)> OnDoubleClick;
    std::function<void(TOrvDBSortGrid*, int& key, Qt::KeyboardModifiers)> OnKeyDown;
    std::function<void(TOrvDBSortGrid*)> OnRowChange;
    std::function<void(TOrvDBSortGrid*)> OnRowChangeDelayed;
    std::function<void(TOrvDBSortGrid*, QString& fieldName)> OnBeginSort;

private:
    friend class TOrvDBSortGridColumns;
    friend class TOrvDBSortGridModel;
    friend class TOrvStringGrid;
    friend class TOrvDBSortGridHeader;
    friend class TOrvDBSortGridDelegate;

    void CheckDataSet() const;
    void EnsureCopy();
    void BuildCopy();
    void FillGrid();
    // keepRecord: stay on the current record (not after a reload, whose order is new).
    void SortOnColumn(int column, TOrvDBSortGridSortDirection direction, bool keepRecord = true);
    int SortFieldOf(int column) const;
    void SetCurrent(int row, int column);
    int CurrentColumn() const;
    void CurrentCellChanged(const QModelIndex& current, const QModelIndex& previous);
    void ReportRowChange();
    void TitleClicked(int column);
    void ColumnResized(int column, int newWidth);

    // Keys: true when the grid used the key.
    bool GridKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool GridKeyPress(QChar ch);
    // Left and Right: one column, scrolled into view.
    void StepColumn(int step);
    void ShowDebugInfo();

    void SetSearchText(const QString& text);
    void RunIncrementalSearch();
    int SearchNumeric(int field, const QString& text) const;
    int SearchDate(int field, const QString& text) const;
    void FilterOnText(int field, const QString& text);
    int LocateText(int field, const QString& text) const;

    void ShowTitleMenu(const QPoint& position);
    void ShowGridMenu(const QPoint& position);
    void FreezeTitles(bool freeze);
    void CopyColumn();
    void CopyCellText();

    // Horizontal scrolling by whole columns; frozen columns stay in place.
    void ApplyColumnLayout();
    void EnsureColumnVisible(int column);
    void UpdateHorzScrollBar();
    void HorzScrollAction(int action);
    int FrozenCount(const std::vector<int>& order) const;

    TOrvDBSortGridColumns FColumns;
    QPointer<TDataSource> FDataSource;
    std::unique_ptr<TOrvClientDataSet> FCopy;
    std::vector<QStringList> FCells;  // display texts per record id, per declared column
    // The searched field's texts made ready once per fetch, since a search runs at every key; shared with
    // the copy's search filter, which keeps them as long as it needs them.
    std::shared_ptr<TGridSearchTexts> FSearchTexts;
    int FSearchTextsField = -1;
    int FInactiveField = -1;  // a row whose field "inactive" holds "Y" is drawn grey; found once per fetch
    TOrvDBSortGridModel* FModel;
    TOrvStringGrid* FGrid;
    QWidget* pnlBottom;
    QLineEdit* edIncSearch;
    QWidget* sbHorzScrollBar;
    QScrollBar* FHorzScrollBar;

    int FSortColumn = -1;
    TOrvDBSortGridSortDirection FSortDirection = sdNotSorted;
    bool FHomeState = false;
    bool FFilling = false;
    int FLastReportedRow = -1;
    int FLeftCol = 0;  // scrolled-out columns after the frozen ones
    QString FForceFilterField;
    QStringList FForceFilterValues;

    QTimer FSearchTimer;
    QTimer FRowChangeTimer;
    int FRowChangeDelayedInterval = 300;
    bool FAllowIncrementalSearch = true;

    QMenu* FPopupMenuTitelBalk;
    QAction* miTitelsBlokkeren;
    QAction* miSelectieOmdraaien;
    QAction* miWaardenInKolomKopieren;
    int FLastPopupTitelBalkCol = -1;
    QPointer<QMenu> FPopupMenu;
    QMenu* FPopupMenuGrid = nullptr;
    QPointer<QMenu> FCellMenuAddedTo;
};
