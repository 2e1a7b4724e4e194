#include "dbcontrols/DbcompPickList.h"

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "dbcontrols/fPickList.h"
#include "platform/WaitCursor.h"
#include "support/FuzzyMatch.h"
#include "support/OrvClientDataSet.h"
#include "support/OrvErrors.h"

#include <QRegularExpression>
#include <QTimer>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QToolButton>

ORV_METHOD_PREFIXES(TOrvDBPickList)

namespace {
constexpr int kButtonSize = 21;
constexpr int kButtonGap = 3;
// LookFuzzy searches every text column of a lookup table smaller than this.
constexpr int kSmallLookup = 800;

// The strict setting: equal after normalising and the spelling simplification, word for word.
bool StrictMatch(const TFuzzyMatcher& typed, const QVariant& stored) {
    return !stored.isNull() && typed.Matches(stored.toString());
}

bool IsWholeNumberColumn(TFieldType type) {
    return type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftLargeint;
}

bool IsEmailAddress(const QString& text) {
    static const QRegularExpression address(QStringLiteral(R"(^[^@\s]+@[^@\s]+\.[^@\s]+$)"));
    return address.match(text).hasMatch();
}
}  // namespace

TOrvDBPickList::TOrvDBPickList(QWidget* parent)
    : TOrvDBComponent(parent), FEdit(new TOrvEdit()), FButton(new QToolButton()) {
    auto* box = new QWidget(this);
    box->setObjectName(QStringLiteral("ComponentBox"));
    FEdit->setParent(box);
    FEdit->setObjectName(QStringLiteral("ComponentCombobox"));
    FButton->setParent(box);
    FButton->setObjectName(QStringLiteral("ComponentSpeedButton"));
    FButton->setFixedSize(kButtonSize, kButtonSize);
    FButton->setText(QStringLiteral("…"));
    FButton->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(kButtonGap);
    layout->addWidget(FEdit, 1);
    layout->addWidget(FButton);
    box->setFocusProxy(FEdit);
    FEdit->installEventFilter(this);
    SetInput(box, FEdit);
    SetDefaultSize(QSize(249, 21));
    ConnectGuarded(FButton, &QToolButton::clicked, this, [this] { HandleOpenPickList(); });
    ConnectGuarded(FEdit, &QLineEdit::textChanged, this, [this] { ValueShown(); });
}

TOrvClientDataSet& TOrvDBPickList::Rows() const {
    return *static_cast<TOrvClientDataSet*>(FOptions.DataSource->DataSet());
}

void TOrvDBPickList::CheckDataSet(bool open) {
    WithPrefix(QStringLiteral("CheckDataSet (%1): ").arg(objectName()), [&] {
        if (!FOptions.DataSource) throw EDBComponentError(QStringLiteral("No picklist datasource defined"));
        TDataSet* dataSet = FOptions.DataSource->DataSet();
        if (!dataSet) throw EDBComponentError(QStringLiteral("No picklist dataset defined"));
        auto* table = qobject_cast<TOrvClientDataSet*>(dataSet);
        if (!table) throw EDBComponentError(QStringLiteral("non TIASDataSet support."));
        if (open && !table->Active()) table->CreateDataSet();
        if (!table->Active()) return;
        FKeyFieldNo = table->FieldIndexOrRaise(FKeyField);
        FDisplayFieldNo = table->FieldIndexOrRaise(FDisplayField);
        FSearchFieldNo = table->FieldIndexOrRaise(FSearchField);
    });
}

void TOrvDBPickList::InitializeKind() {
    WithPrefix(Prefix("Initialize"), [&] {
        const int set = int(!FKeyField.isEmpty()) + int(!FDisplayField.isEmpty()) + int(!FSearchField.isEmpty());
        if (set == 0 || set == 3) return;
        throw EDBComponentError(objectName() + QStringLiteral(": KeyField, DisplayField en ") +
                                QStringLiteral("SearchField moeten ingesteld zijn:") + QStringLiteral("\rKeyField: ") +
                                FKeyField + QStringLiteral("\rDisplayField: ") + FDisplayField +
                                QStringLiteral("\rSearchField: ") + FSearchField);
    });
}

QString TOrvDBPickList::DisplayOfRow(int row) const {
    const TOrvClientDataSet& rows = Rows();
    const QString display = rows.Value(row, FDisplayFieldNo).toString();
    if (FSearchFieldNo == FDisplayFieldNo) return display;
    return display + QStringLiteral(" [") + rows.Value(row, FSearchFieldNo).toString() + u']';
}

TOrvDBPickList::TResult TOrvDBPickList::RowResult(int row) const {
    return {Rows().Value(row, FKeyFieldNo).toString(), DisplayOfRow(row)};
}

void TOrvDBPickList::Take(const TResult& result) {
    const bool changed = result.Key != FKey;
    FKey = result.Key;
    FDisplay = result.Display;
    FOldDisplay = result.Display;
    FEdit->setText(result.Display);
    ValueShown();
    if (changed) Q_EMIT DataChange();
}

