#include "maintenance/fChildSelLoonsommen.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvDBSortGrid.h"
#include "core/dBeheer.h"
#include "maintenance/fMutLoonsom.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

TfrmChildSelLoonsommen::TfrmChildSelLoonsommen(QWidget* owner)
    : TWerkgeverChildSelect(owner, &TdmBeheer::qrySelLoonsommen) {
    setObjectName(QStringLiteral("frmChildSelLoonsommen"));
    SetHelpContext(19);
}

void TfrmChildSelLoonsommen::SetupGrid() {
    WithPrefix(ClassName() + QStringLiteral(".SetupGrid: "), [&] {
        const TWaitCursor wait;
        dsChildSelect->SetDataSet(FdmBeheer->qrySelLoonsommen);
        FdmBeheer->OpenLoonsommen(FWerkgeverId, FAangifteTijdvak);
        if (dbgridChildSelect->Columns().Count() == 0) {
            dbgridChildSelect->Columns().Add(QStringLiteral("Periode"), QStringLiteral("PeriodeStr"), 550);
            dbgridChildSelect->Columns().Add(QStringLiteral("Proforma"), QStringLiteral("Proforma"), 100);
            dbgridChildSelect->Columns().Add(QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 100,
                                             QStringLiteral("#,##0.00"));
        }
        dbgridChildSelect->FetchAllRows();
        dbgridChildSelect->SetCursorHome();
    });
}

void TfrmChildSelLoonsommen::OpenMutatiescherm(TMode mode) {
    OpenEditWindow(mode, QStringLiteral("LoonsomId"), QStringLiteral("Fout bij openen het Loonsom-mutatiescherm"),
                   [&](int key) {
                       auto window = std::make_unique<TfrmMutLoonsom>(this);
                       window->Initialize(mode, key, FWerkgeverId, FAangifteTijdvak);
                       return std::unique_ptr<TBaseOnderhoud>(std::move(window));
                   });
}
