#pragma once
// The list of all cost categories ("Beheer kostencategorieën"), ordered by number, with the category edit
// window behind its buttons.

#include "forms/fBaseSelect.h"

class TdmBeheer;

class TfrmSelKostencategorieen : public TBaseSelect {
    Q_OBJECT
public:
    explicit TfrmSelKostencategorieen(QWidget* owner = nullptr);

    void SetupSelectGrid() override;
    void OpenMutatiescherm(TMode AMode) override;

private:
    TdmBeheer* FdmBeheer;
};
