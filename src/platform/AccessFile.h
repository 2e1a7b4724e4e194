#pragma once
// Access (Jet) files of the previous year's program and of a payroll program installed on Windows: read,
// never written, through libmdb into a database of the program's engine with the same tables and columns.

#include <QString>

struct sqlite3;

// Whether the file begins with the signature of an Access database (Jet 3/4 or ACE).
bool IsAccessFile(const QString& path);

// Creates in db every user table of the Access file, with its columns in their order and declared types the
// adapter knows (Long Integer as INTEGER, Text(n) as VARCHAR(n), Memo as MEMO, DateTime as DATETIME, Boolean
// as BOOLEAN, Double as DOUBLE, Currency as CURRENCY), and copies every row, NULLs kept (OLE objects are left
// empty). A file that libmdb cannot read is refused with a Dutch message naming it.
void CopyAccessFile(const QString& path, sqlite3* db);
