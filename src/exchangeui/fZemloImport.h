#pragma once
// The conversion window: last year's program directory, typed or found with the file dialog; OK takes the
// concerns, employers and cost categories over from last year's database and leaves the window open.

#include "forms/fBaseOkCancel.h"

class QLabel;
class TdmMain;
class TOrvADOConnection;
class TOrvButton;
class TOrvEdit;

class TfrmZemloImport : public TBaseOkCancel {
    Q_OBJECT
public:
    explicit TfrmZemloImport(QWidget* owner = nullptr);
    ~TfrmZemloImport() override;

    // The program's data module: this year's connection, which the conversion writes, and the opening of
    // last year's database as the program opens its own; set before Initialize.
    void SetDataModule(TdmMain* dataModule) { FData = dataModule; }
    // Proposes last year's program directory (VoorgesteldeZemloMap).
    void Initialize() override;

protected:
    // Runs the conversion after its question, each import's result shown as it ends; the window stays open.
    void acOkExecute() override;

private:
    void btnOkClick();
    // The file dialog for last year's program or database, starting in the typed folder when it exists.
    void btnBladerenClick();

    TdmMain* FData = nullptr;
    TOrvADOConnection* FADOOldConnection;
    QLabel* lblUitleg;
    QLabel* lblSelectZemloDir;
    TOrvEdit* edZemloMap;
    TOrvButton* btnBladeren;
};
