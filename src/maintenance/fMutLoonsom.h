#pragma once
// The edit window of one wage sum of an employer. When adding, "Alle tijdvakken" stores the amount for
// every period of the employer's year at once.

#include "forms/fBaseOnderhoud.h"

class TdmBeheer;
class TOrvDBCheckbox;
class TOrvDBComboboxEx;
class TOrvDBNumericEdit;

class TfrmMutLoonsom : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmMutLoonsom(QWidget* owner = nullptr);

    void Initialize(TMode AMode, int AId, qint64 AWerkgeverId, int AAangifteTijdvak);

    void SetExtraFields() override;
    bool StoreData() override;

private:
    // At most one wage sum per employer, period and proforma flag.
    void dgOnderhoudCrossValidate(bool& dataValid);

    TOrvDBComboboxEx* cmbPeriode;
    TOrvDBCheckbox* chkProforma;
    TOrvDBNumericEdit* edBedrag;
    TdmBeheer* FdmBeheer;
    qint64 FWerkgeverId = -1;
    int FAangifteTijdvak = -1;
};
