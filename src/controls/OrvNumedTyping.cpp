#include "controls/OrvNumed.h"

// The amount field's typing: characters, deletion, caret moves and the clipboard, always within its template.

#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>

#include <algorithm>
#include <cmath>

namespace {
bool IsBlank(QChar c) { return c == u' '; }
}

void TOrvNumericEdit::DeleteSelection(TParts& parts, int& caret) {
    const int from = selectionStart();
    const int to = from + int(selectedText().size());
    const QString t = text();
    const int sep = SeparatorIndex();
    const auto selected = [&](int i) { return i >= from && i < to; };
    TParts kept;
    for (int i = 0; i < sep; ++i) {
        if (selected(i)) continue;
        if (t.at(i) == u'-')
            kept.Negative = true;
        else if (t.at(i).isDigit())
            kept.IntDigits += t.at(i);
    }
    for (int i = 0; i < FDecimals; ++i)
        if (!selected(sep + 1 + i)) kept.Decimals += parts.Decimals.at(i);
    kept.Decimals = kept.Decimals.leftJustified(FDecimals, u' ');
    if (FDecimals == 0 || from <= sep)
        ShowInteger(kept, DigitsRightOf(to));
    else
        ShowDecimal(kept, from - sep - 1);
    parts = kept;
    caret = cursorPosition();
}

void TOrvNumericEdit::TypeCharacter(QChar c) {
    if (isReadOnly()) return;
    const bool sign = c == u'-' || c == u'+';
    const bool point = c == u'.' || c == u',';
    if (!c.isDigit() && !sign && !point) return;
    TParts parts = Parse();
    int caret = cursorPosition();
    if (hasSelectedText()) DeleteSelection(parts, caret);
    const int sep = SeparatorIndex();
    const bool inDecimals = FDecimals > 0 && caret > sep;
    const int length = int(parts.IntDigits.size()) + (parts.Negative ? 1 : 0);

    if (sign) {
        if (!FAllowNegative) return;
        if (parts.Negative)
            parts.Negative = false;
        else if (c == u'-' && length + 1 <= IntegerCapacity())
            parts.Negative = true;
        if (inDecimals)
            ShowDecimal(parts, caret - sep - 1);
        else
            ShowInteger(parts, DigitsRightOf(caret));
        return;
    }
    if (inDecimals) {
        // A digit never lands beyond the typed decimals, so no blank is left inside them.
        const int typed = int(parts.Decimals.indexOf(u' ') < 0 ? FDecimals : parts.Decimals.indexOf(u' '));
        const int index = std::min(caret - sep - 1, typed);
        if (c.isDigit() && index < FDecimals) {
            parts.Decimals[index] = c;
            ShowDecimal(parts, index + 1);
        }
        return;
    }
    if (point) {
        if (FDecimals > 0) setCursorPosition(sep + 1);
        return;
    }
    if (length + 1 > IntegerCapacity()) return;
    const int right = DigitsRightOf(caret);
    parts.IntDigits.insert(parts.IntDigits.size() - right, c);
    ShowInteger(parts, right);
}

void TOrvNumericEdit::Backspace() {
    TParts parts = Parse();
    int caret = cursorPosition();
    if (hasSelectedText()) {
        DeleteSelection(parts, caret);
        return;
    }
    const int sep = SeparatorIndex();
    if (FDecimals > 0 && caret > sep) {
        const int index = caret - sep - 1;
        if (index == 0) {
            setCursorPosition(sep);
            return;
        }
        parts.Decimals.remove(index - 1, 1);
        parts.Decimals += u' ';
        ShowDecimal(parts, index - 1);
        return;
    }
    if (caret == 0) return;
    const QChar left = text().at(caret - 1);
    const int right = DigitsRightOf(caret);
    if (left == u'-') {
        parts.Negative = false;
    } else if ((left.isDigit() || left == GroupChar()) && parts.IntDigits.size() > right) {
        parts.IntDigits.remove(parts.IntDigits.size() - right - 1, 1);
    } else {
        return;
    }
    ShowInteger(parts, right);
}

