#pragma once
// Deterministic fictitious data for the demo database and the benchmarks: concerns, month and four-week
// employers with valid wage tax numbers, provisional and definitive wage sums, costs of all four types.

#include <QString>

class TOrvADOConnection;

struct TDemoOptions {
    int Werkgevers = 40;
    quint32 Seed = 2024;
    int WerkgeversPerConcern = 4;  // about this many employers share a concern; some employers have none
    // Per employer: a definitive and a provisional wage sum for every period, and this many cost entries.
    // Zero gives the demo's realistic mix instead (the last periods provisional only, 5 to 15 entries).
    int KostenPerWerkgever = 0;
};

// Fills an opened, empty delivered database in one transaction.
void FillDemoDatabase(TOrvADOConnection& connection, const TDemoOptions& options);

// Writes a new delivered database at path and fills it; on failure nothing stays at path.
void CreateDemoDatabase(const QString& path, const TDemoOptions& options);

struct TDemoQueltOptions {
    quint32 Seed = 2024;
    double Bekend = 0.75;  // about this share of the program's employers is known to the payroll
    int Onbekend = 6;      // payroll employers the program does not know
    // Per employer, dated from December 2023 to January 2025; about half in column 14 (the wage).
    int BoekingenPerWerkgever = 150;
};

// Writes a new payroll database at path whose employers partly match those of the program's database on
// the open connection zemlo: one to three versions each with different start dates, month and four-week
// employers (now and then another kind or name than the program holds), and their bookings. On failure
// nothing stays at path.
void CreateDemoQueltDatabase(const QString& path, TOrvADOConnection& zemlo, const TDemoQueltOptions& options);
