#pragma once
// A window that lives inside a control of an edit window: it knows that window and its mode, and asks it
// to store a new record before dependent records are added to it.

#include "forms/fBaseOnderhoud.h"

class TBaseChild : public TBaseForm {
    Q_OBJECT
public:
    explicit TBaseChild(QWidget* owner = nullptr);

    // Becomes a borderless part of parentControl that fills it, still hidden.
    void AttachToParent(QWidget* parentControl);
    // Shows the embedded window.
    void Initialize() override;
    // A child window never runs on its own: "ShowModal is not allowed for child forms."
    int exec() override;

    // The edit window the child is embedded in, and its mode.
    TBaseOnderhoud* ParentOnderhoud(const char* operation) const;
    TMode ParentFormMode() const;
    // The parent's InsertAlsNodig and InsertOfUpdateAlsNodig.
    virtual bool ParentInsertAlsNodig();
    virtual bool ParentInsertOfUpdateAlsNodig();
    virtual void EnableDisable() = 0;
    // Whether the child holds changes the parent must store.
    virtual bool GetChildFormDataChanged() const { return false; }
};
