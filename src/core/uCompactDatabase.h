#pragma once
// Compaction of the program's own database at shut-down: the database is copied into a new, compacted
// file, the previous file stays beside it as ".bak" and the compacted file takes the database's name.

#include <QString>
#include <optional>

// The file operations of the compaction. Tests install their own to make the disk full or a rename fail.
class TCompactFileOperations {
public:
    virtual ~TCompactFileOperations() = default;
    // The free bytes of the disk holding directory; nothing, with the system's text in error, on failure.
    virtual std::optional<qint64> FreeSpace(const QString& directory, QString& error);
    virtual bool Remove(const QString& path);
    virtual bool Rename(const QString& from, const QString& to);
};

// Installs the file operations (not owned); nullptr returns to the real ones.
void SetCompactFileOperations(TCompactFileOperations* operations);

// The Jet 4.0 format that the program asks for.
inline constexpr int kJetEngineType = 5;

// Compacts the closed database file at path (extension ".mdb" or ".mde", any case). The engine keeps no
// engine types or database passwords, so engineType and the passwords only describe the request; an
// encrypted result is refused. Raises EOrvError with the reason on failure: a failure before the renames
// leaves the database untouched, and when the compacted file cannot take the database's name the previous
// database is put back under it.
void CompactJetDatabase(const QString& path, int engineType, const QString& password,
                        const QString& newPassword, bool encrypt);
