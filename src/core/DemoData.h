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

// Writes a new delivered database at path and fills it.
void CreateDemoDatabase(const QString& path, const TDemoOptions& options);
