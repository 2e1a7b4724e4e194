#include "maintenance/fSelKostencategorieen.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/dBeheer.h"
#include "maintenance/fMutKostencategorie.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtGui/QAction>
#include <QtWidgets/QFrame>

ORV_METHOD_PREFIXES(TfrmSelKostencategorieen)

TfrmSelKostencategorieen::TfrmSelKostencategorieen(QWidget* owner)
    : TBaseSelect(owner), FdmBeheer(new TdmBeheer(this)) {
    setObjectName(QStringLiteral("frmSelKostencategorieen"));
    setWindowTitle(QStringLiteral("Beheer kostencategorieën"));
    SetHelpContext(8);
    // The minimum is the window's outer size; the frame takes about 16 x 38 of it.
    setMinimumSize(900 - 16, 644 - 38);
    resize(1146, 606);
    FGridCaption = QStringLiteral("Kostencategorieën");
    QFont bodyFont = pnlBody->font();
    bodyFont.setPixelSize(16);
    pnlBody->setFont(bodyFont);
    pnlToolbar->setAutoFillBackground(true);
    QPalette white = pnlToolbar->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlToolbar->setPalette(white);
    for (QAction* filter : {acFilter, acFilterUit}) {
        filter->setVisible(false);
        filter->setEnabled(false);
    }
    btnFilter->hide();
    btnFilterUit->hide();
}

void TfrmSelKostencategorieen::SetupSelectGrid() {
    WithPrefix(Prefix("SetupSelectGrid"), [&] {
        const TWaitCursor wait;
        dsSelect->SetDataSet(FdmBeheer->qrySelKostencategorieen);
        FdmBeheer->OpenKostencategorieen();
        if (dbgridSelect->Columns().Count() == 0) {
            TOrvDBSortGridColumns& columns = dbgridSelect->Columns();
            columns.Add(QStringLiteral("Nr"), QStringLiteral("KostenCategorieId"), 50);
            columns.Add(QStringLiteral("Kostengroep"), QStringLiteral("Kostengroep"), 120);
            columns.Add(QStringLiteral("Omschrijving"), QStringLiteral("Omschrijving"), 529);
            columns.Add(QStringLiteral("Vergoedingtype"), QStringLiteral("Vergoedingtype"), 290);
            columns.Add(QStringLiteral("Grootboekrekening"), QStringLiteral("Grootboekrekening"), 120);
        }
        dbgridSelect->FetchAllRows();
        // The query orders by group and description; the list shows the categories by number.
        dbgridSelect->Sort(QStringLiteral("KostenCategorieId"), sdAscending);
        dbgridSelect->SetCursorHome();
    });
}

void TfrmSelKostencategorieen::OpenMutatiescherm(TMode AMode) {
    ShowMutatiescherm(AMode, QStringLiteral("KostencategorieId"),
                      QStringLiteral("Fout bij openen het Kostencategorie-mutatiescherm"), [this](TMode mode, int key) {
                          auto window = std::make_unique<TfrmMutKostencategorie>(this);
                          window->Initialize(mode, key);
                          return window;
                      });
}
