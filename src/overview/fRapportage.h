#pragma once
// "Rapportage werkkostenregeling 2024": per employer without a concern and per concern the final levy and
// the return it is due in, on a second page the concern advice; both saved as PDF or Excel workbook.

#include "forms/fBaseDialog.h"
#include "report/uRapportage.h"

class QTabWidget;
class TOrvADOConnection;
class TOrvCheckBox;
class TOrvDBSortGrid;

class TfrmRapportage : public TBaseDialog {
    Q_OBJECT
public:
    explicit TfrmRapportage(QWidget* owner = nullptr);
    // Computes the report on the connection, with or without the provisional amounts.
    void Initialize(TOrvADOConnection* connection, bool exclusiefProforma);

private:
    void Bereken();
    void acPdfExecute();
    void acExcelExecute();
    // The file the user names in the save dialog; empty when cancelled.
    QString KiesBestand(const QString& titel, const QString& filter, const QString& extensie);
    TOrvDBSortGrid* Lijst(QWidget* page, const char* name, TRapportBlad& blad);
    using TBaseForm::Initialize;

    TOrvADOConnection* FConnection = nullptr;
    TRapportage FRapport;
    // The lists' rows: the report's own, read where they are.
    TRapportBlad FRegels{RegelKolommen(), FRapport.Regels};
    TRapportBlad FAdvies{AdviesKolommen(), FRapport.Advies};
    QString FMap;  // where the last report was saved

    QAction* acPdf;
    QAction* acExcel;
    TOrvCheckBox* chkExclusiefProforma;
    QTabWidget* pcRapportage;
    TOrvDBSortGrid* dbgridRapport;
    TOrvDBSortGrid* dbgridAdvies;
};
