#include "controls/OrvDBSortGrid.h"

#include "controls/OrvDBSortGridDelegate.h"
#include "controls/OrvDBSortGridHeader.h"
#include "controls/OrvDBSortGridModel.h"
#include "controls/OrvDBSortGridPrivate.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QSet>
#include <QTimer>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include <algorithm>
#include <cmath>

ORV_METHOD_PREFIXES(TOrvDBSortGrid)

TOrvDBSortGridColors OrvDBSortGridColors;

void UseProgramGridColors() {
    OrvDBSortGridColors.Toggle = QColor(255, 170, 170);
    OrvDBSortGridColors.TitleFont = QColor(Qt::white);
    OrvDBSortGridColors.TitleBackground = QColor(224, 46, 52);
    OrvDBSortGridColors.FocusFont = QColor(Qt::white);
    OrvDBSortGridColors.FocusBackground = QColor(6, 162, 203);
}

namespace {
const QString kRowSelectFlag = QStringLiteral("ROW_SELECT_FLAG");
}

// ---- building the control

TOrvDBSortGridPrivate::TOrvDBSortGridPrivate(TOrvDBSortGrid& grid) : q(grid), FColumns(*this) {}

void TOrvDBSortGridPrivate::Build() {
    q.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    q.setFocusPolicy(Qt::NoFocus);
    q.resize(385, 169);
    QFont controlFont = q.font();
    controlFont.setFamily(QStringLiteral("Microsoft Sans Serif"));
    q.setFont(controlFont);

    FModel = new TOrvDBSortGridModel(*this, &q);
    FGrid = new TOrvStringGrid(*this, &q);
    FGrid->setObjectName(QStringLiteral("FGrid"));
    FGrid->setHorizontalHeader(new TOrvDBSortGridHeader(*this));
    FGrid->setModel(FModel);
    FGrid->setItemDelegate(new TOrvDBSortGridDelegate(*this, &q));
    FGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    FGrid->setTabKeyNavigation(false);
    FGrid->setWordWrap(false);
    FGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    FGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    FGrid->verticalHeader()->hide();
    FGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FGrid->verticalHeader()->setMinimumSectionSize(1);
    QHeaderView* header = FGrid->horizontalHeader();
    header->setSectionsClickable(true);
    header->setSectionsMovable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(FColumns.MinimumColWidth());
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    q.SetDefaultRowHeight(17);

    sbHorzScrollBar = new QWidget(&q);
    sbHorzScrollBar->setObjectName(QStringLiteral("sbHorzScrollBar"));
    sbHorzScrollBar->setFixedHeight(16);
    auto* scrollLayout = new QHBoxLayout(sbHorzScrollBar);
    scrollLayout->setContentsMargins(0, 0, 19, 0);
    FHorzScrollBar = new QScrollBar(Qt::Horizontal, sbHorzScrollBar);
    FHorzScrollBar->setObjectName(QStringLiteral("FHorzScrollBar"));
    scrollLayout->addWidget(FHorzScrollBar);
    sbHorzScrollBar->hide();

    pnlBottom = new QWidget(&q);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->setFixedHeight(20);
    auto* bottomLayout = new QHBoxLayout(pnlBottom);
    bottomLayout->setContentsMargins(0, 1, 0, 1);
    edIncSearch = new QLineEdit(pnlBottom);
    edIncSearch->setObjectName(QStringLiteral("edIncSearch"));
    edIncSearch->setReadOnly(true);
    edIncSearch->setFocusPolicy(Qt::NoFocus);
    edIncSearch->setFrame(false);
    edIncSearch->setFixedWidth(200);
    bottomLayout->addWidget(edIncSearch);
    bottomLayout->addStretch();

    auto* layout = new QVBoxLayout(&q);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(FGrid);
    layout->addWidget(sbHorzScrollBar);
    layout->addWidget(pnlBottom);

    FPopupMenuTitelBalk = new QMenu(&q);
    FPopupMenuTitelBalk->setObjectName(QStringLiteral("FPopupMenuTitelBalk"));
    miTitelsBlokkeren = FPopupMenuTitelBalk->addAction(QStringLiteral("Titels blokkeren"));
    miTitelsBlokkeren->setObjectName(QStringLiteral("miTitelsBlokkeren"));
    miTitelsBlokkeren->setCheckable(true);
    miTitelsBlokkeren->setEnabled(false);
    miSelectieOmdraaien = FPopupMenuTitelBalk->addAction(QStringLiteral("Regelselectie omdraaien"));
    miSelectieOmdraaien->setObjectName(QStringLiteral("miSelectieOmdraaien"));
    miSelectieOmdraaien->setEnabled(false);  // row selection is never switched on
    miWaardenInKolomKopieren = FPopupMenuTitelBalk->addAction(QStringLiteral("Kolom kopiëren"));
    miWaardenInKolomKopieren->setObjectName(QStringLiteral("miWaardenInKolomKopieren"));

    ConnectGuarded(miTitelsBlokkeren, &QAction::triggered, this, [this](bool checked) { FreezeTitles(checked); });
    ConnectGuarded(miWaardenInKolomKopieren, &QAction::triggered, this, [this] { CopyColumn(); });
    ConnectGuarded(header, &QHeaderView::sectionClicked, this, [this](int column) { TitleClicked(column); });
    connect(header, &QHeaderView::sectionResized, this,
            [this](int column, int, int width) { ColumnResized(column, width); });
    connect(header, &QHeaderView::sectionMoved, this, [this] { ApplyColumnLayout(); });
    ConnectGuarded(header, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) { ShowTitleMenu(p); });
    ConnectGuarded(FGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) { ShowGridMenu(p); });
    ConnectGuarded(
        FGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current, const QModelIndex& previous) { CurrentCellChanged(current, previous); });
    connect(FGrid->verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this](int action) {
        // Arrows and page areas of the bar move the current row, not only the view.
        const int page = std::max(1, FGrid->viewport()->height() / FGrid->verticalHeader()->defaultSectionSize());
        const int step = action == QAbstractSlider::SliderSingleStepAdd   ? 1
                         : action == QAbstractSlider::SliderSingleStepSub ? -1
                         : action == QAbstractSlider::SliderPageStepAdd   ? page
                         : action == QAbstractSlider::SliderPageStepSub   ? -page
                                                                          : 0;
        if (step == 0 || IsEmpty()) return;
        FGrid->verticalScrollBar()->setSliderPosition(FGrid->verticalScrollBar()->value());
        SetRow(std::clamp(Row() + step, 1, FCopy.RecordCount()));
    });
    connect(FHorzScrollBar, &QAbstractSlider::actionTriggered, this, [this](int action) { HorzScrollAction(action); });

    FSearchTimer = new QTimer(&q);
    FSearchTimer->setObjectName(QStringLiteral("FSearchTimer"));
    FSearchTimer->setSingleShot(true);
    FSearchTimer->setInterval(300);
    ConnectGuarded(FSearchTimer, &QTimer::timeout, this, [this] { RunIncrementalSearch(); });
    FRowChangeTimer = new QTimer(&q);
    FRowChangeTimer->setSingleShot(true);
    FRowChangeTimer->setInterval(FRowChangeDelayedInterval);
    ConnectGuarded(FRowChangeTimer, &QTimer::timeout, this, [this] {
        if (q.OnRowChangeDelayed) q.OnRowChangeDelayed(&q);
    });
    SetSearchText(QString());
}

