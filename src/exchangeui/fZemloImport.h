#pragma once
// The conversion window: last year's program directory, typed or found with the file dialog; OK takes the
// concerns, employers and cost categories over from last year's database and leaves the window open.

#include "forms/fBaseOkCancel.h"

class QLabel;
class TOrvADOConnection;
class TOrvButton;
class TOrvEdit;

class TfrmZemloImport : public TBaseOkCancel {
    Q_OBJECT
public:
    explicit TfrmZemloImport(QWidget* owner = nullptr);
    ~TfrmZemloImport() override;

    // This year's connection, which the conversion writes; set before Initialize.
    void SetADOConnection(TOrvADOConnection* connection) { FADONewConnection = connection; }
    // Proposes last year's program directory (VoorgesteldeZemloMap).
    void Initialize() override;

protected:
    // Runs the conversion after its question; the window stays open.
    void acOkExecute() override;

private:
    void btnOkClick();
    // The file dialog for last year's program or database, starting in the typed folder when it exists.
    void btnBladerenClick();

    TOrvADOConnection* FADONewConnection = nullptr;
    TOrvADOConnection* FADOOldConnection;
    QLabel* lblUitleg;
    QLabel* lblSelectZemloDir;
    TOrvEdit* edZemloMap;
    TOrvButton* btnBladeren;
};
