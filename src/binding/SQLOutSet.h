#pragma once
// An output set that writes through generated SQL: it keeps the primary-key columns of its table, with
// the key value of the row to update or delete, and lets a handler see or change each statement.

#include "binding/OutSet.h"

#include <functional>

class TOrvSQLOutputSet;

// Called with the full statement text before it runs; the text it leaves is the statement, and execute
// set to false skips the statement and its row check.
using TSQLExecuteEvent = std::function<void(TOrvSQLOutputSet* sender, QString& sql, bool& execute)>;

class TOrvSQLOutputSet : public TOrvOutputSet {
    Q_OBJECT
public:
    using TOrvOutputSet::TOrvOutputSet;

    // The primary-key columns as the schema spells them, in key order, each with its key value.
    const TDBValueList& PrimaryKeyFields() const { return FPrimaryKeyFields; }
    // The key value of that primary-key column (any case); raises "Invalid primary key field" for a
    // column that is no key column.
    virtual TDBValue& PrimaryKeyFieldByName(const QString& column);

    TSQLExecuteEvent BeforeExecuteSQL;

protected:
    // Fills PrimaryKeyFields from the schema, each key with a null value.
    virtual void GetPrimaryKeyFields() = 0;
    TDBValueList& PrimaryKeys() { return FPrimaryKeyFields; }

private:
    TDBValueList FPrimaryKeyFields;
};
