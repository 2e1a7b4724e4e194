#include "dbcontrols/Dbcomp.h"

#include "binding/OutSet.h"
#include "controls/OrvComp.h"
#include "core/OrvMessages.h"
#include "dbcontrols/OrvDataGroup.h"
#include "support/OrvErrors.h"

#include <QtGui/QKeyEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>

ORV_METHOD_PREFIXES(TOrvDBComponent)

namespace {
const char* const kCopyWhenDisabled = "CopyWhenDisabled";
const QString kDefaultCaption = QStringLiteral("LabelCaption");

QColor WindowTextColor() { return QApplication::palette().color(QPalette::WindowText); }
}  // namespace

QDialog* OwnerForm(const QWidget* widget) {
    for (QWidget* parent = widget ? widget->parentWidget() : nullptr; parent; parent = parent->parentWidget())
        if (auto* form = qobject_cast<QDialog*>(parent)) return form;
    return nullptr;
}

TOrvDBComponent::TOrvDBComponent(QWidget* parent) : TOrvControlWithLabel(parent), FEnabledColor(WindowTextColor()) {
    setProperty(kCopyWhenDisabled, false);
}

void TOrvDBComponent::SetInput(QWidget* control, TInputControlLook* look) {
    FLook = look;
    control->installEventFilter(this);
    SetInnerControl(control);
    ValueShown();
}

TOrvDataGroup* TOrvDBComponent::DataGroup() const { return FDataGroup; }

void TOrvDBComponent::SetDataGroup(TOrvDataGroup* group) {
    FDataGroup = group;
    ApplyEnabled();
}

QString TOrvDBComponent::KindPrefix(const char* method) const {
    return MethodPrefix(metaObject()->className(), method);
}

// --- column facts ---

void TOrvDBComponent::SetSQLOutputField(const QString& field) {
    WithPrefix(Prefix("SetSQLOutputField"), [&] {
        FSQLOutputField = field;
        if (LabelCaption() == kDefaultCaption && !field.isEmpty()) SetLabelCaption(field);
        if (FAlreadyInitialized) FetchColumnFacts();
    });
}

TOrvOutputSet* TOrvDBComponent::FindOutputSet() const {
    QDialog* form = OwnerForm(this);
    if (!form || FSQLOutputSet.isEmpty()) return nullptr;
    return form->findChild<TOrvOutputSet*>(FSQLOutputSet, Qt::FindDirectChildrenOnly);
}

void TOrvDBComponent::FetchColumnFacts() {
    FExternalMaxLength = 0;
    FExternalRequired = false;
    if (TOrvOutputSet* outputSet = FindOutputSet();
        outputSet && !outputSet->DataReference().isEmpty() && !FSQLOutputField.isEmpty()) {
        FExternalMaxLength = outputSet->GetFieldLength(FSQLOutputField);
        FExternalRequired = outputSet->GetFieldRequired(FSQLOutputField);
    }
    ApplyMaxLength();
    UpdateLook();
}

void TOrvDBComponent::Initialize() {
    if (FAlreadyInitialized) return;
    WithPrefix(KindPrefix("Initialize"), [&] {
        FAlreadyInitialized = true;
        SetSQLOutputField(FSQLOutputField);
        InitializeKind();
    });
}

bool TOrvDBComponent::Required() const {
    return FAutoFetch && FAutoFetchOptions.testFlag(afoRequired) ? FExternalRequired : FRequired;
}

void TOrvDBComponent::SetRequired(bool required) {
    FRequired = required;
    UpdateLook();
}

int TOrvDBComponent::MaxLength() const {
    return FAutoFetch && FAutoFetchOptions.testFlag(afoMaxLength) ? FExternalMaxLength : FMaxLength;
}

void TOrvDBComponent::SetMaxLength(int maxLength) {
    FMaxLength = qMax(0, maxLength);
    ApplyMaxLength();
}

void TOrvDBComponent::SetAutoFetch(bool autoFetch) {
    FAutoFetch = autoFetch;
    ApplyMaxLength();
    UpdateLook();
}

void TOrvDBComponent::SetAutoFetchOptions(TAutoFetchOptions options) {
    FAutoFetchOptions = options;
    ApplyMaxLength();
    UpdateLook();
}

// --- look ---

void TOrvDBComponent::SetReadOnly(bool readOnly) { FReadOnly = readOnly; }

void TOrvDBComponent::SetRequiredColor(const QColor& color) {
    FRequiredColor = color;
    UpdateLook();
}

QColor TOrvDBComponent::FocusedColor() const { return FLook ? FLook->FocusedColor() : QColor(); }

void TOrvDBComponent::SetFocusedColor(const QColor& color) {
    if (FLook) FLook->SetFocusedColor(color);
}

