#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/uUtils.h"
#include "testlib/TestDatabase.h"

#include <QtTest>

class TestPerioden : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void periodeTeksten_data();
    void periodeTeksten();
    void populatePeriode();
    void sqlTextsRunOnDatabase();
    void vierWekenTabel_data();
    void vierWekenTabel();
    void maandGrenzen_data();
    void maandGrenzen();
    void andereSoortEnAfkappen();
    void startWeek1_data();
    void startWeek1();
    void schrikkeljaar();
};

void TestPerioden::periodeTeksten_data() {
    QTest::addColumn<int>("soort");
    QTest::addColumn<int>("periode");
    QTest::addColumn<QString>("tekst");
    const QStringList maanden = {"Januari", "Februari", "Maart",     "April",   "Mei",      "Juni",
                                 "Juli",    "Augustus", "September", "Oktober", "November", "December"};
    for (int p = 1; p <= 12; ++p) {
        QTest::addRow("maand %d", p) << 1 << p << maanden[p - 1];
        // Kind 0 (or anything but 2) is a month.
        QTest::addRow("soort 0, %d", p) << 0 << p << maanden[p - 1];
    }
    for (int p = 1; p <= 13; ++p) QTest::addRow("vier weken %d", p) << 2 << p << QString::number(p) + "e vier weken";
    QTest::newRow("maand 13") << 1 << 13 << QString();
    QTest::newRow("vier weken 0") << 2 << 0 << QString();
    QTest::newRow("vier weken 14") << 2 << 14 << QString();
}

void TestPerioden::periodeTeksten() {
    QFETCH(int, soort);
    QFETCH(int, periode);
    QFETCH(QString, tekst);
    QCOMPARE(PeriodeTekst(soort, periode), tekst);
}

void TestPerioden::populatePeriode() {
    QStringList items = {"stale=entry"};
    PopulatePeriode(items, 2, true);
    QCOMPARE(items.size(), 14);
    QCOMPARE(items.first(), QStringLiteral("X=Alle tijdvakken"));
    QCOMPARE(items[1], QStringLiteral("1=1e vier weken"));
    QCOMPARE(items.last(), QStringLiteral("13=13e vier weken"));

    PopulatePeriode(items, 1, false);
    QCOMPARE(items.size(), 12);
    QCOMPARE(items.first(), QStringLiteral("1=Januari"));
    QCOMPARE(items.last(), QStringLiteral("12=December"));

    PopulatePeriode(items, 0, true);
    QCOMPARE(items.size(), 13);
    QCOMPARE(items[1], QStringLiteral("1=Januari"));
}

void TestPerioden::sqlTextsRunOnDatabase() {
    TTestDatabase db;
    TOrvADOConnection connection;
    db.Open(connection);
    Exec(connection, "INSERT INTO Werkgevers (WerkgeverId, Loonheffingennummer, Naam, AangifteTijdvak) "
                     "VALUES (1, '123456782L01', 'A', 2)");
    for (int p = 0; p <= 14; ++p)
        Exec(connection, QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) "
                                        "VALUES (1, %1, %2, 100)")
                             .arg(p)
                             .arg(p % 2));
    // Kind 0 (not yet known) shows the month texts.
    for (int soort : {0, 1, 2}) {
        TOrvQuery query(nullptr, &connection);
        query.SetSQL("SELECT LS.Periode, " + GetSQLVoorPerioden("LS.Periode", soort) + " AS PeriodeStr, " +
                     GetSQLVoorJaNee("LS.Proforma") + " AS Proforma FROM Loonsommen LS ORDER BY LS.Periode");
        query.Open();
        QCOMPARE(query.RecordCount(), 15);
        for (int row = 0; row < query.RecordCount(); ++row) {
            query.SetRecNo(row);
            const int p = query.FieldByName("Periode").toInt();
            const QVariant tekst = query.FieldByName("PeriodeStr");
            if (PeriodeTekst(soort, p).isEmpty())
                QVERIFY2(tekst.isNull(), qPrintable(QStringLiteral("periode %1").arg(p)));
            else
                QCOMPARE(tekst.toString(), PeriodeTekst(soort, p));
            QCOMPARE(query.FieldByName("Proforma").toString(), p % 2 ? QStringLiteral("Ja") : QStringLiteral("Nee"));
        }
    }
}

