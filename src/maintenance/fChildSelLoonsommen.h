#pragma once
// The wage sums of one employer, embedded in the employer edit window.

#include "forms/fBaseChildSelect.h"

class TdmBeheer;

class TfrmChildSelLoonsommen : public TBaseChildSelect {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TfrmChildSelLoonsommen(QWidget* owner = nullptr);

    void Initialize(qint64 iWerkgeverId, int iAangifteTijdvak);

protected:
    void SetupGrid() override;
    void OpenMutatiescherm(TMode mode) override;

private:
    TdmBeheer* FdmBeheer;
    qint64 FWerkgeverId = -1;
    int FAangifteTijdvak = -1;
};
