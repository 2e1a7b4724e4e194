#pragma once
// The program's database connection: one database file, opened shared or exclusively, with transactions,
// the last assigned counter and a cached schema description.

#include "binding/DBDescription.h"
#include "platform/SqliteEngine.h"

#include <QObject>
#include <QString>

class TOrvADOConnection : public QObject {
    Q_OBJECT
public:
    explicit TOrvADOConnection(QObject* owner = nullptr);
    ~TOrvADOConnection() override;

    // Opens the database file; mode is "Share Exclusive" or "Share Deny None". The password is kept for
    // the connection string only: the engine has no database passwords.
    void Open(const QString& location, const QString& password, const QString& mode);
    // Opens a copy in memory of the Access file at location (AccessFile.h); the file itself is never
    // written, so what is changed through the connection is gone when it closes.
    void OpenAccessFile(const QString& location);
    void Close();
    bool Connected() const { return FDatabase.IsOpen(); }
    // Whether the connection holds a copy of an Access file rather than the file itself.
    bool IsAccessCopy() const { return FAccessCopy && Connected(); }

    // The text that names what the connection opens; a dummy text makes sure nothing opens it implicitly.
    QString ConnectionString() const { return FConnectionString; }
    void SetConnectionString(const QString& text) { FConnectionString = text; }
    QString DatabaseLocation() const { return FLocation; }

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return FDatabase.InTransaction(); }

    // Runs a statement without result rows and returns the number of affected rows.
    int Execute(const QString& sql);
    qint64 LastInsertId() const { return FDatabase.LastInsertId(); }

    TDBDescription& ConnectionInfo() { return FConnectionInfo; }
    // Raises "Connection is not open" when closed.
    sqlite3* Handle() const;

private:
    TSqliteDatabase FDatabase;
    TDBDescription FConnectionInfo;
    QString FConnectionString;
    QString FLocation;
    bool FAccessCopy = false;
};

// Runs body in a transaction: begins one only when none is open, commits at the end, and rolls back on an
// error only when it began it.
template <class Body> void RunInTransaction(TOrvADOConnection& connection, Body&& body) {
    const bool began = !connection.InTransaction();
    if (began) connection.BeginTrans();
    try {
        body();
        if (began) connection.CommitTrans();
    } catch (...) {
        if (began && connection.InTransaction()) connection.RollbackTrans();
        throw;
    }
}
