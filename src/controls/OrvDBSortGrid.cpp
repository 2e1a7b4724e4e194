#include "controls/OrvDBSortGrid.h"

#include "core/OrvMessages.h"
#include "support/FuzzyMatch.h"
#include "support/OrvErrors.h"

#include <QDateTime>
#include <QtGui/QClipboard>
#include <QtGui/QGuiApplication>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QBoxLayout>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMenu>
#include <QtWidgets/QScrollBar>
#include <algorithm>
#include <cmath>

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

QString Prefix(const char* method) { return MethodPrefix("TOrvDBSortGrid", method); }

bool IsNumericType(TFieldType type) { return IsIntegerType(type) || IsFloatType(type); }

QColor Or(const QColor& color, const QColor& fallback) { return color.isValid() ? color : fallback; }

int LineWidth(const std::vector<int>& order, const TOrvDBSortGridColumns& columns, size_t from, size_t to) {
    int width = 0;
    for (size_t k = from; k < to && k < order.size(); ++k) width += columns.Items(order[k]).ActualWidth();
    return width;
}
}

// ---- columns

int TOrvDBSortGridColumn::ActualVisualColumnIndex() const {
    return FHeader ? FHeader->visualIndex(FDefaultVisualColumnIndex) : FDefaultVisualColumnIndex;
}

QString TOrvDBSortGridColumn::FormattedFieldName() const {
    if (FActualFormat.isEmpty()) return QString();
    return FFieldName + u'_' + QString::number(FDefaultVisualColumnIndex) + QStringLiteral("_RC_FORMATTED");
}

TOrvDBSortGridColumn& TOrvDBSortGridColumns::Add(const QString& caption, const QString& fieldName, int width,
                                                 const QString& format, TOrvDBSortGridAlignment alignment,
                                                 TOrvDBSortGridSortImplementation sortImplementation) {
    return WithPrefix(QStringLiteral("Add: "), [&]() -> TOrvDBSortGridColumn& {
        if (caption.isEmpty()) throw EDBComponentError(QStringLiteral("Caption is required."));
        for (const auto& c : FItems)
            if (c->FCaption == caption) throw EDBComponentError(QStringLiteral("Caption should be unique."));
        if (fieldName.isEmpty()) throw EDBComponentError(QStringLiteral("FieldName is required."));
        if (FindColumn(fieldName)) throw EDBComponentError(QStringLiteral("Fieldname should be unique."));
        FGrid->CheckDataSet();
        const TDataSet* source = FGrid->FDataSource->DataSet();
        const TFieldType type = source->FieldDef(source->FieldIndexOrRaise(fieldName)).DataType;

        auto column = std::make_unique<TOrvDBSortGridColumn>();
        column->FCaption = caption;
        column->FFieldName = fieldName.toUpper();
        column->FDefaultWidth = column->FActualWidth = std::max(width, FMinimumColWidth);
        column->FDefaultVisualColumnIndex = Count();
        column->FDataType = type;
        column->FUserFormat = format;
        column->FActualFormat = GridActualFormat(format, type);
        column->FAlignment = alignment != gaDefaultForDataType ? alignment : IsNumericType(type) ? gaRight : gaLeft;
        column->FSortImplementation =
            sortImplementation != siDefaultForDataType ? sortImplementation
            : type == TFieldType::ftBoolean            ? siSortOnVisualData
                                                       : siSortOnRawDBData;
        column->FHeader = FGrid->FGrid->horizontalHeader();
        FItems.push_back(std::move(column));
        FGrid->FModel->ColumnAdded();
        // The copy lacks the new column's texts until the next fetch.
        FGrid->FCopy->ClearFields();
        FGrid->FCells.clear();
        FGrid->FModel->Refill();
        if (FInitialized) Init();
        return *FItems.back();
    });
}

int TOrvDBSortGridColumns::IndexOf(const TOrvDBSortGridColumn* column) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[i].get() == column) return i;
    return -1;
}

TOrvDBSortGridColumn* TOrvDBSortGridColumns::FindColumn(const QString& fieldName) const {
    for (const auto& c : FItems)
        if (c->FFieldName.compare(fieldName, Qt::CaseInsensitive) == 0) return c.get();
    return nullptr;
}

TOrvDBSortGridColumn& TOrvDBSortGridColumns::ColumnByFieldName(const QString& fieldName) const {
    TOrvDBSortGridColumn* column = FindColumn(fieldName);
    if (!column) throw EDBComponentError(QStringLiteral("Column \"") + fieldName + QStringLiteral("\" not found."));
    return *column;
}

TOrvDBSortGridColumn* TOrvDBSortGridColumns::ColumnByActualVisualColumnIndex(int index) const {
    for (const auto& c : FItems)
        if (c->ActualVisualColumnIndex() == index) return c.get();
    return nullptr;
}

TOrvDBSortGridColumn* TOrvDBSortGridColumns::FocusedColumn() const {
    const int column = FGrid->CurrentColumn();
    return column >= 0 ? FItems[column].get() : nullptr;
}

int TOrvDBSortGridColumns::TotalColumnWidth() const {
    int total = 0;
    for (const auto& c : FItems)
        if (c->Visible()) total += c->FActualWidth;
    return total;
}

void TOrvDBSortGridColumns::SetMinimumColWidth(int width) {
    FMinimumColWidth = std::max(width, 20);
    FGrid->FGrid->horizontalHeader()->setMinimumSectionSize(FMinimumColWidth);
}

std::vector<int> TOrvDBSortGridColumns::VisibleInVisualOrder() const {
    std::vector<int> order;
    const QHeaderView* header = FGrid->FGrid->horizontalHeader();
    for (int v = 0; v < Count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (logical >= 0 && FItems[logical]->Visible()) order.push_back(logical);
    }
    return order;
}

