// The free-space overview: the worked example column by column, its filters and its edge cases.

#include "binding/OrvADOConnection.h"
#include "core/dMain.h"
#include "core/uFilter.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"

#include <QTest>

namespace {
struct TEmployerSpec {
    QString Name;
    QString Concern;                                // empty: none
    QList<std::tuple<int, bool, double>> WageSums;  // period, proforma, amount
    QList<std::tuple<int, bool, double>> Costs;     // cost type, proforma, amount
};

class TOverviewFixture {
public:
    explicit TOverviewFixture(const QList<TEmployerSpec>& employers) {
        FDatabase.Open(*FData.ADOConnectionZemlo);
        TOrvADOConnection& c = *FData.ADOConnectionZemlo;
        QHash<QString, qint64> concerns;
        int number = 0;
        for (const TEmployerSpec& e : employers) {
            QVariant concernId;
            if (!e.Concern.isEmpty()) {
                if (!concerns.contains(e.Concern)) {
                    Exec(c, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('%1')").arg(e.Concern));
                    concerns.insert(e.Concern, c.LastInsertId());
                }
                concernId = concerns.value(e.Concern);
            }
            Exec(c, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, ConcernId) "
                                   "VALUES ('%1', '%2', 1, %3)")
                        .arg(++number)
                        .arg(e.Name, concernId.isNull() ? QStringLiteral("NULL") : concernId.toString()));
            const qint64 id = c.LastInsertId();
            Ids.insert(e.Name, id);
            for (const auto& [period, proforma, amount] : e.WageSums)
                Exec(c, QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES "
                                       "(%1, %2, %3, %4)")
                            .arg(id)
                            .arg(period)
                            .arg(proforma ? 1 : 0)
                            .arg(amount, 0, 'f', 2));
            for (const auto& [type, proforma, amount] : e.Costs)
                Exec(c, QStringLiteral("INSERT INTO Kosten (WerkgeverId, KostenCategorieId, Periode, Proforma, Bedrag, "
                                       "KostenTypeId) VALUES (%1, 1, 1, %2, %3, %4)")
                            .arg(id)
                            .arg(proforma ? 1 : 0)
                            .arg(amount, 0, 'f', 2)
                            .arg(type));
        }
    }

    // The overview rows by employer name.
    QHash<QString, QVariantMap> Open(const TFilter& filter) {
        FData.OpenWerkgevers(filter);
        QHash<QString, QVariantMap> rows;
        const TDataSet& q = *FData.qryWerkgevers;
        for (int r = 0; r < q.RecordCount(); ++r) {
            QVariantMap row;
            for (int f = 0; f < q.FieldCount(); ++f) row.insert(q.FieldDef(f).Name, q.Value(r, f));
            rows.insert(row.value(QStringLiteral("Naam")).toString(), row);
        }
        return rows;
    }

    TdmMain& Data() { return FData; }
    QHash<QString, qint64> Ids;

private:
    TTestDatabase FDatabase;
    TdmMain FData;
};

// The worked example: A without concern; B, C and D in concern X.
QList<TEmployerSpec> WorkedExample(double wageSumC = 200000) {
    return {
        {QStringLiteral("A"),
         QString(),
         {{1, false, 200000}, {2, true, 150000}, {2, false, 160000}, {3, true, 180000}},
         {{1, false, 3000}, {1, true, 500}, {2, false, 1000}}},
        {QStringLiteral("B"), QStringLiteral("X"), {{1, false, 300000}}, {{1, false, 2000}}},
        {QStringLiteral("C"), QStringLiteral("X"), {{1, false, wageSumC}}, {{1, false, 1500}}},
        {QStringLiteral("D"), QStringLiteral("X"), {}, {{1, false, 100}}},
    };
}

const QStringList kAmountColumns = {QStringLiteral("TotLoonsom"),        QStringLiteral("TotKosten"),
                                    QStringLiteral("TotVrijeRuimte"),    QStringLiteral("TotRestVrijeRuimte"),
                                    QStringLiteral("TotConcernLoonsom"), QStringLiteral("TotConcernVrijeRuimte"),
                                    QStringLiteral("TotConcernKosten"),  QStringLiteral("TotConcernRestVrijeRuimte"),
                                    QStringLiteral("MaxConcernLoonsom")};

using TAmounts = QList<QVariant>;  // in the order of kAmountColumns; a null QVariant means NULL

void CompareAmounts(const QVariantMap& row, const TAmounts& expected) {
    for (int i = 0; i < kAmountColumns.size(); ++i) {
        const QVariant actual = row.value(kAmountColumns[i]);
        const QString where = row.value(QStringLiteral("Naam")).toString() + u'.' + kAmountColumns[i];
        if (expected[i].isNull()) {
            QVERIFY2(actual.isNull(), qPrintable(where + QStringLiteral(" should be NULL")));
        } else {
            QVERIFY2(!actual.isNull(), qPrintable(where + QStringLiteral(" is NULL")));
            QVERIFY2(qAbs(actual.toDouble() - expected[i].toDouble()) < 1e-6,
                     qPrintable(QStringLiteral("%1: %2 instead of %3")
                                    .arg(where)
                                    .arg(actual.toDouble(), 0, 'f', 7)
                                    .arg(expected[i].toDouble(), 0, 'f', 7)));
        }
    }
}

