#include "platform/SqliteEngine.h"

#include "support/OrvErrors.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <functional>
#include <sqlite3.h>

namespace {
// How long an open waits for a lock another process holds before it reports the database as in use.
constexpr int kBusyTimeoutMs = 250;

// SWITCH(c1, v1, c2, v2, ...): the value of the first pair whose condition is true, else NULL.
void SwitchFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    for (int i = 0; i + 1 < argc; i += 2) {
        sqlite3_value* condition = argv[i];
        if (sqlite3_value_type(condition) != SQLITE_NULL && sqlite3_value_double(condition) != 0.0) {
            sqlite3_result_value(context, argv[i + 1]);
            return;
        }
    }
    sqlite3_result_null(context);
}

// IIF(condition, a, b) typed as the database the statements were written for types it: a whole number
// chosen beside a fractional other branch is a fraction, so IIF(x, Bedrag, 0) is an amount in every row.
void IifFunction(sqlite3_context* context, int, sqlite3_value** argv) {
    const bool yes = sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0.0;
    sqlite3_value* chosen = argv[yes ? 1 : 2];
    sqlite3_value* other = argv[yes ? 2 : 1];
    if (sqlite3_value_type(chosen) == SQLITE_INTEGER && sqlite3_value_type(other) == SQLITE_FLOAT)
        sqlite3_result_double(context, sqlite3_value_double(chosen));
    else
        sqlite3_result_value(context, chosen);
}

qint64 executedStatements = 0;
qint64 failingExecution = 0;

// Every execution passes here; the test hook makes the chosen one fail before it reaches the engine.
void CountExecution() {
    if (++executedStatements == failingExecution) {
        failingExecution = 0;
        throw EDatabaseError(QStringLiteral("Injected failure"));
    }
}

void Check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE) throw EDatabaseError(EngineMessage(db));
}
}

QString EngineMessage(sqlite3* db) {
    return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory");
}

namespace {
// Applies edit to every stretch of sql outside quoted text ('...' and "...", a doubled quote standing for
// one inside); quoted text is kept as written. An unterminated quote runs to the end.
QString EditOutsideQuotes(const QString& sql, const std::function<QString(const QString&)>& edit) {
    QString result;
    qsizetype plainStart = 0;
    qsizetype i = 0;
    while (i < sql.size()) {
        const QChar quote = sql[i];
        if (quote != u'\'' && quote != u'"') {
            ++i;
            continue;
        }
        result += edit(sql.mid(plainStart, i - plainStart));
        qsizetype end = i + 1;
        while (end < sql.size() && (sql[end] != quote || (end + 1 < sql.size() && sql[end + 1] == quote)))
            end += sql[end] == quote ? 2 : 1;
        end = qMin(end + 1, sql.size());
        result += sql.mid(i, end - i);
        i = plainStart = end;
    }
    return result + edit(sql.mid(plainStart));
}
}

QString TranslateJetSql(const QString& sql) {
    static const QRegularExpression identity(QStringLiteral("@@identity"), QRegularExpression::CaseInsensitiveOption);
    // Anchored at the start, so it never reaches into quoted text.
    static const QRegularExpression top(QStringLiteral("^(\\s*select\\s+)top\\s+(\\d+)\\s+"),
                                        QRegularExpression::CaseInsensitiveOption);
    QString result = EditOutsideQuotes(
        sql, [](QString plain) { return plain.replace(identity, QStringLiteral("last_insert_rowid()")); });
    const QRegularExpressionMatch m = top.match(result);
    if (m.hasMatch()) {
        const QString rows = m.captured(2);
        result = m.captured(1) + result.mid(m.capturedEnd()).trimmed();
        if (result.endsWith(u';')) result.chop(1);
        result += QStringLiteral(" LIMIT ") + rows;
    }
    return result;
}

