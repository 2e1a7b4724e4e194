#pragma once
// The list of all concerns ("Beheer concerns"), sorted on name, with the concern edit window behind its
// buttons.

#include "forms/fBaseSelect.h"

class TdmBeheer;

class TfrmSelConcerns : public TBaseSelect {
    Q_OBJECT
public:
    explicit TfrmSelConcerns(QWidget* owner = nullptr);

    void SetupSelectGrid() override;
    void OpenMutatiescherm(TMode AMode) override;

private:
    TdmBeheer* FdmBeheer;
};
