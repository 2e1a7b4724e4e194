#pragma once
// The operations on files that replacing a file soundly needs, each a call of the system. The Windows
// counterpart of each is named in brackets.

#include <QString>

#include <optional>

class QFileDevice;

// The free bytes of the disk holding directory (GetDiskFreeSpaceEx); nothing, with the system's text in
// error, on failure.
std::optional<qint64> FreeDiskSpace(const QString& directory, QString& error);

// Writes a file's contents to the disk (FlushFileBuffers); false, with the system's text in error, on
// failure. An error of an earlier write that the system only reports now is reported here too.
bool FlushFile(const QString& path, QString& error);
bool FlushFile(QFileDevice& file, QString& error);

// Writes the directory's entries, the names just given or changed, to the disk (nothing to do on Windows,
// whose file system journals its names).
bool FlushDirectory(const QString& directory, QString& error);

// Gives the file at from the second name to (CreateHardLink); false where the file system has none.
bool LinkFile(const QString& from, const QString& to);

// Puts from in the place of to in one step, replacing what was there (MoveFileEx with
// MOVEFILE_REPLACE_EXISTING); false, with the system's text in error, on failure.
bool ReplaceFile(const QString& from, const QString& to, QString& error);

// Whether the file is marked read-only: its owner's write permission is off (the read-only attribute).
// The mark counts for every user, also for one who may write any file.
bool IsMarkedReadOnly(const QString& path);

// Keeps an open file for its writer: RemoveIfAbandoned leaves it alone until it is closed (a file opened
// without FILE_SHARE_DELETE). False when the file had already lost its name, so it must be made again.
bool HoldWhileWriting(QFileDevice& file);

// Removes a file that a writer left when it ended (killed, crashed); a file that a running writer holds
// stays (DeleteFile, which refuses a file that is open). True when the file is gone.
bool RemoveIfAbandoned(const QString& path);
