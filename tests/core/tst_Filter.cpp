// The filter object: typed values that may be NULL, the emptiness rules and the messages.

#include "core/uFilter.h"
#include "testlib/CaughtError.h"

#include <QTest>

class tst_Filter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void hasValue_data();
    void hasValue();
    void addsOnceAndKeepsTheType();
    void messages();
    void clearOneFieldKeepsIt();
};

void tst_Filter::hasValue_data() {
    QTest::addColumn<TFieldType>("type");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("text") << TFieldType::ftString << QVariant(QStringLiteral("3")) << true;
    QTest::newRow("empty text") << TFieldType::ftString << QVariant(QString()) << false;
    QTest::newRow("NULL text") << TFieldType::ftString << QVariant() << false;
    QTest::newRow("boolean false") << TFieldType::ftBoolean << QVariant(false) << true;
    QTest::newRow("integer 0") << TFieldType::ftInteger << QVariant(0) << true;
    QTest::newRow("NULL integer") << TFieldType::ftInteger << QVariant() << false;
    QTest::newRow("date") << TFieldType::ftDateTime << QVariant(QDateTime(QDate(2024, 1, 1), QTime())) << true;
}

void tst_Filter::hasValue() {
    QFETCH(TFieldType, type);
    QFETCH(QVariant, value);
    QFETCH(bool, expected);
    TFilter filter;
    filter.SetFilterField(QStringLiteral("Veld"), value, type);
    QCOMPARE(filter.FilterFieldHasValue(QStringLiteral("veld")), expected);
    QVERIFY(!filter.FilterFieldHasValue(QStringLiteral("AnderVeld")));
}

void tst_Filter::addsOnceAndKeepsTheType() {
    TFilter filter;
    filter.SetFilterField(QStringLiteral("ConcernId"), QStringLiteral("12"), TFieldType::ftString);
    filter.SetFilterField(QStringLiteral("CONCERNID"), 13);  // an existing field needs no type
    QCOMPARE(filter.Count(), 1);
    const TFilterField& field = filter.FilterFieldByName(QStringLiteral("ConcernId"));
    QCOMPARE(field.DataType, TFieldType::ftString);
    QCOMPARE(field.Size, 4000);
    QCOMPARE(field.AsString(), QStringLiteral("13"));
    filter.SetFilterField(QStringLiteral("Kort"), QStringLiteral("abcdef"), TFieldType::ftString, 3);
    QCOMPARE(filter.FilterFieldByName(QStringLiteral("Kort")).AsString(), QStringLiteral("abc"));
    QCOMPARE(filter.FilterFields(1).FieldName, QStringLiteral("Kort"));
}

void tst_Filter::messages() {
    TFilter filter;
    QCOMPARE(CaughtError([&] { filter.SetFilterField(QStringLiteral("Nieuw"), 1); }),
             QStringLiteral("TFilter.SetFilterField: FieldType is not specified"));
    QCOMPARE(filter.Count(), 0);
    QCOMPARE(CaughtError([&] { filter.FilterFieldByName(QStringLiteral("Geen")); }),
             QStringLiteral("TFilter.FilterFieldByName: FilterField \"Geen\" not found."));
    QCOMPARE(CaughtError([&] { filter.GetFilterFieldByIndex(0); }),
             QStringLiteral("TFilter.GetFilterFieldByIndex: Fieldindex (0) is out of bounds"));
    QCOMPARE(CaughtError([&] { filter.GetFilterFieldByIndex(-1); }),
             QStringLiteral("TFilter.GetFilterFieldByIndex: Fieldindex (-1) is out of bounds"));
    QCOMPARE(CaughtError([&] { filter.Clear(QStringLiteral("Geen")); }),
             QStringLiteral("TFilter.Clear (\"Geen\"): FilterField \"Geen\" not found."));
}

void tst_Filter::clearOneFieldKeepsIt() {
    TFilter filter;
    filter.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
    filter.SetFilterField(QStringLiteral("ConcernId"), QStringLiteral("4"), TFieldType::ftString);
    filter.Clear(QStringLiteral("ExclusiefProforma"));
    QCOMPARE(filter.Count(), 2);
    QVERIFY(filter.FilterFieldByName(QStringLiteral("ExclusiefProforma")).IsNull());
    QVERIFY(!filter.FilterFieldHasValue(QStringLiteral("ExclusiefProforma")));
    filter.Clear();
    QCOMPARE(filter.Count(), 0);
}

QTEST_GUILESS_MAIN(tst_Filter)
#include "tst_Filter.moc"
