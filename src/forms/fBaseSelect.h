#pragma once
// The list windows of the maintenance screens: a toolbar list whose "&Toevoegen", "&Wijzigen" and
// "&Verwijderen" (Insert, Enter or a double click, Delete) open the current row's edit window, and F5
// reloads.

#include "forms/fBaseMainSel.h"
#include "forms/fBaseOnderhoud.h"

#include <functional>
#include <memory>

class TBaseSelect : public TBaseMainSel {
    Q_OBJECT
public:
    explicit TBaseSelect(QWidget* owner = nullptr);

    // Loads the list; its errors reach the caller.
    void Initialize() override;
    // Adding is always on; changing and deleting need a row.
    void EnableDisable() override;
    // Reopens the list query and reloads the grid, keeping its sort.
    void GegevensBijwerken();
    // Opens the current row's edit window in the mode (for mdInsert without a row).
    virtual void OpenMutatiescherm(TMode mode) = 0;

    TOrvButton* btnInsert;
    TOrvButton* btnEdit;
    TOrvButton* btnDelete;
    QAction* acInsert;
    QAction* acEdit;
    QAction* acDelete;
    QAction* acBijwerken;

protected:
    // Makes an edit window owned by the list, already initialised for the mode and key.
    using TMutatieschermFactory = std::function<std::unique_ptr<TBaseOnderhoud>(TMode mode, int key)>;
    // What every list does for OpenMutatiescherm: the edit window on the current row's keyColumn (-1 when
    // adding), shown modally; after OK the list is reloaded on the stored record. Errors are shown under
    // errorTitle.
    void ShowMutatiescherm(TMode mode, const QString& keyColumn, const QString& errorTitle,
                           const TMutatieschermFactory& create);

private:
    void GridKeyDown(int& key);
};
