#include "dbcontrols/DbcompCombos.h"

#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QtGui/QPainter>
#include <QtWidgets/QAbstractItemView>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QStyledItemDelegate>

ORV_METHOD_PREFIXES(TOrvDBCustomComboboxEx)

TOrvDBComboboxLook OrvDBComboboxLook;

void UseProgramComboboxLook() {
    OrvDBComboboxLook.UseOwnColor = true;
    OrvDBComboboxLook.Color = Qt::white;
    OrvDBComboboxLook.OwnerDrawFixed = true;
}

namespace {
// Items drawn by the program: the text on the list's own colours, every item equally high.
class TFixedItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
        painter->setFont(option.font);
        painter->drawText(option.rect.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(Qt::DisplayRole).toString());
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), option.fontMetrics.height() + 3);
    }
};

TOrvCombobox* DropDown(QWidget* parent, bool editable) {
    auto* combo = new TOrvCombobox(parent);
    combo->setObjectName(QStringLiteral("ComponentCombobox"));
    combo->setEditable(editable);
    if (OrvDBComboboxLook.UseOwnColor) {
        QPalette p = combo->palette();
        p.setColor(QPalette::Base, OrvDBComboboxLook.Color);
        p.setColor(QPalette::Button, OrvDBComboboxLook.Color);
        combo->setPalette(p);
    }
    if (OrvDBComboboxLook.OwnerDrawFixed) combo->setItemDelegate(new TFixedItemDelegate(combo));
    return combo;
}

bool TextChanged(const QString& text, bool null, const TDBValue& loaded) {
    if (null && loaded.IsNull()) return false;
    return text != loaded.AsString() || null != loaded.IsNull();
}
}  // namespace

// --- TOrvDBCombobox ---

TOrvDBCombobox::TOrvDBCombobox(QWidget* parent) : TOrvDBComponent(parent), FComboBox(DropDown(this, true)) {
    SetInput(FComboBox, FComboBox);
}

QString TOrvDBCombobox::AsText() const { return FComboBox->currentText(); }

bool TOrvDBCombobox::DataChanged() const { return TextChanged(AsText(), IsNull(), DBValue()); }

bool TOrvDBCombobox::IsNull() const { return FComboBox->currentText().isEmpty(); }

void TOrvDBCombobox::Clear() {
    FComboBox->setCurrentIndex(-1);
    FComboBox->setEditText(QString());
}

bool TOrvDBCombobox::ReadOnly() const { return FComboBox->ReadOnly(); }

void TOrvDBCombobox::SetReadOnly(bool readOnly) {
    TOrvDBComponent::SetReadOnly(readOnly);
    FComboBox->SetReadOnly(readOnly);
}

void TOrvDBCombobox::ReadField(const QVariant& field, TDBValue& value) const { value.SetAsString(field.toString()); }

void TOrvDBCombobox::WriteValue(TDBValue& target) const { target.SetAsString(AsText()); }

void TOrvDBCombobox::DisplayValue() {
    if (DBValue().IsNull()) {
        Clear();
        return;
    }
    const QString text = MaxLength() >= 1 ? DBValue().AsString().left(MaxLength()) : DBValue().AsString();
    FComboBox->setEditText(text);
}

void TOrvDBCombobox::ApplyMaxLength() {
    constexpr int kUnlimited = 32767;
    FComboBox->lineEdit()->setMaxLength(MaxLength() > 0 ? MaxLength() : kUnlimited);
}

// --- TOrvDBCustomComboboxEx ---

TOrvDBCustomComboboxEx::TOrvDBCustomComboboxEx(QWidget* parent)
    : TOrvDBComponent(parent), FComboBox(DropDown(this, false)) {
    FComboBox->setCurrentIndex(-1);
    SetInput(FComboBox, FComboBox);
}

QStringList TOrvDBCustomComboboxEx::KeyList() const {
    QStringList lines;
    lines.reserve(FKeys.size());
    for (qsizetype i = 0; i < FKeys.size(); ++i) lines.append(FKeys[i] + u'=' + FDescriptions[i]);
    return lines;
}

void TOrvDBCustomComboboxEx::AssignItems(const QStringList& lines) {
    const QString current = Value();
    FKeys.clear();
    FDescriptions.clear();
    FKeys.reserve(lines.size());
    FDescriptions.reserve(lines.size());
    for (const QString& line : lines) {
        const qsizetype separator = line.indexOf(u'=');
        FKeys.append(separator < 0 ? line : line.left(separator));
        FDescriptions.append(separator < 0 ? QString() : line.mid(separator + 1));
    }
    RebuildItems();
    SetValue(current);
}

void TOrvDBCustomComboboxEx::ClearList() { AssignItems({}); }

void TOrvDBCustomComboboxEx::AddNewItem(const QString& key, const QString& description) {
    WithPrefix(Prefix("AddNewItem"), [&] {
        const QString newKey = key.trimmed();
        const QString newDescription = description.trimmed();
        if (FKeys.contains(newKey) || FDescriptions.contains(newDescription)) {
            ShowError(QStringLiteral("Error"), objectName() + QStringLiteral(": Key and Description are not unique"));
            return;
        }
        const QString current = Value();
        FKeys.append(newKey);
        FDescriptions.append(newDescription);
        RebuildItems();
        SetValue(current);
    });
}

void TOrvDBCustomComboboxEx::RebuildItems() {
    FComboBox->clear();
    FComboBox->addItems(FDescriptions);
    FComboBox->setCurrentIndex(-1);
}

QString TOrvDBCustomComboboxEx::Value() const {
    const qsizetype line = FDescriptions.indexOf(FComboBox->currentText());
    return line < 0 ? QString() : FKeys[line];
}

void TOrvDBCustomComboboxEx::SetValue(const QString& key) {
    FComboBox->setCurrentIndex(int(FKeys.indexOf(key)));
    ValueShown();
}

QString TOrvDBCustomComboboxEx::AsText() const { return FComboBox->currentText(); }

bool TOrvDBCustomComboboxEx::DataChanged() const { return TextChanged(Value(), IsNull(), DBValue()); }

bool TOrvDBCustomComboboxEx::IsNull() const { return Value().isEmpty(); }

void TOrvDBCustomComboboxEx::Clear() { SetValue(QString()); }

bool TOrvDBCustomComboboxEx::ReadOnly() const { return FComboBox->ReadOnly(); }

void TOrvDBCustomComboboxEx::SetReadOnly(bool readOnly) {
    TOrvDBComponent::SetReadOnly(readOnly);
    FComboBox->SetReadOnly(readOnly);
}

void TOrvDBCustomComboboxEx::ReadField(const QVariant& field, TDBValue& value) const {
    value.SetAsString(field.toString());
}

void TOrvDBCustomComboboxEx::WriteValue(TDBValue& target) const { target.SetAsString(Value()); }

void TOrvDBCustomComboboxEx::DisplayValue() {
    if (DBValue().IsNull())
        Clear();
    else
        SetValue(DBValue().AsString());
}
