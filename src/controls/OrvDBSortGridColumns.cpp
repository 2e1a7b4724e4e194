// The list control's columns: declaration, the grid columns built from them, and horizontal scrolling
// by whole columns.

#include "controls/OrvDBSortGridModel.h"
#include "controls/OrvDBSortGridPrivate.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLayout>
#include <QtWidgets/QScrollBar>

#include <algorithm>

// ---- columns

TOrvDBSortGridColumnItem::TOrvDBSortGridColumnItem(const QString& caption, const QString& fieldName, int width,
                                                   int index, TFieldType type, const QString& format,
                                                   TOrvDBSortGridAlignment alignment,
                                                   TOrvDBSortGridSortImplementation sortImplementation,
                                                   const QHeaderView* header) {
    FCaption = caption;
    FFieldName = fieldName.toUpper();
    FDefaultWidth = FActualWidth = width;
    FDefaultVisualColumnIndex = index;
    FUserFormat = format;
    FDeclaredAlignment = alignment;
    FDeclaredSortImplementation = sortImplementation;
    ApplyDataType(type);
    FHeader = header;
}

void TOrvDBSortGridColumnItem::ApplyDataType(TFieldType type) {
    FDataType = type;
    FActualFormat = GridActualFormat(FUserFormat, type);
    FAlignment = FDeclaredAlignment != gaDefaultForDataType ? FDeclaredAlignment
                 : IsNumericType(type)                      ? gaRight
                                                            : gaLeft;
    FSortImplementation = FDeclaredSortImplementation != siDefaultForDataType ? FDeclaredSortImplementation
                          : type == TFieldType::ftBoolean                     ? siSortOnVisualData
                                                                              : siSortOnRawDBData;
}

void TOrvDBSortGridColumnItem::AdoptDataType(TFieldType type) {
    if (FDataType == TFieldType::ftUnknown && type != TFieldType::ftUnknown) ApplyDataType(type);
}

int TOrvDBSortGridColumn::ActualVisualColumnIndex() const {
    return FHeader ? FHeader->visualIndex(FDefaultVisualColumnIndex) : FDefaultVisualColumnIndex;
}

QString TOrvDBSortGridColumn::FormattedFieldName() const {
    if (FActualFormat.isEmpty()) return QString();
    return FFieldName + u'_' + QString::number(FDefaultVisualColumnIndex) + QStringLiteral("_RC_FORMATTED");
}

TOrvDBSortGridColumns::TOrvDBSortGridColumns(TOrvDBSortGridPrivate& grid) : FGrid(grid) {}

TOrvDBSortGridColumns::~TOrvDBSortGridColumns() = default;

TOrvDBSortGridColumn& TOrvDBSortGridColumns::Add(const QString& caption, const QString& fieldName, int width,
                                                 const QString& format, TOrvDBSortGridAlignment alignment,
                                                 TOrvDBSortGridSortImplementation sortImplementation) {
    return WithPrefix(QStringLiteral("Add: "), [&]() -> TOrvDBSortGridColumn& {
        if (caption.isEmpty()) throw EDBComponentError(QStringLiteral("Caption is required."));
        for (const auto& c : FItems)
            if (c->Caption() == caption) throw EDBComponentError(QStringLiteral("Caption should be unique."));
        if (fieldName.isEmpty()) throw EDBComponentError(QStringLiteral("FieldName is required."));
        if (FindColumn(fieldName)) throw EDBComponentError(QStringLiteral("Fieldname should be unique."));
        FGrid.CheckDataSet();
        const TDataSet* source = FGrid.FDataSource->DataSet();
        const TFieldType type = source->FieldDef(source->FieldIndexOrRaise(fieldName)).DataType;
        FItems.push_back(std::make_unique<TOrvDBSortGridColumnItem>(
            caption, fieldName, std::max(width, FMinimumColWidth), Count(), type, format, alignment, sortImplementation,
            FGrid.FGrid->horizontalHeader()));
        FGrid.FModel->ColumnAdded();
        // The copy lacks the new column's texts until the next fetch.
        FGrid.FCopy.ClearFields();
        FGrid.FCells.clear();
        FGrid.FModel->Refill();
        if (FInitialized) Init();
        return *FItems.back();
    });
}

TOrvDBSortGridColumn& TOrvDBSortGridColumns::Items(int index) const { return *FItems[size_t(index)]; }

int TOrvDBSortGridColumns::IndexOf(const TOrvDBSortGridColumn* column) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[size_t(i)].get() == column) return i;
    return -1;
}

TOrvDBSortGridColumn* TOrvDBSortGridColumns::FindColumn(const QString& fieldName) const {
    for (const auto& c : FItems)
        if (c->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0) return c.get();
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
    const int column = FGrid.CurrentColumn();
    return column >= 0 ? FItems[size_t(column)].get() : nullptr;
}

int TOrvDBSortGridColumns::TotalColumnWidth() const {
    int total = 0;
    for (const auto& c : FItems)
        if (c->Visible()) total += c->ActualWidth();
    return total;
}

void TOrvDBSortGridColumns::SetMinimumColWidth(int width) {
    FMinimumColWidth = std::max(width, 20);
    FGrid.FGrid->horizontalHeader()->setMinimumSectionSize(FMinimumColWidth);
}