void TOrvDBSortGridColumns::Init() {
    QHeaderView* header = FGrid->FGrid->horizontalHeader();
    for (int i = 0; i < Count(); ++i)
        if (!header->isSectionHidden(i)) header->resizeSection(i, FItems[i]->FActualWidth);
    FInitialized = true;
    FGrid->miTitelsBlokkeren->setEnabled(VisibleInVisualOrder().size() >= 2);
    FGrid->ApplyColumnLayout();
}

// ---- model

TOrvDBSortGridModel::TOrvDBSortGridModel(TOrvDBSortGrid* grid) : QAbstractTableModel(grid), FGrid(grid) {}

int TOrvDBSortGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FRows; }

int TOrvDBSortGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FColumns; }

QVariant TOrvDBSortGridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() >= FGrid->FColumns.Count()) return {};
    const TOrvDBSortGridColumn& column = FGrid->FColumns.Items(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return FGrid->CellText(index.row() + 1, index.column());
    case Qt::TextAlignmentRole:
        return int((column.Alignment() == gaRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        // Grid rows count from the title row: even grid rows are the odd model rows.
        return index.row() % 2 == 1 ? QVariant(OrvDBSortGridColors.Toggle) : QVariant();
    case Qt::ForegroundRole: {
        const TOrvClientDataSet* copy = FGrid->FCopy.get();
        if (FGrid->IsEmpty() || index.row() >= copy->RecordCount()) return {};
        const int inactive = FGrid->FInactiveField;
        if (inactive >= 0 && copy->Value(index.row(), inactive).toString() == QLatin1String("Y"))
            return QColor(128, 128, 128);
        return {};
    }
    default:
        return {};
    }
}

QVariant TOrvDBSortGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < FColumns)
        return FGrid->FColumns.Items(section).Caption();
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags TOrvDBSortGridModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TOrvDBSortGridModel::Refill() {
    const int rows = std::max(1, FGrid->IsEmpty() ? 0 : FGrid->FCopy->RecordCount());
    if (rows < FRows) {
        beginRemoveRows({}, rows, FRows - 1);
        FRows = rows;
        endRemoveRows();
    } else if (rows > FRows) {
        beginInsertRows({}, FRows, rows - 1);
        FRows = rows;
        endInsertRows();
    }
    if (FColumns > 0) Q_EMIT dataChanged(index(0, 0), index(FRows - 1, FColumns - 1));
}

void TOrvDBSortGridModel::ColumnAdded() {
    beginInsertColumns({}, FColumns, FColumns);
    ++FColumns;
    endInsertColumns();
}

// ---- drawing

class TOrvDBSortGridHeader : public QHeaderView {
public:
    explicit TOrvDBSortGridHeader(TOrvDBSortGrid* grid) : QHeaderView(Qt::Horizontal), FGrid(grid) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        if (!rect.isValid() || logicalIndex >= FGrid->FColumns.Count()) return;
        const QColor background = Or(OrvDBSortGridColors.TitleBackground, palette().button().color());
        const QColor font = Or(OrvDBSortGridColors.TitleFont, palette().buttonText().color());
        painter->save();
        painter->fillRect(rect, background);
        painter->setPen(background.darker(140));
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setClipRect(rect);
        painter->setPen(font);
        painter->drawText(rect.adjusted(2, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          FGrid->FColumns.Items(logicalIndex).Caption());
        if (logicalIndex == FGrid->FSortColumn && FGrid->FSortDirection != sdNotSorted) {
            const QRect marker(rect.right() - 4 - 11, rect.top() + 2, 12, 12);
            QPolygon triangle;
            if (FGrid->FSortDirection == sdAscending)
                triangle << QPoint(marker.left() + 2, marker.bottom() - 3) << QPoint(marker.right() - 2, marker.bottom() - 3)
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

private:
    TOrvDBSortGrid* FGrid;
};

class TOrvDBSortGridDelegate : public QStyledItemDelegate {
public:
    TOrvDBSortGridDelegate(TOrvDBSortGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QPalette& palette = option.palette;
        const QVariant background = index.data(Qt::BackgroundRole), foreground = index.data(Qt::ForegroundRole);
        QColor back = background.isValid() ? background.value<QColor>() : palette.base().color();
        QColor font = foreground.isValid() ? foreground.value<QColor>() : palette.text().color();
        if (option.state & QStyle::State_Selected) {
            if (FGrid->Focused()) {
                back = Or(OrvDBSortGridColors.FocusBackground, palette.highlight().color());
                font = Or(OrvDBSortGridColors.FocusFont, palette.highlightedText().color());
            } else {
                back = Or(OrvDBSortGridColors.UnfocusedSelectionBackground, palette.dark().color());
                font = Or(OrvDBSortGridColors.UnfocusedSelectionFont, palette.window().color());
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

private:
    TOrvDBSortGrid* FGrid;
};

// ---- inner grid

TOrvStringGrid::TOrvStringGrid(TOrvDBSortGrid* owner) : QTableView(owner), FOwner(owner) {}

void TOrvStringGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    // Horizontal scrolling is by whole columns, done by the control.
    QTableView::scrollTo(index, hint);
    horizontalScrollBar()->setValue(0);
}

void TOrvStringGrid::keyPressEvent(QKeyEvent* event) {
    GuardUiAction([&] {
        int key = event->key();
        const bool used = FOwner->GridKeyDown(key, event->modifiers());
        if (FOwner->OnKeyDown) FOwner->OnKeyDown(FOwner, key, event->modifiers());
        if (used || key == 0) return event->accept();
        static const QList<int> navigation{Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,    Qt::Key_Home,
                                           Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,     Qt::Key_Down,
                                           Qt::Key_Insert, Qt::Key_Delete,   Qt::Key_Tab,    Qt::Key_Backtab};
        const QString text = event->text();
        if (!navigation.contains(key) && !text.isEmpty() && !(event->modifiers() & Qt::ControlModifier) &&
            FOwner->GridKeyPress(text[0]))
            return event->accept();
        QTableView::keyPressEvent(event);
    });
}

void TOrvStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (FOwner->OnDoubleClick) GuardUiAction([&] { FOwner->OnDoubleClick(FOwner); });
}

void TOrvStringGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    setFocus();
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index.column() != FOwner->FSortColumn) FOwner->ClearIncrementalSearch();
}

void TOrvStringGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    FOwner->EnsureColumnVisible(FOwner->CurrentColumn());
}

