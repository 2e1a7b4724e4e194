#include "forms/fBaseMainSel.h"

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/OrvMessages.h"
#include "support/OrvErrors.h"

#include <QtGui/QAction>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TBaseMainSel)

namespace {
QFont SansSerif13() {
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    return font;
}

QLabel* TitleLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(SansSerif13());
    return label;
}
}  // namespace

TBaseMainSel::TBaseMainSel(QWidget* owner) : TBaseDialog(owner) {
    pnlTitle = new QFrame(pnlBody);
    pnlTitle->setObjectName(QStringLiteral("pnlTitle"));
    pnlTitle->setFixedHeight(31);
    auto* title = new QHBoxLayout(pnlTitle);
    title->setContentsMargins(0, 0, 0, 0);
    lblGrid = TitleLabel(pnlTitle, "lblGrid");
    lblGrid->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    title->addWidget(lblGrid, 1);
    lblFiltered = TitleLabel(pnlTitle, "lblFiltered");
    lblFiltered->setFixedWidth(101);
    lblFiltered->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    title->addWidget(lblFiltered);

    dbgridSelect = new TOrvDBSortGrid(pnlBody);
    dbgridSelect->setObjectName(QStringLiteral("dbgridSelect"));
    dbgridSelect->SetDefaultRowHeight(21);
    dsSelect = new TDataSource(this);
    dsSelect->setObjectName(QStringLiteral("dsSelect"));
    dbgridSelect->SetDataSource(dsSelect);
    dbgridSelect->OnRowChange = [this](TOrvDBSortGrid*) { UpdateRecordCounter(); };

    auto* body = new QVBoxLayout(pnlBody);
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);
    body->addWidget(pnlTitle);
    body->addWidget(dbgridSelect, 1);

    acFilter = WindowAction("acFilter", QStringLiteral("&Filter selectie"), QString(), QKeySequence(Qt::Key_F3));
    acFilterUit = WindowAction("acFilterUit", QStringLiteral("Filter &uitzetten"), QString());
    btnFilter = ToolbarButton("btnFilter", acFilter);
    btnFilterUit = ToolbarButton("btnFilterUit", acFilterUit);
    LineUpToolbar({btnFilter, btnFilterUit});
}

void TBaseMainSel::Initialize() {
    TBaseDialog::Initialize();
    SetupSelectGrid();
}

void TBaseMainSel::EnableDisable() {
    WithPrefix(Prefix("EnableDisable"), [&] {
        acFilter->setEnabled(acFilter->isVisible() && !btnFilter->isHidden());
        acFilterUit->setEnabled(FFiltered && acFilterUit->isVisible() && !btnFilterUit->isHidden());
        UpdateRecordCounter();
    });
}

void TBaseMainSel::UpdateRecordCounter() {
    WithPrefix(Prefix("UpdateRecordCounter"), [&] {
        const QString caption = (FGridCaption.isEmpty() ? QStringLiteral("Records") : FGridCaption).trimmed();
        lblFiltered->setText(FFiltered ? QStringLiteral("Filter actief ") : QString());
        if (dbgridSelect->IsEmpty())
            lblGrid->setText(QLatin1Char(' ') + caption + QStringLiteral(" (0/0)"));
        else
            lblGrid->setText(QLatin1Char(' ') + caption + QStringLiteral(" (") + QString::number(dbgridSelect->Row()) +
                             QLatin1Char('/') + QString::number(dbgridSelect->RowCount() - 1) + QLatin1Char(')'));
    });
}

bool TBaseMainSel::event(QEvent* event) {
    const bool handled = TBaseDialog::event(event);
    if (event->type() == QEvent::WindowActivate)
        GuardUiAction([&] {
            // The first activation starts on the first row with the focus in the list; every one (also on the
            // way back from an edit window) updates the actions.
            if (!bActivated) {
                bActivated = true;
                dbgridSelect->SetCursorHome();
                dbgridSelect->SetFocus();
            }
            EnableDisable();
        });
    return handled;
}