void TOrvDBComponent::SetEnabledColor(const QColor& color) {
    FEnabledColor = color;
    ApplyEnabled();
}

void TOrvDBComponent::SetDisabledColor(const QColor& color) {
    FDisabledColor = color;
    ApplyEnabled();
}

bool TOrvDBComponent::TabOnEnter() const { return FLook && FLook->TabOnEnter(); }

void TOrvDBComponent::SetTabOnEnter(bool tabOnEnter) {
    if (FLook) FLook->SetTabOnEnter(tabOnEnter);
}

bool TOrvDBComponent::TabStop() const { return InnerControl() && InnerControl()->focusPolicy() & Qt::TabFocus; }

void TOrvDBComponent::SetTabStop(bool tabStop) {
    if (InnerControl()) InnerControl()->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TOrvDBComponent::SetEnabled(bool enabled) {
    FEnabled = enabled;
    ApplyEnabled();
}

QColor TOrvDBComponent::TextColor() const {
    if (FDataGroup) return FEnabled ? FDataGroup->EnabledColor() : FDataGroup->DisabledColor();
    return FEnabled ? FEnabledColor : FDisabledColor;
}

void TOrvDBComponent::ApplyEnabled() {
    setEnabled(FEnabled);
    if (QWidget* inner = InnerControl()) {
        QPalette p = inner->palette();
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            p.setColor(role, TextColor());
        inner->setPalette(p);
    }
    UpdateLook();
}

void TOrvDBComponent::UpdateLook() {
    TOrvControlWithLabel::UpdateLook();
    Label()->setEnabled(FEnabled);
    if (!FEnabled) return;
    QPalette p = Label()->palette();
    if (Required()) {
        QFont bold = Label()->font();
        bold.setBold(true);
        Label()->setFont(bold);
        p.setColor(QPalette::WindowText, FRequiredColor);
    } else {
        p.setColor(QPalette::WindowText, WindowTextColor());
    }
    Label()->setPalette(p);
}

void TOrvDBComponent::ValueShown() { setProperty(kCopyWhenDisabled, IsCopyingWhenDisabledSupported() && !IsNull()); }

// --- value and validation ---

void TOrvDBComponent::ForceDBValue(const TDBValue& value) {
    WithPrefix(KindPrefix("ForceDBValue"), [&] {
        FDBValue.Assign(value);
        DisplayValue();
        ValueShown();
    });
}

bool TOrvDBComponent::Validate() {
    FDataValid = InternalValidate();
    if (FDataValid && OnValidate) OnValidate(this, FDataValid);
    return FDataValid;
}

bool TOrvDBComponent::InternalValidate() {
    if (!Required() || !IsNull()) return true;
    SetFocus();
    if (FDataGroup && FDataGroup->OnInternalValidateMessage)
        FDataGroup->OnInternalValidateMessage(this, 1);
    else if (OnInternalValidateMessage)
        OnInternalValidateMessage(this, 1);
    else
        ShowError(objectName(), LabelCaption() + QStringLiteral(" is required"));
    return false;
}

void TOrvDBComponent::SetFocus() {
    if (InnerControl()) InnerControl()->setFocus(Qt::OtherFocusReason);
}

bool TOrvDBComponent::Focused() const { return InnerControl() && InnerControl()->hasFocus(); }

// --- events of the inner control ---

void TOrvDBComponent::DoExit() {
    if (FValidateOnExit) Validate();
    if (DataChanged()) Q_EMIT DataChange();
}

void TOrvDBComponent::DoKeyDown(QKeyEvent* event) {
    Q_EMIT KeyDown(event);
    constexpr Qt::KeyboardModifiers kShiftCtrlAlt = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (event->key() == Qt::Key_Escape && !(event->modifiers() & kShiftCtrlAlt)) {
        // As the window's close command, so the window's close question is asked.
        window()->close();
        event->accept();
    }
}

bool TOrvDBComponent::eventFilter(QObject* watched, QEvent* event) {
    if (watched != InnerControl()) return false;
    bool handled = false;
    GuardUiAction([&] {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            const bool accepted = key->isAccepted();
            key->ignore();
            DoKeyDown(key);
            handled = key->isAccepted();
            if (!handled) key->setAccepted(accepted);
        } else if (event->type() == QEvent::FocusOut) {
            // Leaving the control, not the window losing its activation or a menu opening over it.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) DoExit();
        }
    });
    return handled;
}

void TOrvDBComponent::resizeEvent(QResizeEvent* event) {
    TOrvControlWithLabel::resizeEvent(event);
    if (!FAlreadyInitialized) GuardUiAction([&] { Initialize(); });
}
