// The list control's keys and incremental search.

#include "controls/OrvDBSortGridPrivate.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QScopeGuard>
#include <QTimer>
#include <QtWidgets/QLineEdit>

#include <algorithm>
#include <cmath>

ORV_METHOD_PREFIXES(TOrvDBSortGrid)

// ---- keys

bool TOrvDBSortGridPrivate::GridKeyDown(int key, Qt::KeyboardModifiers modifiers) {
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
    if (ctrl && key == Qt::Key_PageDown) return SetRow(q.RowCount() - 1), true;
    if (ctrl && key == Qt::Key_Home) return q.SetCursorHome(), true;
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

void TOrvDBSortGridPrivate::StepColumn(int step) {
    const std::vector<int> order = FColumns.VisibleInVisualOrder();
    const auto at = std::find(order.begin(), order.end(), CurrentColumn());
    if (at == order.end()) return;
    const int position = std::clamp(int(at - order.begin()) + step, 0, int(order.size()) - 1);
    SetCurrent(std::max(Row(), 1), order[size_t(position)]);
}

bool TOrvDBSortGridPrivate::GridKeyPress(QChar ch) {
    if (ch == u'\n' || ch == u'\r' || !FAllowIncrementalSearch) return false;
    const int column = CurrentColumn();
    if (column < 0) return false;
    const QString text = SearchText();
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
    FSearchTimer->start();
    return true;
}

void TOrvDBSortGridPrivate::ShowDebugInfo() {
    QString report = QStringLiteral("GRID DEBUG INFO: ") + q.objectName() + QStringLiteral("\n\n");
    for (int c = 0; c < FColumns.Count(); ++c) {
        const TOrvDBSortGridColumn& column = FColumns.Items(c);
        report += QStringLiteral("Caption: ") + column.Caption() + QStringLiteral("; FieldName: ") +
                  column.FieldName() + QStringLiteral("; Visible: ") +
                  (column.Visible() ? QStringLiteral("Yes") : QStringLiteral("No")) +
                  QStringLiteral("; DefaultWidth: ") + QString::number(column.DefaultWidth()) +
                  QStringLiteral("; ActualWidth: ") + QString::number(column.ActualWidth()) + u'\n';
    }
    ShowWarning(report);
}

// ---- incremental search

bool TOrvDBSortGrid::AllowIncrementalSearch() const { return d->FAllowIncrementalSearch; }

void TOrvDBSortGrid::SetAllowIncrementalSearch(bool allow) {
    d->FAllowIncrementalSearch = allow;
    d->pnlBottom->setVisible(allow);
    if (!allow) ClearIncrementalSearch();
}

void TOrvDBSortGrid::ClearIncrementalSearch() { d->ClearIncrementalSearch(); }

QString TOrvDBSortGrid::IncrementalSearchText() const { return d->SearchText(); }

int TOrvDBSortGrid::IncrementalSearchDelay() const { return d->FSearchTimer->interval(); }

void TOrvDBSortGridPrivate::ClearIncrementalSearch() {
    FSearchTimer->stop();
    SetSearchText(QString());
}

QString TOrvDBSortGridPrivate::SearchText() const { return edIncSearch->text(); }

void TOrvDBSortGridPrivate::SetSearchText(const QString& text) {
    edIncSearch->setText(text);
    QPalette palette = edIncSearch->palette();
    palette.setColor(QPalette::Base, text.isEmpty() ? FGrid->palette().base().color() : QColor(255, 255, 223));
    edIncSearch->setPalette(palette);
}

void TOrvDBSortGridPrivate::RunIncrementalSearch() {
    WithPrefix(Prefix("IncrementalSearch"), [&] {
        const int column = CurrentColumn();
        EnsureCopy();
        if (column < 0 || !FCopy.Active()) return;
        q.setUpdatesEnabled(false);
        const auto redraw = qScopeGuard([this] { q.setUpdatesEnabled(true); });
        const QString text = SearchText();
        // A narrower or wider search starts again from all rows.
        if (FCopy.PredicateFiltered() || FCopy.RecordCount() == 0) {
            FCopy.SetFilterPredicate({});
            FillGrid();
        }
        if (IsEmpty()) return;
        if (!(FSortColumn == column && FSortDirection == sdAscending)) SortOnColumn(column, sdAscending);
        const TOrvDBSortGridColumn& c = FColumns.Items(column);
        const int raw = FCopy.FieldIndexOrRaise(c.FieldName());
        int row = 0;
        if (IsNumericType(c.DataType())) {
            row = SearchNumeric(raw, text);
        } else if (IsDateTimeType(c.DataType())) {
            row = SearchDate(raw, text);
        } else {
            const int formatted = c.FormattedFieldName().isEmpty() ? -1 : FCopy.FieldIndex(c.FormattedFieldName());
            const int field = formatted >= 0 ? formatted : raw;
            if (text.size() > 2) FilterOnText(field, text);
            if (IsEmpty()) return;
            row = text.isEmpty() ? (FSortDirection == sdDescending ? FCopy.RecordCount() - 1 : 0)
                                 : LocateText(field, text);
        }
        SetRow(row + 1);
    });
}

namespace {
// The first row (0-based) at or after which the condition holds, in the ascending order; the last row
// when no row reaches it.
template <class Reached> int FirstReached(const TOrvClientDataSet& copy, Reached reached) {
    for (int r = 0; r < copy.RecordCount(); ++r)
        if (reached(r)) return r;
    return copy.RecordCount() - 1;
}
}

int TOrvDBSortGridPrivate::SearchNumeric(int field, const QString& text) const {
    bool ok = false;
    const qint64 wanted = text.toLongLong(&ok);
    if (text.isEmpty() || !ok) return 0;
    return FirstReached(FCopy, [&](int r) {
        const QVariant v = FCopy.Value(r, field);
        return !v.isNull() && qint64(std::trunc(v.toDouble())) >= wanted;
    });
}

int TOrvDBSortGridPrivate::SearchDate(int field, const QString& text) const {
    const std::optional<QDate> date = GridSearchDate(text);
    if (!date) return 0;
    const QDateTime from(*date, QTime(0, 0));
    return FirstReached(FCopy, [&](int r) {
        const QVariant v = FCopy.Value(r, field);
        return !v.isNull() && v.toDateTime() >= from;
    });
}

void TOrvDBSortGridPrivate::FilterOnText(int field, const QString& text) {
    if (!FSearchTexts || FSearchTextsField != field) {
        FSearchTexts = std::make_shared<TGridSearchTexts>();
        FSearchTextsField = field;
    }
    const int before = FCopy.RecordCount();
    // The copy runs the filter again at every later sort, so it owns all it reads.
    FCopy.SetFilterPredicate(
        [filter = TGridTextFilter(text), texts = FSearchTexts, field](int record, const QVariantList& row) {
            return filter.Accepts(texts->Of(record, row[field].toString()));
        });
    if (FCopy.RecordCount() < before) FillGrid();
}

int TOrvDBSortGridPrivate::LocateText(int field, const QString& text) const {
    const int rows = FCopy.RecordCount();
    for (int length = int(text.size()); length > 0; --length) {
        const QString prefix = text.left(length);
        for (int r = 0; r < rows; ++r) {
            if (!FCopy.Value(r, field).toString().startsWith(prefix, Qt::CaseInsensitive)) continue;
            if (length == text.size()) return r;
            // Only a shorter prefix matched: stand where the full text would sort.
            const QString target = RemoveAccents(text).toLower();
            return FirstReached(FCopy, [&](int s) {
                return s >= r && RemoveAccents(FCopy.Value(s, field).toString()).toLower() > target;
            });
        }
    }
    return 0;
}
