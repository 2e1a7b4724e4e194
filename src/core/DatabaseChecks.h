#pragma once
// What makes a file the program's database, checked alike wherever one is opened: by the program at
// start-up, by zemlo-cli and by the compaction, so none of them writes a file that another refuses.

#include <QString>

struct sqlite3;

// The checks before a database file is opened: a location is given, a file exists there, and its
// attributes allow access (neither hidden nor marked read-only, readable and writable for this process).
// Raises with the check's own text.
void CheckDatabaseFile(const QString& location);

// Refuses an open database without the program's tables, naming the file: another program's database is
// neither written by start-up nor compacted.
void RequireZemloTables(sqlite3* database, const QString& location);
