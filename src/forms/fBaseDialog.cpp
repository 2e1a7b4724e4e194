#include "forms/fBaseDialog.h"

#include "controls/OrvComp.h"

#include <QtGui/QAction>
#include <QtWidgets/QFrame>
#include <QtWidgets/QVBoxLayout>

namespace {
constexpr int kToolbarHeight = 79;
constexpr int kButtonWidth = 116;
constexpr int kButtonHeight = 54;
constexpr int kSluitenRightGap = 13;

}  // namespace

TBaseDialog::TBaseDialog(QWidget* owner) : TBaseForm(owner) {
    SetHelpContext(1);
    resize(700, 500);

    pnlToolbar = new QFrame(this);
    pnlToolbar->setObjectName(QStringLiteral("pnlToolbar"));
    pnlToolbar->setFrameShape(QFrame::NoFrame);
    pnlToolbar->setFixedHeight(kToolbarHeight);
    pnlToolbar->setFont(ArialPixels(13));

    pnlBody = new QFrame(this);
    pnlBody->setObjectName(QStringLiteral("pnlBody"));
    pnlBody->setFrameShape(QFrame::NoFrame);
    pnlBody->setContentsMargins(4, 4, 4, 4);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(pnlToolbar);
    layout->addWidget(pnlBody, 1);

    acExit = WindowAction("acExit", QStringLiteral("&Sluiten"), QStringLiteral("Sluiten|Scherm afsluiten"),
                          QKeySequence(Qt::Key_Escape));
    connect(acExit, &QAction::triggered, this, &QWidget::close);
    btnSluiten = ToolbarButton("btnSluiten", acExit);
}

TOrvButton* TBaseDialog::ToolbarButton(const char* name, QAction* action) {
    auto* button = new TOrvButton(pnlToolbar);
    button->setObjectName(QLatin1String(name));
    button->SetCaption(action->text());
    button->resize(kButtonWidth, kButtonHeight);
    button->move(0, (kToolbarHeight - kButtonHeight) / 2);
    StyleAsPictureButton(button);
    // The bar shows the short part of the hint as the tooltip and the long part in the status tip.
    button->setToolTip(action->toolTip());
    button->setStatusTip(action->statusTip());
    BindButtonToAction(button, action);
    return button;
}

void TBaseDialog::LineUpToolbar(const QList<TOrvButton*>& buttons) {
    int left = 6;
    for (TOrvButton* button : buttons) {
        button->move(left, button->y());
        left += button->width() + 2;
    }
}

QAction* TBaseDialog::WindowAction(const char* name, const QString& caption, const QString& hint,
                                   const QKeySequence& shortcut) {
    auto* action = new QAction(caption, this);
    action->setObjectName(QLatin1String(name));
    const qsizetype bar = hint.indexOf(u'|');
    action->setToolTip(bar < 0 ? hint : hint.left(bar));
    action->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
    if (!shortcut.isEmpty()) {
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
    }
    addAction(action);
    return action;
}

void TBaseDialog::resizeEvent(QResizeEvent* event) {
    TBaseForm::resizeEvent(event);
    // Before the first show the layout has not given the bar its width yet.
    layout()->activate();
    btnSluiten->move(pnlToolbar->width() - btnSluiten->width() - kSluitenRightGap, btnSluiten->y());
}
