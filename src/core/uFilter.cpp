#include "core/uFilter.h"

#include "support/OrvErrors.h"

#include <QDateTime>

ORV_METHOD_PREFIXES(TFilter)

namespace {
constexpr int kDefaultTextSize = 4000;

EOrvError NotFound(const QString& name) {
    return EOrvError(QStringLiteral("FilterField \"") + name + QStringLiteral("\" not found."));
}
}

QString TFilterField::AsString() const {
    if (FValue.isNull()) return QString();
    if (FValue.typeId() == QMetaType::Double) return QString::number(FValue.toDouble(), 'g', 15);
    return FValue.toString();
}

TFilterField* TFilter::Find(const QString& name) {
    for (TFilterField& f : FFields)
        if (f.FieldName.compare(name, Qt::CaseInsensitive) == 0) return &f;
    return nullptr;
}

const TFilterField* TFilter::Find(const QString& name) const { return const_cast<TFilter*>(this)->Find(name); }

void TFilter::SetFilterField(const QString& name, const QVariant& value, TFieldType type, int size) {
    WithPrefix(Prefix("SetFilterField"), [&] {
        if (!Find(name)) {
            if (type == TFieldType::ftUnknown) throw EOrvError(QStringLiteral("FieldType is not specified"));
            TFilterField field;
            field.FieldName = name;
            field.DataType = type;
            field.Size = IsTextType(type) ? (size < 1 ? kDefaultTextSize : size) : 0;
            FFields.push_back(field);
        }
        TFilterField* field = Find(name);
        if (!field) throw NotFound(name);
        QVariant converted = ConvertToFieldType(value, field->DataType);
        if (IsTextType(field->DataType) && !converted.isNull()) converted = converted.toString().left(field->Size);
        field->FValue = converted;
    });
}

const TFilterField& TFilter::FilterFieldByName(const QString& name) const {
    return WithPrefix(Prefix("FilterFieldByName"), [&]() -> const TFilterField& {
        const TFilterField* field = Find(name);
        if (!field) throw NotFound(name);
        return *field;
    });
}

const TFilterField& TFilter::GetFilterFieldByIndex(int index) const {
    return WithPrefix(Prefix("GetFilterFieldByIndex"), [&]() -> const TFilterField& {
        if (index < 0 || index >= Count())
            throw EOrvError(QStringLiteral("Fieldindex (%1) is out of bounds").arg(index));
        return FFields[index];
    });
}

bool TFilter::FilterFieldHasValue(const QString& name) const {
    return WithPrefix(Prefix("FilterFieldHasValue"), [&] {
        const TFilterField* field = Find(name);
        if (!field || field->IsNull()) return false;
        if (IsTextType(field->DataType)) return !field->AsString().isEmpty();
        return true;
    });
}

void TFilter::Clear() {
    WithPrefix(Prefix("Clear"), [&] { FFields.clear(); });
}

void TFilter::Clear(const QString& name) {
    WithPrefix(QStringLiteral("TFilter.Clear (\"") + name + QStringLiteral("\"): "), [&] {
        TFilterField* field = Find(name);
        if (!field) throw NotFound(name);
        field->FValue = QVariant();
    });
}

int TFilter::Count() const { return int(FFields.size()); }
