#pragma once
// The edit window of one cost category: description (unique among the categories), cost group,
// reimbursement type, ledger account and remarks. A category that a cost entry uses is not deleted.

#include "forms/fBaseOnderhoud.h"

class TDataSource;
class TdmBeheer;
class TOrvDBEdit;
class TOrvDBLookupCombo;
class TOrvDBMemo;

class TfrmMutKostencategorie : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmMutKostencategorie(QWidget* owner = nullptr);

    void Initialize(TMode AMode, int AId);
    void SetExtraFields() override;

private:
    // The check of the description, whichever of the three text fields it runs for.
    void edOmschrijvingValidate(bool& dataValid);
    void dgOnderhoudCrossValidate(bool& dataValid);

    TOrvDBEdit* edOmschrijving;
    TOrvDBLookupCombo* cmbKostengroep;
    TOrvDBLookupCombo* cmbVergoedingtype;
    TOrvDBEdit* edGrootboekrekening;
    TOrvDBEdit* edGrootboekOmschrijving;
    TOrvDBMemo* memoOpmerkingen;
    TDataSource* dsKostengroepen;
    TDataSource* dsVergoedingtypen;
    TdmBeheer* FdmBeheer;
};
