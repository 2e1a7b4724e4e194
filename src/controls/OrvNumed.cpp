#include "controls/OrvNumed.h"

#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>

#include <cmath>

namespace {
struct TFormat {
    const char* Name;
    bool GroupsShown;
    char16_t Group;
    char16_t Separator;
};
constexpr TFormat kFormats[] = {
    {"1000,00", false, u'.', u','},
    {"1.000,00", true, u'.', u','},
    {"1000.00", false, u',', u'.'},
    {"1,000.00", true, u',', u'.'},
};

int MinimumDigits(int decimals, bool allowNegative) {
    // Decimals need a separator and one integer digit; a sign needs a position of its own.
    if (decimals > 0) return decimals + 2;
    return allowNegative ? 2 : 1;
}

}

TOrvNumericEdit::TOrvNumericEdit(QWidget* parent) : QLineEdit(parent), FDisplayLabel(new QLabel(this)) {
    setDragEnabled(false);
    setAcceptDrops(false);
    FDisplayLabel->setObjectName(QStringLiteral("lblDisplay"));
    FDisplayLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    FDisplayLabel->setAutoFillBackground(true);
    FDisplayLabel->setFont(font());
    connect(this, &QLineEdit::textChanged, this, &TOrvNumericEdit::UpdateDisplayLabel);
    Clear();
}

// --- template ---

bool TOrvNumericEdit::GroupsShown() const { return kFormats[FFormat].GroupsShown; }
QChar TOrvNumericEdit::GroupChar() const { return QChar(kFormats[FFormat].Group); }
QChar TOrvNumericEdit::DecimalSeparator() const { return QChar(kFormats[FFormat].Separator); }

int TOrvNumericEdit::IntegerCapacity() const { return FDecimals > 0 ? FDigits - FDecimals - 1 : FDigits; }

int TOrvNumericEdit::TemplateLength() const {
    const int n = IntegerCapacity();
    const int groups = GroupsShown() ? std::max(0, n / 3 - (n % 3 == 0 ? 1 : 0)) : 0;
    return FDigits + groups;
}

int TOrvNumericEdit::SeparatorIndex() const {
    return FDecimals > 0 ? TemplateLength() - FDecimals - 1 : TemplateLength();
}

TOrvNumericEdit::TParts TOrvNumericEdit::Parse() const {
    const QString t = text().leftJustified(TemplateLength(), u' ');
    const int sep = SeparatorIndex();
    TParts parts;
    for (int i = 0; i < sep; ++i) {
        if (t.at(i) == u'-')
            parts.Negative = true;
        else if (t.at(i).isDigit())
            parts.IntDigits += t.at(i);
    }
    for (int i = 0; i < FDecimals; ++i) {
        const QChar c = t.at(sep + 1 + i);
        parts.Decimals += c.isDigit() ? c : QChar(u' ');
    }
    return parts;
}

QString TOrvNumericEdit::Build(const TParts& parts) const {
    QString field;
    const qsizetype count = parts.IntDigits.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (GroupsShown() && i > 0 && (count - i) % 3 == 0) field += GroupChar();
        field += parts.IntDigits.at(i);
    }
    if (parts.Negative) field.prepend(u'-');
    QString result = field.rightJustified(SeparatorIndex(), u' ');
    if (FDecimals > 0) result += DecimalSeparator() + parts.Decimals.leftJustified(FDecimals, u' ', true);
    return result;
}

void TOrvNumericEdit::Show(const TParts& parts) { setText(Build(parts)); }

void TOrvNumericEdit::ShowInteger(const TParts& parts, int digitsRightOfCaret) {
    Show(parts);
    const QString t = text();
    int counted = 0;
    for (int i = SeparatorIndex() - 1; i >= 0; --i) {
        if (t.at(i).isDigit() && ++counted == digitsRightOfCaret + 1) {
            setCursorPosition(i + 1);
            return;
        }
    }
    setCursorPosition(FirstDigitIndex());
}

void TOrvNumericEdit::ShowDecimal(const TParts& parts, int decimalIndex) {
    Show(parts);
    setCursorPosition(SeparatorIndex() + 1 + decimalIndex);
}

int TOrvNumericEdit::DigitsRightOf(int position) const {
    const QString t = text();
    int count = 0;
    for (int i = std::max(position, 0); i < SeparatorIndex() && i < t.size(); ++i) count += t.at(i).isDigit() ? 1 : 0;
    return count;
}

int TOrvNumericEdit::FirstDigitIndex() const {
    const QString t = text();
    for (int i = 0; i < SeparatorIndex() && i < t.size(); ++i)
        if (t.at(i).isDigit()) return i;
    return SeparatorIndex();
}