TFieldType FieldTypeFromDeclaredType(const QString& declaredType, int* maxLength) {
    static const QRegularExpression lengthPattern(QStringLiteral("\\(\\s*(\\d+)"));
    const QString type = declaredType.trimmed().toUpper();
    if (maxLength) {
        const QRegularExpressionMatch m = lengthPattern.match(type);
        const int length = m.hasMatch() ? m.captured(1).toInt() : 0;
        *maxLength = (length < 0 || length > 16000) ? 0 : length;
    }
    if (type.isEmpty()) return TFieldType::ftUnknown;
    if (type.startsWith(u"BOOL") || type == u"BIT" || type == u"YESNO") return TFieldType::ftBoolean;
    if (type.startsWith(u"DATETIME") || type.startsWith(u"TIMESTAMP")) return TFieldType::ftDateTime;
    if (type.startsWith(u"DATE")) return TFieldType::ftDate;
    if (type.startsWith(u"TIME")) return TFieldType::ftTime;
    if (type.startsWith(u"SMALLINT")) return TFieldType::ftSmallint;
    if (type.startsWith(u"BIGINT")) return TFieldType::ftLargeint;
    if (type.contains(u"INT")) return TFieldType::ftInteger;
    if (type.startsWith(u"CURRENCY") || type.startsWith(u"MONEY")) return TFieldType::ftCurrency;
    if (type.startsWith(u"DOUBLE") || type.startsWith(u"FLOAT") || type.startsWith(u"REAL") ||
        type.startsWith(u"NUMERIC") || type.startsWith(u"DECIMAL"))
        return TFieldType::ftFloat;
    if (type.startsWith(u"TEXT") || type.startsWith(u"MEMO") || type.startsWith(u"CLOB")) return TFieldType::ftMemo;
    return TFieldType::ftString;
}

QVariant FromEngineValue(const QVariant& value, TFieldType type) {
    if (value.isNull()) return QVariant();
    if (IsDateTimeType(type) && value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        QDateTime moment = QDateTime::fromString(text, QLatin1String(kDateTimeFormat));
        if (!moment.isValid()) moment = QDateTime::fromString(text, Qt::ISODate);
        return moment.isValid() ? QVariant(moment) : QVariant();
    }
    return ConvertToFieldType(value, type);
}

QVariant ToEngineValue(const QVariant& value) {
    if (value.isNull()) return QVariant();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime().toString(QLatin1String(kDateTimeFormat));
    case QMetaType::QDate:
        return value.toDate().startOfDay().toString(QLatin1String(kDateTimeFormat));
    case QMetaType::Bool:
        return qint64(value.toBool() ? 1 : 0);
    default:
        return value;
    }
}

namespace {
// The first bytes of a database file of the engine, and of an Access (Jet 3/4, ACE) database.
const QByteArray kEngineHeader("SQLite format 3\0", 16);
const QByteArray kJetHeader("\x00\x01\x00\x00Standard Jet DB", 19);
const QByteArray kAceHeader("\x00\x01\x00\x00Standard ACE DB", 19);

QByteArray FirstBytes(const QString& path, qint64 count) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(count) : QByteArray();
}

// The message for a file the engine refused as no database or as damaged: what the file is, judged by its
// first bytes, and the engine's own message after it.
QString UnusableFileMessage(const QString& path, int errorCode, const QString& engineMessage) {
    const QByteArray head = FirstBytes(path, kJetHeader.size());
    if (head.startsWith(kJetHeader) || head.startsWith(kAceHeader))
        return QStringLiteral("Het bestand \"%1\" is een Access-database (Jet/ACE) en geen Pavenda-database: %2")
            .arg(path, engineMessage);
    // The engine's header, or the first part of it in a file cut short, is a database of the program's
    // engine that has been damaged.
    const QByteArray engineHead = head.left(kEngineHeader.size());
    if (errorCode == SQLITE_CORRUPT || (!engineHead.isEmpty() && kEngineHeader.startsWith(engineHead)))
        return QStringLiteral("Het bestand \"%1\" is beschadigd: %2").arg(path, engineMessage);
    return NotAPavendaDatabase(path) + engineMessage;
}
}

QString NotAPavendaDatabase(const QString& path) {
    return QStringLiteral("Het bestand \"%1\" is geen Pavenda-database: ").arg(path);
}

