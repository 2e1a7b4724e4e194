#include "forms/fBaseForm.h"

#include "controls/OrvComp.h"
#include "forms/fBaseChild.h"
#include "support/OrvErrors.h"

#include <QSignalBlocker>

TBaseForm* OwningForm(const QWidget* control) {
    for (QWidget* parent = control->parentWidget(); parent; parent = parent->parentWidget())
        if (auto* form = qobject_cast<TBaseForm*>(parent)) return form;
    return nullptr;
}

TBaseForm::TBaseForm(QWidget* owner) : TOrvWindow(owner) {}

TBaseForm::~TBaseForm() {
    for (const QPointer<TBaseForm>& child : std::as_const(FChildFormList)) delete child.data();
    FChildFormList.clear();
}

TBaseForm* TBaseForm::CreateChildForm(const QMetaObject* childFormClass, QWidget* parentControl) {
    return WithPrefix(ClassName() + QStringLiteral(".CreateChildForm: "), [&] {
        if (!childFormClass) throw EOrvError(QStringLiteral("No ChildFormClass specified"));
        if (!parentControl) throw EOrvError(QStringLiteral("No ParentControl specified"));
        const QString className = QString::fromLatin1(childFormClass->className());
        if (!childFormClass->inherits(&TBaseChild::staticMetaObject))
            throw EOrvError(QStringLiteral("No instance of ") + className + QStringLiteral(" allowed."));
        const QString hostName = parentControl->objectName().toLower();
        if (ChildFormExists(parentControl))
            throw EOrvError(QStringLiteral("WinControl \"") + hostName +
                            QStringLiteral("\" already has a child form assigned."));
        auto* child = qobject_cast<TBaseChild*>(childFormClass->newInstance(Q_ARG(QWidget*, this)));
        if (!child)
            throw EOrvError(className + QStringLiteral(" has no invokable constructor taking the owner window."));
        child->AttachToParent(parentControl);
        FChildFormList.insert(hostName, child);
        return static_cast<TBaseForm*>(child);
    });
}

bool TBaseForm::ChildFormExists(QWidget* parentControl) const {
    return WithPrefix(ClassName() + QStringLiteral(".ChildFormExists: "), [&] {
        if (!parentControl) throw EOrvError(QStringLiteral("No ParentControl specified"));
        return !FChildFormList.value(parentControl->objectName().toLower()).isNull();
    });
}

void TBaseForm::SetCheckboxCheckedWithoutOnClickEvent(TOrvCheckBox* checkBox, bool checked) {
    WithPrefix(ClassName() + QStringLiteral(".SetCheckboxCheckedWithoutOnClickEvent: "), [&] {
        if (!checkBox) throw EOrvError(QStringLiteral("No checkbox specified"));
        const QSignalBlocker noClickHandlers(checkBox);
        checkBox->setChecked(checked);
    });
}