bool TOrvNumericEdit::IsEmpty() const {
    static const QStringList kEmptyTexts{QString(),           QStringLiteral("."),  QStringLiteral(","),
                                         QStringLiteral("-"), QStringLiteral("-,"), QStringLiteral("-.")};
    return kEmptyTexts.contains(text().trimmed());
}

void TOrvNumericEdit::Clear() {
    Show(TParts{});
    setCursorPosition(SeparatorIndex());
}

QString TOrvNumericEdit::NumberText() const {
    QString t = text().trimmed();
    t.remove(GroupChar());
    t.replace(DecimalSeparator(), u'.');
    return t;
}

// --- value ---

double TOrvNumericEdit::AsFloat() const {
    if (IsEmpty()) return 0;
    bool ok = false;
    const double value = NumberText().toDouble(&ok);
    if (!ok) throw ENumericError(QStringLiteral("Invalid numeric value"));
    return value;
}

void TOrvNumericEdit::SetAsFloat(double value) {
    if (std::isnan(value)) throw ENumericError(QStringLiteral("Invalid numeric value"));
    if (value < 0 && !FAllowNegative) throw ENumericError(QStringLiteral("Negative values are not allowed"));
    QString s = std::isinf(value) ? QStringLiteral("inf") : QString::number(value, 'f', FDecimals);
    // A value that rounds to zero is shown without a sign.
    if (s.startsWith(u'-') && s.mid(1).toDouble() == 0) s.remove(0, 1);
    if (std::isinf(value) || s.size() > FDigits)
        throw ENumericError(QStringLiteral("Value is too large to be displayed"));
    TParts parts;
    parts.Negative = s.startsWith(u'-');
    const qsizetype point = s.indexOf(u'.');
    parts.IntDigits = s.mid(parts.Negative ? 1 : 0, point < 0 ? -1 : point - (parts.Negative ? 1 : 0));
    parts.Decimals = point < 0 ? QString() : s.mid(point + 1);
    Show(parts);
}

qint64 TOrvNumericEdit::AsInteger() const {
    QString integerPart = text().left(SeparatorIndex()).trimmed();
    integerPart.remove(GroupChar());
    if (integerPart.isEmpty() || integerPart == QStringLiteral("-")) return 0;
    bool ok = false;
    const qint64 value = integerPart.toLongLong(&ok);
    if (!ok) throw ENumericError(QStringLiteral("Invalid integer value"));
    return value;
}

void TOrvNumericEdit::SetAsInteger(qint64 value) {
    if (value < 0 && !FAllowNegative) throw ENumericError(QStringLiteral("Negative values are not allowed"));
    const QString s = QString::number(value);
    if (s.size() > IntegerCapacity())
        throw ENumericError(QStringLiteral("AsInteger: value is too large to be displayed"));
    TParts parts;
    parts.Negative = value < 0;
    parts.IntDigits = parts.Negative ? s.mid(1) : s;
    parts.Decimals = QString(FDecimals, u'0');
    Show(parts);
}

// --- settings ---

void TOrvNumericEdit::ApplySetting(const std::function<void()>& change) {
    const int oldDigits = FDigits, oldDecimals = FDecimals, oldFormat = FFormat;
    const bool oldAllowNegative = FAllowNegative;
    const bool empty = IsEmpty();
    const double value = empty ? 0 : AsFloat();
    change();
    try {
        if (empty)
            Clear();
        else
            SetAsFloat(value);
    } catch (const ENumericError&) {
        FDigits = oldDigits;
        FDecimals = oldDecimals;
        FFormat = oldFormat;
        FAllowNegative = oldAllowNegative;
        SetAsFloat(value);
        throw;
    }
}

void TOrvNumericEdit::SetDigits(int digits) {
    if (digits < MinimumDigits(FDecimals, FAllowNegative))
        throw ENumericError(QStringLiteral("too many decimals for the specified number of digits"));
    ApplySetting([&] { FDigits = digits; });
}

void TOrvNumericEdit::SetDecimals(int decimals) {
    if (decimals < 0) throw ENumericError(QStringLiteral("value must be greather than or equal to 0"));
    if (FDigits < MinimumDigits(decimals, FAllowNegative))
        throw ENumericError(QStringLiteral("too many decimals for the specified number of digits"));
    ApplySetting([&] { FDecimals = decimals; });
}

QString TOrvNumericEdit::NumericFormat() const { return QString::fromLatin1(kFormats[FFormat].Name); }

void TOrvNumericEdit::SetNumericFormat(const QString& format) {
    for (int i = 0; i < int(std::size(kFormats)); ++i) {
        if (format == QLatin1String(kFormats[i].Name)) {
            ApplySetting([&] { FFormat = i; });
            return;
        }
    }
    throw ENumericError(QStringLiteral("Invalid numeric format"));
}

