#pragma once
// The cost entries of one employer, embedded in the employer edit window: one amount column per cost type.

#include "forms/fBaseChildSelect.h"

class TdmBeheer;

class TfrmChildSelKosten : public TBaseChildSelect {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TfrmChildSelKosten(QWidget* owner = nullptr);

    void Initialize(qint64 iWerkgeverId, int iAangifteTijdvak);

protected:
    void SetupGrid() override;
    void OpenMutatiescherm(TMode mode) override;

private:
    TdmBeheer* FdmBeheer;
    qint64 FWerkgeverId = -1;
    int FAangifteTijdvak = -1;
};