QString TOrvDBPickList::Value() {
    SeekKeyboardInput();
    return FKey;
}

void TOrvDBPickList::SeekKeyboardInput() {
    WithPrefix(QStringLiteral("SeekKeyboardInput: "), [&] {
        const QString t = FEdit->text().trimmed();
        if (t.isEmpty()) {
            if (!FKey.isEmpty() || !FDisplay.isEmpty()) Take({});
            return;
        }
        if (t == FOldDisplay || !FAllowKeyboardInput || ReadOnly()) return;
        CheckDataSet(true);
        const TResult found = LocateSingle(FSearchFieldNo, t);
        if (found.Key.isEmpty() && !found.Display.isEmpty()) return;
        Take(found);
    });
}

TOrvDBPickList::TResult TOrvDBPickList::LocateSingle(int column, QString t) {
    return WithPrefix(QStringLiteral("LocateSingle: "), [&]() -> TResult {
        const TWaitCursor wait;
        TOrvClientDataSet& rows = Rows();
        if (column != FDisplayFieldNo) {
            static const QRegularExpression bracketed(QStringLiteral(R"(\[(.*)\]\s*$)"));
            if (const auto m = bracketed.match(t); m.hasMatch()) t = m.captured(1).trimmed();
        }
        const auto noKey = [](const QString& s) { return s.isEmpty() || s == QLatin1String("-1"); };
        if (noKey(FKey) && noKey(t) && FDisplay.isEmpty()) return {};
        const int count = rows.RecordCount();
        // A number column: the row with that number, unless the next row's number also begins with it.
        if (IsWholeNumberColumn(rows.FieldDef(column).DataType)) {
            bool number = false;
            const qint64 wanted = t.toLongLong(&number);
            for (int r = 0; number && r < count; ++r) {
                const QVariant value = rows.Value(r, column);
                if (value.isNull() || value.toLongLong() != wanted) continue;
                const bool nextAlike =
                    r + 1 < count && rows.Value(r + 1, column).toString().startsWith(t, Qt::CaseInsensitive);
                if (!nextAlike) return RowResult(r);
                break;
            }
        }
        QStringList keys;
        int onlyRow = -1;
        const TFuzzyMatcher typed(t, 0, true, false);
        for (int r = 0; r < count; ++r)
            if (StrictMatch(typed, rows.Value(r, column))) {
                keys.append(rows.Value(r, FKeyFieldNo).toString());
                onlyRow = r;
            }
        if (keys.size() == 1) return RowResult(onlyRow);
        TResult result;
        if (LookFuzzy(t, keys, result)) return result;
        result = {};
        ShowGrid(keys, t, result);
        return result;
    });
}

bool TOrvDBPickList::LookFuzzy(const QString& t, QStringList& keys, TResult& result) const {
    return WithPrefix(QStringLiteral("LookFuzzy: "), [&] {
        const TOrvClientDataSet& rows = Rows();
        const bool digitsOnly = !t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
        const TFuzzyMatcher typed(t, 0, true, false);
        for (int column = 0; column < rows.FieldCount(); ++column) {
            const QString name = rows.FieldDef(column).Name.toUpper();
            const bool searched = ((name.endsWith(QLatin1String("_NO")) || name.endsWith(QLatin1String("_NR")) ||
                                    name.endsWith(QLatin1String("_NUMBER"))) &&
                                   digitsOnly) ||
                                  name.endsWith(QLatin1String("DESCRIPTION")) ||
                                  name.endsWith(QLatin1String("_CODE")) ||
                                  (name.contains(QLatin1String("MAIL")) && IsEmailAddress(t)) ||
                                  (IsTextType(rows.FieldDef(column).DataType) && rows.RecordCount() < kSmallLookup);
            if (!searched) continue;
            int lastRow = -1;
            for (int r = 0; r < rows.RecordCount(); ++r)
                if (StrictMatch(typed, rows.Value(r, column))) {
                    keys.append(rows.Value(r, FKeyFieldNo).toString());
                    lastRow = r;
                }
            if (keys.size() == 1 && lastRow >= 0) {
                result = RowResult(lastRow);
                return true;
            }
        }
        return false;
    });
}