TOrvDBSortGrid::TOrvDBSortGrid(QWidget* parent) : QFrame(parent), d(std::make_unique<TOrvDBSortGridPrivate>(*this)) {
    d->Build();
}

TOrvDBSortGrid::~TOrvDBSortGrid() {
    // The inner grid reads the columns and the copy while it goes; it must go before them.
    delete d->FGrid;
}

// ---- the copy

void TOrvDBSortGridPrivate::CheckDataSet() const {
    WithPrefix(QStringLiteral("CheckDataSet (") + q.objectName() + QStringLiteral("): "), [&] {
        if (!FDataSource) throw EDBComponentError(QStringLiteral("No datasource defined."));
        if (!FDataSource->DataSet()) throw EDBComponentError(QStringLiteral("No dataset defined."));
    });
}

void TOrvDBSortGridPrivate::EnsureCopy() {
    CheckDataSet();
    if (!FCopy.Active() && FDataSource->DataSet()->Active()) {
        BuildCopy();
        FModel->Refill();
    }
}

void TOrvDBSortGridPrivate::BuildCopy() {
    const TDataSet* source = FDataSource->DataSet();
    FCopy.ClearFields();
    FCells.clear();
    FSearchTexts.reset();
    FSearchTextsField = -1;
    FInactiveField = -1;
    if (!source->Active()) return;
    const int sourceFields = source->FieldCount();
    for (int f = 0; f < sourceFields; ++f) {
        const TFieldDef& def = source->FieldDef(f);
        FCopy.AddFieldDef(def.Name, def.DataType, def.Size);
    }
    FCopy.AddFieldDef(kRowSelectFlag, TFieldType::ftString, 1);
    struct TColumnSource {
        int Field;
        int Formatted;
        TFieldType Type;
        QString Format;
    };
    std::vector<TColumnSource> columns;
    for (int c = 0; c < FColumns.Count(); ++c) {
        TOrvDBSortGridColumn& column = FColumns.Items(c);
        EditableColumn(column).AdoptDataType(source->FieldDef(source->FieldIndexOrRaise(column.FieldName())).DataType);
        int formatted = -1;
        if (!column.ActualFormat().isEmpty()) {
            FCopy.AddFieldDef(column.FormattedFieldName(), TFieldType::ftString, kGridFormattedFieldSize);
            formatted = FCopy.FieldCount() - 1;
        }
        columns.push_back(
            {source->FieldIndexOrRaise(column.FieldName()), formatted, column.DataType(), column.ActualFormat()});
    }
    FCopy.CreateDataSet();
    FInactiveField = FCopy.FieldIndex(QStringLiteral("inactive"));

    const int forceField = FForceFilterField.isEmpty() ? -1 : source->FieldIndexOrRaise(FForceFilterField);
    const QSet<QString> forceValues(FForceFilterValues.begin(), FForceFilterValues.end());
    const int rows = source->RecordCount();
    FCells.reserve(rows);
    QVariantList values;
    for (int r = 0; r < rows; ++r) {
        if (forceField >= 0 && !forceValues.contains(source->Value(r, forceField).toString())) continue;
        values.clear();
        for (int f = 0; f < sourceFields; ++f) values.append(source->Value(r, f));
        while (values.size() < FCopy.FieldCount()) values.append(QVariant());
        QStringList cells;
        cells.reserve(int(columns.size()));
        for (const TColumnSource& column : columns) {
            cells.append(GridDisplayText(values[column.Field], column.Type, column.Format));
            if (column.Formatted >= 0) values[column.Formatted] = cells.last();
        }
        FCopy.AppendRecord(values);
        FCells.push_back(std::move(cells));
    }
    FCopy.First();
    const int count = FCopy.RecordCount();
    FSearchTimer->setInterval(count <= 5000 ? 300 : count <= 15000 ? 600 : 1200);
}

