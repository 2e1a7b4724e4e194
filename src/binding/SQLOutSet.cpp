#include "binding/SQLOutSet.h"

#include "support/OrvErrors.h"

ORV_METHOD_PREFIXES(TOrvSQLOutputSet)

TDBValue& TOrvSQLOutputSet::PrimaryKeyFieldByName(const QString& column) {
    return WithPrefix(Prefix("PrimaryKeyFieldByName"), [&]() -> TDBValue& {
        const int index = FPrimaryKeyFields.IndexOf(column);
        if (index < 0) throw EOutputSetError(QStringLiteral("Invalid primary key field"));
        return FPrimaryKeyFields.Value(index);
    });
}
