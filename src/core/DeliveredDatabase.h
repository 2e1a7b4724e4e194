#pragma once
// Writing new database files: the program's delivered database and, for tests and the demo, a payroll
// database with the tables the exchange uses.

#include <QString>

// Both refuse to overwrite an existing file.
void CreateDeliveredDatabase(const QString& path);
void CreateQueltDatabase(const QString& path);
