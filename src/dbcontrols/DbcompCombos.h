#pragma once
// The bound drop-downs: a plain one whose value is its text, key/description lists whose value is the key
// of the shown description, and the lookup list filled from a dataset.

#include "dbcontrols/Dbcomp.h"
#include "support/DataSet.h"

#include <QPointer>
#include <QStringList>

class TOrvCombobox;

// The look of every bound drop-down, set once by the program entry before any window exists.
struct TOrvDBComboboxLook {
    bool UseOwnColor = false;
    QColor Color = Qt::white;
    // Items drawn by the program itself with a fixed item height, instead of the toolkit's list.
    bool OwnerDrawFixed = false;
};
extern TOrvDBComboboxLook OrvDBComboboxLook;
// The program's look: an own white background and owner-drawn items of a fixed height.
void UseProgramComboboxLook();

// An editable drop-down whose value is its text; the items are suggestions.
class TOrvDBCombobox : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBCombobox(QWidget* parent = nullptr);
    TOrvCombobox* ComboBox() const { return FComboBox; }

    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override;
    void Clear() override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;

protected:
    void DisplayValue() override;
    void ApplyMaxLength() override;

private:
    TOrvCombobox* FComboBox;
};

// A pick-only list of descriptions; KeyList holds the lines key=description in the order shown.
class TOrvDBCustomComboboxEx : public TOrvDBComponent {
    Q_OBJECT
public:
    explicit TOrvDBCustomComboboxEx(QWidget* parent = nullptr);
    TOrvCombobox* ComboBox() const { return FComboBox; }

    QStringList KeyList() const;
    // Replaces KeyList and shows its descriptions; the current key stays selected when it is still there.
    void AssignItems(const QStringList& lines);
    void ClearList();
    // Adds the trimmed pair, unless a line has the same key or the same description: then nothing is added
    // and the user is told.
    void AddNewItem(const QString& key, const QString& description);
    // The key of the first line whose description is shown; empty when there is none.
    QString Value() const;
    // Selects the description of key; nothing is selected for an unknown key.
    void SetValue(const QString& key);

    QString AsText() const override;
    bool DataChanged() const override;
    bool IsNull() const override;
    // Selects the description of the empty key (normally nothing).
    void Clear() override;
    bool ReadOnly() const override;
    void SetReadOnly(bool readOnly) override;
    void ReadField(const QVariant& field, TDBValue& value) const override;
    void WriteValue(TDBValue& target) const override;

protected:
    void DisplayValue() override;

private:
    void RebuildItems();

    TOrvCombobox* FComboBox;
    QStringList FKeys;
    QStringList FDescriptions;
};

// The period and tax return period kind lists of the windows.
class TOrvDBComboboxEx : public TOrvDBCustomComboboxEx {
    Q_OBJECT
public:
    using TOrvDBCustomComboboxEx::TOrvDBCustomComboboxEx;
};

// The key marks the empty first line of a lookup list with AddBlank; choosing it writes NULL.
inline constexpr const char* kNoValueKey = "NOVALUE";

// Filled from a dataset: one line per row, key field = display field, in dataset order.
class TOrvDBLookupCombo : public TOrvDBCustomComboboxEx {
    Q_OBJECT
public:
    using TOrvDBCustomComboboxEx::TOrvDBCustomComboboxEx;

    TDataSource* LookupSource() const { return FLookupSource; }
    void SetLookupSource(TDataSource* source) { FLookupSource = source; }
    const QString& LookupKeyField() const { return FLookupKeyField; }
    void SetLookupKeyField(const QString& field) { FLookupKeyField = field; }
    const QString& LookupDisplayField() const { return FLookupDisplayField; }
    void SetLookupDisplayField(const QString& field) { FLookupDisplayField = field; }
    // An empty first line that stands for NULL.
    bool AddBlank() const { return FAddBlank; }
    void SetAddBlank(bool addBlank) { FAddBlank = addBlank; }

    // Refills the list from the lookup source; the current key stays selected.
    void FillCombo();
    void Refresh();
    // Nothing chosen, or the empty first line.
    bool IsNull() const override;

protected:
    void InitializeKind() override { FillCombo(); }

private:
    QPointer<TDataSource> FLookupSource;
    QString FLookupKeyField;
    QString FLookupDisplayField;
    bool FAddBlank = false;
};
