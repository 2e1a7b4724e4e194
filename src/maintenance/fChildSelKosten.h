#pragma once
// The cost entries of one employer, embedded in the employer edit window: one amount column per cost type.

#include "maintenance/WerkgeverChildSelect.h"

class TfrmChildSelKosten : public TWerkgeverChildSelect {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TfrmChildSelKosten(QWidget* owner = nullptr);

protected:
    void SetupGrid() override;
    void OpenMutatiescherm(TMode mode) override;
};
