#pragma once
// The in-memory table: typed fields, rows in memory, locate, sort on several keys and a filter to a list
// of values. Lists, pick lists and the filter object keep their rows in it.

#include "support/DataSet.h"

#include <QList>
#include <QSet>

#include <functional>
#include <vector>

struct TSortKey {
    int Field = 0;
    bool Descending = false;
};

struct TLocateOptions {
    bool CaseInsensitive = true;
    bool PartialKey = false;  // a text value matches when it starts with the searched text
};

class TOrvClientDataSet : public TDataSet {
    Q_OBJECT
public:
    using TDataSet::TDataSet;

    // Structure: add fields while closed, then CreateDataSet opens the table empty.
    void AddFieldDef(const QString& name, TFieldType type, int size = 0, bool required = false);
    void ClearFields();
    void CreateDataSet();
    void Close();
    // Copies the structure and, when asked, every row of another dataset, and opens.
    void CopyFrom(const TDataSet& source, bool withRows = true);

    bool Active() const override { return FActive; }
    int FieldCount() const override { return int(FFields.size()); }
    const TFieldDef& FieldDef(int field) const override { return FFields[field]; }
    int RecordCount() const override { return int(FView.size()); }
    QVariant Value(int row, int field) const override { return FRows[FView[row]][field]; }

    // Adds a row of null values (or of the given values, in field order) and makes it current.
    int AppendRecord(const QVariantList& values = {});
    void SetValue(int row, int field, const QVariant& value);
    void SetFieldValue(const QString& name, const QVariant& value) {
        SetValue(RecNo(), FieldIndexOrRaise(name), value);
    }
    void DeleteRecord(int row);
    void EmptyDataSet();

    // Moves to the first row (in the current order) whose fields equal the values; false when none does.
    bool Locate(const QStringList& fields, const QVariantList& values, TLocateOptions options = {});
    // Stable sort; text compares without regard to case, nulls come first.
    void Sort(const QList<TSortKey>& keys);
    // Shows only the rows whose field holds one of the values (compared as for Locate, case-insensitive).
    void SetFilterValues(int field, const QVariantList& values);
    void ClearFilter();
    bool Filtered() const { return FFilterField >= 0; }
    // Shows only the rows the predicate accepts (given the record id and the field values in field order),
    // on top of the value filter, keeping the current order; an empty predicate shows every row again.
    // The table keeps the predicate and runs it again at every later sort and value filter, so the
    // predicate must own what it reads.
    using TRowPredicate = std::function<bool(int recordId, const QVariantList& row)>;
    void SetFilterPredicate(TRowPredicate accept);
    bool PredicateFiltered() const { return bool(FFilterPredicate); }
    // A row's identity that survives sorting and filtering (until the rows are replaced or deleted).
    int RecordId(int row) const { return FView[row]; }
    // The row that shows the record, -1 when the record is filtered out.
    int RowOfRecordId(int recordId) const;

private:
    void RebuildView();
    void ApplyPredicate();
    void RequireActive() const;
    bool Matches(const QVariant& stored, const QVariant& wanted, TFieldType type, TLocateOptions options) const;

    bool FActive = false;
    std::vector<TFieldDef> FFields;
    std::vector<QVariantList> FRows;  // storage, in insertion order
    std::vector<int> FOrdered;        // rows through the value filter, in their current order
    std::vector<int> FView;           // FOrdered through the predicate: the visible rows, as indexes into FRows
    QList<TSortKey> FSortKeys;
    int FFilterField = -1;
    QSet<QString> FFilterKeys;
    TRowPredicate FFilterPredicate;
};
