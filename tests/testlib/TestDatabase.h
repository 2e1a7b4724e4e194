#pragma once
// Fresh databases in a temporary directory for tests.

#include <QString>
#include <QTemporaryDir>

class TOrvADOConnection;

class TTestDatabase {
public:
    // Writes a delivered database (or a payroll one) named fileName in a new temporary directory.
    explicit TTestDatabase(const QString& fileName = QStringLiteral("Zemlo2024.mdb"), bool payroll = false);
    QString Path() const { return FDir.filePath(FFileName); }
    QString Directory() const { return FDir.path(); }
    // Opens connection on the database shared.
    void Open(TOrvADOConnection& connection) const;

private:
    QTemporaryDir FDir;
    QString FFileName;
};

// Runs a statement on an open connection (test set-up); raises on failure.
void Exec(TOrvADOConnection& connection, const QString& sql);
