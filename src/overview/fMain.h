#pragma once
// The main window: all employers (or a filtered set) with their free space, counting costs and remaining
// free space, and the starting point of every other window.

#include "core/uFilter.h"
#include "forms/fBaseForm.h"

#include <memory>

class QLabel;
class QMenu;
class QStatusBar;
class TDataSource;
class TdmMain;
class TOrvButton;
class TOrvDBSortGrid;

// The six columns of the employer list: wage tax number, name, concern and the three amounts.
void AddWerkgeverColumns(TOrvDBSortGrid& grid);

// The program's selection colour while it runs.
inline const QColor kSelectionColor(0x06, 0xA2, 0xCB);

class TfrmMain : public TBaseForm {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* owner = nullptr);
    ~TfrmMain() override;

    // The start-up sequence: help file, message caption, data module, own database, selection colour,
    // the list, in payroll mode the imports, the actions. An error is shown under "Initialisatie" and closes the
    // window.
    void Initialize() override;
    // Whether the window was closed (also during Initialize).
    bool Closed() const { return FClosed; }

    void SetupWerkgeversGrid();
    void WerkgeversBijwerken();
    virtual void EnableDisable();
    void UpdateFiltered();

    TdmMain* DataModule() const { return FdmMain.get(); }
    TFilter FFilter;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Every way of closing (Escape, the close button) goes through the close question.
    void reject() override;

    // The employer edit window: shows it for mode 0 add, 1 change, 2 delete and the key (-1 for add);
    // leaves the key the window ended with.
    virtual void ExecWerkgeverWindow(int mode, qint64& key);

private:
    QFrame* pnlControlBar;
    QLabel* imLogo;
    TOrvButton* btnWerkgever;
    TOrvButton* btnFilter;
    TOrvButton* btnFilterUit;
    TOrvButton* btnAfsluiten;
    QLabel* lblFiltered;
    TOrvDBSortGrid* dbgridWG;
    TDataSource* dsWerkgevers;
    QStatusBar* StatusBar;

    QAction* acWerkgeverWijzigen;
    QAction* acWerkgeverToevoegen;
    QAction* acWerkgeverVerwijderen;
    QAction* acConcerns;
    QAction* acKostencategorieen;
    QAction* acFilter;
    QAction* acFilterUit;
    QAction* acQueltKoppeling;
    QAction* acExporteerKosten;
    QAction* acImporteerWerkgevers;
    QAction* acImporteerLoonsommen;
    QAction* acConversie;
    QAction* acRapportage;
    QAction* acServiceInformatie;
    QAction* acZemloHelp;
    QAction* acAfsluiten;

    void BuildControlBar();
    void BuildMenus();
    void OpenWerkgeverWindow(int mode);
    void acFilterExecute();
    void acFilterUitExecute();
    void acServiceInformatieExecute();
    void QueltImportsBijStart();
    void ConversieBijStart();
    void OpenZemloConversie();
    void OpenQueltKoppeling();
    void acQueltKoppelingExecute();
    void acImporteerWerkgeversExecute();
    void acImporteerLoonsommenExecute();
    void acExporteerKostenExecute();
    void GridKeyDown(int& key);
    void ApplySelectionColor();
    void RestoreSelectionColor();

    std::unique_ptr<TdmMain> FdmMain;
    bool FClosed = false;
    bool FCentred = false;
};
