#include "support/DataSet.h"

#include "support/OrvErrors.h"

#include <QDateTime>

bool IsTextType(TFieldType type) { return type == TFieldType::ftString || type == TFieldType::ftMemo; }

bool IsIntegerType(TFieldType type) {
    return type == TFieldType::ftSmallint || type == TFieldType::ftInteger || type == TFieldType::ftLargeint ||
           type == TFieldType::ftAutoInc;
}

bool IsFloatType(TFieldType type) { return type == TFieldType::ftFloat || type == TFieldType::ftCurrency; }

bool IsDateTimeType(TFieldType type) {
    return type == TFieldType::ftDate || type == TFieldType::ftTime || type == TFieldType::ftDateTime;
}

QVariant ConvertToFieldType(const QVariant& value, TFieldType type) {
    if (value.isNull()) return QVariant();
    switch (type) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        return value.toString();
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return value.toInt();
    case TFieldType::ftLargeint:
        return value.toLongLong();
    case TFieldType::ftBoolean:
        return value.toBool();
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
        return value.toDouble();
    case TFieldType::ftDate:
    case TFieldType::ftTime:
    case TFieldType::ftDateTime:
        return value.toDateTime();
    case TFieldType::ftUnknown:
        break;
    }
    return value;
}

int TDataSet::FieldIndex(const QString& name) const {
    for (int i = 0; i < FieldCount(); ++i)
        if (FieldDef(i).Name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int TDataSet::FieldIndexOrRaise(const QString& name) const {
    const int index = FieldIndex(name);
    if (index < 0) throw EDBComponentError(QStringLiteral("Field '%1' not found").arg(name));
    return index;
}

void TDataSet::SetRecNo(int row) {
    const int count = Active() ? RecordCount() : 0;
    if (count == 0) {
        FRecNo = -1;
        FEof = FBof = true;
    } else {
        FRecNo = qBound(0, row, count - 1);
        FEof = FBof = false;
    }
}

void TDataSet::First() { SetRecNo(0); }

void TDataSet::Last() { SetRecNo(RecordCount() - 1); }

void TDataSet::Next() {
    if (FRecNo < 0 || FRecNo >= RecordCount() - 1) {
        FEof = true;
        return;
    }
    SetRecNo(FRecNo + 1);
}

void TDataSet::Prior() {
    if (FRecNo <= 0) {
        FBof = true;
        return;
    }
    SetRecNo(FRecNo - 1);
}

QVariant TDataSet::FieldValue(int field) const {
    if (FRecNo < 0) return QVariant();
    return Value(FRecNo, field);
}

TDataSource::TDataSource(QObject* owner, TDataSet* dataSet) : QObject(owner), FDataSet(dataSet) {}