void TOrvDBSortGridPrivate::FillGrid() {
    const int keepRow = Row();
    int column = CurrentColumn();
    FFilling = true;
    FModel->Refill();
    FColumns.Init();
    const int records = IsEmpty() ? 0 : FCopy.RecordCount();
    const int row = records == 0 ? 1 : std::clamp(keepRow, 1, records);
    if (column < 0) {
        const std::vector<int> order = FColumns.VisibleInVisualOrder();
        column = order.empty() ? 0 : order.front();
    }
    if (FColumns.Count() > 0) FGrid->setCurrentIndex(FModel->index(row - 1, column));
    FFilling = false;
    if (records > 0) FCopy.SetRecNo(row - 1);
    FLastReportedRow = row;
    FGrid->horizontalHeader()->viewport()->update();
    FGrid->viewport()->update();
    UpdateHorzScrollBar();
    if (q.OnRowChange) q.OnRowChange(&q);
}

QString TOrvDBSortGridPrivate::CellText(int row, int column) const {
    if (IsEmpty() || row < 1 || row > FCopy.RecordCount() || column < 0 || column >= FColumns.Count()) return {};
    const QStringList& cells = FCells[size_t(FCopy.RecordId(row - 1))];
    return column < cells.size() ? cells[column] : QString();
}

