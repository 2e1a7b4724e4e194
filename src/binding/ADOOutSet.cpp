#include "binding/ADOOutSet.h"

#include "binding/DBDescription.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "support/OrvErrors.h"

#include <QScopeGuard>

ORV_METHOD_PREFIXES(TOrvADOSQLOutputSet)

namespace {
// The value a column of this type takes from a TDBValue.
QVariant ValueForType(const TDBValue& value, TFieldType type) {
    if (IsIntegerType(type)) return value.AsInteger();
    if (type == TFieldType::ftBoolean) return value.AsBoolean();
    if (IsFloatType(type)) return value.AsFloat();
    if (IsDateTimeType(type)) return value.AsDateTime();
    return value.AsString();
}

const TParameter* FindParameter(const std::vector<TParameter>& parameters, const QString& name) {
    for (const TParameter& parameter : parameters)
        if (parameter.Name.compare(name, Qt::CaseInsensitive) == 0) return &parameter;
    return nullptr;
}
}

TOrvADOSQLOutputSet::TOrvADOSQLOutputSet(QObject* owner) : TOrvSQLOutputSet(owner), FQuery(new TOrvQuery(this)) {
    SetFieldInfoAttributes(faFieldType | faFieldRequired | faFieldLength);
}

TOrvADOConnection* TOrvADOSQLOutputSet::Connection() const { return FQuery->Connection(); }

void TOrvADOSQLOutputSet::SetConnection(TOrvADOConnection* connection) {
    FQuery->SetConnection(connection);
    PrimaryKeys().Clear();
}

const QString& TOrvADOSQLOutputSet::SQL() const { return FQuery->SQL(); }

void TOrvADOSQLOutputSet::SetSQL(const QString& sql) { FQuery->SetSQL(sql); }

const std::vector<TParameter>& TOrvADOSQLOutputSet::Parameters() const { return FQuery->Params(); }

TOrvADOConnection& TOrvADOSQLOutputSet::RequireConnection() const {
    TOrvADOConnection* connection = Connection();
    if (!connection) throw EOutputSetError(NamedMessage(": Missing connection property"));
    return *connection;
}

const TTableDescription& TOrvADOSQLOutputSet::Table() const {
    return RequireConnection().ConnectionInfo().TableByName(DataReference());
}

void TOrvADOSQLOutputSet::Open() {
    WithPrefix(Prefix("Open"), [&] {
        auto closed = qScopeGuard([this] { TOrvSQLOutputSet::Close(); });
        RequireConnection();
        TOrvSQLOutputSet::Open();
        if (Active()) GetPrimaryKeyFields();
        closed.dismiss();
    });
}

void TOrvADOSQLOutputSet::GetPrimaryKeyFields() {
    WithPrefix(Prefix("GetPrimaryKeyFields"), [&] {
        PrimaryKeys().Clear();
        for (const QString& column : Table().PrimaryKeyConstraint().Columns) PrimaryKeys().Add(column);
    });
}

void TOrvADOSQLOutputSet::Append() {
    WithPrefix(Prefix("Append"), [&] {
        TOrvSQLOutputSet::Append();
        SetSQL(QStringLiteral("INSERT INTO ") + DataReference() + u'(');
    });
}

void TOrvADOSQLOutputSet::Edit() {
    WithPrefix(Prefix("Edit"), [&] {
        TOrvSQLOutputSet::Edit();
        SetSQL(QStringLiteral("UPDATE ") + DataReference());
    });
}

void TOrvADOSQLOutputSet::Delete() {
    WithPrefix(Prefix("Delete"), [&] {
        TOrvSQLOutputSet::Delete();
        if (PrimaryKeyFields().Count() == 0) {
            // Nothing was started, so the caller need not cancel.
            ResetToIdle();
            throw EOutputSetError(QStringLiteral("No primary key defined"));
        }
        SetSQL(QStringLiteral("DELETE FROM ") + DataReference() + QStringLiteral("\nWHERE ") + KeyConditions());
    });
}

void TOrvADOSQLOutputSet::Cancel() {
    WithPrefix(Prefix("Cancel"), [&] {
        TOrvSQLOutputSet::Cancel();
        SetSQL(QString());
    });
}

void TOrvADOSQLOutputSet::Post() {
    WithPrefix(Prefix("Post"), [&] {
        const auto emptied = qScopeGuard([this] { SetSQL(QString()); });
        if (!Connection()) {
            ResetToIdle();
            throw EOutputSetError(NamedMessage(": Missing connection property"));
        }
        TOrvSQLOutputSet::Post();
    });
}

QString TOrvADOSQLOutputSet::KeyConditions() const {
    QString conditions;
    const TDBValueList& keys = PrimaryKeyFields();
    for (int i = 0; i < keys.Count(); ++i) {
        if (i > 0) conditions += QStringLiteral(" AND ");
        conditions += keys.Name(i) + QStringLiteral(" = :") + keys.Name(i);
    }
    return conditions;
}

TOrvADOSQLOutputSet::TBinding TOrvADOSQLOutputSet::Binding(const QString& column, const TDBValue& value) {
    const TFieldType type = GetFieldType(column);
    return {column, ValueForType(value, type), type};
}

