#pragma once
// Compaction of the program's own database at shut-down: the database is copied into a new, compacted
// file, the previous file stays beside it as ".bak" and the compacted file takes the database's name.

#include <QString>

#include <optional>

// The file operations of the compaction. Tests install their own to make the disk full, an operation fail,
// record the order of the operations or end the process half-way.
class TCompactFileOperations {
public:
    virtual ~TCompactFileOperations() = default;
    // The free bytes of the disk holding directory; nothing, with the system's text in error, on failure.
    virtual std::optional<qint64> FreeSpace(const QString& directory, QString& error);
    virtual bool Remove(const QString& path);
    // Writes the file's contents to the disk (fsync); false, with the system's text in error, on failure.
    virtual bool Flush(const QString& path, QString& error);
    // Gives the file at from the second name to (a hard link); false where the file system has none.
    virtual bool Link(const QString& from, const QString& to);
    // Copies from to to, where the file system has no hard links.
    virtual bool Copy(const QString& from, const QString& to);
    // Puts from in the place of to in one step, replacing it.
    virtual bool Rename(const QString& from, const QString& to);
    // Writes the directory's entries, the names just given or changed, to the disk (fsync of the directory).
    virtual bool FlushDirectory(const QString& directory, QString& error);
};

// Installs the file operations (not owned); nullptr returns to the real ones.
void SetCompactFileOperations(TCompactFileOperations* operations);

// The Jet 4.0 format that the program asks for.
inline constexpr int kJetEngineType = 5;

// Compacts the closed database file at path (extension ".mdb" or ".mde", any case). The engine keeps no
// engine types or database passwords, so engineType and the passwords only describe the request; an
// encrypted result is refused. A file that the program would refuse to open (marked read-only, hidden,
// another program's database) is refused alike and left as it was. Raises EOrvError with the reason on
// failure.
//
// The database keeps its name at every moment, so an interruption (a crash, a power cut) at any point
// leaves a complete database under it: the compacted copy is flushed to disk, the previous database gets
// the backup name as a second name (a copy where the file system has no hard links), the copy replaces the
// database in one rename, and the directory is flushed last. A failure leaves the database as it was. The
// database is held exclusively until the copy has its name, so no change made meanwhile ends up in the
// backup.
void CompactJetDatabase(const QString& path, int engineType, const QString& password, const QString& newPassword,
                        bool encrypt);
