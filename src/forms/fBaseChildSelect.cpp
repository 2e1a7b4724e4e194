#include "forms/fBaseChildSelect.h"

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QFrame>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TBaseChildSelect)

namespace {
constexpr int kButtonColumnWidth = 132;
}

TBaseChildSelect::TBaseChildSelect(QWidget* owner) : TBaseChild(owner) {
    resize(839, 375);
    pnlMain = NewPanel(this, "pnlMain");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(pnlMain);

    pnlTop = NewPanel(pnlMain, "pnlTop");
    pnlTop->setFixedHeight(28);
    pnlRight = NewPanel(pnlTop, "pnlRight");
    pnlRight->setFixedWidth(354);
    pnlRecordCounter = NewPanel(pnlRight, "pnlRecordCounter");
    pnlFiller = NewPanel(pnlRight, "pnlFiller");
    pnlFiller->setFixedWidth(kButtonColumnWidth);
    lblRecordCounter = new QLabel(pnlRecordCounter);
    lblRecordCounter->setObjectName(QStringLiteral("lblRecordCounter"));
    lblRecordCounter->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* counter = new QHBoxLayout(pnlRecordCounter);
    counter->setContentsMargins(0, 0, 2, 0);  // the counter ends 2 pixels inside its panel
    counter->addWidget(lblRecordCounter);
    auto* right = new QHBoxLayout(pnlRight);
    right->setContentsMargins(0, 0, 0, 0);
    right->setSpacing(0);
    right->addWidget(pnlRecordCounter, 1);
    right->addWidget(pnlFiller);
    auto* top = new QHBoxLayout(pnlTop);
    top->setContentsMargins(0, 0, 0, 0);
    top->addStretch(1);
    top->addWidget(pnlRight);

    dbgridChildSelect = new TOrvDBSortGrid(pnlMain);
    dbgridChildSelect->setObjectName(QStringLiteral("dbgridChildSelect"));
    dsChildSelect = new TDataSource(this);
    dsChildSelect->setObjectName(QStringLiteral("dsChildSelect"));
    dbgridChildSelect->SetDataSource(dsChildSelect);
    pmChildSelect = new QMenu(this);
    pmChildSelect->setObjectName(QStringLiteral("pmChildSelect"));
    dbgridChildSelect->SetPopupMenu(pmChildSelect);
    ConnectGuarded(pmChildSelect, &QMenu::aboutToShow, this, [this] { pmChildSelectPopup(); });

    pnlButtons = NewPanel(pnlMain, "pnlButtons");
    pnlButtons->setFixedWidth(kButtonColumnWidth);
    auto* buttons = new QVBoxLayout(pnlButtons);
    buttons->setContentsMargins(8, 0, 8, 0);
    const auto button = [&](const char* name, const QString& caption, void (TBaseChildSelect::*click)()) {
        auto* b = new TOrvButton(pnlButtons);
        b->setObjectName(QLatin1String(name));
        b->SetCaption(caption);
        b->setFixedSize(116, 54);
        StyleAsPictureButton(b);
        buttons->addWidget(b);
        ConnectGuarded(b, &QAbstractButton::clicked, this, [this, click] { (this->*click)(); });
        return b;
    };
    btnInsert = button("btnInsert", QStringLiteral("&Toevoegen"), &TBaseChildSelect::btnToevoegenClick);
    btnEdit = button("btnEdit", QStringLiteral("&Wijzigen"), &TBaseChildSelect::btnWijzigenClick);
    btnDelete = button("btnDelete", QStringLiteral("&Verwijderen"), &TBaseChildSelect::btnVerwijderenClick);
    buttons->addStretch(1);

    auto* body = new QHBoxLayout();
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(dbgridChildSelect, 1);
    body->addWidget(pnlButtons);
    auto* main = new QVBoxLayout(pnlMain);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(pnlTop);
    main->addLayout(body, 1);

    dbgridChildSelect->OnDoubleClick = [this](TOrvDBSortGrid*) {
        WithPrefix(Prefix("dbgridChildSelectDoubleClick"), [&] {
            if (btnEdit->isEnabled()) btnWijzigenClick();
        });
    };
    dbgridChildSelect->OnKeyDown = [this](TOrvDBSortGrid*, int& key, Qt::KeyboardModifiers) {
        dbgridChildSelectKeyDown(key);
    };
    dbgridChildSelect->OnRowChange = [this](TOrvDBSortGrid*) {
        UpdateRecordCounter();
        EnableDisable();
    };
}

TBaseChildSelect::~TBaseChildSelect() = default;

bool TBaseChildSelect::ParentInsertAlsNodig() {
    return WithPrefix(Prefix("ParentInsertAlsNodig"), [&] {
        const TMode before = ParentOnderhoud("ParentInsertAlsNodig")->Mode();
        const bool stored = TBaseChild::ParentInsertAlsNodig();
        // The parent re-initialised this list on its new key; show that parent's rows.
        if (stored && before == mdInsert) SetupGrid();
        return stored;
    });
}

void TBaseChildSelect::Refresh() {
    WithPrefix(Prefix("Refresh"), [&] {
        const TWaitCursor wait;
        if (!FGridIsSetup) {
            if (TOrvQuery* rows = ListQuery()) rows->Close();
            SetupGrid();
            FGridIsSetup = true;
        } else if (FForceRefresh) {
            GegevensBijwerken();
        }
        EnableDisable();
    });
}

