#pragma once
// An embedded list of an edit window's dependent records: a sort grid, a record counter and the buttons
// "&Toevoegen", "&Wijzigen" and "&Verwijderen" that open the record's edit window. It talks to the edit
// window it sits in: that window's mode decides the buttons, and a new parent is stored before its first
// dependent record is added.

#include "forms/fBaseChild.h"

#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QMenu;
class TDataSource;
class TOrvButton;
class TOrvDBSortGrid;
class TOrvQuery;

class TBaseChildSelect : public TBaseChild {
    Q_OBJECT
public:
    explicit TBaseChildSelect(QWidget* owner = nullptr);
    ~TBaseChildSelect() override;

    // After a new parent was stored the list is set up again on its key.
    bool ParentInsertAlsNodig() override;

    // Sets up the list the first time, afterwards reloads it when ForceRefresh is on; then the buttons.
    virtual void Refresh();
    // Reloads the list query and the grid.
    void GegevensBijwerken();
    void EnableDisable() override;
    void UpdateRecordCounter();
    bool ForceRefresh() const { return FForceRefresh; }
    void SetForceRefresh(bool force) { FForceRefresh = force; }

protected:
    // Opens the record's edit window in the mode (see OpenEditWindow).
    virtual void OpenMutatiescherm(TMode mode) = 0;
    // Binds dsChildSelect, opens the list query, adds the columns when the grid has none, fetches all rows
    // and puts the cursor on the first one.
    virtual void SetupGrid() = 0;
    // The next Refresh sets the list up again, e.g. on the key of a parent that was just stored.
    void SetupOnNextRefresh() { FGridIsSetup = false; }

    // The edit window contract of the lists: nothing without a row to open or in a parent being deleted;
    // a new parent is stored first; the window comes from create(key) already initialised, runs modally,
    // and after OK the list is reloaded on the record it ended with. Errors are shown under errorTitle.
    void OpenEditWindow(TMode mode, const QString& keyField, const QString& errorTitle,
                        const std::function<std::unique_ptr<TBaseOnderhoud>(int key)>& create);

    QFrame* pnlMain;
    QFrame* pnlTop;
    QFrame* pnlRight;
    QFrame* pnlRecordCounter;
    QFrame* pnlFiller;
    QLabel* lblRecordCounter;
    QFrame* pnlButtons;
    TOrvButton* btnInsert;
    TOrvButton* btnEdit;
    TOrvButton* btnDelete;
    TOrvDBSortGrid* dbgridChildSelect;
    TDataSource* dsChildSelect;
    QMenu* pmChildSelect;

private:
    void btnToevoegenClick();
    void btnWijzigenClick();
    void btnVerwijderenClick();
    void dbgridChildSelectKeyDown(int& key);
    void pmChildSelectPopup();
    bool ParentViewsOnly() const;
    // The list query that dsChildSelect shows (set by SetupGrid).
    TOrvQuery* ListQuery() const;

    bool FGridIsSetup = false;
    bool FForceRefresh = false;
    std::unique_ptr<QMenu> FDesignedPopupMenu;
};
