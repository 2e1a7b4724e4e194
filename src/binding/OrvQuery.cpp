#include "binding/OrvQuery.h"

#include "binding/OrvADOConnection.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <climits>
#include <sqlite3.h>

namespace {
// The ":Name" markers of a statement, outside quoted text, in order of first appearance.
QStringList ParameterMarkers(const QString& sql) {
    QStringList names;
    QChar quote;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!quote.isNull()) {
            if (c == quote) quote = QChar();
            continue;
        }
        if (c == u'\'' || c == u'"' || c == u'[') {
            quote = c == u'[' ? QChar(u']') : c;
            continue;
        }
        if (c == u':' && i + 1 < sql.size() && (sql[i + 1].isLetter() || sql[i + 1] == u'_')) {
            int end = i + 1;
            while (end < sql.size() && (sql[end].isLetterOrNumber() || sql[end] == u'_')) ++end;
            const QString name = sql.mid(i + 1, end - i - 1);
            if (!names.contains(name, Qt::CaseInsensitive)) names.append(name);
            i = end - 1;
        }
    }
    return names;
}

// The type of a computed column: that of its first non-null value.
TFieldType TypeFromValues(const std::vector<QVariantList>& rows, int column) {
    for (const QVariantList& row : rows) {
        const QVariant& v = row[column];
        if (v.isNull()) continue;
        switch (v.typeId()) {
        case QMetaType::LongLong: {
            const qint64 n = v.toLongLong();
            return (n >= INT_MIN && n <= INT_MAX) ? TFieldType::ftInteger : TFieldType::ftLargeint;
        }
        case QMetaType::Double:
            return TFieldType::ftFloat;
        default:
            return TFieldType::ftString;
        }
    }
    return TFieldType::ftUnknown;
}
}

void TParameter::Set(const QVariant& value, TFieldType type) {
    DataType = type;
    FValue = ConvertToFieldType(value, type);
    FAssigned = true;
}

TOrvQuery::TOrvQuery(QObject* owner, TOrvADOConnection* connection) : TDataSet(owner), FConnection(connection) {}

void TOrvQuery::SetConnection(TOrvADOConnection* connection) {
    Close();
    FConnection = connection;
}

void TOrvQuery::SetSQL(const QString& sql) {
    Close();
    FSQL = sql;
    FParams.clear();
    for (const QString& name : ParameterMarkers(sql)) {
        TParameter param;
        param.Name = name;
        FParams.push_back(param);
    }
}

TParameter& TOrvQuery::ParamByName(const QString& name) {
    for (TParameter& p : FParams)
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0) return p;
    throw EDBComponentError(QStringLiteral("Parameter '%1' not found").arg(name));
}

namespace {
std::unique_ptr<TSqliteStatement> Prepare(TOrvADOConnection* connection, const QString& sql,
                                          const std::vector<TParameter>& params) {
    if (!connection) throw EDBComponentError(QStringLiteral("Missing connection property"));
    auto statement = std::make_unique<TSqliteStatement>(connection->Handle(), sql);
    for (const QString& name : statement->ParameterNames()) {
        const TParameter* param = nullptr;
        for (const TParameter& p : params)
            if (p.Name.compare(name, Qt::CaseInsensitive) == 0) param = &p;
        if (!param || !param->Assigned())
            throw EDatabaseError(QStringLiteral("No value given for parameter '%1'").arg(name));
        statement->Bind(name, param->Value());
    }
    return statement;
}
}

void TOrvQuery::Open() {
    Close();
    auto statement = Prepare(FConnection, FSQL, FParams);
    const int columns = statement->ColumnCount();
    std::vector<TFieldDef> fields(columns);
    for (int c = 0; c < columns; ++c) {
        fields[c].Name = statement->ColumnName(c);
        fields[c].DataType = FieldTypeFromDeclaredType(statement->ColumnDeclaredType(c), &fields[c].Size);
    }
    std::vector<QVariantList> rows;
    while (statement->Step()) {
        QVariantList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c) row.append(statement->ColumnValue(c));
        rows.push_back(std::move(row));
    }
    for (int c = 0; c < columns; ++c) {
        if (fields[c].DataType == TFieldType::ftUnknown) fields[c].DataType = TypeFromValues(rows, c);
        for (QVariantList& row : rows) row[c] = FromEngineValue(row[c], fields[c].DataType);
    }
    FFields = std::move(fields);
    FRows = std::move(rows);
    FActive = true;
    First();
}

void TOrvQuery::Close() {
    if (!FActive) return;
    FActive = false;
    FRows.clear();
    FFields.clear();
    First();
}

int TOrvQuery::ExecSQL() {
    auto statement = Prepare(FConnection, FSQL, FParams);
    while (statement->Step()) {
    }
    return statement->Changes();
}