// ---- the control

TOrvDBSortGrid::TOrvDBSortGrid(QWidget* parent)
    : QFrame(parent), FColumns(this), FCopy(std::make_unique<TOrvClientDataSet>()) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setFocusPolicy(Qt::NoFocus);
    resize(385, 169);
    QFont controlFont = font();
    controlFont.setFamily(QStringLiteral("Microsoft Sans Serif"));
    setFont(controlFont);

    FModel = new TOrvDBSortGridModel(this);
    FGrid = new TOrvStringGrid(this);
    FGrid->setObjectName(QStringLiteral("FGrid"));
    FGrid->setHorizontalHeader(new TOrvDBSortGridHeader(this));
    FGrid->setModel(FModel);
    FGrid->setItemDelegate(new TOrvDBSortGridDelegate(this));
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
    SetDefaultRowHeight(17);

    sbHorzScrollBar = new QWidget(this);
    sbHorzScrollBar->setObjectName(QStringLiteral("sbHorzScrollBar"));
    sbHorzScrollBar->setFixedHeight(16);
    auto* scrollLayout = new QHBoxLayout(sbHorzScrollBar);
    scrollLayout->setContentsMargins(0, 0, 19, 0);
    FHorzScrollBar = new QScrollBar(Qt::Horizontal, sbHorzScrollBar);
    FHorzScrollBar->setObjectName(QStringLiteral("FHorzScrollBar"));
    scrollLayout->addWidget(FHorzScrollBar);
    sbHorzScrollBar->hide();

    pnlBottom = new QWidget(this);
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(FGrid);
    layout->addWidget(sbHorzScrollBar);
    layout->addWidget(pnlBottom);

    FPopupMenuTitelBalk = new QMenu(this);
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

    connect(miTitelsBlokkeren, &QAction::triggered, this, [this](bool checked) { GuardUiAction([&] { FreezeTitles(checked); }); });
    connect(miWaardenInKolomKopieren, &QAction::triggered, this, [this] { GuardUiAction([&] { CopyColumn(); }); });
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) { GuardUiAction([&] { TitleClicked(column); }); });
    connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) { ColumnResized(column, width); });
    connect(header, &QHeaderView::sectionMoved, this, [this] { ApplyColumnLayout(); });
    connect(header, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) { ShowTitleMenu(p); });
    connect(FGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) { ShowGridMenu(p); });
    connect(FGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previous) {
                GuardUiAction([&] { CurrentCellChanged(current, previous); });
            });
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
        SetRow(std::clamp(Row() + step, 1, FCopy->RecordCount()));
    });
    connect(FHorzScrollBar, &QAbstractSlider::actionTriggered, this, [this](int action) { HorzScrollAction(action); });

    FSearchTimer.setParent(this);
    FSearchTimer.setObjectName(QStringLiteral("FSearchTimer"));
    FSearchTimer.setSingleShot(true);
    FSearchTimer.setInterval(300);
    connect(&FSearchTimer, &QTimer::timeout, this, [this] { GuardUiAction([&] { RunIncrementalSearch(); }); });
    FRowChangeTimer.setSingleShot(true);
    FRowChangeTimer.setInterval(FRowChangeDelayedInterval);
    connect(&FRowChangeTimer, &QTimer::timeout, this, [this] {
        if (OnRowChangeDelayed) GuardUiAction([&] { OnRowChangeDelayed(this); });
    });
    SetSearchText(QString());
}

TOrvDBSortGrid::~TOrvDBSortGrid() {
    // The inner grid reads the columns and the copy while it goes; it must go first.
    delete FGrid;
}

void TOrvDBSortGrid::SetDataSource(TDataSource* dataSource) { FDataSource = dataSource; }

void TOrvDBSortGrid::CheckDataSet() const {
    WithPrefix(QStringLiteral("CheckDataSet (") + objectName() + QStringLiteral("): "), [&] {
        if (!FDataSource) throw EDBComponentError(QStringLiteral("No datasource defined."));
        if (!FDataSource->DataSet()) throw EDBComponentError(QStringLiteral("No dataset defined."));
    });
}

void TOrvDBSortGrid::EnsureCopy() {
    CheckDataSet();
    if (!FCopy->Active() && FDataSource->DataSet()->Active()) {
        BuildCopy();
        FModel->Refill();
    }
}

