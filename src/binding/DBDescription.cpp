#include "binding/DBDescription.h"

#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <map>

const TFieldDescription& TTableDescription::FieldByName(const QString& column) const {
    for (const TFieldDescription& field : Fields)
        if (field.ColumnName.compare(column, Qt::CaseInsensitive) == 0) return field;
    throw EDBComponentError(QStringLiteral("DBDescription FieldByName: Field: ") + column +
                            QStringLiteral(" does not exists in table: ") + TableName);
}

const TConstraintDescription& TTableDescription::PrimaryKeyConstraint() const {
    for (const TConstraintDescription& constraint : Constraints)
        if (constraint.PrimaryKey) return constraint;
    throw EDBComponentError(QStringLiteral("GetPrimaryKeyConstraint: Table \"") + TableName +
                            QStringLiteral("\" does not have a primary key, which is not supported."));
}

const TTableDescription& TDBDescription::TableByName(const QString& table) {
    return WithPrefix(QStringLiteral("TableByName: "), [&]() -> const TTableDescription& {
        const QString key = table.toLower();
        if (auto it = FTables.constFind(key); it != FTables.constEnd()) return **it;
        if (!FDatabase || !FDatabase->IsOpen()) throw EDBComponentError(QStringLiteral("Connection is not open"));

        auto description = std::make_shared<TTableDescription>();
        std::map<int, QString> keyColumns;
        TSqliteStatement info(FDatabase->Handle(), QStringLiteral("SELECT name, type, \"notnull\", pk FROM "
                                                                  "pragma_table_info(:TableName)"));
        info.Bind(QStringLiteral("TableName"), table);
        while (info.Step()) {
            TFieldDescription field;
            field.ColumnName = info.ColumnValue(0).toString();
            field.FieldType = FieldTypeFromDeclaredType(info.ColumnValue(1).toString(), &field.MaxLength);
            const int pk = info.ColumnValue(3).toInt();
            field.Nullable = info.ColumnValue(2).toInt() == 0 && pk == 0;
            if (pk > 0) keyColumns[pk] = field.ColumnName;
            description->Fields.append(field);
        }
        if (description->Fields.isEmpty())
            throw EDBComponentError(QStringLiteral("DBDescription TableByName: Table does not exists: ") + table);

        TSqliteStatement name(FDatabase->Handle(),
                              QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = "
                                             ":TableName COLLATE NOCASE"));
        name.Bind(QStringLiteral("TableName"), table);
        description->TableName = name.Step() ? name.ColumnValue(0).toString() : table;

        if (!keyColumns.empty()) {
            TConstraintDescription primaryKey;
            primaryKey.Name = QStringLiteral("PrimaryKey");
            primaryKey.PrimaryKey = true;
            for (const auto& [position, column] : keyColumns) primaryKey.Columns.append(column);
            // A single INTEGER key is the table's counter.
            if (primaryKey.Columns.size() == 1)
                for (TFieldDescription& field : description->Fields)
                    if (field.ColumnName == primaryKey.Columns.first() && field.FieldType == TFieldType::ftInteger)
                        field.FieldType = TFieldType::ftAutoInc;
            description->Constraints.append(primaryKey);
        }
        FTables.insert(key, description);
        return *description;
    });
}
