#include "maintenance/fSelConcerns.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/dBeheer.h"
#include "maintenance/fMutConcern.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtGui/QAction>

ORV_METHOD_PREFIXES(TfrmSelConcerns)

TfrmSelConcerns::TfrmSelConcerns(QWidget* owner) : TBaseSelect(owner), FdmBeheer(new TdmBeheer(this)) {
    setObjectName(QStringLiteral("frmSelConcerns"));
    setWindowTitle(QStringLiteral("Beheer concerns"));
    SetHelpContext(7);
    // The minimum is the window's outer size; the frame takes about 16 x 38 of it.
    setMinimumSize(687 - 16, 644 - 38);
    resize(720, 606);
    FGridCaption = QStringLiteral("Concerns");
    for (QAction* filter : {acFilter, acFilterUit}) {
        filter->setVisible(false);
        filter->setEnabled(false);
    }
    btnFilter->hide();
    btnFilterUit->hide();
}

void TfrmSelConcerns::SetupSelectGrid() {
    WithPrefix(Prefix("SetupSelectGrid"), [&] {
        const TWaitCursor wait;
        dsSelect->SetDataSet(FdmBeheer->qrySelConcerns);
        FdmBeheer->OpenConcerns();
        if (dbgridSelect->Columns().Count() == 0)
            dbgridSelect->Columns().Add(QStringLiteral("Naam"), QStringLiteral("Naam"), 500);
        dbgridSelect->FetchAllRows();
        dbgridSelect->Sort(QStringLiteral("Naam"), sdAscending);
        dbgridSelect->SetCursorHome();
    });
}

void TfrmSelConcerns::OpenMutatiescherm(TMode AMode) {
    ShowMutatiescherm(AMode, QStringLiteral("ConcernId"), QStringLiteral("Fout bij openen het Concern-mutatiescherm"),
                      [this](TMode mode, int key) {
                          auto window = std::make_unique<TfrmMutConcern>(this);
                          window->Initialize(mode, key);
                          return window;
                      });
}