void TOrvDBSortGrid::BuildCopy() {
    const TDataSet* source = FDataSource->DataSet();
    FCopy->ClearFields();
    FCells.clear();
    FSearchTexts.reset();
    FSearchTextsField = -1;
    FInactiveField = -1;
    if (!source->Active()) return;
    const int sourceFields = source->FieldCount();
    for (int f = 0; f < sourceFields; ++f) {
        const TFieldDef& def = source->FieldDef(f);
        FCopy->AddFieldDef(def.Name, def.DataType, def.Size);
    }
    FCopy->AddFieldDef(kRowSelectFlag, TFieldType::ftString, 1);
    struct TColumnSource {
        int Field;
        int Formatted;
        TFieldType Type;
        QString Format;
    };
    std::vector<TColumnSource> columns;
    for (int c = 0; c < FColumns.Count(); ++c) {
        const TOrvDBSortGridColumn& column = FColumns.Items(c);
        int formatted = -1;
        if (!column.ActualFormat().isEmpty()) {
            FCopy->AddFieldDef(column.FormattedFieldName(), TFieldType::ftString, kGridFormattedFieldSize);
            formatted = FCopy->FieldCount() - 1;
        }
        columns.push_back({source->FieldIndexOrRaise(column.FieldName()), formatted, column.DataType(), column.ActualFormat()});
    }
    FCopy->CreateDataSet();
    FInactiveField = FCopy->FieldIndex(QStringLiteral("inactive"));

    const int forceField = FForceFilterField.isEmpty() ? -1 : source->FieldIndexOrRaise(FForceFilterField);
    const QSet<QString> forceValues(FForceFilterValues.begin(), FForceFilterValues.end());
    const int rows = source->RecordCount();
    FCells.reserve(rows);
    QVariantList values;
    for (int r = 0; r < rows; ++r) {
        if (forceField >= 0 && !forceValues.contains(source->Value(r, forceField).toString())) continue;
        values.clear();
        for (int f = 0; f < sourceFields; ++f) values.append(source->Value(r, f));
        while (values.size() < FCopy->FieldCount()) values.append(QVariant());
        QStringList cells;
        cells.reserve(int(columns.size()));
        for (const TColumnSource& column : columns) {
            cells.append(GridDisplayText(values[column.Field], column.Type, column.Format));
            if (column.Formatted >= 0) values[column.Formatted] = cells.last();
        }
        FCopy->AppendRecord(values);
        FCells.push_back(std::move(cells));
    }
    FCopy->First();
    const int count = FCopy->RecordCount();
    FSearchTimer.setInterval(count <= 5000 ? 300 : count <= 15000 ? 600 : 1200);
}

void TOrvDBSortGrid::FillGrid() {
    const int keepRow = Row();
    int column = CurrentColumn();
    FFilling = true;
    FModel->Refill();
    FColumns.Init();
    const int records = IsEmpty() ? 0 : FCopy->RecordCount();
    const int row = records == 0 ? 1 : std::clamp(keepRow, 1, records);
    if (column < 0) {
        const std::vector<int> order = FColumns.VisibleInVisualOrder();
        column = order.empty() ? 0 : order.front();
    }
    if (FColumns.Count() > 0) FGrid->setCurrentIndex(FModel->index(row - 1, column));
    FFilling = false;
    if (records > 0) FCopy->SetRecNo(row - 1);
    FLastReportedRow = row;
    FGrid->horizontalHeader()->viewport()->update();
    FGrid->viewport()->update();
    UpdateHorzScrollBar();
    if (OnRowChange) OnRowChange(this);
}

void TOrvDBSortGrid::FetchAllRows() {
    WithPrefix(Prefix("FetchAllRows"), [&] {
        CheckDataSet();
        BuildCopy();
        if (FSortColumn >= 0 && FSortDirection != sdNotSorted)
            SortOnColumn(FSortColumn, FSortDirection, false);
        else
            FillGrid();
    });
}

void TOrvDBSortGrid::Refresh() {
    WithPrefix(Prefix("Refresh"), [&] {
        ClearIncrementalSearch();
        // Only numeric fields named ID or ending in _ID identify a record across a reload.
        QStringList keyFields;
        QVariantList keyValues;
        if (!IsEmpty()) {
            for (int f = 0; f < FCopy->FieldCount(); ++f) {
                const TFieldDef& def = FCopy->FieldDef(f);
                const QString name = def.Name.toUpper();
                const QVariant value = FCopy->FieldValue(f);
                if ((name == QLatin1String("ID") || name.endsWith(QLatin1String("_ID"))) && IsNumericType(def.DataType) &&
                    !value.isNull() && value.toDouble() == std::trunc(value.toDouble())) {
                    keyFields << def.Name;
                    keyValues << value;
                }
            }
        }
        FetchAllRows();
        if (!keyFields.isEmpty() && !IsEmpty() && FCopy->Locate(keyFields, keyValues)) SetRow(FCopy->RecNo() + 1);
    });
}

int TOrvDBSortGrid::SortFieldOf(int column) const {
    const TOrvDBSortGridColumn& c = FColumns.Items(column);
    if (c.SortImplementation() == siSortOnVisualData) {
        const int formatted = FCopy->FieldIndex(c.FormattedFieldName());
        if (!c.FormattedFieldName().isEmpty() && formatted >= 0) return formatted;
    }
    return FCopy->FieldIndexOrRaise(c.FieldName());
}

void TOrvDBSortGrid::SortOnColumn(int column, TOrvDBSortGridSortDirection direction, bool keepRecord) {
    EnsureCopy();
    int keyColumn = column;
    if (OnBeginSort) {
        const QString fieldName = FColumns.Items(column).FieldName();
        QString wanted = fieldName;
        OnBeginSort(this, wanted);
        if (wanted.compare(fieldName, Qt::CaseInsensitive) != 0) {
            const TOrvDBSortGridColumn* other = FColumns.FindColumn(wanted);
            if (!other)
                throw EDBComponentError(QStringLiteral("Cannot modify the sort from \"") + fieldName +
                                        QStringLiteral("\" to \"") + wanted +
                                        QStringLiteral("\" because this field does not exists. Check BeginSort event."));
            keyColumn = FColumns.IndexOf(other);
        }
    }
    FSortColumn = column;
    FSortDirection = direction;
    if (!FCopy->Active()) return FillGrid();

    // Ties are ordered by the two columns shown right of the sort column.
    const bool descending = direction == sdDescending;
    QList<TSortKey> keys{{SortFieldOf(keyColumn), descending}};
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const auto at = std::find(order.begin(), order.end(), keyColumn);
    for (auto next = at == order.end() ? at : at + 1; next != order.end() && keys.size() < 3; ++next)
        keys.append({SortFieldOf(*next), descending});
    const int recordId = keepRecord && !IsEmpty() && Row() >= 1 ? FCopy->RecordId(Row() - 1) : -1;
    FCopy->Sort(keys);
    FillGrid();
    if (!FHomeState && recordId >= 0) {
        const int row = FCopy->RowOfRecordId(recordId);
        if (row >= 0) SetRow(row + 1);
    }
}