void TOrvNumericEdit::SetAllowNegative(bool allow) {
    ApplySetting([&] {
        FAllowNegative = allow;
        if (allow) FDigits = std::max(FDigits, 2);
    });
}

void TOrvNumericEdit::SetAlignment(Qt::Alignment alignment) {
    FAlignment = alignment;
    UpdateDisplayLabel();
}

// --- focus and events ---

void TOrvNumericEdit::Normalise() {
    if (IsEmpty()) return;
    TParts parts = Parse();
    while (parts.IntDigits.startsWith(u'0')) parts.IntDigits.remove(0, 1);
    if (parts.IntDigits.isEmpty()) parts.IntDigits = QStringLiteral("0");
    parts.Decimals.replace(u' ', u'0');
    Show(parts);
}

void TOrvNumericEdit::UpdateDisplayLabel() {
    // Without the focus the label covers the template, so an empty field shows nothing, not its separator.
    FDisplayLabel->setText(IsEmpty() ? QString() : text().trimmed());
    FDisplayLabel->setAlignment(FAlignment | Qt::AlignVCenter);
    FDisplayLabel->setPalette(palette());
    FDisplayLabel->setBackgroundRole(QPalette::Base);
    FDisplayLabel->setVisible(!hasFocus());
}

void TOrvNumericEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    FDisplayLabel->setGeometry(rect().adjusted(3, 2, -3, -2));
}

void TOrvNumericEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    ShowFocus(this, true);
    if (!FAutoSelect)
        setCursorPosition(FirstDigitIndex());
    else if (IsEmpty())
        setCursorPosition(SeparatorIndex());
    else
        selectAll();
    UpdateDisplayLabel();
}

void TOrvNumericEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Normalise();
    ShowFocus(this, false);
    UpdateDisplayLabel();
}

void TOrvNumericEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && isReadOnly()) return;
    QLineEdit::mousePressEvent(event);
    const int sep = SeparatorIndex();
    const int caret = cursorPosition();
    if (!hasSelectedText() && FDecimals > 0 && caret > sep) {
        const qsizetype blank = Parse().Decimals.indexOf(u' ');
        const int typed = int(blank < 0 ? FDecimals : blank);
        setCursorPosition(std::min(caret, sep + 1 + typed));
    }
}

void TOrvNumericEdit::mouseDoubleClickEvent(QMouseEvent*) {
    const QString t = text();
    const auto first = std::find_if(t.cbegin(), t.cend(), [](QChar c) { return !c.isSpace(); }) - t.cbegin();
    setSelection(int(first), int(t.trimmed().size()));
}

void TOrvNumericEdit::contextMenuEvent(QContextMenuEvent* event) {
    if (isReadOnly()) return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Knippen"), this, &TOrvNumericEdit::CutSelection);
    menu.addAction(QStringLiteral("K&opiëren"), this, &TOrvNumericEdit::CopySelection);
    ConnectGuarded(menu.addAction(QStringLiteral("&Plakken")), &QAction::triggered, this, [this] { PasteValue(); });
    menu.exec(event->globalPos());
}

void TOrvNumericEdit::inputMethodEvent(QInputMethodEvent* event) {
    for (QChar c : event->commitString()) TypeCharacter(c);
    event->accept();
}

void TOrvNumericEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!TabOnEnter()) {
            event->ignore();
            return;
        }
        focusNextPrevChild(true);
        return;
    }
    if (event == QKeySequence::Copy) {
        CopySelection();
        return;
    }
    if (event == QKeySequence::Cut) {
        CutSelection();
        return;
    }
    if (event == QKeySequence::Paste) {
        GuardUiAction([&] { PasteValue(); });
        return;
    }
    const bool navigation = key == Qt::Key_Home || key == Qt::Key_End || key == Qt::Key_Left || key == Qt::Key_Right;
    if (isReadOnly() && !navigation) {
        event->ignore();
        return;
    }
    switch (key) {
    case Qt::Key_Backspace:
        Backspace();
        return;
    case Qt::Key_Delete:
        DeleteForward();
        return;
    case Qt::Key_Left:
    case Qt::Key_Up:
        ctrl ? Home(false) : MoveLeft();
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        ctrl ? End(false) : MoveRight();
        return;
    case Qt::Key_Home:
        Home(shift);
        return;
    case Qt::Key_End:
        End(shift);
        return;
    default:
        break;
    }
    const QString typed = event->text();
    if (typed.size() == 1 && typed.at(0).isPrint() && !ctrl) {
        TypeCharacter(typed.at(0));
        return;
    }
    event->ignore();
}
