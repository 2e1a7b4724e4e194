#include "dbcontrols/OrvDataGroup.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "binding/SQLOutSet.h"
#include "platform/WaitCursor.h"
#include "support/DataSet.h"
#include "support/OrvErrors.h"

#include <QScopeGuard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>

ORV_METHOD_PREFIXES(TOrvDataGroup)

namespace {
// "TOrvDataGroup.GetFieldsSQLBased (ComponentName:edNaam InputField:Naam): ", each part only when set.
QString FieldsPrefix(const TOrvDBComponent* control) {
    QString parts;
    if (control && !control->objectName().isEmpty()) parts += QStringLiteral(" ComponentName:") + control->objectName();
    if (control && !control->SQLInputField().isEmpty())
        parts += QStringLiteral(" InputField:") + control->SQLInputField();
    return Prefix("GetFieldsSQLBased").chopped(2) + QStringLiteral(" (") + parts.trimmed() + QStringLiteral("): ");
}

EDataGroupError ControlError(const TOrvDBComponent* control, const QString& message) {
    return EDataGroupError(control->objectName() + message);
}
}  // namespace

TOrvDataGroup::TOrvDataGroup(QObject* owner)
    : QObject(owner), FEnabledColor(QApplication::palette().color(QPalette::WindowText)) {
    WithPrefix(Prefix("Create"), [&] {
        if (!qobject_cast<QDialog*>(owner)) throw Error(QStringLiteral(": Owner must be of type TForm"));
    });
}

void TOrvDataGroup::SetDataHandling(TDataHandling handling) {
    if (handling == dhTableBased) throw EDataGroupError(QStringLiteral("TableBased Handling is no longer supported"));
}

QDialog* TOrvDataGroup::Form() const { return static_cast<QDialog*>(parent()); }

EDataGroupError TOrvDataGroup::Error(const QString& message) const { return EDataGroupError(objectName() + message); }

QList<TOrvDBComponent*> TOrvDataGroup::Controls() const {
    QList<TOrvDBComponent*> controls;
    for (TOrvDBComponent* control : Form()->findChildren<TOrvDBComponent*>())
        if (control->DataGroup() == this) controls.append(control);
    return controls;
}

void TOrvDataGroup::SetState(TDataGroupState state) {
    FState = state;
    Q_EMIT StateChange();
}

void TOrvDataGroup::RequireIdle() const {
    if (FState != dgsIdle) throw Error(QStringLiteral(": Datagroup already in edit, insert or delete mode"));
}

void TOrvDataGroup::RequireBusy(const char* message) const {
    if (FState == dgsIdle) throw Error(QLatin1String(message));
}

// --- output sets ---

QObject* TOrvDataGroup::FindComponent(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (QObject* component : Form()->children())
        if (component->objectName().compare(name, Qt::CaseInsensitive) == 0) return component;
    return nullptr;
}

TOrvOutputSet* TOrvDataGroup::FindOutputSet(const QString& name) const {
    return qobject_cast<TOrvOutputSet*>(FindComponent(name));
}

TOrvOutputSet* TOrvDataGroup::LocateOutputSet(const QString& name) const {
    TOrvOutputSet* outputSet = FindOutputSet(name);
    if (!outputSet) throw Error(QStringLiteral(": Couldn't locate outputset ") + name);
    return outputSet;
}

void TOrvDataGroup::CheckSQLOutputConnections() {
    WithPrefix(Prefix("CheckSQLOutputConnections"), [&] {
        if (FOutputSets.isEmpty()) throw Error(QStringLiteral(": No outputsets defined"));
        for (const QString& name : std::as_const(FOutputSets)) {
            QObject* component = FindComponent(name);
            if (!component) throw Error(QStringLiteral(": Could not find outputset ") + name);
            if (!qobject_cast<TOrvOutputSet*>(component))
                throw Error(QStringLiteral(": ") + name + QStringLiteral(" is not a valid outputset"));
        }
    });
}

void TOrvDataGroup::OpenOutput() {
    WithPrefix(Prefix("OpenOutput"), [&] {
        CheckSQLOutputConnections();
        for (const QString& name : std::as_const(FOutputSets)) LocateOutputSet(name)->Open();
    });
}

void TOrvDataGroup::CloseOutput() {
    WithPrefix(Prefix("CloseOutput"), [&] {
        CheckSQLOutputConnections();
        for (const QString& name : std::as_const(FOutputSets)) LocateOutputSet(name)->Close();
    });
}

void TOrvDataGroup::GetOutputSetFields(const QString& outputSetName, QStringList& names) {
    WithPrefix(Prefix("GetOutputSetFields"), [&] {
        if (TOrvOutputSet* outputSet = FindOutputSet(outputSetName)) outputSet->GetFieldNames(names);
    });
}

void TOrvDataGroup::CancelOutputSets() {
    for (const QString& name : std::as_const(FOutputSets))
        if (TOrvOutputSet* outputSet = FindOutputSet(name); outputSet && outputSet->State() != osIdle)
            outputSet->Cancel();
}

// --- input ---