void TOrvDBSortGrid::Sort(const QString& fieldName, TOrvDBSortGridSortDirection direction) {
    WithPrefix(Prefix("Sort"), [&] {
        const int column = FColumns.IndexOf(&FColumns.ColumnByFieldName(fieldName));
        if (direction == sdNotSorted) {
            FSortColumn = -1;
            FSortDirection = sdNotSorted;
            FGrid->horizontalHeader()->viewport()->update();
            return;
        }
        SortOnColumn(column, direction);
    });
}

void TOrvDBSortGrid::ReSortOnCurrentVisualSortColumnAndOrder() {
    WithPrefix(Prefix("ReSortOnCurrentVisualSortColumnAndOrder"), [&] {
        if (FSortColumn >= 0 && FSortDirection != sdNotSorted) SortOnColumn(FSortColumn, FSortDirection);
    });
}

QString TOrvDBSortGrid::SortFieldName() const {
    return FSortColumn >= 0 && FSortDirection != sdNotSorted ? FColumns.Items(FSortColumn).FieldName() : QString();
}

void TOrvDBSortGrid::TitleClicked(int column) {
    if (!FColumns.Initialized() || IsEmpty() || column < 0 || column >= FColumns.Count()) return;
    if (!FColumns.Items(column).AllowSortByUser()) return;
    const bool reverse = column == FSortColumn && FSortDirection == sdAscending;
    SortOnColumn(column, reverse ? sdDescending : sdAscending);
}

void TOrvDBSortGrid::ColumnResized(int column, int newWidth) {
    QHeaderView* header = FGrid->horizontalHeader();
    if (column < 0 || column >= FColumns.Count() || header->isSectionHidden(column) || newWidth <= 0) return;
    FColumns.Items(column).FActualWidth = std::max(newWidth, FColumns.MinimumColWidth());
    UpdateHorzScrollBar();
}

bool TOrvDBSortGrid::FindKey(const QString& keyFieldName, const QVariant& keyValue) {
    return WithPrefix(Prefix("FindKey"), [&] {
        EnsureCopy();
        if (IsEmpty()) return false;
        TLocateOptions exact;
        exact.CaseInsensitive = false;
        if (!FCopy->Locate({keyFieldName}, {keyValue}, exact)) {
            FCopy->SetRecNo(Row() - 1);
            return false;
        }
        SetRow(FCopy->RecNo() + 1);
        return true;
    });
}

void TOrvDBSortGrid::SetCursorHome() {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const size_t frozen = size_t(FrozenCount(order));
    FLeftCol = 0;
    ApplyColumnLayout();
    if (!order.empty()) SetCurrent(1, frozen < order.size() ? order[frozen] : order.front());
    FHomeState = true;
}

bool TOrvDBSortGrid::IsEmpty() const { return !FCopy->Active() || FCopy->RecordCount() == 0; }

bool TOrvDBSortGrid::IsRowEmpty(int row) const {
    if (IsEmpty() || row < 1 || row > FCopy->RecordCount()) return true;
    const int sourceFields = FCopy->FieldIndex(kRowSelectFlag);
    for (int f = 0; f < sourceFields; ++f)
        if (!FCopy->Value(row - 1, f).isNull()) return false;
    return true;
}

void TOrvDBSortGrid::Next() {
    if (!IsEmpty() && Row() < FCopy->RecordCount()) SetRow(Row() + 1);
}

void TOrvDBSortGrid::Previous() {
    if (!IsEmpty() && Row() > 1) SetRow(Row() - 1);
}

void TOrvDBSortGrid::ForceFilter(const QString& fieldName, const QString& values) {
    WithPrefix(Prefix("ForceFilter"), [&] {
        FForceFilterField = fieldName;
        FForceFilterValues.clear();
        for (QString value : values.split(u'\n')) {
            if (value.endsWith(u'\r')) value.chop(1);
            FForceFilterValues << value;
        }
        if (FCopy->Active()) FetchAllRows();
    });
}

int TOrvDBSortGrid::Row() const {
    const QModelIndex current = FGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

void TOrvDBSortGrid::SetRow(int row) {
    if (IsEmpty()) return;
    SetCurrent(std::clamp(row, 1, FCopy->RecordCount()), CurrentColumn());
}

int TOrvDBSortGrid::RowCount() const { return 1 + std::max(1, IsEmpty() ? 0 : FCopy->RecordCount()); }

void TOrvDBSortGrid::SetCurrent(int row, int column) {
    if (column < 0 || column >= FColumns.Count()) return;
    FGrid->setCurrentIndex(FModel->index(row - 1, column));
}

int TOrvDBSortGrid::CurrentColumn() const {
    const QModelIndex current = FGrid->currentIndex();
    if (current.isValid()) return current.column();
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    return order.empty() ? -1 : order.front();
}

void TOrvDBSortGrid::CurrentCellChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (FFilling || !current.isValid()) return;
    if (current.column() != previous.column()) EnsureColumnVisible(current.column());
    const int row = current.row() + 1;
    if (!IsEmpty()) FCopy->SetRecNo(row - 1);
    if (row != FLastReportedRow) {
        FLastReportedRow = row;
        ReportRowChange();
    }
}

