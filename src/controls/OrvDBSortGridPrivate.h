#pragma once
// The list control's own state and workings, shared by its parts (columns, model, title row, delegate,
// inner grid) and hidden from the windows that use the control.

#include "controls/OrvDBSortGrid.h"
#include "support/GridText.h"
#include "support/OrvClientDataSet.h"
#include "support/OrvErrors.h"

#include <QPointer>
#include <QStringList>
#include <QtWidgets/QMenu>

#include <memory>
#include <vector>

class QLineEdit;
class QScrollBar;
class QTimer;
class TOrvDBSortGridModel;

// A column as the grid keeps it: the declaration, and the state the user changes through the grid.
class TOrvDBSortGridColumnItem : public TOrvDBSortGridColumn {
public:
    TOrvDBSortGridColumnItem(const QString& caption, const QString& fieldName, int width, int index, TFieldType type,
                             const QString& format, TOrvDBSortGridAlignment alignment,
                             TOrvDBSortGridSortImplementation sortImplementation, const QHeaderView* header);
    void SetActualWidth(int width) { FActualWidth = width; }
    void SetFixedByUser(bool fixed) { FFixedByUser = fixed; }
    // A column declared while its field's type was not known (a computed field of a query without rows)
    // takes the type once the data has it, with the format, alignment and sorting that follow from it.
    void AdoptDataType(TFieldType type);

private:
    void ApplyDataType(TFieldType type);
    TOrvDBSortGridAlignment FDeclaredAlignment;
    TOrvDBSortGridSortImplementation FDeclaredSortImplementation;
};

inline TOrvDBSortGridColumnItem& EditableColumn(TOrvDBSortGridColumn& column) {
    return static_cast<TOrvDBSortGridColumnItem&>(column);  // every column is made as an item
}

inline QColor OrSystemColor(const QColor& color, const QColor& system) { return color.isValid() ? color : system; }

inline bool IsNumericType(TFieldType type) { return IsIntegerType(type) || IsFloatType(type); }

// A QObject so that the connections it makes end with it, before the control's children go.
class TOrvDBSortGridPrivate : public QObject {
public:
    explicit TOrvDBSortGridPrivate(TOrvDBSortGrid& grid);
    // Creates the child widgets, menus and timers.
    void Build();

    // The copy
    void CheckDataSet() const;
    void EnsureCopy();
    void BuildCopy();
    void FillGrid();
    bool IsEmpty() const { return !FCopy.Active() || FCopy.RecordCount() == 0; }
    QString CellText(int row, int column) const;
    bool IsInactiveRow(int row) const;

    // Sorting: keepRecord stays on the current record (not after a reload, whose order is new).
    void SortOnColumn(int column, TOrvDBSortGridSortDirection direction, bool keepRecord = true);
    int SortFieldOf(int column) const;
    void TitleClicked(int column);

    // Current cell
    int Row() const;
    void SetRow(int row);
    void SetCurrent(int row, int column);
    int CurrentColumn() const;
    void CurrentCellChanged(const QModelIndex& current, const QModelIndex& previous);
    void ReportRowChange();

    // Keys: true when the grid used the key.
    bool GridKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool GridKeyPress(QChar ch);
    // Left and Right: one column, scrolled into view.
    void StepColumn(int step);
    void ShowDebugInfo();

    // Incremental search
    QString SearchText() const;
    void SetSearchText(const QString& text);
    void ClearIncrementalSearch();
    void RunIncrementalSearch();
    int SearchNumeric(int field, const QString& text) const;
    int SearchDate(int field, const QString& text) const;
    void FilterOnText(int field, const QString& text);
    int LocateText(int field, const QString& text) const;

    // Menus
    void ShowTitleMenu(const QPoint& position);
    void ShowGridMenu(const QPoint& position);
    void FreezeTitles(bool freeze);
    void CopyColumn();
    void CopyCellText();

    // Column layout and horizontal scrolling by whole columns; frozen columns stay in place.
    void ColumnResized(int column, int newWidth);
    void ApplyColumnLayout();
    void EnsureColumnVisible(int column);
    void UpdateHorzScrollBar();
    void HorzScrollAction(int action);
    int FrozenCount(const std::vector<int>& order) const;
    int LineWidth(const std::vector<int>& order, size_t from, size_t to) const;

    TOrvDBSortGrid& q;
    TOrvDBSortGridColumns FColumns;
    QPointer<TDataSource> FDataSource;
    TOrvClientDataSet FCopy;
    std::vector<QStringList> FCells;  // display texts per record id, per declared column
    // The searched field's texts made ready once per fetch, since a search runs at every key; shared with
    // the copy's search filter, which keeps them as long as it needs them.
    std::shared_ptr<TGridSearchTexts> FSearchTexts;
    int FSearchTextsField = -1;
    int FInactiveField = -1;  // a row whose field "inactive" holds "Y" is drawn grey; found once per fetch

    TOrvDBSortGridModel* FModel = nullptr;
    TOrvStringGrid* FGrid = nullptr;
    QWidget* pnlBottom = nullptr;
    QLineEdit* edIncSearch = nullptr;
    QWidget* sbHorzScrollBar = nullptr;
    QScrollBar* FHorzScrollBar = nullptr;

    int FSortColumn = -1;
    TOrvDBSortGridSortDirection FSortDirection = sdNotSorted;
    bool FHomeState = false;
    bool FFilling = false;
    int FLastReportedRow = -1;
    int FLeftCol = 0;  // scrolled-out columns after the frozen ones
    QString FForceFilterField;
    QStringList FForceFilterValues;

    QTimer* FSearchTimer = nullptr;
    QTimer* FRowChangeTimer = nullptr;
    int FRowChangeDelayedInterval = 300;
    bool FAllowIncrementalSearch = true;

    QMenu* FPopupMenuTitelBalk = nullptr;
    QAction* miTitelsBlokkeren = nullptr;
    QAction* miSelectieOmdraaien = nullptr;
    QAction* miWaardenInKolomKopieren = nullptr;
    int FLastPopupTitelBalkCol = -1;
    QPointer<QMenu> FPopupMenu;
    QMenu* FPopupMenuGrid = nullptr;
    QPointer<QMenu> FCellMenuAddedTo;
};
