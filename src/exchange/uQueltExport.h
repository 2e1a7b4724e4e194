#pragma once
// The export of the costs that count to the payroll database: Werkkosten emptied and refilled with one row
// per employer and period, a concern's costs under its member with the largest wage sum, whose
// AfwijkendeLoonsomVoorZemlo receives the concern's wage sum.

#include "exchange/uQueltKoppeling.h"

class TdmMain;

// A payroll run that changes only the payroll database, in one transaction.
class TKostenExport : public TQueltUitwisseling {
public:
    explicit TKostenExport(TdmMain& data);

private:
    void Openen() override;
    TOrvADOConnection& Doel() override;
    QString Werk(TProgress& progress) override;
};
