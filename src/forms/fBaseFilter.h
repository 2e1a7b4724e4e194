#pragma once
// The base of the filter windows: copies values between the window's bound controls and a TFilter, by the
// controls' field names. The window edits the caller's filter only on OK.

#include "forms/fBaseOkCancel.h"

class TFilter;

class TBaseFilter : public TBaseOkCancel {
    Q_OBJECT
public:
    // The filter stays the caller's; without one the window cannot be made ("Filter cannot be nil").
    TBaseFilter(QWidget* owner, TFilter* filter);

    // After OK: whether any control contributed a value.
    bool Filtered() const { return FFiltered; }

protected:
    // Fills the controls from the filter; filtered tells whether the filter held a value for any of them.
    virtual void GetFilter(bool& filtered);
    // Writes every control that is not empty into the filter; filtered tells whether any was written.
    virtual void SetFilter(bool& filtered);
    // The windows' own checks; the base has none.
    virtual bool ValidateForm();

    // The first showing fills the controls from the filter.
    void showEvent(QShowEvent* event) override;
    // OK writes the filter only when the window is valid; otherwise the window stays open.
    void acOkExecute() override;

    TFilter* FFilter;

private:
    bool FFiltered = false;
    bool bInitialized = false;
};
