#include "dbcontrols/DbcompEdits.h"

#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "core/OrvMessages.h"

#include <QtGui/QTextCursor>
#include <QtGui/QTextDocument>

namespace {
// The text kinds compare the shown text with the loaded value the same way.
bool TextChanged(const QString& text, const TDBValue& loaded) {
    if (text.isEmpty() && loaded.IsNull()) return false;
    return text != loaded.AsString() || text.isEmpty() != loaded.IsNull();
}

QString CutTo(const QString& text, int maxLength) { return maxLength >= 1 ? text.left(maxLength) : text; }

// The memo holds line breaks as one character; stored texts have CR LF.
QString WithCrLf(QString text) { return text.replace(u'\n', QStringLiteral("\r\n")); }
int CrLfLength(const QString& text) { return int(text.size() + text.count(u'\n')); }
}  // namespace

// --- TOrvDBEdit ---

TOrvDBEdit::TOrvDBEdit(QWidget* parent) : TOrvDBComponent(parent), FEdit(new TOrvEdit(this)) {
    FEdit->setObjectName(QStringLiteral("ComponentEdit"));
    ConnectGuarded(FEdit, &QLineEdit::textChanged, this, [this] { ValueShown(); });
    SetInput(FEdit, FEdit);
}

QString TOrvDBEdit::AsText() const { return FEdit->text(); }

bool TOrvDBEdit::DataChanged() const { return TextChanged(FEdit->text(), DBValue()); }

bool TOrvDBEdit::IsNull() const { return FEdit->text().isEmpty(); }

void TOrvDBEdit::Clear() { FEdit->clear(); }

bool TOrvDBEdit::ReadOnly() const { return FEdit->isReadOnly(); }

void TOrvDBEdit::SetReadOnly(bool readOnly) {
    TOrvDBComponent::SetReadOnly(readOnly);
    FEdit->setReadOnly(readOnly);
}

bool TOrvDBEdit::IsCopyingWhenDisabledSupported() const { return FEdit->echoMode() == QLineEdit::Normal; }

void TOrvDBEdit::ReadField(const QVariant& field, TDBValue& value) const { value.SetAsString(field.toString()); }

void TOrvDBEdit::WriteValue(TDBValue& target) const { target.SetAsString(FEdit->text()); }

void TOrvDBEdit::DisplayValue() {
    if (DBValue().IsNull())
        Clear();
    else
        FEdit->setText(CutTo(DBValue().AsString(), MaxLength()));
}

void TOrvDBEdit::ApplyMaxLength() {
    // QLineEdit's own unlimited length.
    constexpr int kUnlimited = 32767;
    FEdit->setMaxLength(MaxLength() > 0 ? MaxLength() : kUnlimited);
}

// --- TOrvDBMemo ---

TOrvDBMemo::TOrvDBMemo(QWidget* parent) : TOrvDBComponent(parent), FMemo(new TOrvMemo(this)) {
    FMemo->setObjectName(QStringLiteral("ComponentMemo"));
    ConnectGuarded(FMemo->document(), &QTextDocument::contentsChange, this,
                   [this](int position, int, int added) { LimitLength(position, added); });
    ConnectGuarded(FMemo, &QPlainTextEdit::textChanged, this, [this] { ValueShown(); });
    SetDefaultSize(QSize(225, 57));
    SetInput(FMemo, FMemo);
}

void TOrvDBMemo::SetMemoSize(const QSize& size) {
    SetInnerWidth(size.width());
    SetDefaultSize(QSize(WinControlLeft() + size.width(), size.height()));
}

QString TOrvDBMemo::AsText() const { return WithCrLf(FMemo->toPlainText()); }

bool TOrvDBMemo::DataChanged() const { return TextChanged(AsText(), DBValue()); }

bool TOrvDBMemo::IsNull() const { return FMemo->document()->isEmpty(); }

void TOrvDBMemo::Clear() { FMemo->clear(); }

void TOrvDBMemo::SetReadOnly(bool readOnly) {
    TOrvDBComponent::SetReadOnly(readOnly);
    FMemo->setReadOnly(readOnly || !Enabled());
}

void TOrvDBMemo::ReadField(const QVariant& field, TDBValue& value) const { value.SetAsString(field.toString()); }

void TOrvDBMemo::WriteValue(TDBValue& target) const { target.SetAsString(AsText()); }

void TOrvDBMemo::DisplayValue() {
    if (DBValue().IsNull()) {
        Clear();
        return;
    }
    QString text = CutTo(DBValue().AsString(), MaxLength());
    // A cut between CR and LF leaves half a line break.
    if (text.size() < DBValue().AsString().size() && text.endsWith(u'\r')) text.chop(1);
    FMemo->setPlainText(text);
}

