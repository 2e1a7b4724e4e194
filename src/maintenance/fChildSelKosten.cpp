#include "maintenance/fChildSelKosten.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvDBSortGrid.h"
#include "core/dBeheer.h"
#include "maintenance/fMutKosten.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

TfrmChildSelKosten::TfrmChildSelKosten(QWidget* owner) : TWerkgeverChildSelect(owner, &TdmBeheer::qrySelKosten) {
    setObjectName(QStringLiteral("frmChildSelKosten"));
    SetHelpContext(18);
}

void TfrmChildSelKosten::SetupGrid() {
    WithPrefix(ClassName() + QStringLiteral(".SetupGrid: "), [&] {
        const TWaitCursor wait;
        dsChildSelect->SetDataSet(FdmBeheer->qrySelKosten);
        FdmBeheer->OpenKosten(FWerkgeverId, FAangifteTijdvak);
        if (dbgridChildSelect->Columns().Count() == 0) {
            TOrvDBSortGridColumns& columns = dbgridChildSelect->Columns();
            const QString amount = QStringLiteral("#,##0.00");
            columns.Add(QStringLiteral("Periode"), QStringLiteral("PeriodeStr"), 80);
            columns.Add(QStringLiteral("Proforma"), QStringLiteral("Proforma"), 60);
            columns.Add(QStringLiteral("Eindheffingsloon"), QStringLiteral("KostenType1"), 110, amount);
            columns.Add(QStringLiteral("Nihilwaardering"), QStringLiteral("KostenType2"), 110, amount);
            columns.Add(QStringLiteral("Gericht vrijgesteld"), QStringLiteral("KostenType3"), 110, amount);
            columns.Add(QStringLiteral("Valt buiten Zemlo"), QStringLiteral("KostenType4"), 110, amount);
            columns.Add(QStringLiteral("Categorie"), QStringLiteral("Categorie"), 356);
        }
        dbgridChildSelect->FetchAllRows();
        dbgridChildSelect->SetCursorHome();
    });
}

void TfrmChildSelKosten::OpenMutatiescherm(TMode mode) {
    OpenEditWindow(mode, QStringLiteral("KostenId"), QStringLiteral("Fout bij openen het Kosten-mutatiescherm"),
                   [&](int key) {
                       auto window = std::make_unique<TfrmMutKosten>(this);
                       window->Initialize(mode, key, FWerkgeverId, FAangifteTijdvak);
                       return std::unique_ptr<TBaseOnderhoud>(std::move(window));
                   });
}
