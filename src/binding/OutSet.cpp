#include "binding/OutSet.h"

#include "support/OrvErrors.h"

#include <QScopeGuard>

ORV_METHOD_PREFIXES(TOrvOutputSet)

TOrvOutputSet::TOrvOutputSet(QObject* owner) : QObject(owner) {}

QString TOrvOutputSet::NamedMessage(const char* message) const { return objectName() + QLatin1String(message); }

void TOrvOutputSet::CheckOpen() const {
    if (!FActive) throw EOutputSetError(NamedMessage(": Cannot perform this operation on a closed dataset"));
    if (FDataReference.isEmpty()) throw EOutputSetError(NamedMessage(": Missing DataReference property"));
}

void TOrvOutputSet::ResetToIdle() {
    FFieldList.Clear();
    FState = osIdle;
}

void TOrvOutputSet::Start(TSQLOutputSetState state) {
    CheckOpen();
    if (FState != osIdle) throw EOutputSetError(NamedMessage(": Dataset already in edit, insert or delete mode"));
    FFieldList.Clear();
    FState = state;
}

// Close, Open, FieldByName and DeleteFieldFromList cannot fail here, so they add no prefix of their own.
void TOrvOutputSet::Close() { FActive = false; }

void TOrvOutputSet::Open() { FActive = !FDataReference.isEmpty(); }

void TOrvOutputSet::Append() {
    WithPrefix(Prefix("Append"), [&] { Start(osInsert); });
}

void TOrvOutputSet::Edit() {
    WithPrefix(Prefix("Edit"), [&] { Start(osEdit); });
}

void TOrvOutputSet::Delete() {
    WithPrefix(Prefix("Delete"), [&] { Start(osDelete); });
}

void TOrvOutputSet::Cancel() {
    WithPrefix(Prefix("Cancel"), [&] {
        CheckOpen();
        if (FState == osIdle) throw EOutputSetError(NamedMessage(": Dataset not in edit, insert or delete mode"));
        ResetToIdle();
    });
}

void TOrvOutputSet::Post() {
    WithPrefix(Prefix("Post"), [&] {
        const auto idle = qScopeGuard([this] { ResetToIdle(); });
        CheckOpen();
        switch (FState) {
        case osInsert:
            PostAppend();
            break;
        case osEdit:
            PostEdit();
            break;
        case osDelete:
            PostDelete();
            break;
        case osIdle:
            throw EOutputSetError(QStringLiteral("Dataset not in edit or insert mode"));
        }
    });
}

TDBValue& TOrvOutputSet::FieldByName(const QString& column) {
    const QString name = column.toLower();
    const int index = FFieldList.IndexOf(name);
    return index >= 0 ? FFieldList.Value(index) : FFieldList.Add(name);
}

void TOrvOutputSet::DeleteFieldFromList(const QString& column) {
    const int index = FFieldList.IndexOf(column);
    if (index >= 0) FFieldList.Delete(index);
}