void TOrvDataGroup::OpenInput() {
    WithPrefix(Prefix("OpenInput"), [&] {
        if (!FInputSet) throw Error(QStringLiteral(": Missing inputset property"));
        if (auto* query = qobject_cast<TOrvQuery*>(FInputSet.data()))
            query->Open();
        else if (!FInputSet->Active())
            throw Error(QStringLiteral(": Cannot perform this operation on a closed dataset"));
    });
}

void TOrvDataGroup::CloseInput() {
    WithPrefix(Prefix("CloseInput"), [&] {
        if (!FInputSet) throw Error(QStringLiteral(": Missing inputset property"));
        if (auto* query = qobject_cast<TOrvQuery*>(FInputSet.data())) query->Close();
    });
}

void TOrvDataGroup::GetFields() {
    WithPrefix(Prefix("GetFields"), [&] { GetFieldsSQLBased(); });
}

void TOrvDataGroup::GetFieldsSQLBased() {
    WithPrefix(FieldsPrefix(nullptr), [&] {
        if (!FInputSet) throw Error(QStringLiteral(": Missing inputset property"));
        if (!FInputSet->Active()) throw Error(QStringLiteral(": Cannot perform this operation on a closed dataset"));
    });
    for (TOrvDBComponent* control : Controls()) {
        WithPrefix(FieldsPrefix(control), [&] {
            control->Initialize();
            if (control->SQLInputField().isEmpty())
                throw ControlError(control, QStringLiteral(": Missing inputfield property"));
            const QVariant field = FInputSet->FieldByName(control->SQLInputField());
            TDBValue value;
            if (!field.isNull()) control->ReadField(field, value);
            control->ForceDBValue(value);
        });
    }
}

void TOrvDataGroup::ClearFields() {
    WithPrefix(Prefix("ClearFields"), [&] {
        for (TOrvDBComponent* control : Controls()) control->ForceDBValue(TDBValue());
    });
}

// --- starting, writing, posting ---

void TOrvDataGroup::Append() {
    WithPrefix(Prefix("Append"), [&] {
        RequireIdle();
        CheckSQLOutputConnections();
        auto started = qScopeGuard([this] { CancelOutputSets(); });
        for (const QString& name : std::as_const(FOutputSets)) LocateOutputSet(name)->Append();
        started.dismiss();
        SetState(dgsInsert);
    });
}

void TOrvDataGroup::Edit() {
    WithPrefix(Prefix("Edit"), [&] {
        RequireIdle();
        CheckSQLOutputConnections();
        // A failure half-way leaves no output set behind in edit mode.
        auto started = qScopeGuard([this] { CancelOutputSets(); });
        for (const QString& name : std::as_const(FOutputSets)) {
            TOrvOutputSet* outputSet = LocateOutputSet(name);
            if (auto* sqlOutputSet = qobject_cast<TOrvSQLOutputSet*>(outputSet)) SetPrimaryKeys(sqlOutputSet);
            outputSet->Edit();
        }
        started.dismiss();
        SetState(dgsEdit);
    });
}

void TOrvDataGroup::Delete() {
    WithPrefix(Prefix("Delete"), [&] {
        RequireIdle();
        CheckSQLOutputConnections();
        TOrvOutputSet* outputSet = LocateOutputSet(FOutputSets.last());
        if (auto* sqlOutputSet = qobject_cast<TOrvSQLOutputSet*>(outputSet)) SetPrimaryKeys(sqlOutputSet);
        outputSet->Delete();
        SetState(dgsDelete);
    });
}

void TOrvDataGroup::SetPrimaryKeys(TOrvSQLOutputSet* outputSet) {
    WithPrefix(Prefix("SetPrimaryKeys"), [&] {
        if (!outputSet->FieldInfoAttributes().testFlag(faFieldType))
            throw Error(QStringLiteral(": Cannot perform this operation on a outputset that does not support "
                                       "fieldtype information"));
        const TDBValueList& keys = outputSet->PrimaryKeyFields();
        for (int i = 0; i < keys.Count(); ++i) {
            const QString& key = keys.Name(i);
            int field = FInputSet ? FInputSet->FieldIndex(outputSet->DataReference() + u'.' + key) : -1;
            if (field < 0 && FInputSet) field = FInputSet->FieldIndex(key);
            if (field < 0) throw Error(QStringLiteral(": Primary key not found in inputset"));
            const QVariant value = FInputSet->FieldValue(field);
            TDBValue& target = outputSet->PrimaryKeyFieldByName(key);
            const TFieldType type = outputSet->GetFieldType(key);
            if (IsIntegerType(type))
                target.SetAsInteger(value.toInt());
            else if (type == TFieldType::ftBoolean)
                target.SetAsBoolean(value.toBool());
            else if (IsFloatType(type))
                target.SetAsFloat(value.toDouble());
            else if (IsDateTimeType(type))
                target.SetAsDateTime(value.toDateTime());
            else
                target.SetAsString(value.toString());
        }
    });
}

