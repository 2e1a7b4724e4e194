#pragma once
// Program-wide state set during start-up.

#include <QString>

// True when the command line holds the switch quelt_start: payroll mode.
extern bool QueltStart;
// True after opening the own database failed: closing the main window then asks nothing.
extern bool SluitZonderVraag;

// The name and extension of the program's own database file.
inline constexpr const char* kZemloDatabaseName = "Zemlo2024";
inline constexpr const char* kDatabaseExtension = ".mdb";

// The database password in the form the program stores it (20 characters).
extern const char* const kScrambledPassword;
// Turns the stored text back into the password, character by character.
QString UnscramblePassword(const QString& scrambled);

// The exit code of the process once the main data module is gone: 1 when the shut-down (the compaction of
// the own database) failed and was reported, else 0. The program's main returns it.
extern int ShutdownExitCode;
