#include "support/OrvClientDataSet.h"

#include "support/OrvErrors.h"

#include <QDateTime>

#include <algorithm>
#include <numeric>

namespace {
// Key under which a value is compared in a filter: case-insensitive text, numbers by value.
QString FilterKey(const QVariant& value, TFieldType type) {
    if (value.isNull()) return QString();
    if (IsFloatType(type)) return QString::number(value.toDouble(), 'g', 17);
    if (IsIntegerType(type)) return QString::number(value.toLongLong());
    return value.toString().toCaseFolded();
}

int CompareValues(const QVariant& a, const QVariant& b, TFieldType type) {
    const bool aNull = a.isNull(), bNull = b.isNull();
    if (aNull || bNull) return int(bNull) - int(aNull);
    if (IsIntegerType(type)) return a.toLongLong() < b.toLongLong() ? -1 : a.toLongLong() > b.toLongLong();
    if (IsFloatType(type)) return a.toDouble() < b.toDouble() ? -1 : a.toDouble() > b.toDouble();
    if (type == TFieldType::ftBoolean) return int(a.toBool()) - int(b.toBool());
    if (IsDateTimeType(type)) {
        const QDateTime x = a.toDateTime(), y = b.toDateTime();
        return x < y ? -1 : x > y;
    }
    return a.toString().compare(b.toString(), Qt::CaseInsensitive);
}
}

void TOrvClientDataSet::AddFieldDef(const QString& name, TFieldType type, int size, bool required) {
    if (FActive) throw EDBComponentError(QStringLiteral("Cannot add a field to an open dataset"));
    if (FieldIndex(name) >= 0) throw EDBComponentError(QStringLiteral("Duplicate field name '%1'").arg(name));
    FFields.push_back(TFieldDef{name, type, size, required});
}

void TOrvClientDataSet::ClearFields() {
    Close();
    FFields.clear();
}

void TOrvClientDataSet::CreateDataSet() {
    FRows.clear();
    FSortKeys.clear();
    FFilterField = -1;
    FFilterPredicate = nullptr;
    FActive = true;
    RebuildView();
}

void TOrvClientDataSet::Close() {
    if (!FActive) return;
    FActive = false;
    FRows.clear();
    FView.clear();
    FOrdered.clear();
    FSortKeys.clear();
    FFilterField = -1;
    FFilterPredicate = nullptr;
    First();
}

void TOrvClientDataSet::CopyFrom(const TDataSet& source, bool withRows) {
    FActive = false;
    FFields.clear();
    for (int f = 0; f < source.FieldCount(); ++f) FFields.push_back(source.FieldDef(f));
    FRows.clear();
    if (withRows && source.Active()) {
        const int rows = source.RecordCount(), fields = source.FieldCount();
        FRows.reserve(rows);
        for (int r = 0; r < rows; ++r) {
            QVariantList row;
            row.reserve(fields);
            for (int f = 0; f < fields; ++f) row.append(source.Value(r, f));
            FRows.push_back(std::move(row));
        }
    }
    FSortKeys.clear();
    FFilterField = -1;
    FFilterPredicate = nullptr;
    FActive = true;
    RebuildView();
}

