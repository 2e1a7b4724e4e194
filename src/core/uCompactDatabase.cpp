#include "core/uCompactDatabase.h"

#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/statvfs.h>

std::optional<qint64> TCompactFileOperations::FreeSpace(const QString& directory, QString& error) {
    struct statvfs info {};
    if (statvfs(QFile::encodeName(directory).constData(), &info) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return std::nullopt;
    }
    return qint64(info.f_bavail) * qint64(info.f_frsize);
}

bool TCompactFileOperations::Remove(const QString& path) { return QFile::remove(path); }

bool TCompactFileOperations::Rename(const QString& from, const QString& to) { return QFile::rename(from, to); }

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

// Writes the compacted copy of source to target. The source is held exclusively meanwhile, so nothing
// changes it between the copy and the renames.
void WriteCompactedCopy(const QString& source, const QString& target) {
    TSqliteDatabase database;
    database.Open(source, TShareMode::Exclusive);
    database.ExecScript(QStringLiteral("VACUUM INTO ") + SqlText(target));
}

// A copy is put in place only when it opens as a database and passes the engine's quick check.
void VerifyCompactedCopy(const QString& path) {
    TSqliteDatabase database;
    database.Open(path, TShareMode::DenyNone);
    TSqliteStatement check(database.Handle(), QStringLiteral("PRAGMA quick_check"));
    const QString result = check.Step() ? check.ColumnValue(0).toString() : QString();
    if (result != QLatin1String("ok"))
        throw EOrvError(QStringLiteral("The compacted database is damaged: ") + result);
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

    try {
        WriteCompactedCopy(path, newPath);
        VerifyCompactedCopy(newPath);
        if (QFileInfo::exists(backupPath) && !Files().Remove(backupPath))
            throw EOrvError(QStringLiteral("Cannot delete backupfile: ") + backupPath);
    } catch (...) {
        // Nothing has been renamed yet: the database is untouched, only the copy goes.
        QFile::remove(newPath);
        throw;
    }

    if (!Files().Rename(path, backupPath)) {
        QFile::remove(newPath);
        throw EOrvError(QStringLiteral("Could not backup the current database."));
    }
    if (!Files().Rename(newPath, path)) {
        // The program must find its database at the next start: the previous one goes back under its name.
        Files().Rename(backupPath, path);
        throw EOrvError(QStringLiteral("Could not copy the new database file to it's destination. Your database "
                                       "configuration is unstable and requires technical maintenance."));
    }
}