void TOrvDataGroup::SetFields() {
    WithPrefix(Prefix("SetFields"), [&] { SetFieldsSQLBased(); });
}

void TOrvDataGroup::SetFieldsSQLBased() {
    WithPrefix(Prefix("SetFieldsSQLBased"), [&] {
        RequireBusy(": Datagroup not in edit or insert mode");
        CheckSQLOutputConnections();
        for (TOrvDBComponent* control : Controls()) {
            if (control->SQLOutputSet().isEmpty()) continue;
            if (control->SQLOutputField().isEmpty())
                throw ControlError(control, QStringLiteral(": Missing outputfield property"));
            if (!FOutputSets.contains(control->SQLOutputSet(), Qt::CaseInsensitive))
                throw ControlError(control, QStringLiteral(": Invalid outputset name"));
            TOrvOutputSet* outputSet = FindOutputSet(control->SQLOutputSet());
            if (!outputSet) throw ControlError(control, QStringLiteral(": Could not find ") + control->SQLOutputSet());
            // An edit writes only what changed; whether the control is enabled plays no part.
            const bool written = FState == dgsInsert || (FState == dgsEdit && control->DataChanged());
            if (!written || control->ReadOnly()) continue;
            TDBValue& target = outputSet->FieldByName(control->SQLOutputField());
            if (control->IsNull())
                target.Clear();
            else
                control->WriteValue(target);
        }
    });
}

void TOrvDataGroup::CheckValuesConsistent() {
    WithPrefix(Prefix("CheckValuesConsistent"), [&] {
        for (TOrvDBComponent* control : Controls()) {
            TOrvOutputSet* outputSet = FindOutputSet(control->SQLOutputSet());
            if (!outputSet) continue;
            control->Initialize();
            const QString& column = control->SQLOutputField();
            const TFieldInfoAttributes facts = outputSet->FieldInfoAttributes();
            if (facts.testFlag(faFieldLength) && outputSet->GetFieldLength(column) < control->MaxLength())
                throw EDBComponentError(objectName() + QStringLiteral(": ") + control->objectName() +
                                        QStringLiteral(".MaxLength is greater than field length."));
            if (facts.testFlag(faFieldRequired) && outputSet->GetFieldRequired(column) && control->IsNull())
                throw EDBComponentError(objectName() + QStringLiteral(": Required field ") + column +
                                        QStringLiteral(" may not be assigned NULL"));
        }
    });
}

void TOrvDataGroup::Post() {
    WithPrefix(Prefix("Post"), [&] {
        RequireBusy(": Datagroup not in edit, insert or delete mode");
        const auto idle = qScopeGuard([this] {
            CancelOutputSets();
            SetState(dgsIdle);
        });
        CheckSQLOutputConnections();
        if (FState != dgsDelete) CheckValuesConsistent();
        PostSQLBased();
    });
}

void TOrvDataGroup::PostSQLBased() {
    WithPrefix(Prefix("PostSQLBased"), [&] {
        TOrvOutputSet* first = LocateOutputSet(FOutputSets.first());
        const bool began = !first->InTransaction();
        if (began) first->BeginTrans();
        try {
            if (FState == dgsDelete)
                LocateOutputSet(FOutputSets.last())->Post();
            else
                for (const QString& name : std::as_const(FOutputSets)) LocateOutputSet(name)->Post();
            if (began) first->CommitTrans();
        } catch (...) {
            // Only the transaction this post began is this post's to undo.
            if (began && first->InTransaction()) first->RollbackTrans();
            throw;
        }
    });
}

void TOrvDataGroup::Cancel() {
    WithPrefix(Prefix("Cancel"), [&] {
        RequireBusy(": Datagroup not in edit, insert or delete mode");
        CheckSQLOutputConnections();
        CancelOutputSets();
        SetState(dgsIdle);
    });
}

// --- the controls as a whole ---

bool TOrvDataGroup::ValidateControls() {
    return WithPrefix(Prefix("ValidateControls"), [&] {
        const TWaitCursor wait;
        bool valid = true;
        for (TOrvDBComponent* control : Controls()) {
            if (!control->Enabled()) continue;
            control->Initialize();
            valid = control->DataValid();
            if (!valid) break;
        }
        if (valid && OnCrossValidate) OnCrossValidate(this, valid);
        return valid;
    });
}

bool TOrvDataGroup::IsChanged() {
    return WithPrefix(Prefix("IsChanged"), [&] {
        const QList<TOrvDBComponent*> controls = Controls();
        return std::any_of(controls.cbegin(), controls.cend(),
                           [](const TOrvDBComponent* c) { return c->DataChanged(); });
    });
}

void TOrvDataGroup::EnableControls() {
    WithPrefix(Prefix("EnableControls"), [&] {
        for (TOrvDBComponent* control : Controls())
            if (!control->Enabled()) control->SetEnabled(true);
    });
}

void TOrvDataGroup::DisableControls() {
    WithPrefix(Prefix("DisableControls"), [&] {
        for (TOrvDBComponent* control : Controls())
            if (control->Enabled()) control->SetEnabled(false);
    });
}
