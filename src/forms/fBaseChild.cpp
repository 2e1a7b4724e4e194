#include "forms/fBaseChild.h"

#include "support/OrvErrors.h"

#include <QtGui/QAction>
#include <QtWidgets/QVBoxLayout>

ORV_METHOD_PREFIXES(TBaseChild)

TBaseChild::TBaseChild(QWidget* owner) : TBaseForm(owner) {}

void TBaseChild::AttachToParent(QWidget* parentControl) {
    WithPrefix(ClassName() + QStringLiteral(".AttachToParent: "), [&] {
        if (!parentControl) throw EOrvError(QStringLiteral("ParentControl is not assigned"));
        if (!qobject_cast<TBaseForm*>(parentControl) && !OwningForm(parentControl))
            throw EOrvError(QStringLiteral("Parent form should be a TBaseForm descendant."));
        setParent(parentControl, Qt::Widget);
        QLayout* hostLayout = parentControl->layout();
        if (!hostLayout) {
            hostLayout = new QVBoxLayout(parentControl);
            hostLayout->setContentsMargins(0, 0, 0, 0);
        }
        hostLayout->addWidget(this);
        // The host's F1 hands the key on to the embedded window that has the focus; the same shortcut
        // registered here as well would make F1 ambiguous and do nothing.
        removeAction(acHelp);
        hide();
    });
}

void TBaseChild::Initialize() {
    TBaseForm::Initialize();
    show();
}

int TBaseChild::exec() { throw EOrvError(QStringLiteral("ShowModal is not allowed for child forms.")); }

TBaseOnderhoud* TBaseChild::ParentOnderhoud(const char* operation) const {
    return WithPrefix(Prefix(operation), [&] {
        TBaseForm* parentForm = OwningForm(this);
        if (!parentForm) throw EOrvError(QStringLiteral("ParentForm is not assigned"));
        auto* onderhoud = qobject_cast<TBaseOnderhoud*>(parentForm);
        if (!onderhoud) throw EOrvError(QStringLiteral("Parent is not a TBaseOnderhoud descendant"));
        return onderhoud;
    });
}

TMode TBaseChild::ParentFormMode() const { return ParentOnderhoud("ParentFormMode")->Mode(); }

bool TBaseChild::ParentInsertAlsNodig() {
    TBaseOnderhoud* parent = ParentOnderhoud("ParentInsertAlsNodig");
    return WithPrefix(Prefix("ParentInsertAlsNodig"), [&] { return parent->InsertAlsNodig(); });
}

bool TBaseChild::ParentInsertOfUpdateAlsNodig() {
    TBaseOnderhoud* parent = ParentOnderhoud("ParentInsertOfUpdateAlsNodig");
    return WithPrefix(Prefix("ParentInsertOfUpdateAlsNodig"), [&] { return parent->InsertOfUpdateAlsNodig(); });
}