std::vector<int> TOrvDBSortGridColumns::VisibleInVisualOrder() const {
    std::vector<int> order;
    const QHeaderView* header = FGrid.FGrid->horizontalHeader();
    for (int v = 0; v < Count(); ++v) {
        const int logical = header->logicalIndex(v);
        if (logical >= 0 && FItems[size_t(logical)]->Visible()) order.push_back(logical);
    }
    return order;
}

void TOrvDBSortGridColumns::Init() {
    QHeaderView* header = FGrid.FGrid->horizontalHeader();
    for (int i = 0; i < Count(); ++i)
        if (!header->isSectionHidden(i)) header->resizeSection(i, FItems[size_t(i)]->ActualWidth());
    FInitialized = true;
    FGrid.miTitelsBlokkeren->setEnabled(VisibleInVisualOrder().size() >= 2);
    FGrid.ApplyColumnLayout();
}

void TOrvDBSortGridPrivate::ColumnResized(int column, int newWidth) {
    QHeaderView* header = FGrid->horizontalHeader();
    if (column < 0 || column >= FColumns.Count() || header->isSectionHidden(column) || newWidth <= 0) return;
    EditableColumn(FColumns.Items(column)).SetActualWidth(std::max(newWidth, FColumns.MinimumColWidth()));
    UpdateHorzScrollBar();
}

void TOrvDBSortGridPrivate::FreezeTitles(bool freeze) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    for (int c = 0; c < FColumns.Count(); ++c) EditableColumn(FColumns.Items(c)).SetFixedByUser(false);
    if (freeze && order.size() >= 2) {
        const auto at = std::find(order.begin(), order.end(), FLastPopupTitelBalkCol);
        const size_t last = std::min(size_t(at - order.begin()), order.size() - 2);
        for (size_t k = 0; k <= last; ++k) EditableColumn(FColumns.Items(order[k])).SetFixedByUser(true);
    }
    miTitelsBlokkeren->setChecked(freeze);
    FLeftCol = 0;
    FColumns.Init();
}

// ---- horizontal scrolling

int TOrvDBSortGridPrivate::FrozenCount(const std::vector<int>& order) const {
    int frozen = 0;
    while (frozen < int(order.size()) && FColumns.Items(order[size_t(frozen)]).FixedByUser()) ++frozen;
    return frozen;
}

int TOrvDBSortGridPrivate::LineWidth(const std::vector<int>& order, size_t from, size_t to) const {
    int width = 0;
    for (size_t k = from; k < to && k < order.size(); ++k) width += FColumns.Items(order[k]).ActualWidth();
    return width;
}

void TOrvDBSortGridPrivate::ApplyColumnLayout() {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const int frozen = FrozenCount(order);
    FLeftCol = std::clamp(FLeftCol, 0, std::max(0, int(order.size()) - frozen - 1));
    std::vector<bool> hidden(size_t(FColumns.Count()));
    for (int c = 0; c < FColumns.Count(); ++c) hidden[size_t(c)] = !FColumns.Items(c).Visible();
    for (int k = frozen; k < frozen + FLeftCol; ++k) hidden[size_t(order[size_t(k)])] = true;
    for (int c = 0; c < FColumns.Count(); ++c)
        if (FGrid->isColumnHidden(c) != hidden[size_t(c)]) FGrid->setColumnHidden(c, hidden[size_t(c)]);
    FGrid->horizontalScrollBar()->setValue(0);
    UpdateHorzScrollBar();
}

void TOrvDBSortGridPrivate::EnsureColumnVisible(int column) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const int frozen = FrozenCount(order);
    const int position = int(std::find(order.begin(), order.end(), column) - order.begin());
    if (position >= int(order.size()) || position < frozen) return;
    const int k = position - frozen;
    if (k < FLeftCol) {
        FLeftCol = k;
    } else {
        const int available = FGrid->viewport()->width() - LineWidth(order, 0, size_t(frozen));
        int width = LineWidth(order, size_t(frozen + FLeftCol), size_t(position + 1));
        while (width > available && FLeftCol < k)
            width -= FColumns.Items(order[size_t(frozen + FLeftCol++)]).ActualWidth();
    }
    ApplyColumnLayout();
}

void TOrvDBSortGridPrivate::UpdateHorzScrollBar() {
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
        FHorzScrollBar->setValue(LineWidth(order, 0, position) + FColumns.Items(order[position]).ActualWidth() / 2);
}

void TOrvDBSortGridPrivate::HorzScrollAction(int action) {
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
               left + FColumns.Items(order[size_t(position)]).ActualWidth() <= FHorzScrollBar->sliderPosition())
            left += FColumns.Items(order[size_t(position++)]).ActualWidth();
        break;
    }
    default:
        return;
    }
    position = std::clamp(position, 0, int(order.size()) - 1);
    SetCurrent(std::max(Row(), 1), order[size_t(position)]);
    FHorzScrollBar->setSliderPosition(LineWidth(order, 0, size_t(position)) +
                                      FColumns.Items(order[size_t(position)]).ActualWidth() / 2);
}