void TBaseChildSelect::GegevensBijwerken() {
    WithPrefix(Prefix("GegevensBijwerken"), [&] {
        const TWaitCursor wait;
        if (TOrvQuery* rows = ListQuery()) {
            rows->Close();
            rows->Open();
        }
        dbgridChildSelect->Refresh();
        EnableDisable();
    });
}

TOrvQuery* TBaseChildSelect::ListQuery() const { return qobject_cast<TOrvQuery*>(dsChildSelect->DataSet()); }

bool TBaseChildSelect::ParentViewsOnly() const {
    const TMode mode = ParentFormMode();
    return mode == mdDelete || mode == mdView;
}

void TBaseChildSelect::EnableDisable() {
    WithPrefix(Prefix("EnableDisable"), [&] {
        const TMode mode = ParentFormMode();
        const bool rows = !dbgridChildSelect->IsEmpty();
        btnEdit->SetCaption(ParentViewsOnly() ? QStringLiteral("&Bekijken") : QStringLiteral("&Wijzigen"));
        btnInsert->setEnabled(mode == mdInsert || mode == mdEdit);
        btnEdit->setEnabled(rows);
        btnDelete->setEnabled(rows && !ParentViewsOnly());
        UpdateRecordCounter();
    });
}

void TBaseChildSelect::UpdateRecordCounter() {
    WithPrefix(Prefix("UpdateRecordCounter"), [&] {
        if (dbgridChildSelect->IsEmpty()) {
            lblRecordCounter->setText(QStringLiteral("Records (0/0)"));
            return;
        }
        const int dataRows = std::max(0, dbgridChildSelect->RowCount() - 1);
        lblRecordCounter->setText(QStringLiteral("Records (%1/%2)").arg(dbgridChildSelect->Row()).arg(dataRows));
    });
}

void TBaseChildSelect::btnToevoegenClick() {
    if (btnInsert->isEnabled()) OpenMutatiescherm(mdInsert);
}

void TBaseChildSelect::btnWijzigenClick() {
    if (!dbgridChildSelect->IsEmpty()) OpenMutatiescherm(ParentViewsOnly() ? mdView : mdEdit);
}

void TBaseChildSelect::btnVerwijderenClick() {
    if (!dbgridChildSelect->IsEmpty()) OpenMutatiescherm(mdDelete);
}

void TBaseChildSelect::dbgridChildSelectKeyDown(int& key) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (btnEdit->isEnabled()) btnWijzigenClick();
        break;
    case Qt::Key_Insert:
        if (btnInsert->isEnabled()) btnToevoegenClick();
        break;
    case Qt::Key_Delete:
        if (btnDelete->isEnabled()) btnVerwijderenClick();
        break;
    case Qt::Key_F5:
        GegevensBijwerken();
        break;
    default:
        return;
    }
    key = 0;
}

void TBaseChildSelect::pmChildSelectPopup() {
    WithPrefix(Prefix("pmChildSelectPopup"), [&] {
        // The items of the first opening (the grid's cell copy item) are kept in a menu of their own, so
        // emptying this one does not free them; every opening shows fresh copies of them.
        if (!FDesignedPopupMenu) {
            FDesignedPopupMenu = std::make_unique<QMenu>();
            FDesignedPopupMenu->addActions(pmChildSelect->actions());
        }
        pmChildSelect->clear();
        WithPrefix(QStringLiteral("CopyMenuItem: "), [&] {
            for (QAction* designed : FDesignedPopupMenu->actions()) {
                if (designed->isSeparator()) {
                    pmChildSelect->addSeparator();
                    continue;
                }
                QAction* copy = pmChildSelect->addAction(designed->text());
                copy->setObjectName(designed->objectName());
                copy->setEnabled(designed->isEnabled());
                connect(copy, &QAction::triggered, designed, &QAction::trigger);
            }
        });
    });
}

void TBaseChildSelect::OpenEditWindow(TMode mode, const QString& keyField, const QString& errorTitle,
                                      const std::function<std::unique_ptr<TBaseOnderhoud>(int key)>& create) {
    GuardUiAction(errorTitle, [&] {
        if (mode != mdInsert && dbgridChildSelect->IsEmpty()) return;
        if (ParentFormMode() == mdDelete && (mode == mdInsert || mode == mdDelete)) return;
        const TWaitCursor wait;
        TBaseOnderhoud* parent = ParentOnderhoud("ParentFormMode");
        if (!ParentInsertAlsNodig()) return;
        int key = -1;
        if (mode != mdInsert) {
            const TDataSet& rows = *dbgridChildSelect->DataSet();
            key = rows.Value(dbgridChildSelect->Row() - 1, rows.FieldIndexOrRaise(keyField)).toInt();
        }
        const std::unique_ptr<TBaseOnderhoud> window = create(key);
        if (window->exec() == mrOK) {
            GegevensBijwerken();
            dbgridChildSelect->FindKey(keyField, window->KeyWaarde());
            // The employer window shows totals of its lists; any parent offering that refresh gets it.
            if (parent->metaObject()->indexOfMethod("RefreshZemloInfo()") >= 0)
                QMetaObject::invokeMethod(parent, "RefreshZemloInfo");
        }
        dbgridChildSelect->ClearIncrementalSearch();
        EnableDisable();
    });
}
