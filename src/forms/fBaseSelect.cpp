#include "forms/fBaseSelect.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtGui/QAction>

ORV_METHOD_PREFIXES(TBaseSelect)

TBaseSelect::TBaseSelect(QWidget* owner) : TBaseMainSel(owner) {
    setMinimumSize(996, 523);
    resize(996, 523);
    acInsert = WindowAction("acInsert", QStringLiteral("&Toevoegen"), QStringLiteral("Voeg een nieuwe record toe"),
                            QKeySequence(Qt::Key_Insert));
    acEdit = WindowAction("acEdit", QStringLiteral("&Wijzigen"), QStringLiteral("Wijzig geselecteerd record"));
    acDelete = WindowAction("acDelete", QStringLiteral("&Verwijderen"), QStringLiteral("Verwijder geselecteerd record"),
                            QKeySequence(Qt::Key_Delete));
    acBijwerken = WindowAction("acBijwerken", QStringLiteral("&Bijwerken"), QStringLiteral("Gegevens bijwerken"),
                               QKeySequence(Qt::Key_F5));
    // The windows show their own errors under their own titles; what is left reaches the plain error box.
    ConnectGuarded(acInsert, &QAction::triggered, this, [this] { OpenMutatiescherm(mdInsert); });
    ConnectGuarded(acEdit, &QAction::triggered, this, [this] { OpenMutatiescherm(mdEdit); });
    ConnectGuarded(acDelete, &QAction::triggered, this, [this] { OpenMutatiescherm(mdDelete); });
    ConnectGuarded(acBijwerken, &QAction::triggered, this, [this] { GegevensBijwerken(); });

    btnInsert = ToolbarButton("btnInsert", acInsert);
    btnEdit = ToolbarButton("btnEdit", acEdit);
    btnDelete = ToolbarButton("btnDelete", acDelete);
    LineUpToolbar({btnInsert, btnEdit, btnDelete, btnFilter, btnFilterUit});

    dbgridSelect->OnDoubleClick = [this](TOrvDBSortGrid*) {
        if (acEdit->isEnabled()) acEdit->trigger();
    };
    dbgridSelect->OnKeyDown = [this](TOrvDBSortGrid*, int& key, Qt::KeyboardModifiers) { GridKeyDown(key); };
}

void TBaseSelect::Initialize() {
    WithPrefix(Prefix("Initialize"), [&] {
        TBaseMainSel::Initialize();
        EnableDisable();
    });
}

void TBaseSelect::EnableDisable() {
    WithPrefix(Prefix("EnableDisable"), [&] {
        TBaseMainSel::EnableDisable();
        acInsert->setEnabled(true);
        acInsert->setVisible(true);
        const bool rows = !dbgridSelect->IsEmpty();
        acEdit->setEnabled(rows);
        acDelete->setEnabled(rows);
        UpdateRecordCounter();
    });
}

void TBaseSelect::GegevensBijwerken() {
    WithPrefix(Prefix("GegevensBijwerken"), [&] {
        const TWaitCursor wait;
        auto* list = qobject_cast<TOrvQuery*>(dsSelect->DataSet());
        if (!list) throw EOrvError(QStringLiteral("Er is geen lijstquery gekoppeld."));
        list->Close();
        list->Open();
        dbgridSelect->Refresh();
        EnableDisable();
    });
}

void TBaseSelect::ShowMutatiescherm(TMode mode, const QString& keyColumn, const QString& errorTitle,
                                    const TMutatieschermFactory& create) {
    GuardUiAction(errorTitle, [&] {
        const TWaitCursor wait;
        int key = -1;
        if (mode != mdInsert) {
            if (dbgridSelect->IsEmpty() || dbgridSelect->Row() < 1) return;
            const TDataSet& rows = *dbgridSelect->DataSet();
            key = rows.Value(dbgridSelect->Row() - 1, rows.FieldIndexOrRaise(keyColumn)).toInt();
        }
        const std::unique_ptr<TBaseOnderhoud> window = create(mode, key);
        if (window->exec() == mrOK) {
            GegevensBijwerken();
            dbgridSelect->FindKey(keyColumn, window->KeyWaarde());
        }
        dbgridSelect->ClearIncrementalSearch();
        EnableDisable();
    });
}

void TBaseSelect::GridKeyDown(int& key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
    if (acEdit->isEnabled()) acEdit->trigger();
    key = 0;
}
