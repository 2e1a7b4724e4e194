#pragma once
// The edit window of one concern: its name, unique among the concerns. A concern that an employer belongs
// to is not deleted.

#include "forms/fBaseOnderhoud.h"

class TdmBeheer;
class TOrvDBEdit;

class TfrmMutConcern : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmMutConcern(QWidget* owner = nullptr);

    void Initialize(TMode AMode, int AId);
    void SetExtraFields() override;

private:
    void edNaamValidate(bool& dataValid);
    void dgOnderhoudCrossValidate(bool& dataValid);

    TOrvDBEdit* edNaam;
    TdmBeheer* FdmBeheer;
};
