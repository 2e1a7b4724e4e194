// The in-memory table: copy, locate, multi-key sort and the filter to a list of values.

#include "support/OrvClientDataSet.h"
#include "testlib/CaughtError.h"

#include <QTest>

namespace {
void Fill(TOrvClientDataSet& table) {
    table.AddFieldDef(QStringLiteral("Id"), TFieldType::ftInteger);
    table.AddFieldDef(QStringLiteral("Naam"), TFieldType::ftString, 60);
    table.AddFieldDef(QStringLiteral("Bedrag"), TFieldType::ftFloat);
    table.CreateDataSet();
    table.AppendRecord({1, QStringLiteral("bakker"), 10.5});
    table.AppendRecord({2, QStringLiteral("Aalders"), 200.0});
    table.AppendRecord({3, QStringLiteral("Bakker"), 3.0});
    table.AppendRecord({4, QVariant(), 3.0});
    table.AppendRecord({5, QStringLiteral("Ceulen"), QVariant()});
}

QList<int> Ids(const TDataSet& table) {
    QList<int> ids;
    for (int r = 0; r < table.RecordCount(); ++r) ids.append(table.Value(r, 0).toInt());
    return ids;
}
}

class tst_ClientDataSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sort_data();
    void sort();
    void locate_data();
    void locate();
    void filterToValues();
    void copyKeepsStructureAndRows();
    void deleteKeepsTheRest();
    void wrongUse();
};

void tst_ClientDataSet::sort_data() {
    QTest::addColumn<QList<TSortKey>>("keys");
    QTest::addColumn<QList<int>>("ids");
    QTest::newRow("text without case, nulls first, stable ties")
        << QList<TSortKey>{{1, false}} << QList<int>{4, 2, 1, 3, 5};
    QTest::newRow("text descending") << QList<TSortKey>{{1, true}} << QList<int>{5, 1, 3, 2, 4};
    QTest::newRow("tie broken by a second key") << QList<TSortKey>{{1, false}, {2, false}} << QList<int>{4, 2, 3, 1, 5};
    QTest::newRow("numbers") << QList<TSortKey>{{2, true}, {0, true}} << QList<int>{2, 1, 4, 3, 5};
}

void tst_ClientDataSet::sort() {
    QFETCH(QList<TSortKey>, keys);
    QFETCH(QList<int>, ids);
    TOrvClientDataSet table;
    Fill(table);
    table.Sort(keys);
    QCOMPARE(Ids(table), ids);
}

void tst_ClientDataSet::locate_data() {
    QTest::addColumn<QStringList>("fields");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<bool>("partial");
    QTest::addColumn<int>("id");  // 0: not found
    QTest::newRow("exact without case") << QStringList{QStringLiteral("Naam")} << QVariantList{QStringLiteral("BAKKER")}
                                        << false << 1;
    QTest::newRow("exact is not a prefix")
        << QStringList{QStringLiteral("Naam")} << QVariantList{QStringLiteral("Bak")} << false << 0;
    QTest::newRow("partial") << QStringList{QStringLiteral("naam")} << QVariantList{QStringLiteral("ceu")} << true << 5;
    QTest::newRow("two fields") << QStringList{QStringLiteral("Naam"), QStringLiteral("Bedrag")}
                                << QVariantList{QStringLiteral("bakker"), 3} << false << 3;
    QTest::newRow("null value") << QStringList{QStringLiteral("Naam")} << QVariantList{QVariant()} << false << 4;
}

void tst_ClientDataSet::locate() {
    QFETCH(QStringList, fields);
    QFETCH(QVariantList, values);
    QFETCH(bool, partial);
    QFETCH(int, id);
    TOrvClientDataSet table;
    Fill(table);
    table.First();
    TLocateOptions options;
    options.PartialKey = partial;
    QCOMPARE(table.Locate(fields, values, options), id != 0);
    if (id != 0) QCOMPARE(table.FieldByName(QStringLiteral("Id")).toInt(), id);
}

void tst_ClientDataSet::filterToValues() {
    TOrvClientDataSet table;
    Fill(table);
    table.Sort({{0, true}});
    table.SetFilterValues(1, {QStringLiteral("BAKKER"), QStringLiteral("ceulen")});
    QCOMPARE(Ids(table), (QList<int>{5, 3, 1}));
    QVERIFY(table.Filtered());
    table.SetFilterValues(2, {3.0});
    QCOMPARE(Ids(table), (QList<int>{4, 3}));
    table.ClearFilter();
    QCOMPARE(Ids(table), (QList<int>{5, 4, 3, 2, 1}));
}

void tst_ClientDataSet::copyKeepsStructureAndRows() {
    TOrvClientDataSet source;
    Fill(source);
    TOrvClientDataSet copy;
    copy.CopyFrom(source);
    QCOMPARE(copy.FieldCount(), 3);
    QCOMPARE(copy.FieldDef(1).Size, 60);
    QCOMPARE(Ids(copy), Ids(source));
    copy.SetValue(0, 1, QStringLiteral("Anders"));
    QCOMPARE(source.Value(0, 1).toString(), QStringLiteral("bakker"));
    TOrvClientDataSet empty;
    empty.CopyFrom(source, false);
    QCOMPARE(empty.RecordCount(), 0);
    QVERIFY(empty.Eof());
}

void tst_ClientDataSet::deleteKeepsTheRest() {
    TOrvClientDataSet table;
    Fill(table);
    table.Sort({{0, true}});
    table.DeleteRecord(1);  // id 4
    QCOMPARE(Ids(table), (QList<int>{5, 3, 2, 1}));
    table.Sort({{0, false}});
    QCOMPARE(Ids(table), (QList<int>{1, 2, 3, 5}));
}

void tst_ClientDataSet::wrongUse() {
    TOrvClientDataSet table;
    QCOMPARE(CaughtError([&] { table.AppendRecord(); }),
             QStringLiteral("Cannot perform this operation on a closed dataset"));
    Fill(table);
    QCOMPARE(CaughtError([&] { table.AddFieldDef(QStringLiteral("X"), TFieldType::ftString); }),
             QStringLiteral("Cannot add a field to an open dataset"));
    QCOMPARE(CaughtError([&] { table.FieldByName(QStringLiteral("X")); }), QStringLiteral("Field 'X' not found"));
}

QTEST_GUILESS_MAIN(tst_ClientDataSet)
#include "tst_ClientDataSet.moc"