std::vector<TOrvADOSQLOutputSet::TBinding> TOrvADOSQLOutputSet::KeyBindings() {
    std::vector<TBinding> bindings;
    const TDBValueList& keys = PrimaryKeyFields();
    for (int i = 0; i < keys.Count(); ++i) bindings.push_back(Binding(keys.Name(i), keys.Value(i)));
    return bindings;
}

void TOrvADOSQLOutputSet::PostAppend() {
    WithPrefix(Prefix("PostAppend"), [&] {
        TDBValueList& fields = PendingFields();
        if (fields.Count() == 0) return;
        QString sql = SQL().section(u'\n', 0, 0);
        for (int i = 0; i < fields.Count(); ++i) sql += fields.Name(i) + u',';
        sql.chop(1);
        sql += QStringLiteral(")\nVALUES (");
        for (int i = 0; i < fields.Count();) {
            if (fields.Value(i).IsNull()) {
                sql += QStringLiteral("NULL,");
                fields.Delete(i);
            } else {
                sql += u':' + fields.Name(i) + u',';
                ++i;
            }
        }
        sql.chop(1);
        sql += u')';
        std::vector<TBinding> bindings;
        for (int i = 0; i < fields.Count(); ++i) bindings.push_back(Binding(fields.Name(i), fields.Value(i)));
        Execute(sql, bindings, false);
    });
}

void TOrvADOSQLOutputSet::PostEdit() {
    WithPrefix(Prefix("PostEdit"), [&] {
        TDBValueList& fields = PendingFields();
        if (fields.Count() == 0) return;
        QString sql = SQL() + QStringLiteral("\nSET ");
        for (int i = 0, written = 0; i < fields.Count(); ++written) {
            if (written > 0) sql += QStringLiteral(", ");
            if (fields.Value(i).IsNull()) {
                sql += fields.Name(i) + QStringLiteral(" = NULL");
                fields.Delete(i);
            } else {
                sql += fields.Name(i) + QStringLiteral(" = :") + fields.Name(i);
                ++i;
            }
        }
        sql += QStringLiteral("\nWHERE ");
        if (PrimaryKeyFields().Count() == 0) throw EOutputSetError(QStringLiteral("No primary key defined"));
        sql += KeyConditions();
        std::vector<TBinding> bindings = KeyBindings();
        for (int i = 0; i < fields.Count(); ++i) bindings.push_back(Binding(fields.Name(i), fields.Value(i)));
        Execute(sql, bindings, true);
    });
}

void TOrvADOSQLOutputSet::PostDelete() {
    WithPrefix(Prefix("PostDelete"), [&] { Execute(SQL(), KeyBindings(), true); });
}

void TOrvADOSQLOutputSet::Execute(const QString& sql, const std::vector<TBinding>& bindings, bool oneRow) {
    // A handler may change the text; the values go with the parameters that its text still holds.
    const auto prepare = [&](const QString& text) {
        SetSQL(text);
        for (const TBinding& binding : bindings)
            if (FindParameter(FQuery->Params(), binding.Name))
                FQuery->ParamByName(binding.Name).Set(binding.Value, binding.Type);
    };
    prepare(sql);
    bool execute = true;
    if (BeforeExecuteSQL) {
        QString text = sql;
        BeforeExecuteSQL(this, text, execute);
        if (text != sql) prepare(text);
    }
    if (!execute) return;
    RunInTransaction(RequireConnection(), [&] {
        const int rows = ExecSQL();
        if (oneRow && rows != 1) throw EOutputSetError(NamedMessage(": More or less than one row is selected"));
    });
}

int TOrvADOSQLOutputSet::ExecSQL() {
    return WithPrefix(Prefix("ExecSQL"), [&] { return FQuery->ExecSQL(); });
}

void TOrvADOSQLOutputSet::BeginTrans() { RequireConnection().BeginTrans(); }

void TOrvADOSQLOutputSet::CommitTrans() { RequireConnection().CommitTrans(); }

void TOrvADOSQLOutputSet::RollbackTrans() { RequireConnection().RollbackTrans(); }

bool TOrvADOSQLOutputSet::InTransaction() {
    return WithPrefix(Prefix("InTransaction"), [&] { return RequireConnection().InTransaction(); });
}

void TOrvADOSQLOutputSet::GetFieldNames(QStringList& names) {
    WithPrefix(Prefix("GetFieldNames"), [&] {
        if (DataReference().isEmpty()) throw EOutputSetError(NamedMessage(": Missing DataReference property"));
        names.clear();
        for (const TFieldDescription& field : Table().Fields) names.append(field.ColumnName);
    });
}

TFieldType TOrvADOSQLOutputSet::GetFieldType(const QString& column) {
    return WithPrefix(Prefix("GetFieldType"), [&] { return Table().FieldByName(column).FieldType; });
}

int TOrvADOSQLOutputSet::GetFieldLength(const QString& column) {
    return WithPrefix(Prefix("GetFieldLength"), [&] { return Table().FieldByName(column).MaxLength; });
}

bool TOrvADOSQLOutputSet::GetFieldRequired(const QString& column) {
    return WithPrefix(Prefix("GetFieldRequired"), [&] { return !Table().FieldByName(column).Nullable; });
}

TDBValue& TOrvADOSQLOutputSet::PrimaryKeyFieldByName(const QString& column) {
    return WithPrefix(Prefix("PrimaryKeyFieldByName"),
                      [&]() -> TDBValue& { return TOrvSQLOutputSet::PrimaryKeyFieldByName(column); });
}
