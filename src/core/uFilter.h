#pragma once
// A set of named, typed filter values, each possibly NULL. The filter window and the employer edit window
// fill it; the overview query reads it.

#include "support/DataSet.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <vector>

class TFilterField {
public:
    QString FieldName;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;

    bool IsNull() const { return FValue.isNull(); }
    const QVariant& Value() const { return FValue; }
    QString AsString() const;
    int AsInteger() const { return FValue.toInt(); }
    double AsFloat() const { return FValue.toDouble(); }
    bool AsBoolean() const { return FValue.toBool(); }
    QDateTime AsDateTime() const { return FValue.toDateTime(); }

private:
    friend class TFilter;
    QVariant FValue;
};

class TFilter {
public:
    // Sets the value, adding the field first when there is none of that name; a new field needs a type.
    // Text fields get the given size, or 4000 when it is below 1.
    void SetFilterField(const QString& name, const QVariant& value, TFieldType type = TFieldType::ftUnknown,
                        int size = 0);
    const TFilterField& FilterFieldByName(const QString& name) const;
    const TFilterField& GetFilterFieldByIndex(int index) const;
    const TFilterField& FilterFields(int index) const { return GetFilterFieldByIndex(index); }
    // False when the field is absent or NULL; a text field also needs a non-empty text.
    bool FilterFieldHasValue(const QString& name) const;
    void Clear();
    // Makes the field NULL and keeps it.
    void Clear(const QString& name);
    int Count() const;

private:
    TFilterField* Find(const QString& name);
    const TFilterField* Find(const QString& name) const;
    std::vector<TFilterField> FFields;
};