bool TOrvDBSortGridPrivate::IsInactiveRow(int row) const {
    return FInactiveField >= 0 && !IsEmpty() && row >= 1 && row <= FCopy.RecordCount() &&
           FCopy.Value(row - 1, FInactiveField).toString() == QLatin1String("Y");
}

void TOrvDBSortGrid::SetDataSource(TDataSource* dataSource) { d->FDataSource = dataSource; }

TDataSource* TOrvDBSortGrid::DataSource() const { return d->FDataSource; }

TOrvDBSortGridColumns& TOrvDBSortGrid::Columns() { return d->FColumns; }

const TOrvDBSortGridColumns& TOrvDBSortGrid::Columns() const { return d->FColumns; }

void TOrvDBSortGrid::FetchAllRows() {
    WithPrefix(Prefix("FetchAllRows"), [&] {
        d->CheckDataSet();
        d->BuildCopy();
        if (d->FSortColumn >= 0 && d->FSortDirection != sdNotSorted)
            d->SortOnColumn(d->FSortColumn, d->FSortDirection, false);
        else
            d->FillGrid();
    });
}

void TOrvDBSortGrid::Refresh() {
    WithPrefix(Prefix("Refresh"), [&] {
        ClearIncrementalSearch();
        // Only numeric fields named ID or ending in _ID identify a record across a reload.
        QStringList keyFields;
        QVariantList keyValues;
        const TOrvClientDataSet& copy = d->FCopy;
        if (!IsEmpty()) {
            for (int f = 0; f < copy.FieldCount(); ++f) {
                const TFieldDef& def = copy.FieldDef(f);
                const QString name = def.Name.toUpper();
                const QVariant value = copy.FieldValue(f);
                if ((name == QLatin1String("ID") || name.endsWith(QLatin1String("_ID"))) &&
                    IsNumericType(def.DataType) && !value.isNull() &&
                    value.toDouble() == std::trunc(value.toDouble())) {
                    keyFields << def.Name;
                    keyValues << value;
                }
            }
        }
        FetchAllRows();
        if (!keyFields.isEmpty() && !IsEmpty() && d->FCopy.Locate(keyFields, keyValues)) SetRow(d->FCopy.RecNo() + 1);
    });
}

// ---- sorting

int TOrvDBSortGridPrivate::SortFieldOf(int column) const {
    const TOrvDBSortGridColumn& c = FColumns.Items(column);
    if (c.SortImplementation() == siSortOnVisualData) {
        const int formatted = FCopy.FieldIndex(c.FormattedFieldName());
        if (!c.FormattedFieldName().isEmpty() && formatted >= 0) return formatted;
    }
    return FCopy.FieldIndexOrRaise(c.FieldName());
}