TFilter ExclusiefProforma() {
    TFilter filter;
    filter.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
    return filter;
}

const QVariant kNull;
}

class tst_OpenWerkgevers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedExample_data();
    void workedExample();
    void rowFiltersKeepTotals();
    void amountColumnsAreFloatingPoint();
    void edgeCases_data();
    void edgeCases();
    void concernKeyIsValidated();
    void errorsCarryThePrefix();
};

void tst_OpenWerkgevers::workedExample_data() {
    QTest::addColumn<bool>("exclusiefProforma");
    QTest::addColumn<double>("wageSumC");
    QTest::addColumn<QString>("employer");
    QTest::addColumn<TAmounts>("expected");
    // TotLoonsom, TotKosten, TotVrijeRuimte, TotRest, ConcernLoonsom, ConcernVrijeRuimte, ConcernKosten,
    // ConcernRest, MaxConcernLoonsom
    const TAmounts concernX = {500000.0, 8860.0, 3600.0, 5260.0, 300000.0};
    const auto member = [&](double w, double k, double vr, double rest, const TAmounts& concern) {
        return TAmounts{w, k, vr, rest} + concern;
    };
    QTest::newRow("A") << false << 200000.0 << "A"
                       << TAmounts{540000.0, 3500.0, 9332.0, 5832.0, kNull, kNull, kNull, kNull, kNull};
    QTest::newRow("A exclusief proforma")
        << true << 200000.0 << "A" << TAmounts{360000.0, 3000.0, 6912.0, 3912.0, kNull, kNull, kNull, kNull, kNull};
    QTest::newRow("B carries the concern") << false << 200000.0 << "B" << member(300000, 2000, 5760, 5260, concernX);
    QTest::newRow("C") << false << 200000.0 << "C" << member(200000, 1500, 3840, 0, concernX);
    QTest::newRow("D without wage sums") << false << 200000.0 << "D" << member(0, 100, 0, 0, concernX);
    QTest::newRow("B exclusief proforma") << true << 200000.0 << "B" << member(300000, 2000, 5760, 5260, concernX);
    const TAmounts tie = {600000.0, 10040.0, 3600.0, 6440.0, 300000.0};
    QTest::newRow("tie: B") << false << 300000.0 << "B" << member(300000, 2000, 5760, 6440, tie);
    QTest::newRow("tie: C") << false << 300000.0 << "C" << member(300000, 1500, 5760, 6440, tie);
    QTest::newRow("tie: D") << false << 300000.0 << "D" << member(0, 100, 0, 0, tie);
}

void tst_OpenWerkgevers::workedExample() {
    QFETCH(bool, exclusiefProforma);
    QFETCH(double, wageSumC);
    QFETCH(QString, employer);
    QFETCH(TAmounts, expected);
    TOverviewFixture fixture(WorkedExample(wageSumC));
    const auto rows = fixture.Open(exclusiefProforma ? ExclusiefProforma() : TFilter());
    QCOMPARE(rows.size(), 4);
    CompareAmounts(rows.value(employer), expected);
    const QVariantMap row = rows.value(employer);
    QCOMPARE(row.value(QStringLiteral("Concern")).toString(), employer == u"A" ? QString() : QStringLiteral("X"));
    QCOMPARE(row.value(QStringLiteral("ConcernId")).isNull(), employer == u"A");
}