void TOrvDBSortGrid::ReportRowChange() {
    FHomeState = false;
    if (OnRowChange) OnRowChange(this);
    if (OnRowChangeDelayed) FRowChangeTimer.start(FRowChangeDelayedInterval);
}

void TOrvDBSortGrid::SetFocus() { FGrid->setFocus(); }

bool TOrvDBSortGrid::Focused() const { return FGrid->hasFocus(); }

void TOrvDBSortGrid::SetDefaultRowHeight(int height) {
    FGrid->verticalHeader()->setDefaultSectionSize(height);
    FGrid->horizontalHeader()->setFixedHeight(height);
}

void TOrvDBSortGrid::SetRowChangeDelayedInterval(int milliseconds) {
    if (milliseconds < 100) throw EDBComponentError(QStringLiteral("Value must be at least 100 ms"));
    FRowChangeDelayedInterval = milliseconds;
}

QString TOrvDBSortGrid::CellText(int row, int column) const {
    if (IsEmpty() || row < 1 || row > FCopy->RecordCount() || column < 0 || column >= FColumns.Count()) return {};
    const QStringList& cells = FCells[FCopy->RecordId(row - 1)];
    return column < cells.size() ? cells[column] : QString();
}

// ---- keys

bool TOrvDBSortGrid::GridKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (key == Qt::Key_F12 && ctrl && (modifiers & Qt::ShiftModifier)) {
        ShowDebugInfo();
        return true;
    }
    // Cells are never edited.
    if (key == Qt::Key_F2 || (ctrl && (key == Qt::Key_Return || key == Qt::Key_Enter))) return true;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
    case Qt::Key_Delete:
        ClearIncrementalSearch();
        break;
    default:
        break;
    }
    if (ctrl && key == Qt::Key_PageUp) return SetRow(1), true;
    if (ctrl && key == Qt::Key_PageDown) return SetRow(RowCount() - 1), true;
    if (ctrl && key == Qt::Key_Home) return SetCursorHome(), true;
    if (!ctrl && (key == Qt::Key_Home || key == Qt::Key_End)) {
        const std::vector<int> order = FColumns.VisibleInVisualOrder();
        if (key == Qt::Key_Home) {
            FLeftCol = 0;
            ApplyColumnLayout();
        }
        if (!order.empty()) SetCurrent(std::max(Row(), 1), key == Qt::Key_Home ? order.front() : order.back());
        return true;
    }
    // The view would skip the columns scrolled out of sight.
    if (key == Qt::Key_Left || key == Qt::Key_Right) return StepColumn(key == Qt::Key_Left ? -1 : 1), true;
    return false;
}

void TOrvDBSortGrid::StepColumn(int step) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const auto at = std::find(order.begin(), order.end(), CurrentColumn());
    if (at == order.end()) return;
    const int position = std::clamp(int(at - order.begin()) + step, 0, int(order.size()) - 1);
    SetCurrent(std::max(Row(), 1), order[size_t(position)]);
}

bool TOrvDBSortGrid::GridKeyPress(QChar ch) {
    if (ch == u'\n' || ch == u'\r' || !FAllowIncrementalSearch) return false;
    const int column = CurrentColumn();
    if (column < 0) return false;
    const QString text = IncrementalSearchText();
    const bool escape = ch == QChar(27), backspace = ch == QChar(8);
    if ((escape || backspace) && text.isEmpty()) return false;  // leaves Escape to the window
    if (!escape && !backspace) {
        const TFieldType type = FColumns.Items(column).DataType();
        const bool digitsOnly = IsNumericType(type) || IsDateTimeType(type);
        const ushort code = ch.unicode();
        const bool accepted = digitsOnly ? (code >= '0' && code <= '9') : (code >= 32 && code <= 127);
        if (!accepted) return code >= 32;
    }
    if (!IsEmpty() && !(FSortColumn == column && FSortDirection == sdAscending)) SortOnColumn(column, sdAscending);
    SetSearchText(escape ? QString() : backspace ? text.chopped(1) : text + ch.toUpper());
    FSearchTimer.start();
    return true;
}

void TOrvDBSortGrid::ShowDebugInfo() {
    QString report = QStringLiteral("GRID DEBUG INFO: ") + objectName() + QStringLiteral("\n\n");
    for (int c = 0; c < FColumns.Count(); ++c) {
        const TOrvDBSortGridColumn& column = FColumns.Items(c);
        report += QStringLiteral("Caption: ") + column.Caption() + QStringLiteral("; FieldName: ") + column.FieldName() +
                  QStringLiteral("; Visible: ") + (column.Visible() ? QStringLiteral("Yes") : QStringLiteral("No")) +
                  QStringLiteral("; DefaultWidth: ") + QString::number(column.DefaultWidth()) +
                  QStringLiteral("; ActualWidth: ") + QString::number(column.ActualWidth()) + u'\n';
    }
    ShowWarning(report);
}

// ---- incremental search

void TOrvDBSortGrid::SetAllowIncrementalSearch(bool allow) {
    FAllowIncrementalSearch = allow;
    pnlBottom->setVisible(allow);
    if (!allow) ClearIncrementalSearch();
}

void TOrvDBSortGrid::ClearIncrementalSearch() {
    FSearchTimer.stop();
    SetSearchText(QString());
}

QString TOrvDBSortGrid::IncrementalSearchText() const { return edIncSearch->text(); }