void TOrvDBSortGridPrivate::SortOnColumn(int column, TOrvDBSortGridSortDirection direction, bool keepRecord) {
    EnsureCopy();
    int keyColumn = column;
    if (q.OnBeginSort) {
        const QString fieldName = FColumns.Items(column).FieldName();
        QString wanted = fieldName;
        q.OnBeginSort(&q, wanted);
        if (wanted.compare(fieldName, Qt::CaseInsensitive) != 0) {
            const TOrvDBSortGridColumn* other = FColumns.FindColumn(wanted);
            if (!other)
                throw EDBComponentError(
                    QStringLiteral("Cannot modify the sort from \"") + fieldName + QStringLiteral("\" to \"") + wanted +
                    QStringLiteral("\" because this field does not exists. Check BeginSort event."));
            keyColumn = FColumns.IndexOf(other);
        }
    }
    FSortColumn = column;
    FSortDirection = direction;
    if (!FCopy.Active()) return FillGrid();

    // Ties are ordered by the two columns shown right of the sort column.
    const bool descending = direction == sdDescending;
    QList<TSortKey> keys{{SortFieldOf(keyColumn), descending}};
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const auto at = std::find(order.begin(), order.end(), keyColumn);
    for (auto next = at == order.end() ? at : at + 1; next != order.end() && keys.size() < 3; ++next)
        keys.append({SortFieldOf(*next), descending});
    const int recordId = keepRecord && !IsEmpty() && Row() >= 1 ? FCopy.RecordId(Row() - 1) : -1;
    FCopy.Sort(keys);
    FillGrid();
    if (!FHomeState && recordId >= 0) {
        const int row = FCopy.RowOfRecordId(recordId);
        if (row >= 0) SetRow(row + 1);
    }
}

void TOrvDBSortGridPrivate::TitleClicked(int column) {
    if (!FColumns.Initialized() || IsEmpty() || column < 0 || column >= FColumns.Count()) return;
    if (!FColumns.Items(column).AllowSortByUser()) return;
    const bool reverse = column == FSortColumn && FSortDirection == sdAscending;
    SortOnColumn(column, reverse ? sdDescending : sdAscending);
}

void TOrvDBSortGrid::Sort(const QString& fieldName, TOrvDBSortGridSortDirection direction) {
    WithPrefix(Prefix("Sort"), [&] {
        const int column = d->FColumns.IndexOf(&d->FColumns.ColumnByFieldName(fieldName));
        if (direction == sdNotSorted) {
            d->FSortColumn = -1;
            d->FSortDirection = sdNotSorted;
            d->FGrid->horizontalHeader()->viewport()->update();
            return;
        }
        d->SortOnColumn(column, direction);
    });
}

void TOrvDBSortGrid::ReSortOnCurrentVisualSortColumnAndOrder() {
    WithPrefix(Prefix("ReSortOnCurrentVisualSortColumnAndOrder"), [&] {
        if (d->FSortColumn >= 0 && d->FSortDirection != sdNotSorted) d->SortOnColumn(d->FSortColumn, d->FSortDirection);
    });
}

TOrvDBSortGridSortDirection TOrvDBSortGrid::SortDirection() const { return d->FSortDirection; }

QString TOrvDBSortGrid::SortFieldName() const {
    return d->FSortColumn >= 0 && d->FSortDirection != sdNotSorted ? d->FColumns.Items(d->FSortColumn).FieldName()
                                                                   : QString();
}

// ---- rows

bool TOrvDBSortGrid::FindKey(const QString& keyFieldName, const QVariant& keyValue) {
    return WithPrefix(Prefix("FindKey"), [&] {
        d->EnsureCopy();
        if (IsEmpty()) return false;
        TLocateOptions exact;
        exact.CaseInsensitive = false;
        if (!d->FCopy.Locate({keyFieldName}, {keyValue}, exact)) {
            d->FCopy.SetRecNo(Row() - 1);
            return false;
        }
        SetRow(d->FCopy.RecNo() + 1);
        return true;
    });
}

void TOrvDBSortGrid::SetCursorHome() {
    const std::vector<int> order = d->FColumns.VisibleInVisualOrder();
    const size_t frozen = size_t(d->FrozenCount(order));
    d->FLeftCol = 0;
    d->ApplyColumnLayout();
    if (!order.empty()) d->SetCurrent(1, frozen < order.size() ? order[frozen] : order.front());
    d->FHomeState = true;
}

bool TOrvDBSortGrid::IsEmpty() const { return d->IsEmpty(); }

