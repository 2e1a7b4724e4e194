#pragma once
// The payroll link window: the folder of the payroll program, typed or found with the file dialog, stored
// as the link on OK.

#include "forms/fBaseOkCancel.h"

class QLabel;
class TOrvADOConnection;
class TOrvButton;
class TOrvEdit;

class TfrmQueltKoppeling : public TBaseOkCancel {
    Q_OBJECT
public:
    explicit TfrmQueltKoppeling(QWidget* owner = nullptr);

    // The program's connection, where the link is read and stored; set before Initialize.
    void SetADOConnection(TOrvADOConnection* connection) { FADOConnection = connection; }
    // Fills the edit box with the stored link (empty when none).
    void Initialize() override;

protected:
    // Stores the typed link; an empty one is refused and the window stays open.
    void acOkExecute() override;

private:
    // The file dialog for Quelt2024.exe, starting in the typed folder when it exists.
    void btnBladerenClick();

    TOrvADOConnection* FADOConnection = nullptr;
    QLabel* lblSelectQueltDir;
    TOrvEdit* edQueltMap;
    TOrvButton* btnBladeren;
};