void tst_OpenWerkgevers::rowFiltersKeepTotals() {
    TOverviewFixture fixture(WorkedExample());
    const auto all = fixture.Open(TFilter());

    TFilter onConcern;
    onConcern.SetFilterField(QStringLiteral("ConcernId"),
                             all.value(QStringLiteral("B")).value(QStringLiteral("ConcernId")).toString(),
                             TFieldType::ftString);
    const auto concernRows = fixture.Open(onConcern);
    QCOMPARE(QSet<QString>(concernRows.keyBegin(), concernRows.keyEnd()),
             (QSet<QString>{QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")}));
    for (const QString& name : concernRows.keys()) QCOMPARE(concernRows.value(name), all.value(name));

    // Each employer alone, in a concern or not, has the row it has among all.
    for (const QString& name : all.keys()) {
        TFilter onEmployer;
        onEmployer.SetFilterField(QStringLiteral("WerkgeverId"), fixture.Ids.value(name), TFieldType::ftInteger);
        const auto employerRows = fixture.Open(onEmployer);
        QCOMPARE(employerRows.keys(), QStringList{name});
        QCOMPARE(employerRows.value(name), all.value(name));
    }

    // An empty concern text is no filter at all.
    TFilter emptyConcern;
    emptyConcern.SetFilterField(QStringLiteral("ConcernId"), QString(), TFieldType::ftString);
    QCOMPARE(fixture.Open(emptyConcern).size(), 4);
}

void tst_OpenWerkgevers::amountColumnsAreFloatingPoint() {
    // Every amount is 0 or NULL here: the columns must still be floating point for the lists' formats.
    TOverviewFixture fixture({{QStringLiteral("Leeg"), QStringLiteral("Y"), {}, {}}});
    fixture.Open(TFilter());
    const TDataSet& q = *fixture.Data().qryWerkgevers;
    QCOMPARE(q.FieldCount(), 15);
    for (const QString& column : kAmountColumns) {
        const int f = q.FieldIndex(column);
        QVERIFY2(f >= 0, qPrintable(column));
        QVERIFY2(IsFloatType(q.FieldDef(f).DataType), qPrintable(column));
    }
}

void tst_OpenWerkgevers::edgeCases_data() {
    QTest::addColumn<QList<TEmployerSpec>>("employers");
    QTest::addColumn<QString>("employer");
    QTest::addColumn<TAmounts>("expected");
    const TAmounts noConcern = {kNull, kNull, kNull, kNull, kNull};
    QTest::newRow("nothing at all gives zeros, not NULL")
        << QList<TEmployerSpec>{{QStringLiteral("E"), QString(), {}, {}}} << "E"
        << (TAmounts{0.0, 0.0, 0.0, 0.0} + noConcern);
    QTest::newRow("exactly 400,000 takes the lower branch")
        << QList<TEmployerSpec>{{QStringLiteral("E"), QString(), {{1, false, 400000}}, {}}} << "E"
        << (TAmounts{400000.0, 0.0, 7680.0, 7680.0} + noConcern);
    QTest::newRow("400,000.01 takes the upper branch")
        << QList<TEmployerSpec>{{QStringLiteral("E"), QString(), {{1, false, 400000.01}}, {}}} << "E"
        << (TAmounts{400000.01, 0.0, 7680.000118, 7680.000118} + noConcern);
    QTest::newRow("negative amounts are summed as they are")
        << QList<TEmployerSpec>{{QStringLiteral("E"),
                                 QString(),
                                 {{1, false, 100000}, {2, false, -25000}},
                                 {{1, false, 500}, {1, false, -200}}}}
        << "E" << (TAmounts{75000.0, 300.0, 1440.0, 1140.0} + noConcern);
    QTest::newRow("a definitive 0 replaces the provisional sum")
        << QList<TEmployerSpec>{{QStringLiteral("E"), QString(), {{1, true, 50000}, {1, false, 0}}, {}}} << "E"
        << (TAmounts{0.0, 0.0, 0.0, 0.0} + noConcern);
    QTest::newRow("costs whose type does not count never count")
        << QList<TEmployerSpec>{{QStringLiteral("E"),
                                 QString(),
                                 {{1, false, 100000}},
                                 {{2, false, 700}, {3, true, 800}, {4, false, 900}}}}
        << "E" << (TAmounts{100000.0, 0.0, 1920.0, 1920.0} + noConcern);
    QTest::newRow("a concern without wage sums shows minus its costs on every member")
        << QList<TEmployerSpec>{{QStringLiteral("E"), QStringLiteral("Z"), {}, {{1, false, 40}}},
                                {QStringLiteral("F"), QStringLiteral("Z"), {}, {{1, false, 60}}}}
        << "F" << TAmounts{0.0, 60.0, 0.0, -100.0, 0.0, 0.0, 100.0, -100.0, 0.0};
    QTest::newRow("another employer's definitive sum does not replace this one's provisional")
        << QList<TEmployerSpec>{{QStringLiteral("E"), QString(), {{1, true, 1000}}, {}},
                                {QStringLiteral("F"), QString(), {{1, false, 2000}}, {}}}
        << "E" << (TAmounts{1000.0, 0.0, 19.2, 19.2} + noConcern);
}

void tst_OpenWerkgevers::edgeCases() {
    QFETCH(QList<TEmployerSpec>, employers);
    QFETCH(QString, employer);
    QFETCH(TAmounts, expected);
    TOverviewFixture fixture(employers);
    CompareAmounts(fixture.Open(TFilter()).value(employer), expected);
}

void tst_OpenWerkgevers::concernKeyIsValidated() {
    TOverviewFixture fixture(WorkedExample());
    TFilter filter;
    filter.SetFilterField(QStringLiteral("ConcernId"), QStringLiteral("1) OR (1=1"), TFieldType::ftString);
    QCOMPARE(CaughtError([&] { fixture.Open(filter); }),
             QStringLiteral("TdmMain.OpenWerkgevers: Invalid concern key in filter: 1) OR (1=1"));
}

void tst_OpenWerkgevers::errorsCarryThePrefix() {
    TdmMain data;  // never connected
    QCOMPARE(CaughtError([&] { data.OpenWerkgevers(TFilter()); }),
             QStringLiteral("TdmMain.OpenWerkgevers: Connection is not open"));
}

QTEST_GUILESS_MAIN(tst_OpenWerkgevers)
#include "tst_OpenWerkgevers.moc"