bool TOrvDBSortGrid::IsRowEmpty(int row) const {
    const TOrvClientDataSet& copy = d->FCopy;
    if (IsEmpty() || row < 1 || row > copy.RecordCount()) return true;
    const int sourceFields = copy.FieldIndex(kRowSelectFlag);
    for (int f = 0; f < sourceFields; ++f)
        if (!copy.Value(row - 1, f).isNull()) return false;
    return true;
}

void TOrvDBSortGrid::Next() {
    if (!IsEmpty() && Row() < d->FCopy.RecordCount()) SetRow(Row() + 1);
}

void TOrvDBSortGrid::Previous() {
    if (!IsEmpty() && Row() > 1) SetRow(Row() - 1);
}

void TOrvDBSortGrid::ForceFilter(const QString& fieldName, const QString& values) {
    WithPrefix(Prefix("ForceFilter"), [&] {
        d->FForceFilterField = fieldName;
        d->FForceFilterValues.clear();
        for (QString value : values.split(u'\n')) {
            if (value.endsWith(u'\r')) value.chop(1);
            d->FForceFilterValues << value;
        }
        if (d->FCopy.Active()) FetchAllRows();
    });
}

int TOrvDBSortGridPrivate::Row() const {
    const QModelIndex current = FGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TOrvDBSortGridPrivate::SetRow(int row) {
    if (IsEmpty()) return;
    SetCurrent(std::clamp(row, 1, FCopy.RecordCount()), CurrentColumn());
}

void TOrvDBSortGridPrivate::SetCurrent(int row, int column) {
    if (column < 0 || column >= FColumns.Count()) return;
    FGrid->setCurrentIndex(FModel->index(row - 1, column));
}

int TOrvDBSortGridPrivate::CurrentColumn() const {
    const QModelIndex current = FGrid->currentIndex();
    if (current.isValid()) return current.column();
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    return order.empty() ? -1 : order.front();
}

void TOrvDBSortGridPrivate::CurrentCellChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (FFilling || !current.isValid()) return;
    if (current.column() != previous.column()) EnsureColumnVisible(current.column());
    const int row = current.row() + 1;
    if (!IsEmpty()) FCopy.SetRecNo(row - 1);
    if (row != FLastReportedRow) {
        FLastReportedRow = row;
        ReportRowChange();
    }
}

void TOrvDBSortGridPrivate::ReportRowChange() {
    FHomeState = false;
    if (q.OnRowChange) q.OnRowChange(&q);
    if (q.OnRowChangeDelayed) FRowChangeTimer->start(FRowChangeDelayedInterval);
}

int TOrvDBSortGrid::Row() const { return d->Row(); }

void TOrvDBSortGrid::SetRow(int row) { d->SetRow(row); }

int TOrvDBSortGrid::RowCount() const { return 1 + std::max(1, IsEmpty() ? 0 : d->FCopy.RecordCount()); }

const TDataSet* TOrvDBSortGrid::DataSet() const { return &d->FCopy; }

TOrvStringGrid* TOrvDBSortGrid::Grid() const { return d->FGrid; }

void TOrvDBSortGrid::SetFocus() { d->FGrid->setFocus(); }

bool TOrvDBSortGrid::Focused() const { return d->FGrid->hasFocus(); }

void TOrvDBSortGrid::SetDefaultRowHeight(int height) {
    d->FGrid->verticalHeader()->setDefaultSectionSize(height);
    d->FGrid->horizontalHeader()->setFixedHeight(height);
}

void TOrvDBSortGrid::SetPopupMenu(QMenu* menu) { d->FPopupMenu = menu; }

int TOrvDBSortGrid::RowChangeDelayedInterval() const { return d->FRowChangeDelayedInterval; }

void TOrvDBSortGrid::SetRowChangeDelayedInterval(int milliseconds) {
    if (milliseconds < 100) throw EDBComponentError(QStringLiteral("Value must be at least 100 ms"));
    d->FRowChangeDelayedInterval = milliseconds;
}

QString TOrvDBSortGrid::CellText(int row, int column) const { return d->CellText(row, column); }
