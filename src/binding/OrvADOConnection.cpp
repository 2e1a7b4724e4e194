#include "binding/OrvADOConnection.h"

#include "platform/AccessFile.h"
#include "support/OrvErrors.h"

TOrvADOConnection::TOrvADOConnection(QObject* owner) : QObject(owner), FConnectionInfo(&FDatabase) {}

TOrvADOConnection::~TOrvADOConnection() = default;

void TOrvADOConnection::Open(const QString& location, const QString& password, const QString& mode) {
    TShareMode shareMode;
    if (mode.compare(QLatin1String("Share Exclusive"), Qt::CaseInsensitive) == 0)
        shareMode = TShareMode::Exclusive;
    else if (mode.compare(QLatin1String("Share Deny None"), Qt::CaseInsensitive) == 0)
        shareMode = TShareMode::DenyNone;
    else
        throw EDBComponentError(QStringLiteral("Unknown share mode: ") + mode);
    Close();
    FConnectionString = QStringLiteral("Data Source=") + location + QStringLiteral(";Mode=") + mode;
    if (!password.isEmpty()) FConnectionString += QStringLiteral(";Database Password=") + password;
    FLocation = location;
    FDatabase.Open(location, shareMode);
    FConnectionInfo.Flush();
}

void TOrvADOConnection::OpenAccessFile(const QString& location) {
    Close();
    FConnectionString = QStringLiteral("Data Source=") + location + QStringLiteral(";Mode=Read");
    FLocation = location;
    FDatabase.OpenInMemory();
    try {
        CopyAccessFile(location, FDatabase.Handle());
    } catch (...) {
        Close();
        throw;
    }
    FAccessCopy = true;
    FConnectionInfo.Flush();
}

void TOrvADOConnection::Close() {
    FDatabase.Close();
    FAccessCopy = false;
    FConnectionInfo.Flush();
}

sqlite3* TOrvADOConnection::Handle() const {
    if (!FDatabase.IsOpen()) throw EDatabaseError(QStringLiteral("Connection is not open"));
    return FDatabase.Handle();
}

void TOrvADOConnection::BeginTrans() {
    Handle();
    FDatabase.ExecScript(QStringLiteral("BEGIN"));
}

void TOrvADOConnection::CommitTrans() {
    Handle();
    FDatabase.ExecScript(QStringLiteral("COMMIT"));
}

void TOrvADOConnection::RollbackTrans() {
    Handle();
    FDatabase.ExecScript(QStringLiteral("ROLLBACK"));
}

int TOrvADOConnection::Execute(const QString& sql) {
    TSqliteStatement statement(Handle(), sql);
    while (statement.Step()) {
    }
    return statement.Changes();
}
