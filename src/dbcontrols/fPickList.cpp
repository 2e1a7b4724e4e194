#include "dbcontrols/fPickList.h"

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "controls/OrvStringGrid.h"
#include "core/OrvMessages.h"
#include "core/ZemloMBox.h"
#include "support/DataSet.h"

#include <QtGui/QAction>
#include <QtGui/QMouseEvent>
#include <QtGui/QScreen>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QLayout>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kBarHeight = 53;
constexpr int kScreenMargin = 150;
}

TfrmPickList::TfrmPickList(QWidget* owner) : TOrvWindow(owner ? owner : QApplication::activeWindow()) {
    setObjectName(QStringLiteral("frmPickList"));
    setWindowTitle(QStringLiteral("Picklist"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const TBodyAndBar panels = NewBodyAndBar(this, kBarHeight);
    pnlBody = panels.Body;
    pnlOkCancel = panels.Bar;
    acOk = new QAction(QStringLiteral("&Ok"), this);
    acOk->setObjectName(QStringLiteral("acOk"));
    ConnectGuarded(acOk, &QAction::triggered, this, [this] { acOkExecute(); });
    acCancel = new QAction(QStringLiteral("&Annuleren"), this);
    acCancel->setObjectName(QStringLiteral("acCancel"));
    ConnectGuarded(acCancel, &QAction::triggered, this, [this] { close(); });
    btnOk = NewBarButton(pnlOkCancel, "btnOk", acOk);
    btnCancel = NewBarButton(pnlOkCancel, "btnCancel", acCancel);
    setTabOrder(btnOk, btnCancel);
    dbgridPickList = new TOrvDBSortGrid(pnlBody);

    setFont(ArialPixels(16));
    resize(421, 365 + kBarHeight);
    setMinimumSize(180, 117);
    pnlBody->setContentsMargins(0, 0, 0, 0);
    pnlBody->setAutoFillBackground(false);
    dbgridPickList->setObjectName(QStringLiteral("dbgridPickList"));
    auto* body = new QVBoxLayout(pnlBody);
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(dbgridPickList);
    dbgridPickList->OnDoubleClick = [this](TOrvDBSortGrid*) { acOk->trigger(); };
    dbgridPickList->OnKeyDown = [this](TOrvDBSortGrid*, int& key, Qt::KeyboardModifiers) {
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
        key = 0;
        acOk->trigger();
    };
    dbgridPickList->OnBeginSort = [this](TOrvDBSortGrid*, QString& fieldName) {
        const auto actual = FActualSortColumns.constFind(fieldName.toLower());
        if (actual != FActualSortColumns.constEnd()) fieldName = *actual;
    };
}

void TfrmPickList::SetRows(TDataSource* source, const QString& keyField, const QStringList& keys) {
    dbgridPickList->SetDataSource(source);
    if (!keys.isEmpty()) dbgridPickList->ForceFilter(keyField, keys.join(u'\n'));
}

void TfrmPickList::AddActualColumnForSorting(const QString& column, const QString& actualColumn) {
    FActualSortColumns.insert(column.toLower(), actualColumn);
}

void TfrmPickList::FitColumns() {
    const int needed = dbgridPickList->x() + dbgridPickList->Columns().TotalColumnWidth() + 20;
    if (width() >= needed) {
        dbgridPickList->Grid()->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        return;
    }
    const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen();
    const int widest = screen ? screen->availableGeometry().width() - kScreenMargin : needed;
    resize(std::min(needed, widest), height());
}

void TfrmPickList::resizeEvent(QResizeEvent* event) {
    TOrvWindow::resizeEvent(event);
    // Before the first show the layout has not given the bar its width yet.
    layout()->activate();
    CentreBarButtons(pnlOkCancel, {btnOk, btnCancel});
}

void TfrmPickList::acOkExecute() {
    if (!dbgridPickList->IsEmpty() && dbgridPickList->Row() >= 1) done(mrOK);
}

void TfrmPickList::mousePressEvent(QMouseEvent* event) {
    TOrvWindow::mousePressEvent(event);
    // A maintainer's aid: with /D the button bar tells the window's size, for choosing the design size.
    if (QApplication::arguments().contains(QStringLiteral("/D"), Qt::CaseInsensitive) &&
        pnlOkCancel->geometry().contains(event->position().toPoint()))
        ZemloInfo(QStringLiteral("Width  = %1\rHeight = %2").arg(width()).arg(height()));
}