void TOrvDBMemo::ApplyEnabled() {
    // The panel stays enabled so the text can still be scrolled and selected.
    FMemo->setReadOnly(TOrvDBComponent::ReadOnly() || !Enabled());
    QPalette p = FMemo->palette();
    p.setColor(QPalette::Text, TextColor());
    FMemo->setPalette(p);
    UpdateLook();
}

void TOrvDBMemo::UpdateLook() {
    TOrvDBComponent::UpdateLook();
    if (Enabled()) return;
    Label()->setEnabled(true);
    QFont plain = Label()->font();
    plain.setBold(false);
    Label()->setFont(plain);
    QPalette p = Label()->palette();
    p.setColor(QPalette::WindowText, kDisabledTextColor);
    Label()->setPalette(p);
}

void TOrvDBMemo::ApplyMaxLength() {
    const QString text = FMemo->toPlainText();
    if (MaxLength() > 0 && CrLfLength(text) > MaxLength()) LimitLength(0, int(text.size()));
}

void TOrvDBMemo::LimitLength(int position, int added) {
    const int maxLength = MaxLength();
    if (maxLength <= 0 || added <= 0) return;
    int excess = CrLfLength(FMemo->toPlainText()) - maxLength;
    if (excess <= 0) return;
    // Take away the end of what came in; a line break counts two.
    // The count of an insert into an empty memo includes its closing paragraph.
    const int end = qMin(position + added, FMemo->document()->characterCount() - 1);
    int start = end;
    while (excess > 0 && start > position) {
        --start;
        const QChar c = FMemo->document()->characterAt(start);
        excess -= c == QChar::ParagraphSeparator || c == QChar::LineSeparator ? 2 : 1;
    }
    QTextCursor cursor(FMemo->document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

// --- TOrvDBNumericEdit ---

TOrvDBNumericEdit::TOrvDBNumericEdit(QWidget* parent) : TOrvDBComponent(parent), FEdit(new TOrvNumericEdit(this)) {
    FEdit->setObjectName(QStringLiteral("ComponentEdit"));
    ConnectGuarded(FEdit, &QLineEdit::textChanged, this, [this] { ValueShown(); });
    SetInput(FEdit, FEdit);
}

void TOrvDBNumericEdit::ShowAsAmount() {
    FEdit->SetNumericFormat(QStringLiteral("1.000,00"));
    FEdit->SetDecimals(2);
    FEdit->SetDigits(12);
    FEdit->SetAlignment(Qt::AlignRight);
    FEdit->SetAllowNegative(true);
}

QString TOrvDBNumericEdit::AsText() const { return FEdit->text().trimmed(); }

double TOrvDBNumericEdit::Value() const { return FEdit->AsFloat(); }

bool TOrvDBNumericEdit::DataChanged() const {
    const bool null = IsNull();
    if (null && DBValue().IsNull()) return false;
    return null != DBValue().IsNull() || Value() != DBValue().AsFloat();
}

bool TOrvDBNumericEdit::IsNull() const { return FEdit->IsEmpty(); }

void TOrvDBNumericEdit::Clear() { FEdit->Clear(); }

bool TOrvDBNumericEdit::ReadOnly() const { return FEdit->isReadOnly(); }

void TOrvDBNumericEdit::SetReadOnly(bool readOnly) {
    TOrvDBComponent::SetReadOnly(readOnly);
    FEdit->setReadOnly(readOnly);
}

void TOrvDBNumericEdit::ReadField(const QVariant& field, TDBValue& value) const { value.SetAsFloat(field.toDouble()); }

void TOrvDBNumericEdit::WriteValue(TDBValue& target) const { target.SetAsFloat(Value()); }

void TOrvDBNumericEdit::DisplayValue() {
    if (DBValue().IsNull())
        Clear();
    else
        FEdit->SetAsFloat(DBValue().AsFloat());
}

// --- TOrvDBCheckbox ---

TOrvDBCheckbox::TOrvDBCheckbox(QWidget* parent) : TOrvDBComponent(parent), FCheckBox(new TOrvCheckBox(this)) {
    FCheckBox->setObjectName(QStringLiteral("ComponentCheckbox"));
    SetDefaultSize(QSize(225, 17));
    SetInnerWidth(16);
    SetInput(FCheckBox, FCheckBox);
}

QString TOrvDBCheckbox::AsText() const {
    return FCheckBox->isChecked() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

bool TOrvDBCheckbox::DataChanged() const { return FCheckBox->isChecked() != DBValue().AsBoolean(); }

void TOrvDBCheckbox::Clear() { FCheckBox->setChecked(false); }

void TOrvDBCheckbox::ReadField(const QVariant& field, TDBValue& value) const { value.SetAsBoolean(field.toBool()); }

void TOrvDBCheckbox::WriteValue(TDBValue& target) const { target.SetAsBoolean(FCheckBox->isChecked()); }

void TOrvDBCheckbox::DisplayValue() { FCheckBox->setChecked(!DBValue().IsNull() && DBValue().AsBoolean()); }
