#pragma once
// The export of the costs that count to the payroll database: Werkkosten emptied and refilled with one row
// per employer and period, a concern's costs under its member with the largest wage sum, whose
// AfwijkendeLoonsomVoorZemlo receives the concern's wage sum.

#include "exchange/uQueltKoppeling.h"

class TdmMain;

// Asks first; changes only the payroll database, in one transaction.
TUitwisseling ExporteerKosten(TdmMain& data);
