#include "testlib/TestDatabase.h"

#include "binding/OrvADOConnection.h"
#include "core/DeliveredDatabase.h"

TTestDatabase::TTestDatabase(const QString& fileName, bool payroll) : FFileName(fileName) {
    if (payroll)
        CreateQueltDatabase(Path());
    else
        CreateDeliveredDatabase(Path());
}

void TTestDatabase::Open(TOrvADOConnection& connection) const {
    connection.Open(Path(), QString(), QStringLiteral("Share Deny None"));
}

void Exec(TOrvADOConnection& connection, const QString& sql) { connection.Execute(sql); }
