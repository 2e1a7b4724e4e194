#pragma once
// The database engine adapter: SQLite, made to accept the Jet dialect in which the program's statements
// are written. Everything engine-specific lives here; the connection and query classes build on it.

#include "support/DataSet.h"

#include <QString>
#include <QStringList>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

// The text form of every stored date and time; it orders and compares correctly as text.
inline constexpr const char* kDateTimeFormat = "yyyy-MM-dd HH:mm:ss";

// Rewrites the Jet points SQLite does not know: "TOP n" (to LIMIT n) and "@@Identity"; quoted text is
// never changed.
QString TranslateJetSql(const QString& sql);

// The field type and maximum text length (0 when none) of a declared column type such as "VARCHAR(60)".
TFieldType FieldTypeFromDeclaredType(const QString& declaredType, int* maxLength = nullptr);

// The program value of an engine value read from a field of this type (dates parsed, booleans as bool).
QVariant FromEngineValue(const QVariant& value, TFieldType type);

// The engine value of a program value: dates as text in kDateTimeFormat, booleans as 1/0.
QVariant ToEngineValue(const QVariant& value);

enum class TShareMode { DenyNone, Exclusive };

class TSqliteDatabase {
public:
    TSqliteDatabase() = default;
    ~TSqliteDatabase() { Close(); }
    TSqliteDatabase(const TSqliteDatabase&) = delete;
    TSqliteDatabase& operator=(const TSqliteDatabase&) = delete;

    // Opens an existing database file; Exclusive takes and keeps the exclusive lock so no other process can
    // read or write. Fails fast when another process holds the file. A file that is empty, no database of
    // the engine (an Access file among them) or damaged is refused with a Dutch message naming the file,
    // the engine's message after it, and is never written. What is opened is the file under the name when
    // the open is done, also when another process gave the name to another file meanwhile.
    void Open(const QString& path, TShareMode mode);
    // Opens an empty database in memory, with the same functions as a file's.
    void OpenInMemory();
    void Close();
    bool IsOpen() const { return FHandle != nullptr; }
    sqlite3* Handle() const { return FHandle; }

    // Runs statements without parameters or result rows.
    void ExecScript(const QString& sql);
    bool InTransaction() const;
    // The rollback journal that an earlier session left beside the database when it ended without closing
    // (exclusive locking keeps the journal, its header zeroed, as long as the session lasts); empty when
    // there is none or the engine itself holds it open. Only while this connection holds the exclusive lock
    // is it certain that nobody uses that file.
    QString LeftOverJournal() const;
    qint64 LastInsertId() const;

    // Creates a new database file from a script; refuses an existing path. A failure (a full disk) leaves
    // nothing behind.
    static void CreateFromScript(const QString& path, const QString& script);
    // Removes a closed database file with the journal that the engine may have left beside it: a journal
    // that stayed would be taken for the journal of a later file under the same name.
    static void Remove(const QString& path);

private:
    void OpenFile(const QString& path, TShareMode mode);

    sqlite3* FHandle = nullptr;
};

// One prepared statement with its result columns; parameters are matched by name without regard to case.
class TSqliteStatement {
public:
    TSqliteStatement(sqlite3* db, const QString& sql);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    // The names of the statement's parameters, without the leading ':'.
    QStringList ParameterNames() const;
    void Bind(const QString& name, const QVariant& value);
    // Steps to the next row; false when the statement is done.
    bool Step();
    int ColumnCount() const;
    QString ColumnName(int column) const;
    // The declared type of a table column, empty for a computed column.
    QString ColumnDeclaredType(int column) const;
    // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_BLOB or SQLITE_NULL of the current row.
    int ColumnStorageClass(int column) const;
    QVariant ColumnValue(int column) const;  // raw: qint64, double, QString, QByteArray or null
    int Changes() const;
    // Makes the statement ready to run again; bound values stay.
    void Reset();

private:
    sqlite3* FDb;
    sqlite3_stmt* FStmt = nullptr;
};

QString EngineMessage(sqlite3* db);

// Test hook for failure paths: the n-th statement execution from now (1: the next) fails as an engine error
// "Injected failure"; 0 switches it off. Every run of a statement and every script counts, so a test can
// count a run with ExecutedStatements() and then fail each of its executions in turn.
void FailStatementExecution(int n);
qint64 ExecutedStatements();

// The start of the message for a file that is no database of the program; the engine's message follows.
QString NotAPavendaDatabase(const QString& path);