void TOrvDBSortGrid::SetSearchText(const QString& text) {
    edIncSearch->setText(text);
    QPalette palette = edIncSearch->palette();
    palette.setColor(QPalette::Base, text.isEmpty() ? FGrid->palette().base().color() : QColor(255, 255, 223));
    edIncSearch->setPalette(palette);
}

void TOrvDBSortGrid::RunIncrementalSearch() {
    WithPrefix(Prefix("IncrementalSearch"), [&] {
        const int column = CurrentColumn();
        EnsureCopy();
        if (column < 0 || !FCopy->Active()) return;
        setUpdatesEnabled(false);
        const auto redraw = qScopeGuard([this] { setUpdatesEnabled(true); });
        const QString text = IncrementalSearchText();
        // A narrower or wider search starts again from all rows.
        if (FCopy->PredicateFiltered() || FCopy->RecordCount() == 0) {
            FCopy->SetFilterPredicate({});
            FillGrid();
        }
        if (IsEmpty()) return;
        if (!(FSortColumn == column && FSortDirection == sdAscending)) SortOnColumn(column, sdAscending);
        const TOrvDBSortGridColumn& c = FColumns.Items(column);
        const int raw = FCopy->FieldIndexOrRaise(c.FieldName());
        int row = 0;
        if (IsNumericType(c.DataType())) {
            row = SearchNumeric(raw, text);
        } else if (IsDateTimeType(c.DataType())) {
            row = SearchDate(raw, text);
        } else {
            const int formatted = c.FormattedFieldName().isEmpty() ? -1 : FCopy->FieldIndex(c.FormattedFieldName());
            const int field = formatted >= 0 ? formatted : raw;
            if (text.size() > 2) FilterOnText(field, text);
            if (IsEmpty()) return;
            row = text.isEmpty() ? (FSortDirection == sdDescending ? FCopy->RecordCount() - 1 : 0) : LocateText(field, text);
        }
        SetRow(row + 1);
    });
}

// The first row (0-based) at or after which the condition holds, in the ascending order; the last row
// when no row reaches it.
template <class Reached>
static int FirstReached(const TOrvClientDataSet& copy, Reached reached) {
    for (int r = 0; r < copy.RecordCount(); ++r)
        if (reached(r)) return r;
    return copy.RecordCount() - 1;
}

int TOrvDBSortGrid::SearchNumeric(int field, const QString& text) const {
    bool ok = false;
    const qint64 wanted = text.toLongLong(&ok);
    if (text.isEmpty() || !ok) return 0;
    return FirstReached(*FCopy, [&](int r) {
        const QVariant v = FCopy->Value(r, field);
        return !v.isNull() && qint64(std::trunc(v.toDouble())) >= wanted;
    });
}

int TOrvDBSortGrid::SearchDate(int field, const QString& text) const {
    const std::optional<QDate> date = GridSearchDate(text);
    if (!date) return 0;
    const QDateTime from(*date, QTime(0, 0));
    return FirstReached(*FCopy, [&](int r) {
        const QVariant v = FCopy->Value(r, field);
        return !v.isNull() && v.toDateTime() >= from;
    });
}

void TOrvDBSortGrid::FilterOnText(int field, const QString& text) {
    if (!FSearchTexts || FSearchTextsField != field) {
        FSearchTexts = std::make_shared<TGridSearchTexts>();
        FSearchTextsField = field;
    }
    const int before = FCopy->RecordCount();
    // The copy runs the filter again at every later sort, so it owns all it reads.
    FCopy->SetFilterPredicate([filter = TGridTextFilter(text), texts = FSearchTexts, field](int record, const QVariantList& row) {
        return filter.Accepts(texts->Of(record, row[field].toString()));
    });
    if (FCopy->RecordCount() < before) FillGrid();
}

int TOrvDBSortGrid::LocateText(int field, const QString& text) const {
    const int rows = FCopy->RecordCount();
    for (int length = int(text.size()); length > 0; --length) {
        const QString prefix = text.left(length);
        for (int r = 0; r < rows; ++r) {
            if (!FCopy->Value(r, field).toString().startsWith(prefix, Qt::CaseInsensitive)) continue;
            if (length == text.size()) return r;
            // Only a shorter prefix matched: stand where the full text would sort.
            const QString target = RemoveAccents(text).toLower();
            return FirstReached(*FCopy, [&](int s) {
                return s >= r && RemoveAccents(FCopy->Value(s, field).toString()).toLower() > target;
            });
        }
    }
    return 0;
}

// ---- menus

void TOrvDBSortGrid::ShowTitleMenu(const QPoint& position) {
    const int column = FGrid->horizontalHeader()->logicalIndexAt(position);
    if (column < 0 || IsEmpty() || !FColumns.Initialized()) return;
    FLastPopupTitelBalkCol = column;
    FPopupMenuTitelBalk->popup(FGrid->horizontalHeader()->mapToGlobal(position));
}

void TOrvDBSortGrid::ShowGridMenu(const QPoint& position) {
    if (!FGrid->indexAt(position).isValid() || IsEmpty()) return;
    QMenu* menu = FPopupMenu;
    if (!menu) {
        if (!FPopupMenuGrid) {
            FPopupMenuGrid = new QMenu(this);
            FPopupMenuGrid->setObjectName(QStringLiteral("FPopupMenuGrid"));
        }
        menu = FPopupMenuGrid;
    }
    if (FCellMenuAddedTo != menu) {
        if (!menu->actions().isEmpty()) menu->addSeparator();
        QAction* item = menu->addAction(QStringLiteral("Celtekst kopiëren"));
        item->setObjectName(QStringLiteral("miCellWaardeKopieren"));
        connect(item, &QAction::triggered, this, [this] { CopyCellText(); });
        FCellMenuAddedTo = menu;
    }
    menu->popup(FGrid->viewport()->mapToGlobal(position));
}

