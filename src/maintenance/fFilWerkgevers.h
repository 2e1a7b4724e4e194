#pragma once
// The employer filter "Werkgever selectiefilter": the employers of one concern, and whether provisional
// wage sums and costs count.

#include "forms/fBaseFilter.h"

class TDataSource;
class TdmBeheer;
class TOrvDBCheckbox;
class TOrvDBLookupCombo;

class TfrmFilWerkgevers : public TBaseFilter {
    Q_OBJECT
public:
    TfrmFilWerkgevers(QWidget* owner, TFilter* filter);

    // The base's initialisation, then the concern list.
    void Initialize() override;

protected:
    // The filter holds exactly what the window shows: the check box always, the concern when chosen.
    void SetFilter(bool& filtered) override;

private:
    TOrvDBLookupCombo* edConcern;
    TOrvDBCheckbox* chkExclusiefProforma;
    TDataSource* dsConcerns;
    TdmBeheer* FdmBeheer;
};
