#pragma once
// The wage sums of one employer, embedded in the employer edit window.

#include "maintenance/WerkgeverChildSelect.h"

class TfrmChildSelLoonsommen : public TWerkgeverChildSelect {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TfrmChildSelLoonsommen(QWidget* owner = nullptr);

protected:
    void SetupGrid() override;
    void OpenMutatiescherm(TMode mode) override;
};
