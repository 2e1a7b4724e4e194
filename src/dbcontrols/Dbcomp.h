#pragma once
// A bound control: a caption label and one input control that knows which input column it shows and which
// output column it writes, keeps the value it was loaded with, and validates itself. The data group loads,
// checks and reads the bound controls of its window; each kind (edit, memo, amount, check box, drop-downs)
// says what empty, changed and its value mean.

#include "binding/DBValue.h"
#include "dbcontrols/OrvControlWithLabel.h"

#include <QFlags>
#include <QPointer>
#include <QtGui/QColor>

#include <functional>

class QDialog;
class QKeyEvent;
class TInputControlLook;
class TOrvDataGroup;
class TOrvDBComponent;
class TOrvOutputSet;

// Which of the output column's facts a control takes over.
enum TAutoFetchOption { afoMaxLength = 0x1, afoRequired = 0x2 };
Q_DECLARE_FLAGS(TAutoFetchOptions, TAutoFetchOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TAutoFetchOptions)

// An extra check after the built-in one; it may turn dataValid to false.
using TValidateEvent = std::function<void(QObject* sender, bool& dataValid)>;
// Reports a failed built-in check: 1 = a required value is missing, 2 = the format is not valid.
using TInternalValidateMessageEvent = std::function<void(TOrvDBComponent* sender, int errResult)>;

// Text colour of disabled bound controls: RGB(96, 96, 96).
inline const QColor kDisabledTextColor(96, 96, 96);

// The window (a dialog, also an embedded one) that holds the widget: the form whose components it meets.
QDialog* OwnerForm(const QWidget* widget);

class TOrvDBComponent : public TOrvControlWithLabel {
    Q_OBJECT
    // The copy menu of disabled controls copies this text.
    Q_PROPERTY(QString text READ ClipboardText)
public:
    explicit TOrvDBComponent(QWidget* parent = nullptr);

    TOrvDataGroup* DataGroup() const;
    void SetDataGroup(TOrvDataGroup* group);
    const QString& SQLInputField() const { return FSQLInputField; }
    void SetSQLInputField(const QString& field) { FSQLInputField = field; }
    // The component name of the output set this control writes; empty: never written.
    const QString& SQLOutputSet() const { return FSQLOutputSet; }
    void SetSQLOutputSet(const QString& outputSet) { FSQLOutputSet = outputSet; }
    const QString& SQLOutputField() const { return FSQLOutputField; }
    // A label still reading "LabelCaption" takes the field's name; once initialised the control takes the
    // column's length and required flag again.
    void SetSQLOutputField(const QString& field);

    // With AutoFetch the output column decides: its length and its NOT NULL.
    bool Required() const;
    void SetRequired(bool required);
    // 0 = no limit.
    int MaxLength() const;
    void SetMaxLength(int maxLength);
    bool AutoFetch() const { return FAutoFetch; }
    void SetAutoFetch(bool autoFetch);
    TAutoFetchOptions AutoFetchOptions() const { return FAutoFetchOptions; }
    void SetAutoFetchOptions(TAutoFetchOptions options);
    int ExternalMaxLength() const { return FExternalMaxLength; }
    bool ExternalRequired() const { return FExternalRequired; }

    // A read-only control cannot be changed by the user and is never written by the data group.
    virtual bool ReadOnly() const { return FReadOnly; }
    virtual void SetReadOnly(bool readOnly);
    bool ValidateOnExit() const { return FValidateOnExit; }
    void SetValidateOnExit(bool validate) { FValidateOnExit = validate; }
    QColor RequiredColor() const { return FRequiredColor; }
    void SetRequiredColor(const QColor& color);
    QColor FocusedColor() const;
    void SetFocusedColor(const QColor& color);
    // Text colours of the inner control when the control has no data group.
    QColor EnabledColor() const { return FEnabledColor; }
    void SetEnabledColor(const QColor& color);
    QColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(const QColor& color);
    bool TabOnEnter() const;
    void SetTabOnEnter(bool tabOnEnter);
    bool TabStop() const;
    void SetTabStop(bool tabStop);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);

    TValidateEvent OnValidate;
    TInternalValidateMessageEvent OnInternalValidateMessage;

    virtual QString AsText() const = 0;
    // The value differs from the one last loaded (ForceDBValue).
    virtual bool DataChanged() const = 0;
    virtual bool IsNull() const = 0;
    // The value last loaded: null after creation.
    const TDBValue& DBValue() const { return FDBValue; }

    // Once: the output column's length and required flag; on the first size change or the first load.
    void Initialize();
    bool AlreadyInitialized() const { return FAlreadyInitialized; }
    // Shows the kind's empty state.
    virtual void Clear() = 0;
    // Makes value the loaded value and shows it.
    void ForceDBValue(const TDBValue& value);
    // DataValid := the built-in check, then OnValidate.
    bool Validate();
    bool DataValid() { return Validate(); }
    // Whether the copy menu of disabled controls offers this control's text.
    virtual bool IsCopyingWhenDisabledSupported() const { return false; }

    // The data group's reading and writing: the value of a non-null input field as this kind reads it,
    // and the control's value (not null) into an output value.
    virtual void ReadField(const QVariant& field, TDBValue& value) const = 0;
    virtual void WriteValue(TDBValue& target) const = 0;

    void SetFocus();
    bool Focused() const;

Q_SIGNALS:
    // On leaving the control when its value differs from the loaded one.
    void DataChange();
    // Every key pressed in the inner control, before the control handles it.
    void KeyDown(QKeyEvent* event);

protected:
    // The inner control with its shared look (focus colour, Enter); the control watches its keys and focus.
    void SetInput(QWidget* control, TInputControlLook* look);
    // Shows the loaded value (the display step of ForceDBValue).
    virtual void DisplayValue() = 0;
    // Valid unless required and empty; a failure takes the focus and reports through the message path.
    virtual bool InternalValidate();
    virtual void DoExit();
    virtual void DoKeyDown(QKeyEvent* event);
    // Enables or disables label and inner control.
    virtual void ApplyEnabled();
    // Hands the effective MaxLength to the inner control.
    virtual void ApplyMaxLength() {}
    // Runs at Initialize after the column facts are known (the lookup combo fills its list).
    virtual void InitializeKind() {}
    virtual QString ClipboardText() const { return AsText(); }
    // After every change of the value: the copy menu offers nothing for an empty control.
    void ValueShown();
    // The text colour the inner control has now: the group's (or own) enabled or disabled colour.
    QColor TextColor() const;
    void UpdateLook() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // "Kind.Method: " with the actual kind's class name.
    QString KindPrefix(const char* method) const;

private:
    void FetchColumnFacts();
    TOrvOutputSet* FindOutputSet() const;

    QPointer<TOrvDataGroup> FDataGroup;
    QString FSQLInputField;
    QString FSQLOutputSet;
    QString FSQLOutputField;
    bool FRequired = false;
    int FMaxLength = 0;
    bool FAutoFetch = true;
    TAutoFetchOptions FAutoFetchOptions = afoMaxLength | afoRequired;
    int FExternalMaxLength = 0;
    bool FExternalRequired = false;
    bool FReadOnly = false;
    bool FValidateOnExit = false;
    QColor FRequiredColor = Qt::black;
    QColor FEnabledColor;
    QColor FDisabledColor = kDisabledTextColor;
    bool FEnabled = true;
    bool FAlreadyInitialized = false;
    bool FDataValid = true;
    TDBValue FDBValue;
    TInputControlLook* FLook = nullptr;
};
