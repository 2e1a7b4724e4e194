#pragma once
// The edit window of one employer: its own fields, its current free-space totals (and those of its
// concern), and its cost entries and wage sums on two tabs. A change of concern is stored at once.

#include "core/uFilter.h"
#include "forms/fBaseOnderhoud.h"

class QGroupBox;
class QLabel;
class QTabWidget;
class TDataSource;
class TdmBeheer;
class TfrmChildSelKosten;
class TfrmChildSelLoonsommen;
class TOrvDBComboboxEx;
class TOrvDBEdit;
class TOrvDBLookupCombo;
class TOrvDBNumericEdit;
class TOrvQuery;

class TfrmMutWerkgever : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmMutWerkgever(QWidget* owner = nullptr);

    // AMode is mdInsert, mdEdit or mdDelete; AId the employer's key, -1 when adding.
    void Initialize(TMode AMode, int AId);

    void EnableDisable() override;
    void SetExtraFields() override;
    void ReInit() override;
    // Reloads the totals box; the embedded lists call it after storing.
    Q_INVOKABLE void RefreshZemloInfo();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildTop();
    void BuildTotals();
    // Adds the "L" before the last two characters of a number typed without one.
    void edLHNummerExit();
    void edLHNummerValidate(bool& dataValid);
    void edNaamValidate(bool& dataValid);
    void dgOnderhoudCrossValidate(bool& dataValid);
    void edConcernDataChange();
    // The shown tab's list is loaded (again).
    void PageControl1Change();

    QFrame* pnlTop;
    QFrame* pnlBottom;
    TOrvDBEdit* edLHNummer = nullptr;
    TOrvDBEdit* edNaam;
    TOrvDBComboboxEx* cmbBerichtTijdvak;
    TOrvDBLookupCombo* edConcern;
    QGroupBox* gbZemloInfo;
    TOrvDBNumericEdit* edLoonsom;
    TOrvDBNumericEdit* edVrijeRuimte;
    TOrvDBNumericEdit* edKosten;
    TOrvDBNumericEdit* edRestantVrijeRuimte;
    QLabel* lblConcern;
    TOrvDBNumericEdit* edConcernLoonsom;
    TOrvDBNumericEdit* edConcernVrijeRuimte;
    TOrvDBNumericEdit* edConcernKosten;
    TOrvDBNumericEdit* edConcernRestantVrijeRuimte;
    TOrvDataGroup* dgZemloInfo;
    QTabWidget* PageControl1;
    QWidget* tsKosten;
    QWidget* tsLoonsommen;
    TfrmChildSelKosten* frmChildSelKosten;
    TfrmChildSelLoonsommen* frmChildSelLoonsommen;
    TDataSource* dsConcern;
    TOrvQuery* qryZemloInfo;

    QString FLHNummer;
    TFilter FFilter;
    TdmBeheer* FdmBeheer;
};
