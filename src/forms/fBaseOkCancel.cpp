#include "forms/fBaseOkCancel.h"

#include "controls/OrvComp.h"
#include "core/OrvMessages.h"

#include <QtGui/QAction>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLayout>

namespace {
constexpr int kBarHeight = 51;
}

TBaseOkCancel::TBaseOkCancel(QWidget* owner) : TBaseForm(owner) {
    resize(600, 462);

    const TBodyAndBar panels = NewBodyAndBar(this, kBarHeight);
    pnlBody = panels.Body;
    pnlOkCancel = panels.Bar;

    acOk = new QAction(QStringLiteral("&Ok"), this);
    acOk->setObjectName(QStringLiteral("acOk"));
    // The windows put their checks and saving behind these two; an error they let through is shown.
    ConnectGuarded(acOk, &QAction::triggered, this, [this] { acOkExecute(); });
    acCancel = new QAction(QStringLiteral("&Annuleren"), this);
    acCancel->setObjectName(QStringLiteral("acCancel"));
    ConnectGuarded(acCancel, &QAction::triggered, this, [this] { acCancelExecute(); });

    btnOk = NewBarButton(pnlOkCancel, "btnOk", acOk);
    btnCancel = NewBarButton(pnlOkCancel, "btnCancel", acCancel);
    btnHelp = NewBarButton(pnlOkCancel, "btnHelp", acHelp);
    setTabOrder(btnOk, btnCancel);
    setTabOrder(btnCancel, btnHelp);
}

void TBaseOkCancel::acOkExecute() { done(mrOK); }

void TBaseOkCancel::acCancelExecute() { close(); }

void TBaseOkCancel::resizeEvent(QResizeEvent* event) {
    TBaseForm::resizeEvent(event);
    // Before the first show the layout has not given the bar its width yet.
    layout()->activate();
    PlaceButtons();
}

void TBaseOkCancel::PlaceButtons() { CentreBarButtons(pnlOkCancel, {btnOk, btnCancel, btnHelp}); }
