#include "support/OrvClientDataSet.h"

#include <QtTest>

class TestOrvClientDataSetPredicate : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void predicateCombinesWithValueFilterAndSort();
    void recordIdSurvivesSorting();
    void predicateRunsAgainAtLaterSorts();
};

namespace {
void Fill(TOrvClientDataSet& data) {
    data.AddFieldDef(QStringLiteral("Naam"), TFieldType::ftString);
    data.AddFieldDef(QStringLiteral("Groep"), TFieldType::ftInteger);
    data.CreateDataSet();
    data.AppendRecord({QStringLiteral("Cees"), 1});
    data.AppendRecord({QStringLiteral("anna"), 2});
    data.AppendRecord({QStringLiteral("Bram"), 1});
    data.AppendRecord({QStringLiteral("Dirk"), 1});
}
}

void TestOrvClientDataSetPredicate::predicateCombinesWithValueFilterAndSort() {
    TOrvClientDataSet data;
    Fill(data);
    data.Sort({TSortKey{0, false}});
    data.SetFilterValues(1, {1});
    data.SetFilterPredicate([](int, const QVariantList& row) { return row[0].toString() != QLatin1String("Bram"); });
    QCOMPARE(data.RecordCount(), 2);
    QCOMPARE(data.Value(0, 0).toString(), QStringLiteral("Cees"));
    QCOMPARE(data.Value(1, 0).toString(), QStringLiteral("Dirk"));
    QVERIFY(data.PredicateFiltered());
    data.SetFilterPredicate({});
    QCOMPARE(data.RecordCount(), 3);
    data.ClearFilter();
    QCOMPARE(data.Value(0, 0).toString(), QStringLiteral("anna"));  // still sorted
    data.SetFilterPredicate([](int, const QVariantList&) { return false; });
    data.CreateDataSet();  // a new table shows every row again
    QVERIFY(!data.PredicateFiltered());
}

void TestOrvClientDataSetPredicate::recordIdSurvivesSorting() {
    TOrvClientDataSet data;
    Fill(data);
    const int bram = data.RecordId(2);
    data.Sort({TSortKey{0, true}});
    QCOMPARE(data.RowOfRecordId(bram), 2);
    data.Sort({TSortKey{0, false}});
    QCOMPARE(data.RowOfRecordId(bram), 1);
    QCOMPARE(data.Value(data.RowOfRecordId(bram), 0).toString(), QStringLiteral("Bram"));
    data.SetFilterValues(1, {2});
    QCOMPARE(data.RowOfRecordId(bram), -1);
}

void TestOrvClientDataSetPredicate::predicateRunsAgainAtLaterSorts() {
    int calls = 0;
    TOrvClientDataSet data;
    Fill(data);
    data.SetFilterPredicate([&calls, skipped = QStringLiteral("Bram")](int, const QVariantList& row) {
        ++calls;
        return row[0].toString() != skipped;
    });
    QCOMPARE(calls, 4);
    data.Sort({TSortKey{0, true}});
    QCOMPARE(calls, 8);
    QCOMPARE(data.RecordCount(), 3);
    QCOMPARE(data.Value(0, 0).toString(), QStringLiteral("Dirk"));
    QCOMPARE(data.Value(2, 0).toString(), QStringLiteral("anna"));
    data.SetFilterValues(1, {1});
    QCOMPARE(calls, 11);
    QCOMPARE(data.RecordCount(), 2);
    data.Close();  // a closed table forgets the predicate
    data.CreateDataSet();
    data.AppendRecord({QStringLiteral("Bram"), 1});
    data.Sort({TSortKey{0, false}});
    QCOMPARE(calls, 11);
    QCOMPARE(data.RecordCount(), 1);
}

QTEST_GUILESS_MAIN(TestOrvClientDataSetPredicate)
#include "tst_OrvClientDataSetPredicate.moc"
