#include "forms/fBaseFilter.h"

#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "core/OrvMessages.h"
#include "core/uFilter.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"

ORV_METHOD_PREFIXES(TBaseFilter)

namespace {
// The window's bound controls that name a filter field, in their order on the window.
QList<TOrvDBComponent*> FilterControls(const QWidget* window) {
    QList<TOrvDBComponent*> controls;
    for (TOrvDBComponent* control : window->findChildren<TOrvDBComponent*>())
        if (!control->SQLInputField().isEmpty()) controls.append(control);
    return controls;
}
}

TBaseFilter::TBaseFilter(QWidget* owner, TFilter* filter) : TBaseOkCancel(owner), FFilter(filter) {
    if (!FFilter) throw EOrvError(QStringLiteral("Filter cannot be nil"));
}

void TBaseFilter::showEvent(QShowEvent* event) {
    TBaseOkCancel::showEvent(event);
    GuardUiAction([&] {
        if (bInitialized) return;
        bInitialized = true;
        GetFilter(FFiltered);
    });
}

void TBaseFilter::acOkExecute() {
    if (!ValidateForm()) return;
    SetFilter(FFiltered);
    TBaseOkCancel::acOkExecute();
}

bool TBaseFilter::ValidateForm() {
    return WithPrefix(Prefix("ValidateForm"), [] { return true; });
}

void TBaseFilter::GetFilter(bool& filtered) {
    WithPrefix(Prefix("GetFilter"), [&] {
        filtered = false;
        for (TOrvDBComponent* control : FilterControls(this)) {
            const QString name = control->SQLInputField();
            if (!FFilter->FilterFieldHasValue(name)) continue;
            const TFilterField& field = FFilter->FilterFieldByName(name);
            TDBValue value;
            if (qobject_cast<TOrvDBCheckbox*>(control))
                value.SetAsBoolean(field.AsBoolean());
            else if (qobject_cast<TOrvDBNumericEdit*>(control))
                value.SetAsFloat(field.AsFloat());
            else
                value.SetAsString(field.AsString());
            filtered = true;
            control->ForceDBValue(value);
        }
    });
}

void TBaseFilter::SetFilter(bool& filtered) {
    WithPrefix(Prefix("SetFilter"), [&] {
        const TWaitCursor wait;
        filtered = false;
        for (TOrvDBComponent* control : FilterControls(this)) {
            if (control->IsNull()) continue;
            const QString name = control->SQLInputField();
            if (auto* check = qobject_cast<TOrvDBCheckbox*>(control)) {
                FFilter->SetFilterField(name, check->CheckBox()->isChecked(), TFieldType::ftBoolean);
            } else if (auto* amount = qobject_cast<TOrvDBNumericEdit*>(control)) {
                FFilter->SetFilterField(name, amount->Value(), TFieldType::ftFloat);
            } else if (auto* list = qobject_cast<TOrvDBCustomComboboxEx*>(control)) {
                // The empty first line of a lookup list stands for no choice.
                if (list->Value() == QLatin1String(kNoValueKey)) continue;
                FFilter->SetFilterField(name, list->Value(), TFieldType::ftString);
            } else {
                FFilter->SetFilterField(name, control->AsText(), TFieldType::ftString);
            }
            filtered = true;
        }
    });
}