void TOrvNumericEdit::DeleteForward() {
    TParts parts = Parse();
    int caret = cursorPosition();
    if (hasSelectedText()) {
        DeleteSelection(parts, caret);
        return;
    }
    const int sep = SeparatorIndex();
    if (FDecimals > 0 && caret >= sep) {
        const int index = caret == sep ? 0 : caret - sep - 1;
        if (index >= FDecimals || IsBlank(parts.Decimals.at(index))) return;
        parts.Decimals.remove(index, 1);
        parts.Decimals += u' ';
        ShowDecimal(parts, index);
        return;
    }
    if (caret >= text().size()) return;
    const QChar next = text().at(caret);
    const int right = DigitsRightOf(caret);
    if (next == u'-') {
        parts.Negative = false;
        ShowInteger(parts, right);
    } else if ((next.isDigit() || next == GroupChar()) && right > 0) {
        parts.IntDigits.remove(parts.IntDigits.size() - right, 1);
        ShowInteger(parts, right - 1);
    }
}

void TOrvNumericEdit::MoveLeft() {
    deselect();
    const int caret = cursorPosition();
    const int sep = SeparatorIndex();
    if (FDecimals > 0 && caret > sep)
        setCursorPosition(caret - 1);
    else if (caret - 1 >= FirstDigitIndex())
        setCursorPosition(caret - 1);
}

void TOrvNumericEdit::MoveRight() {
    deselect();
    const int caret = cursorPosition();
    const int sep = SeparatorIndex();
    if (FDecimals == 0 || caret < sep) {
        if (caret < sep) setCursorPosition(caret + 1);
        return;
    }
    if (caret == sep) {
        setCursorPosition(sep + 1);
        return;
    }
    const int index = caret - sep - 1;
    if (index < FDecimals && !IsBlank(text().at(caret))) setCursorPosition(caret + 1);
}

void TOrvNumericEdit::Home(bool select) {
    const int caret = cursorPosition();
    const int sep = SeparatorIndex();
    if (select) {
        setSelection(caret, FirstDigitIndex() - caret);
        return;
    }
    deselect();
    if (FDecimals > 0 && caret > sep + 1)
        setCursorPosition(sep + 1);
    else
        setCursorPosition(FirstDigitIndex());
}

void TOrvNumericEdit::End(bool select) {
    const int caret = cursorPosition();
    const int sep = SeparatorIndex();
    if (select) {
        setSelection(caret, TemplateLength() - caret);
        return;
    }
    deselect();
    if (FDecimals > 0 && caret == sep) {
        const qsizetype blank = Parse().Decimals.indexOf(u' ');
        setCursorPosition(sep + 1 + int(blank < 0 ? FDecimals : blank));
    } else {
        setCursorPosition(sep);
    }
}

// --- clipboard ---

void TOrvNumericEdit::CopySelection() {
    QApplication::clipboard()->setText((hasSelectedText() ? selectedText() : text()).trimmed());
}

void TOrvNumericEdit::CutSelection() {
    CopySelection();
    if (isReadOnly()) return;
    if (hasSelectedText()) {
        TParts parts = Parse();
        int caret = cursorPosition();
        DeleteSelection(parts, caret);
    } else {
        Clear();
    }
}

void TOrvNumericEdit::PasteValue() {
    if (isReadOnly()) return;
    QString t = QApplication::clipboard()->text().trimmed();
    t.remove(GroupChar());
    t.replace(DecimalSeparator(), u'.');
    bool ok = false;
    const double value = t.toDouble(&ok);
    if (!ok || !std::isfinite(value) || (value < 0 && !FAllowNegative)) return;
    SetAsFloat(value);
    setCursorPosition(TemplateLength());
}