namespace {
// How often an open tries again when the file it got has been moved from the name meanwhile.
constexpr int kMovedAttempts = 3;

QString InUseMessage(const QString& path) {
    return QStringLiteral("The database is in use by another process: ") + path;
}

// What every connection needs before its first statement.
void Prepare(sqlite3* db) {
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_extended_result_codes(db, 1);
    Check(db, sqlite3_create_function_v2(db, "SWITCH", -1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, SwitchFunction,
                                         nullptr, nullptr, nullptr));
    Check(db, sqlite3_create_function_v2(db, "IIF", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, IifFunction,
                                         nullptr, nullptr, nullptr));
}
}

void TSqliteDatabase::OpenInMemory() {
    Close();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString message = EngineMessage(db);
        sqlite3_close(db);
        throw EDatabaseError(message);
    }
    FHandle = db;
    try {
        Prepare(db);
    } catch (...) {
        Close();
        throw;
    }
}

void TSqliteDatabase::Open(const QString& path, TShareMode mode) {
    // A compaction gives the database's name to the compacted copy while it still holds the previous file.
    // An open that waited for that lock holds the previous file, the backup now, once it gets it, where the
    // engine would refuse every write ("attempt to write a readonly database"): it opens the file under the
    // name again.
    for (int attempt = 1;; ++attempt) {
        OpenFile(path, mode);
        int moved = 0;
        if (sqlite3_file_control(FHandle, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || !moved) return;
        Close();
        if (attempt == kMovedAttempts) throw EDatabaseError(InUseMessage(path));
    }
}

void TSqliteDatabase::OpenFile(const QString& path, TShareMode mode) {
    Close();
    // The engine takes an empty file for an empty database and would make it one at the first write.
    const QFileInfo file(path);
    if (file.isFile() && file.size() == 0)
        throw EDatabaseError(QStringLiteral("Het bestand \"%1\" is leeg: het bevat geen Pavenda-database.").arg(path));
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = EngineMessage(db);
        sqlite3_close(db);
        throw EDatabaseError(message);
    }
    FHandle = db;
    try {
        Prepare(db);
        // Only the main database is held exclusively: a database attached later (the target of a compaction)
        // keeps normal locking, which removes its rollback journal at every commit.
        if (mode == TShareMode::Exclusive) ExecScript(QStringLiteral("PRAGMA main.locking_mode=EXCLUSIVE;"));
        // Reading the schema finds a file that is no database, or a damaged one, before anything can write
        // to it: the exclusive lock's write transaction would already correct the header of a damaged file.
        ExecScript(QStringLiteral("SELECT count(*) FROM sqlite_master;"));
        if (mode == TShareMode::Exclusive) ExecScript(QStringLiteral("BEGIN EXCLUSIVE; COMMIT;"));
    } catch (EDatabaseError& e) {
        const int code = sqlite3_errcode(db) & 0xff;
        Close();
        if (code == SQLITE_BUSY) throw EDatabaseError(InUseMessage(path));
        if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
            throw EDatabaseError(UnusableFileMessage(path, code, e.Message()));
        throw;
    }
}

QString TSqliteDatabase::LeftOverJournal() const {
    if (!FHandle) return QString();
    sqlite3_file* journal = nullptr;
    if (sqlite3_file_control(FHandle, "main", SQLITE_FCNTL_JOURNAL_POINTER, &journal) != SQLITE_OK ||
        (journal && journal->pMethods))
        return QString();
    const QString path = QString::fromUtf8(sqlite3_db_filename(FHandle, "main")) + QStringLiteral("-journal");
    return QFileInfo::exists(path) ? path : QString();
}

void TSqliteDatabase::Close() {
    if (!FHandle) return;
    sqlite3_close_v2(FHandle);
    FHandle = nullptr;
}

