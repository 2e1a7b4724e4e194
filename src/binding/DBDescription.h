#pragma once
// The schema description of one connection: per table its columns (type class, maximum length,
// nullability) in catalogue order and its primary-key columns, read from the catalogue on first use.

#include "support/DataSet.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class TSqliteDatabase;

struct TFieldDescription {
    QString ColumnName;
    bool Nullable = true;
    TFieldType FieldType = TFieldType::ftUnknown;
    int MaxLength = 0;  // characters; 0 for memo columns and columns without a length
};

struct TConstraintDescription {
    QString Name;
    bool PrimaryKey = false;
    QStringList Columns;  // in constraint order
};

class TTableDescription {
public:
    QString TableName;
    QList<TFieldDescription> Fields;
    QList<TConstraintDescription> Constraints;

    // Raises "DBDescription FieldByName: Field: <c> does not exists in table: <t>".
    const TFieldDescription& FieldByName(const QString& column) const;
    // Raises "GetPrimaryKeyConstraint: Table "<t>" does not have a primary key, which is not supported.".
    const TConstraintDescription& PrimaryKeyConstraint() const;
};

class TDBDescription {
public:
    explicit TDBDescription(const TSqliteDatabase* database) : FDatabase(database) {}

    // Raises "TableByName: DBDescription TableByName: Table does not exists: <t>".
    const TTableDescription& TableByName(const QString& table);
    void Flush() { FTables.clear(); }

private:
    const TSqliteDatabase* FDatabase;
    QHash<QString, std::shared_ptr<TTableDescription>> FTables;  // by lower-case table name
};
