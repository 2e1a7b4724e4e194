#pragma once
// The output set of the edit windows: writes its table on a TOrvADOConnection through a query it owns.
// Column types, lengths, nullability and the primary key come from the connection's schema description;
// every non-null value reaches the statement as a parameter typed by its column, NULL as the literal.

#include "binding/SQLOutSet.h"

#include <vector>

class TOrvADOConnection;
class TOrvQuery;
class TParameter;
class TTableDescription;

class TOrvADOSQLOutputSet : public TOrvSQLOutputSet {
    Q_OBJECT
public:
    explicit TOrvADOSQLOutputSet(QObject* owner = nullptr);

    TOrvADOConnection* Connection() const;
    // Also empties PrimaryKeyFields: Open reads them again.
    void SetConnection(TOrvADOConnection* connection);
    // The query that runs the statements; SQL and Parameters are its text and parameters.
    TOrvQuery* ComponentQuery() const { return FQuery; }
    const QString& SQL() const;
    void SetSQL(const QString& sql);
    const std::vector<TParameter>& Parameters() const;

    // Requires a connection and reads the primary-key columns; on failure the set stays closed.
    void Open() override;
    void Append() override;
    void Cancel() override;
    // Refused for a table without primary-key columns.
    void Delete() override;
    void Edit() override;
    void Post() override;
    void BeginTrans() override;
    void CommitTrans() override;
    bool InTransaction() override;
    void RollbackTrans() override;
    void GetFieldNames(QStringList& names) override;
    TFieldType GetFieldType(const QString& column) override;
    int GetFieldLength(const QString& column) override;
    bool GetFieldRequired(const QString& column) override;
    TDBValue& PrimaryKeyFieldByName(const QString& column) override;

protected:
    void PostAppend() override;
    void PostDelete() override;
    void PostEdit() override;
    void GetPrimaryKeyFields() override;

private:
    struct TBinding {
        QString Name;
        QVariant Value;
        TFieldType Type;
    };

    TOrvADOConnection& RequireConnection() const;
    const TTableDescription& Table() const;
    // "k1 = :k1 AND k2 = :k2" over the primary-key columns.
    QString KeyConditions() const;
    // The parameter of a column: its value by the column's type class, typed by the column.
    TBinding Binding(const QString& column, const TDBValue& value);
    std::vector<TBinding> KeyBindings();
    // Binds, offers the statement to BeforeExecuteSQL and runs it in a transaction of its own when none is
    // open; an update or delete must then have affected exactly one row.
    void Execute(const QString& sql, const std::vector<TBinding>& bindings, bool oneRow);
    int ExecSQL();

    TOrvQuery* FQuery;
};
