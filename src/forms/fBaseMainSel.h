#pragma once
// A toolbar window with a list: a title line with the list's caption and record counter
// (" Concerns (3/10)"), and a sort grid with all rows of the derived window's list query.

#include "forms/fBaseDialog.h"

class QLabel;
class TDataSource;
class TOrvDBSortGrid;

class TBaseMainSel : public TBaseDialog {
    Q_OBJECT
public:
    explicit TBaseMainSel(QWidget* owner = nullptr);

    // TBaseForm's steps, then the list is loaded.
    void Initialize() override;
    bool Filtered() const { return FFiltered; }

    // The filter actions are on while visible (and, for switching off, while a filter is on); then the
    // record counter.
    virtual void EnableDisable();
    // Binds dsSelect to the list query, opens it, defines the columns the first time, fetches all rows,
    // sorts and goes to the first row.
    virtual void SetupSelectGrid() = 0;
    virtual void UpdateRecordCounter();

    QFrame* pnlTitle;
    QLabel* lblGrid;
    QLabel* lblFiltered;
    TOrvDBSortGrid* dbgridSelect;
    TDataSource* dsSelect;
    // A window that offers a filter shows these buttons and connects the actions.
    TOrvButton* btnFilter;
    TOrvButton* btnFilterUit;
    QAction* acFilter;
    QAction* acFilterUit;

protected:
    bool event(QEvent* event) override;

    bool bActivated = false;
    QString FGridCaption;
    bool FFiltered = false;
};