void TestPerioden::vierWekenTabel_data() {
    QTest::addColumn<int>("periode");
    QTest::addColumn<QDate>("van");
    QTest::addColumn<QDate>("tot");
    const char* const tabel[13][2] = {
        {"2024-01-01", "2024-01-28"}, {"2024-01-29", "2024-02-25"}, {"2024-02-26", "2024-03-24"},
        {"2024-03-25", "2024-04-21"}, {"2024-04-22", "2024-05-19"}, {"2024-05-20", "2024-06-16"},
        {"2024-06-17", "2024-07-14"}, {"2024-07-15", "2024-08-11"}, {"2024-08-12", "2024-09-08"},
        {"2024-09-09", "2024-10-06"}, {"2024-10-07", "2024-11-03"}, {"2024-11-04", "2024-12-01"},
        {"2024-12-02", "2024-12-29"}};
    for (int p = 1; p <= 13; ++p)
        QTest::addRow("periode %d", p) << p << QDate::fromString(tabel[p - 1][0], Qt::ISODate)
                                       << QDate::fromString(tabel[p - 1][1], Qt::ISODate);
}

void TestPerioden::vierWekenTabel() {
    QFETCH(int, periode);
    QFETCH(QDate, van);
    QFETCH(QDate, tot);
    QCOMPARE(HerleidDagInTijdvak(2, periode, false, StartWeek1Van2024()), van);
    QCOMPARE(HerleidDagInTijdvak(2, periode, true, StartWeek1Van2024()), tot);
}

void TestPerioden::maandGrenzen_data() {
    QTest::addColumn<int>("maand");
    QTest::addColumn<QDate>("van");
    QTest::addColumn<QDate>("tot");
    QTest::newRow("januari") << 1 << QDate(2024, 1, 1) << QDate(2024, 1, 31);
    QTest::newRow("februari schrikkeljaar") << 2 << QDate(2024, 2, 1) << QDate(2024, 2, 29);
    QTest::newRow("april") << 4 << QDate(2024, 4, 1) << QDate(2024, 4, 30);
    QTest::newRow("december") << 12 << QDate(2024, 12, 1) << QDate(2024, 12, 31);
    QTest::newRow("maand 13") << 13 << QDate(2024, 1, 1) << QDate(2024, 12, 31);
    QTest::newRow("maand 0") << 0 << QDate(2024, 1, 1) << QDate(2024, 12, 31);
}

void TestPerioden::maandGrenzen() {
    QFETCH(int, maand);
    QFETCH(QDate, van);
    QFETCH(QDate, tot);
    QCOMPARE(HerleidDagInTijdvak(1, maand, false, StartWeek1Van2024()), van);
    QCOMPARE(HerleidDagInTijdvak(1, maand, true, StartWeek1Van2024()), tot);
}

void TestPerioden::andereSoortEnAfkappen() {
    QCOMPARE(HerleidDagInTijdvak(0, 5, true, StartWeek1Van2024()), QDate(2024, 1, 1));
    QCOMPARE(HerleidDagInTijdvak(3, 5, false, StartWeek1Van2024()), QDate(2024, 1, 1));
    // A four-week period beyond the year ends on its last day.
    QCOMPARE(HerleidDagInTijdvak(2, 14, false, StartWeek1Van2024()), QDate(2024, 12, 30));
    QCOMPARE(HerleidDagInTijdvak(2, 14, true, StartWeek1Van2024()), QDate(2024, 12, 31));
    QCOMPARE(HerleidDagInTijdvak(2, 15, false, StartWeek1Van2024()), QDate(2024, 12, 31));
}

void TestPerioden::startWeek1_data() {
    QTest::addColumn<int>("jaar");
    QTest::addColumn<QDate>("maandag");
    QTest::newRow("2020") << 2020 << QDate(2019, 12, 30);
    QTest::newRow("2021") << 2021 << QDate(2021, 1, 4);
    QTest::newRow("2024") << 2024 << QDate(2024, 1, 1);
    QTest::newRow("2023") << 2023 << QDate(2023, 1, 2);
    QTest::newRow("2026") << 2026 << QDate(2025, 12, 29);
}

void TestPerioden::startWeek1() {
    QFETCH(int, jaar);
    QFETCH(QDate, maandag);
    QCOMPARE(StartWeek1(jaar), maandag);
    QCOMPARE(StartWeek1(jaar).dayOfWeek(), 1);
    QCOMPARE(StartWeek1(jaar).weekNumber(), 1);
}

void TestPerioden::schrikkeljaar() {
    QVERIFY(IsSchrikkeljaar(2024));
    QVERIFY(IsSchrikkeljaar(2000));
    QVERIFY(!IsSchrikkeljaar(1900));
    QVERIFY(!IsSchrikkeljaar(2023));
    QCOMPARE(DagenInMaand(QDate(2023, 2, 10)), 28);
    QCOMPARE(DagenInMaand(QDate(2024, 2, 10)), 29);
    QCOMPARE(DagenInMaand(QDate(1900, 2, 1)), 28);
    QCOMPARE(DagenInMaand(QDate(2024, 11, 30)), 30);
}

QTEST_GUILESS_MAIN(TestPerioden)
#include "tst_Perioden.moc"