void TOrvClientDataSet::RequireActive() const {
    if (!FActive) throw EDBComponentError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

int TOrvClientDataSet::AppendRecord(const QVariantList& values) {
    RequireActive();
    QVariantList row;
    row.reserve(FieldCount());
    for (int f = 0; f < FieldCount(); ++f)
        row.append(f < values.size() ? ConvertToFieldType(values[f], FFields[f].DataType) : QVariant());
    FRows.push_back(std::move(row));
    FView.push_back(int(FRows.size()) - 1);
    FOrdered.push_back(FView.back());
    SetRecNo(RecordCount() - 1);
    return RecNo();
}

void TOrvClientDataSet::SetValue(int row, int field, const QVariant& value) {
    RequireActive();
    if (row < 0 || row >= RecordCount()) throw EDBComponentError(QStringLiteral("No current record"));
    FRows[FView[row]][field] = ConvertToFieldType(value, FFields[field].DataType);
}

void TOrvClientDataSet::DeleteRecord(int row) {
    RequireActive();
    if (row < 0 || row >= RecordCount()) throw EDBComponentError(QStringLiteral("No current record"));
    const int storageRow = FView[row];
    FRows.erase(FRows.begin() + storageRow);
    FView.erase(FView.begin() + row);
    std::erase(FOrdered, storageRow);
    for (std::vector<int>* order : {&FView, &FOrdered})
        for (int& r : *order)
            if (r > storageRow) --r;
    SetRecNo(std::min(row, RecordCount() - 1));
}

void TOrvClientDataSet::EmptyDataSet() {
    RequireActive();
    FRows.clear();
    RebuildView();
}

bool TOrvClientDataSet::Matches(const QVariant& stored, const QVariant& wanted, TFieldType type,
                                TLocateOptions options) const {
    if (wanted.isNull() || stored.isNull()) return wanted.isNull() && stored.isNull();
    if (IsTextType(type) || type == TFieldType::ftUnknown) {
        const Qt::CaseSensitivity cs = options.CaseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        const QString s = stored.toString(), w = wanted.toString();
        return options.PartialKey ? s.startsWith(w, cs) : s.compare(w, cs) == 0;
    }
    return CompareValues(stored, ConvertToFieldType(wanted, type), type) == 0;
}

bool TOrvClientDataSet::Locate(const QStringList& fields, const QVariantList& values, TLocateOptions options) {
    RequireActive();
    if (fields.size() != values.size())
        throw EDBComponentError(QStringLiteral("Locate: the number of fields and values differs"));
    std::vector<int> indexes;
    for (const QString& name : fields) indexes.push_back(FieldIndexOrRaise(name));
    for (int row = 0; row < RecordCount(); ++row) {
        const QVariantList& stored = FRows[FView[row]];
        bool all = true;
        for (size_t k = 0; k < indexes.size() && all; ++k)
            all = Matches(stored[indexes[k]], values[int(k)], FFields[indexes[k]].DataType, options);
        if (all) {
            SetRecNo(row);
            return true;
        }
    }
    return false;
}

void TOrvClientDataSet::Sort(const QList<TSortKey>& keys) {
    RequireActive();
    for (const TSortKey& key : keys)
        if (key.Field < 0 || key.Field >= FieldCount()) throw EDBComponentError(QStringLiteral("Invalid sort field"));
    FSortKeys = keys;
    RebuildView();
}

void TOrvClientDataSet::SetFilterValues(int field, const QVariantList& values) {
    RequireActive();
    if (field < 0 || field >= FieldCount()) throw EDBComponentError(QStringLiteral("Invalid filter field"));
    FFilterField = field;
    FFilterKeys.clear();
    for (const QVariant& v : values)
        FFilterKeys.insert(FilterKey(ConvertToFieldType(v, FFields[field].DataType), FFields[field].DataType));
    RebuildView();
}

void TOrvClientDataSet::ClearFilter() {
    if (FFilterField < 0) return;
    FFilterField = -1;
    FFilterKeys.clear();
    RebuildView();
}

void TOrvClientDataSet::SetFilterPredicate(TRowPredicate accept) {
    RequireActive();
    FFilterPredicate = std::move(accept);
    ApplyPredicate();
    First();
}

int TOrvClientDataSet::RowOfRecordId(int recordId) const {
    const auto it = std::find(FView.begin(), FView.end(), recordId);
    return it == FView.end() ? -1 : int(it - FView.begin());
}

void TOrvClientDataSet::RebuildView() {
    FOrdered.clear();
    FOrdered.reserve(FRows.size());
    for (int r = 0; r < int(FRows.size()); ++r) {
        if (FFilterField >= 0 &&
            !FFilterKeys.contains(FilterKey(FRows[r][FFilterField], FFields[FFilterField].DataType)))
            continue;
        FOrdered.push_back(r);
    }
    if (!FSortKeys.isEmpty()) {
        // Text keys are folded once per row, not once per comparison.
        std::vector<std::vector<QString>> folded(FSortKeys.size());
        for (int k = 0; k < FSortKeys.size(); ++k) {
            const TSortKey& key = FSortKeys[k];
            if (!IsTextType(FFields[key.Field].DataType)) continue;
            folded[k].resize(FRows.size());
            for (int r : FOrdered) {
                const QVariant& v = FRows[r][key.Field];
                if (!v.isNull()) folded[k][r] = v.toString().toCaseFolded();
            }
        }
        std::stable_sort(FOrdered.begin(), FOrdered.end(), [&](int a, int b) {
            for (int k = 0; k < FSortKeys.size(); ++k) {
                const TSortKey& key = FSortKeys[k];
                int c;
                if (!folded[k].empty()) {
                    const bool aNull = FRows[a][key.Field].isNull(), bNull = FRows[b][key.Field].isNull();
                    c = (aNull || bNull) ? int(bNull) - int(aNull) : folded[k][a].compare(folded[k][b]);
                } else {
                    c = CompareValues(FRows[a][key.Field], FRows[b][key.Field], FFields[key.Field].DataType);
                }
                if (c != 0) return key.Descending ? c > 0 : c < 0;
            }
            return false;
        });
    }
    ApplyPredicate();
    First();
}

void TOrvClientDataSet::ApplyPredicate() {
    if (!FFilterPredicate) {
        FView = FOrdered;
        return;
    }
    FView.clear();
    for (int r : FOrdered)
        if (FFilterPredicate(r, FRows[r])) FView.push_back(r);
}
