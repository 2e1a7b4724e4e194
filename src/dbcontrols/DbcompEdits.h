#pragma once
// The bound text, memo, amount and check box controls.

#include "dbcontrols/Dbcomp.h"

class TOrvCheckBox;
class TOrvEdit;
class TOrvMemo;
class TOrvNumericEdit;

class TOrvDBEdit : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBEdit(QWidget* parent = nullptr);
    TOrvEdit* Edit() const { return FEdit; }

    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override;
    void Clear() override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    // Not while the edit hides its text behind a password character.
    bool IsCopyingWhenDisabledSupported() const override;
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;

protected:
    // The loaded text, cut to MaxLength.
    void DisplayValue() override;
    void ApplyMaxLength() override;

private:
    TOrvEdit* FEdit;
};

// The memo's value has CR LF line breaks, as the texts it is loaded with; Ctrl+F2 checks the spelling.
// Disabled it stays scrollable: read-only instead of disabled.
class TOrvDBMemo : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBMemo(QWidget* parent = nullptr);
    // The inner memo, also for its spell-check settings.
    TOrvMemo* Memo() const { return FMemo; }
    // A memo of this size beside its caption; the panel grows to hold it.
    void SetMemoSize(const QSize& size);

    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override;
    void Clear() override;
    bool ReadOnly() const override { return TOrvDBComponent::ReadOnly(); }
    void SetReadOnly(bool readOnly) override;
    bool IsCopyingWhenDisabledSupported() const override { return true; }
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;

protected:
    void DisplayValue() override;
    void ApplyEnabled() override;
    void ApplyMaxLength() override;
    void UpdateLook() override;

private:
    // Typed or pasted text beyond MaxLength is taken away again.
    void LimitLength(int position, int added);

    TOrvMemo* FMemo;
};

class TOrvDBNumericEdit : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBNumericEdit(QWidget* parent = nullptr);
    TOrvNumericEdit* NumericEdit() const { return FEdit; }

    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override;
    void Clear() override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    bool IsCopyingWhenDisabledSupported() const override { return true; }
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;
    double Value() const;
    // The program's amounts: "1.000,00", two decimals, twelve digits, right aligned, negative allowed.
    void ShowAsAmount();

protected:
    void DisplayValue() override;

private:
    TOrvNumericEdit* FEdit;
};

// Never empty and never read-only; unchecked when loaded from NULL.
class TOrvDBCheckbox : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBCheckbox(QWidget* parent = nullptr);
    TOrvCheckBox* CheckBox() const { return FCheckBox; }

    // "TRUE" or "FALSE".
    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override { return false; }
    void Clear() override;
    bool ReadOnly() const override { return false; }
    void SetReadOnly(bool) override {}
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;

protected:
    void DisplayValue() override;

private:
    TOrvCheckBox* FCheckBox;
};
