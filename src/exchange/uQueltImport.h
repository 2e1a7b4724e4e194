#pragma once
// The imports from the payroll database: the employers it knows and the program does not, and the wage
// sums booked in column 14 per employer and period. Each is a payroll run: it changes the program's
// database in one transaction and gives back its result; its caller asks and reports.

#include "exchange/uQueltKoppeling.h"

#include <QDate>

class TdmMain;
class TOrvADOConnection;

// Copies the payroll employers (their current version) whose wage tax number the program does not hold
// into Werkgevers. Never changes or removes an existing employer.
class TWerkgeversImport : public TQueltUitwisseling {
public:
    explicit TWerkgeversImport(TdmMain& data);

private:
    void Openen() override;
    TOrvADOConnection& Doel() override;
    QString Werk(TProgress& progress) override;
};

// Brings the definitive wage sums of every employer known to both programs up to date for every period of
// 2024; provisional wage sums are never touched, and a period without bookings keeps its wage sums.
class TLoonsommenImport : public TQueltUitwisseling {
public:
    explicit TLoonsommenImport(TdmMain& data);

private:
    void Openen() override;
    TOrvADOConnection& Doel() override;
    QString Werk(TProgress& progress) override;
};

// Whether any payroll employer row has this return period kind.
bool BestaanWerkgeversMetAangifteTijvak(TOrvADOConnection* connection, int aangifteTijdvak);

// The days whose bookings count for a period of the kind, both inclusive: the period of 2024, where the
// last period of the year runs on to 31 January 2025 for the bookings made in January.
struct TImportTijdvak {
    QDate Begin;
    QDate Eind;
};
TImportTijdvak ImportTijdvak(int aangifteTijdvak, int periode);