void TOrvDBSortGrid::FreezeTitles(bool freeze) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    for (int c = 0; c < FColumns.Count(); ++c) FColumns.Items(c).FFixedByUser = false;
    if (freeze && order.size() >= 2) {
        const auto at = std::find(order.begin(), order.end(), FLastPopupTitelBalkCol);
        const size_t last = std::min(size_t(at - order.begin()), order.size() - 2);
        for (size_t k = 0; k <= last; ++k) FColumns.Items(order[k]).FFixedByUser = true;
    }
    miTitelsBlokkeren->setChecked(freeze);
    FLeftCol = 0;
    FColumns.Init();
}

void TOrvDBSortGrid::CopyColumn() {
    if (FLastPopupTitelBalkCol < 0 || IsEmpty()) return;
    const TOrvDBSortGridColumn& column = FColumns.Items(FLastPopupTitelBalkCol);
    const int formatted = column.FormattedFieldName().isEmpty() ? -1 : FCopy->FieldIndex(column.FormattedFieldName());
    const int field = formatted >= 0 ? formatted : FCopy->FieldIndexOrRaise(column.FieldName());
    QStringList texts;
    for (int r = 0; r < FCopy->RecordCount(); ++r) {
        const QString text = FCopy->Value(r, field).toString();
        if (!text.trimmed().isEmpty()) texts << text;
    }
    FCopy->SetRecNo(Row() - 1);
    if (texts.isEmpty()) return ShowWarning(QStringLiteral("Alle waarden in de kolom zijn leeg."));
    QGuiApplication::clipboard()->setText(texts.join(QStringLiteral("\r\n")));
}

void TOrvDBSortGrid::CopyCellText() {
    const QString text = CellText(Row(), CurrentColumn()).trimmed();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

// ---- horizontal scrolling

int TOrvDBSortGrid::FrozenCount(const std::vector<int>& order) const {
    int frozen = 0;
    while (frozen < int(order.size()) && FColumns.Items(order[frozen]).FixedByUser()) ++frozen;
    return frozen;
}

void TOrvDBSortGrid::ApplyColumnLayout() {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const int frozen = FrozenCount(order);
    FLeftCol = std::clamp(FLeftCol, 0, std::max(0, int(order.size()) - frozen - 1));
    std::vector<bool> hidden(FColumns.Count());
    for (int c = 0; c < FColumns.Count(); ++c) hidden[c] = !FColumns.Items(c).Visible();
    for (int k = frozen; k < frozen + FLeftCol; ++k) hidden[order[k]] = true;
    for (int c = 0; c < FColumns.Count(); ++c)
        if (FGrid->isColumnHidden(c) != hidden[c]) FGrid->setColumnHidden(c, hidden[c]);
    FGrid->horizontalScrollBar()->setValue(0);
    UpdateHorzScrollBar();
}

void TOrvDBSortGrid::EnsureColumnVisible(int column) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const int frozen = FrozenCount(order);
    const int position = int(std::find(order.begin(), order.end(), column) - order.begin());
    if (position >= int(order.size()) || position < frozen) return;
    const int k = position - frozen;
    if (k < FLeftCol) {
        FLeftCol = k;
    } else {
        const int available = FGrid->viewport()->width() - LineWidth(order, FColumns, 0, size_t(frozen));
        int width = LineWidth(order, FColumns, size_t(frozen + FLeftCol), size_t(position + 1));
        while (width > available && FLeftCol < k) width -= FColumns.Items(order[frozen + FLeftCol++]).ActualWidth();
    }
    ApplyColumnLayout();
}

void TOrvDBSortGrid::UpdateHorzScrollBar() {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    int needed = -1;
    for (int c : order) needed += FColumns.Items(c).ActualWidth() + 1;
    sbHorzScrollBar->setVisible(needed > FGrid->viewport()->width());
    sbHorzScrollBar->layout()->setContentsMargins(0, 0, FGrid->verticalScrollBar()->isVisible() ? 19 : 3, 0);
    const QSignalBlocker block(FHorzScrollBar);
    FHorzScrollBar->setRange(0, FColumns.TotalColumnWidth());
    FHorzScrollBar->setPageStep(std::max(1, FGrid->viewport()->width()));
    const size_t position = size_t(std::find(order.begin(), order.end(), CurrentColumn()) - order.begin());
    if (position < order.size())
        FHorzScrollBar->setValue(LineWidth(order, FColumns, 0, position) + FColumns.Items(order[position]).ActualWidth() / 2);
}

void TOrvDBSortGrid::HorzScrollAction(int action) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    if (order.empty()) return;
    int position = int(std::find(order.begin(), order.end(), CurrentColumn()) - order.begin());
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderPageStepAdd:
        ++position;
        break;
    case QAbstractSlider::SliderSingleStepSub:
    case QAbstractSlider::SliderPageStepSub:
        --position;
        break;
    case QAbstractSlider::SliderToMinimum:
        position = 0;
        break;
    case QAbstractSlider::SliderToMaximum:
        position = int(order.size()) - 1;
        break;
    case QAbstractSlider::SliderMove: {
        int left = 0;
        position = 0;
        while (position < int(order.size()) - 1 &&
               left + FColumns.Items(order[position]).ActualWidth() <= FHorzScrollBar->sliderPosition())
            left += FColumns.Items(order[position++]).ActualWidth();
        break;
    }
    default:
        return;
    }
    position = std::clamp(position, 0, int(order.size()) - 1);
    SetCurrent(std::max(Row(), 1), order[position]);
    FHorzScrollBar->setSliderPosition(LineWidth(order, FColumns, 0, size_t(position)) +
                                      FColumns.Items(order[position]).ActualWidth() / 2);
}
