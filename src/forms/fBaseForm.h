#pragma once
// The common ancestor of the program's windows: the program's window (controls/OrvWindow.h) that can hold
// windows embedded in a control.

#include "controls/OrvWindow.h"

#include <QHash>
#include <QPointer>

class TOrvCheckBox;

class TBaseForm : public TOrvWindow {
    Q_OBJECT
public:
    explicit TBaseForm(QWidget* owner = nullptr);
    ~TBaseForm() override;

    // Creates a window of childFormClass (a TBaseChild class with a Q_INVOKABLE (QWidget* owner)
    // constructor) embedded in parentControl, hidden until its own Initialize runs.
    TBaseForm* CreateChildForm(const QMetaObject* childFormClass, QWidget* parentControl);
    bool ChildFormExists(QWidget* parentControl) const;
    // Sets the check box without running its click handlers.
    void SetCheckboxCheckedWithoutOnClickEvent(TOrvCheckBox* checkBox, bool checked);

private:
    QHash<QString, QPointer<TBaseForm>> FChildFormList;  // by the host control's lower-case name
};

// The window a control belongs to: its nearest TBaseForm ancestor, so an embedded window's controls are
// its own and not the host's.
TBaseForm* OwningForm(const QWidget* control);
