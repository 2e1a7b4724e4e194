#pragma once
// The edit window of one cost entry of an employer. The category is picked from a copy of the category
// list; the cost type choice offers only the types the category's reimbursement type allows. When adding,
// "Alle tijdvakken" stores the amount for every period of the employer's year at once.

#include "forms/fBaseOnderhoud.h"

class TDataSource;
class TdmBeheer;
class TfrmPickList;
class TOrvClientDataSet;
class TOrvDBCheckbox;
class TOrvDBComboboxEx;
class TOrvDBLookupCombo;
class TOrvDBNumericEdit;
class TOrvDBPickList;

class TfrmMutKosten : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmMutKosten(QWidget* owner = nullptr);

    void Initialize(TMode AMode, int AId, qint64 AWerkgeverId, int AAangifteTijdvak);

    void EnableDisable() override;
    void SetExtraFields() override;
    bool StoreData() override;
    // The cost type choice for the chosen category.
    void RefreshKostenTypeReflist();

private:
    void InitCdsCategorieen();
    void plKostenCategorieDataChange();
    void plKostenCategorieBeforeShowPickList(TfrmPickList* pickList);
    // A cost entry needs a category (else the list cannot show it) and a cost type.
    void dgOnderhoudCrossValidate(bool& dataValid);
    // The pick list's key as a whole number; -1 when it holds none.
    qint64 CategorieId();

    TOrvDBPickList* plKostenCategorie;
    TOrvDBComboboxEx* cmbPeriode;
    TOrvDBCheckbox* chkProforma;
    TOrvDBLookupCombo* cmbKostenType;
    TOrvDBNumericEdit* edBedrag;
    TDataSource* dsCategorieen;
    TDataSource* dsKostenTypen;
    TdmBeheer* FdmBeheer;
    TOrvClientDataSet* FcdsCategorieen;
    qint64 FWerkgeverId = -1;
    int FAangifteTijdvak = -1;
};
