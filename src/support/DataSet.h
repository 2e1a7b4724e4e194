#pragma once
// The dataset interface that queries and the in-memory table share: typed fields, rows held in memory
// with random access, and a current record. Grids, pick lists and data groups bind to a TDataSource that
// points at a dataset.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>

enum class TFieldType {
    ftUnknown,
    ftString,
    ftMemo,
    ftSmallint,
    ftInteger,
    ftLargeint,
    ftAutoInc,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftDate,
    ftTime,
    ftDateTime,
};

bool IsTextType(TFieldType type);
bool IsIntegerType(TFieldType type);
bool IsFloatType(TFieldType type);
bool IsDateTimeType(TFieldType type);

struct TFieldDef {
    QString Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;  // maximum length of a text field, 0 when unlimited
    bool Required = false;
};

// Converts a value to the representation a field of this type holds (null stays null).
QVariant ConvertToFieldType(const QVariant& value, TFieldType type);

class TDataSet : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool Active() const = 0;
    virtual int FieldCount() const = 0;
    virtual const TFieldDef& FieldDef(int field) const = 0;
    virtual int RecordCount() const = 0;
    virtual QVariant Value(int row, int field) const = 0;

    // Index of the field with this name (case-insensitive), -1 when there is none.
    int FieldIndex(const QString& name) const;
    // As FieldIndex, but raises "Field 'name' not found" when there is none.
    int FieldIndexOrRaise(const QString& name) const;

    // The current record: 0-based, -1 when the dataset is empty or closed.
    int RecNo() const { return FRecNo; }
    void SetRecNo(int row);
    void First();
    void Last();
    void Next();
    void Prior();
    bool Eof() const { return FEof; }
    bool Bof() const { return FBof; }
    bool IsEmpty() const { return !Active() || RecordCount() == 0; }

    // Values of the current record.
    QVariant FieldValue(int field) const;
    QVariant FieldByName(const QString& name) const { return FieldValue(FieldIndexOrRaise(name)); }

private:
    int FRecNo = -1;
    bool FEof = true;
    bool FBof = true;
};

// Points at a dataset; controls bind to the source so the dataset can be swapped under them.
class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* owner = nullptr, TDataSet* dataSet = nullptr);
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet) { FDataSet = dataSet; }

private:
    QPointer<TDataSet> FDataSet;
};
