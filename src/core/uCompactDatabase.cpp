#include "core/uCompactDatabase.h"

#include "core/DatabaseChecks.h"
#include "platform/FileOperations.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QScopeGuard>

std::optional<qint64> TCompactFileOperations::FreeSpace(const QString& directory, QString& error) {
    return FreeDiskSpace(directory, error);
}

bool TCompactFileOperations::Remove(const QString& path) { return QFile::remove(path); }

bool TCompactFileOperations::Flush(const QString& path, QString& error) { return FlushFile(path, error); }

bool TCompactFileOperations::Link(const QString& from, const QString& to) { return LinkFile(from, to); }

bool TCompactFileOperations::Copy(const QString& from, const QString& to) { return QFile::copy(from, to); }

bool TCompactFileOperations::Rename(const QString& from, const QString& to) {
    QString error;
    return ReplaceFile(from, to, error);
}

bool TCompactFileOperations::FlushDirectory(const QString& directory, QString& error) {
    return ::FlushDirectory(directory, error);
}

namespace {
constexpr qint64 kSpareBytes = 1048576;

TCompactFileOperations realOperations;
TCompactFileOperations* installedOperations = nullptr;

TCompactFileOperations& Files() { return installedOperations ? *installedOperations : realOperations; }

QString WithExtension(const QString& path, const QString& extension) {
    const QString suffix = QFileInfo(path).suffix();
    return path.left(path.size() - suffix.size() - (suffix.isEmpty() ? 0 : 1)) + extension;
}

QString SqlText(const QString& text) {
    QString doubled = text;
    doubled.replace(u'\'', QLatin1String("''"));
    return u'\'' + doubled + u'\'';
}

// The number of rows of every table, by name.
QMap<QString, qint64> RowCounts(const TSqliteDatabase& database) {
    QStringList tables;
    TSqliteStatement list(database.Handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    while (list.Step()) tables.append(list.ColumnValue(0).toString());
    QMap<QString, qint64> counts;
    for (QString table : tables) {
        TSqliteStatement count(database.Handle(), QStringLiteral("SELECT count(*) FROM \"") +
                                                      table.replace(u'"', QLatin1String("\"\"")) + u'"');
        counts.insert(table, count.Step() ? count.ColumnValue(0).toLongLong() : -1);
    }
    return counts;
}

// Writes the compacted copy of the database to target; returns the number of rows of every table. The
// database is held exclusively, so nothing changes it during the copy. The copy is written without flushes
// of its own: it is flushed once, as a whole, before it takes the database's place.
QMap<QString, qint64> WriteCompactedCopy(TSqliteDatabase& database, const QString& target) {
    const QMap<QString, qint64> rows = RowCounts(database);
    database.ExecScript(QStringLiteral("PRAGMA synchronous=OFF; VACUUM INTO ") + SqlText(target));
    // A journal that an earlier session left stays beside the database for good, and would stay beside the
    // compacted file under the same name; under the exclusive lock it is certain that nobody uses it.
    const QString leftOver = database.LeftOverJournal();
    if (!leftOver.isEmpty()) Files().Remove(leftOver);
    return rows;
}

// A copy is put in place only when it opens as a database and holds every row of every table. (The
// engine's full structure check would cost more than the copy itself, and would read the copy back from
// memory, not from the disk.)
void VerifyCompactedCopy(const QString& path, const QMap<QString, qint64>& sourceRows) {
    TSqliteDatabase database;
    database.Open(path, TShareMode::DenyNone);
    const QMap<QString, qint64> rows = RowCounts(database);
    for (auto table = sourceRows.begin(); table != sourceRows.end(); ++table)
        if (rows.value(table.key(), -1) != table.value())
            throw EOrvError(
                QStringLiteral("De gecomprimeerde kopie is onvolledig: tabel %1 heeft %2 rijen in plaats van %3")
                    .arg(table.key(), QString::number(rows.value(table.key(), 0)), QString::number(table.value())));
}
}

void SetCompactFileOperations(TCompactFileOperations* operations) { installedOperations = operations; }

// The engine has no engine types or passwords: the copy is always in its own format, without password.
void CompactJetDatabase(const QString& path, int /*engineType*/, const QString& /*password*/,
                        const QString& /*newPassword*/, bool encrypt) {
    if (encrypt) throw EOrvError(QStringLiteral("Encrypted databases are not supported"));
    const QFileInfo file(path);
    const QString extension = file.suffix().isEmpty() ? QString() : u'.' + file.suffix();
    const QString lower = extension.toLower();
    if (lower != QLatin1String(".mdb") && lower != QLatin1String(".mde"))
        throw EOrvError(QStringLiteral("File extension unknown: ") + extension);
    if (!file.isFile())
        throw EOrvError(
            QStringLiteral("Could not compact database, because the specified database file does not exists: ") + path);

    // Refused as the program refuses it (read-only, another program's database), and then held exclusively
    // until the compacted copy has the name: a writer that came in between would write into the file that
    // becomes the backup, and its change would be lost. A writer that waits for the lock meanwhile finds the
    // file moved when it gets it, and opens the compacted one (TSqliteDatabase::Open).
    CheckDatabaseFile(path);
    TSqliteDatabase database;
    database.Open(path, TShareMode::Exclusive);
    RequireZemloTables(database.Handle(), path);

    const QString backupPath = WithExtension(path, QStringLiteral(".bak"));
    const QString newPath = WithExtension(path, QStringLiteral(".new"));
    if (QFileInfo::exists(newPath) && !Files().Remove(newPath))
        throw EOrvError(QStringLiteral("A temporary file could not be deleted: ") + newPath);

    const QString directory = file.absolutePath();
    QString systemError;
    const std::optional<qint64> freeSpace = Files().FreeSpace(directory, systemError);
    if (!freeSpace)
        throw EOrvError(QStringLiteral("Internal error. The free space for directory ") + directory +
                        QStringLiteral(" cannot be determined: ") + systemError);
    if (*freeSpace < file.size() + kSpareBytes)
        throw EOrvError(QStringLiteral("Directory ") + directory + QStringLiteral(" does not have enough ") +
                        QStringLiteral("free space to perform this operation: ") + QString::number(*freeSpace));

    // Until the compacted copy has taken the database's name, a failure leaves only the database behind.
    auto dropCopy = qScopeGuard([&] {
        if (QFileInfo::exists(newPath)) Files().Remove(newPath);
    });
    VerifyCompactedCopy(newPath, WriteCompactedCopy(database, newPath));
    if (!Files().Flush(newPath, systemError))
        throw EOrvError(QStringLiteral("Het gecomprimeerde bestand %1 kon niet naar de schijf worden geschreven: %2")
                            .arg(newPath, systemError));
    if (QFileInfo::exists(backupPath) && !Files().Remove(backupPath))
        throw EOrvError(QStringLiteral("Cannot delete backupfile: ") + backupPath);
    // The previous database becomes the backup without leaving its name: a second name for the same file,
    // or a flushed copy where the file system has no hard links.
    if (!Files().Link(path, backupPath) && !(Files().Copy(path, backupPath) && Files().Flush(backupPath, systemError)))
        throw EOrvError(QStringLiteral("Could not backup the current database."));
    if (!Files().Rename(newPath, path))
        throw EOrvError(QStringLiteral("Could not copy the new database file to it's destination. Your database "
                                       "configuration is unstable and requires technical maintenance."));
    dropCopy.dismiss();
    if (!Files().FlushDirectory(directory, systemError))
        throw EOrvError(
            QStringLiteral("De map %1 kon niet naar de schijf worden geschreven: %2").arg(directory, systemError));
}
