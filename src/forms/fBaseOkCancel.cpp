#include "forms/fBaseOkCancel.h"

#include "controls/OrvComp.h"
#include "core/OrvMessages.h"

#include <QtGui/QAction>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

namespace {
constexpr int kBarHeight = 51;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 34;
constexpr int kButtonGap = 2;

QFrame* Panel(QWidget* parent, const char* name) {
    QFrame* panel = NewPanel(parent, name);
    panel->setFont(ArialPixels(13));
    return panel;
}
}

TBaseOkCancel::TBaseOkCancel(QWidget* owner) : TBaseForm(owner) {
    resize(600, 462);

    pnlBody = Panel(this, "pnlBody");
    pnlBody->setContentsMargins(4, 4, 4, 4);
    pnlBody->setAutoFillBackground(true);
    QPalette bodyColour = pnlBody->palette();
    bodyColour.setColor(QPalette::Window, QColor(192, 228, 240));
    pnlBody->setPalette(bodyColour);

    pnlOkCancel = Panel(this, "pnlOkCancel");
    pnlOkCancel->setFixedHeight(kBarHeight);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlBody, 1);
    layout->addWidget(pnlOkCancel);

    acOk = new QAction(QStringLiteral("&Ok"), this);
    acOk->setObjectName(QStringLiteral("acOk"));
    // The windows put their checks and saving behind these two; an error they let through is shown.
    ConnectGuarded(acOk, &QAction::triggered, this, [this] { acOkExecute(); });
    acCancel = new QAction(QStringLiteral("&Annuleren"), this);
    acCancel->setObjectName(QStringLiteral("acCancel"));
    ConnectGuarded(acCancel, &QAction::triggered, this, [this] { acCancelExecute(); });

    const auto pictureButton = [this](const char* name, QAction* action) {
        auto* button = new TOrvButton(pnlOkCancel);
        button->setObjectName(QLatin1String(name));
        button->SetCaption(action->text());
        button->resize(kButtonWidth, kButtonHeight);
        StyleAsPictureButton(button);
        BindButtonToAction(button, action);
        return button;
    };
    btnOk = pictureButton("btnOk", acOk);
    btnCancel = pictureButton("btnCancel", acCancel);
    btnHelp = pictureButton("btnHelp", acHelp);
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

void TBaseOkCancel::PlaceButtons() {
    const int barWidth = pnlOkCancel->width();
    const int barLeft = pnlOkCancel->x();
    const int top = (pnlOkCancel->height() - btnOk->height()) / 2;
    const bool withHelp = !btnHelp->isHidden();
    int total = btnOk->width() + btnCancel->width() + kButtonGap;
    if (withHelp) total += btnHelp->width() + kButtonGap;
    btnOk->move(barWidth / 2 + barLeft - total / 2, top);
    btnCancel->move(btnOk->x() + btnOk->width() + kButtonGap, top);
    if (withHelp) btnHelp->move(btnCancel->x() + btnCancel->width() + kButtonGap, top);
}