void TSqliteDatabase::ExecScript(const QString& sql) {
    CountExecution();
    char* error = nullptr;
    if (sqlite3_exec(FHandle, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString message = error ? QString::fromUtf8(error) : EngineMessage(FHandle);
        sqlite3_free(error);
        throw EDatabaseError(message);
    }
}

bool TSqliteDatabase::InTransaction() const { return FHandle && sqlite3_get_autocommit(FHandle) == 0; }

qint64 TSqliteDatabase::LastInsertId() const { return FHandle ? sqlite3_last_insert_rowid(FHandle) : 0; }

void TSqliteDatabase::CreateFromScript(const QString& path, const QString& script) {
    if (QFile::exists(path)) throw EOrvError(QStringLiteral("Bestand bestaat al: ") + path);
    sqlite3* db = nullptr;
    const int rc =
        sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    QString error;
    if (rc != SQLITE_OK) {
        error = EngineMessage(db);
    } else {
        char* message = nullptr;
        const QString wrapped = QStringLiteral("BEGIN;\n") + script + QStringLiteral("\nCOMMIT;");
        if (sqlite3_exec(db, wrapped.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK) {
            error = message ? QString::fromUtf8(message) : EngineMessage(db);
            sqlite3_free(message);
        }
    }
    sqlite3_close(db);
    if (!error.isEmpty()) {
        Remove(path);
        throw EDatabaseError(error);
    }
}

void TSqliteDatabase::Remove(const QString& path) {
    QFile::remove(path + QStringLiteral("-journal"));
    QFile::remove(path);
}

TSqliteStatement::TSqliteStatement(sqlite3* db, const QString& sql) : FDb(db) {
    if (!db) throw EDatabaseError(QStringLiteral("Connection is not open"));
    const QByteArray text = TranslateJetSql(sql).toUtf8();
    Check(db, sqlite3_prepare_v2(db, text.constData(), int(text.size()), &FStmt, nullptr));
    if (!FStmt) throw EDatabaseError(QStringLiteral("Empty statement"));
}

TSqliteStatement::~TSqliteStatement() { sqlite3_finalize(FStmt); }

QStringList TSqliteStatement::ParameterNames() const {
    QStringList names;
    for (int i = 1; i <= sqlite3_bind_parameter_count(FStmt); ++i) {
        const char* name = sqlite3_bind_parameter_name(FStmt, i);
        if (name) names.append(QString::fromUtf8(name + 1));
    }
    return names;
}

void TSqliteStatement::Bind(const QString& name, const QVariant& value) {
    int index = 0;
    for (int i = 1; i <= sqlite3_bind_parameter_count(FStmt) && index == 0; ++i) {
        const char* n = sqlite3_bind_parameter_name(FStmt, i);
        if (n && QString::fromUtf8(n + 1).compare(name, Qt::CaseInsensitive) == 0) index = i;
    }
    if (index == 0) throw EDatabaseError(QStringLiteral("Parameter '%1' not found").arg(name));
    const QVariant v = ToEngineValue(value);
    int rc;
    if (v.isNull()) {
        rc = sqlite3_bind_null(FStmt, index);
    } else {
        switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
            rc = sqlite3_bind_int64(FStmt, index, v.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(FStmt, index, v.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob(FStmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = v.toString().toUtf8();
            rc = sqlite3_bind_text(FStmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    Check(FDb, rc);
}

bool TSqliteStatement::Step() {
    if (!sqlite3_stmt_busy(FStmt)) CountExecution();
    const int rc = sqlite3_step(FStmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw EDatabaseError(EngineMessage(FDb));
}

int TSqliteStatement::ColumnCount() const { return sqlite3_column_count(FStmt); }

QString TSqliteStatement::ColumnName(int column) const { return QString::fromUtf8(sqlite3_column_name(FStmt, column)); }

QString TSqliteStatement::ColumnDeclaredType(int column) const {
    const char* type = sqlite3_column_decltype(FStmt, column);
    return type ? QString::fromUtf8(type) : QString();
}

int TSqliteStatement::ColumnStorageClass(int column) const { return sqlite3_column_type(FStmt, column); }

QVariant TSqliteStatement::ColumnValue(int column) const {
    switch (sqlite3_column_type(FStmt, column)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_column_int64(FStmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(FStmt, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(FStmt, column)),
                                 sqlite3_column_bytes(FStmt, column));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_column_blob(FStmt, column)),
                          sqlite3_column_bytes(FStmt, column));
    default:
        return QVariant();
    }
}

int TSqliteStatement::Changes() const { return sqlite3_changes(FDb); }

void TSqliteStatement::Reset() { sqlite3_reset(FStmt); }

void FailStatementExecution(int n) { failingExecution = n > 0 ? executedStatements + n : 0; }

qint64 ExecutedStatements() { return executedStatements; }
