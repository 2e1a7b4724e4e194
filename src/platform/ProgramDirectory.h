#pragma once
// The directory of the program file, with a trailing separator: the database, the help file and the
// payroll program are looked for there. Tests point it at a temporary directory.

#include <QString>

QString ProgramDirectory();
// An empty path returns to the directory of the running program.
void SetProgramDirectory(const QString& directory);