bool TOrvDBPickList::ShowGrid(const QStringList& keys, const QString& typed, TResult& result) {
    return WithPrefix(Prefix("ShowGrid"), [&] {
        CheckDataSet(true);
        ++FShowings;
        TfrmPickList window(this->window());
        window.SetRows(FOptions.DataSource, FKeyField, keys);
        window.setWindowTitle(FOptions.Caption);
        window.resize(FOptions.Width, FOptions.Height);
        window.Initialize();
        if (BeforeShowPickList) BeforeShowPickList(this, &window);
        TOrvDBSortGrid* grid = window.Grid();
        if (grid->Columns().Count() == 0) grid->Columns().Add(FDisplayField, FDisplayField, FOptions.Width - 40);
        grid->FetchAllRows();
        window.FitColumns();
        // Unfiltered, the list starts at the first row that begins with what was typed.
        if (keys.isEmpty() && !typed.isEmpty()) {
            const TDataSet& shown = *grid->DataSet();
            const int search = shown.FieldIndexOrRaise(FSearchField);
            for (int r = 0; r < shown.RecordCount(); ++r)
                if (shown.Value(r, search).toString().startsWith(typed, Qt::CaseInsensitive)) {
                    grid->SetRow(r + 1);
                    break;
                }
        }
        const bool chosen = window.exec() == mrOK;
        if (chosen) {
            const TWaitCursor wait;
            const TDataSet& shown = *grid->DataSet();
            const int row = grid->Row() - 1;
            const QString key = shown.Value(row, shown.FieldIndexOrRaise(FKeyField)).toString();
            // The grid's copy is another table; the lookup row of that key gives the display text.
            TOrvClientDataSet& rows = Rows();
            for (int r = 0; r < rows.RecordCount(); ++r)
                if (rows.Value(r, FKeyFieldNo).toString() == key) {
                    result = RowResult(r);
                    break;
                }
        }
        if (AfterShowPickList) AfterShowPickList(this, &window);
        return chosen;
    });
}

void TOrvDBPickList::HandleOpenPickList() {
    WithPrefix(Prefix("HandleOpenPickList"), [&] {
        if (FEdit->isEnabled()) FEdit->setFocus(Qt::OtherFocusReason);
        if (ReadOnly() || !isEnabled()) return;
        const QString t = FEdit->text().trimmed();
        if (t != FDisplay && !t.isEmpty() && FAllowKeyboardInput) {
            const int showings = FShowings;
            SeekKeyboardInput();
            if (FShowings != showings) return;
        }
        TResult result;
        if (ShowGrid({}, QString(), result)) Take(result);
    });
}

// --- the bound control's value ---

QString TOrvDBPickList::AsText() const { return FEdit->text().trimmed(); }

bool TOrvDBPickList::DataChanged() const {
    // Typed text that was not searched yet counts as a change too.
    const bool typed = FEdit->text().trimmed() != FDisplay;
    if (DBValue().IsNull()) return !FKey.isEmpty() || typed;
    return FKey != DBValue().AsString() || typed;
}

void TOrvDBPickList::Clear() {
    WithPrefix(Prefix("Clear"), [&] {
        FKey.clear();
        FDisplay.clear();
        FOldDisplay.clear();
        FEdit->clear();
    });
}

bool TOrvDBPickList::ReadOnly() const { return FEdit->isReadOnly(); }

void TOrvDBPickList::SetReadOnly(bool readOnly) {
    TOrvDBComponent::SetReadOnly(readOnly);
    FEdit->setReadOnly(readOnly);
    FButton->setEnabled(!readOnly);
}

void TOrvDBPickList::ReadField(const QVariant& field, TDBValue& value) const { value.SetAsString(field.toString()); }

void TOrvDBPickList::WriteValue(TDBValue& target) const { target.SetAsString(FKey); }

void TOrvDBPickList::DisplayValue() {
    Clear();
    if (DBValue().IsNull()) return;
    CheckDataSet(true);
    const TResult found = LocateSingle(FKeyFieldNo, DBValue().AsString());
    FKey = found.Key;
    FDisplay = found.Display;
    FOldDisplay = found.Display;
    FEdit->setText(found.Display);
}

bool TOrvDBPickList::InternalValidate() {
    SeekKeyboardInput();
    return TOrvDBComponent::InternalValidate();
}

void TOrvDBPickList::DoExit() {
    SeekKeyboardInput();
    if (ValidateOnExit()) Validate();
}

void TOrvDBPickList::DoKeyDown(QKeyEvent* event) {
    TOrvDBComponent::DoKeyDown(event);
    if (event->isAccepted()) return;
    const int key = event->key();
    if (key == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        event->accept();
        HandleOpenPickList();
        return;
    }
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return || key == Qt::Key_Enter) {
        SeekKeyboardInput();
        return;
    }
    const bool locked = !FAllowKeyboardInput || ReadOnly();
    const bool navigation = key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Insert || key == Qt::Key_Delete;
    if (locked && (navigation || !event->text().isEmpty())) event->accept();
}

bool TOrvDBPickList::eventFilter(QObject* watched, QEvent* event) {
    if (watched != FEdit) return TOrvDBComponent::eventFilter(watched, event);
    bool handled = false;
    GuardUiAction([&] {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            key->ignore();
            DoKeyDown(key);
            handled = key->isAccepted();
            if (!handled) key->accept();
            break;
        }
        case QEvent::FocusIn:
            FOldDisplay = FDisplay;
            break;
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Not from inside the focus change: the search may open a window.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                QTimer::singleShot(0, this, [this] { GuardUiAction([&] { DoExit(); }); });
            break;
        }
        default:
            break;
        }
    });
    return handled;
}
