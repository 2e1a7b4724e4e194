// The maintenance queries on a demo database: the all-periods inserts and their transaction rule, the
// record and list queries with their texts, columns and order.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/DemoData.h"
#include "core/dBeheer.h"
#include "platform/Clock.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"

#include <QTest>

class tst_Beheer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void insertLoonsommenAlleTijdvakken_data();
    void insertLoonsommenAlleTijdvakken();
    void insertFailure_data();
    void insertFailure();
    void insertKostenAlleTijdvakken_data();
    void insertKostenAlleTijdvakken();
    void recordQueries();
    void kostentypen_data();
    void kostentypen();

private:
    // A new employer without wage sums or costs.
    qint64 AddWerkgever(int aangifteTijdvak);
    QVariantList Column(const QString& sql, const QString& field = QStringLiteral("v"));

    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
    int FNummer = 0;
};

void tst_Beheer::init() {
    FDatabase = std::make_unique<TTestDatabase>(QStringLiteral("Demo.mdb"));
    QFile::remove(FDatabase->Path());
    TDemoOptions options;
    options.Werkgevers = 6;
    CreateDemoDatabase(FDatabase->Path(), options);
    FConnection = std::make_unique<TOrvADOConnection>();
    FDatabase->Open(*FConnection);
    Clock::SetFixed(QDateTime(QDate(2024, 3, 5), QTime(10, 11, 12)));
}

void tst_Beheer::cleanup() {
    Clock::SetFixed(QDateTime());
    FConnection.reset();
    FDatabase.reset();
}

qint64 tst_Beheer::AddWerkgever(int aangifteTijdvak) {
    TOrvQuery insert(nullptr, FConnection.get());
    insert.SetSQL(QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak) VALUES "
                                 "(:Nr, :Naam, :Tijdvak)"));
    insert.ParamByName(QStringLiteral("Nr")).SetAsString(QStringLiteral("TEST%1").arg(++FNummer));
    insert.ParamByName(QStringLiteral("Naam")).SetAsString(QStringLiteral("Test %1").arg(FNummer));
    insert.ParamByName(QStringLiteral("Tijdvak")).SetAsInteger(aangifteTijdvak);
    insert.ExecSQL();
    return FConnection->LastInsertId();
}

QVariantList tst_Beheer::Column(const QString& sql, const QString& field) {
    TOrvQuery query(nullptr, FConnection.get());
    query.SetSQL(sql);
    query.Open();
    QVariantList values;
    for (query.First(); !query.Eof(); query.Next()) values.append(query.FieldByName(field));
    return values;
}

void tst_Beheer::insertLoonsommenAlleTijdvakken_data() {
    QTest::addColumn<int>("tijdvak");
    QTest::addColumn<bool>("proforma");
    QTest::addColumn<int>("perioden");
    QTest::addColumn<QString>("laatste");
    QTest::newRow("vier weken") << 2 << true << 13 << QStringLiteral("13e vier weken");
    QTest::newRow("maand") << 1 << false << 12 << QStringLiteral("December");
    QTest::newRow("onbekend") << -1 << true << 12 << QStringLiteral("December");
    QTest::newRow("nul") << 0 << false << 12 << QStringLiteral("December");
}

void tst_Beheer::insertLoonsommenAlleTijdvakken() {
    QFETCH(int, tijdvak);
    QFETCH(bool, proforma);
    QFETCH(int, perioden);
    QFETCH(QString, laatste);
    const qint64 id = AddWerkgever(tijdvak);
    TdmBeheer beheer(nullptr, FConnection.get());
    QVERIFY(beheer.InsertLoonsommenAlleTijdvakken(id, tijdvak, proforma, 1234.5));
    QVERIFY(!FConnection->InTransaction());

    beheer.OpenLoonsommen(id, tijdvak);
    TOrvQuery& list = *beheer.qrySelLoonsommen;
    QCOMPARE(list.RecordCount(), perioden);
    int periode = 0;
    for (list.First(); !list.Eof(); list.Next()) {
        QCOMPARE(list.FieldByName(QStringLiteral("Periode")).toInt(), ++periode);
        QCOMPARE(list.FieldByName(QStringLiteral("Bedrag")).toDouble(), 1234.5);
        QCOMPARE(list.FieldByName(QStringLiteral("Proforma")).toString(),
                 proforma ? QStringLiteral("Ja") : QStringLiteral("Nee"));
        QCOMPARE(list.FieldByName(QStringLiteral("AanmaakDatum")).toDateTime(), Clock::Now());
        QCOMPARE(list.FieldByName(QStringLiteral("WijzigDatum")).toDateTime(), Clock::Now());
    }
    list.Last();
    QCOMPARE(list.FieldByName(QStringLiteral("PeriodeStr")).toString(), laatste);
}

void tst_Beheer::insertFailure_data() {
    QTest::addColumn<bool>("callerTransaction");
    QTest::newRow("own transaction") << false;
    QTest::newRow("caller's transaction") << true;
}

// A failure in the fifth period: the own transaction is undone whole, the caller's keeps the first four
// rows and stays open for the caller to decide.
void tst_Beheer::insertFailure() {
    QFETCH(bool, callerTransaction);
    const qint64 id = AddWerkgever(1);
    Exec(*FConnection, QStringLiteral("CREATE TRIGGER Kapot BEFORE INSERT ON Loonsommen WHEN NEW.Periode = 5 "
                                      "BEGIN SELECT RAISE(ABORT, 'periode 5 geweigerd'); END"));
    const QString count = QStringLiteral("SELECT COUNT(*) AS v FROM Loonsommen WHERE WerkgeverId = %1").arg(id);
    if (callerTransaction) FConnection->BeginTrans();
    TdmBeheer beheer(nullptr, FConnection.get());
    const QString error = CaughtError([&] { beheer.InsertLoonsommenAlleTijdvakken(id, 1, false, 10); });
    QVERIFY2(error.startsWith(QLatin1String("InsertLoonsommenAlleTijdvakken: ")), qPrintable(error));
    QVERIFY2(error.contains(QLatin1String("periode 5 geweigerd")), qPrintable(error));
    QCOMPARE(FConnection->InTransaction(), callerTransaction);
    QCOMPARE(Column(count).value(0).toInt(), callerTransaction ? 4 : 0);
    if (callerTransaction) FConnection->RollbackTrans();
    QCOMPARE(Column(count).value(0).toInt(), 0);
}

void tst_Beheer::insertKostenAlleTijdvakken_data() {
    QTest::addColumn<int>("tijdvak");
    QTest::addColumn<qint64>("categorie");
    QTest::addColumn<int>("kostenType");
    QTest::addColumn<int>("perioden");
    QTest::newRow("type 3, vier weken") << 2 << qint64(2) << 3 << 13;
    QTest::newRow("type 1, geen categorie") << 1 << qint64(0) << 1 << 12;
    QTest::newRow("type 4, negatieve categorie") << 1 << qint64(-1) << 4 << 12;
}

void tst_Beheer::insertKostenAlleTijdvakken() {
    QFETCH(int, tijdvak);
    QFETCH(qint64, categorie);
    QFETCH(int, kostenType);
    QFETCH(int, perioden);
    const qint64 id = AddWerkgever(tijdvak);
    TdmBeheer beheer(nullptr, FConnection.get());
    QVERIFY(beheer.InsertKostenAlleTijdvakken(id, tijdvak, categorie, true, kostenType, 75.25));

    const QVariantList categories =
        Column(QStringLiteral("SELECT KostenCategorieId AS v FROM Kosten WHERE WerkgeverId = %1").arg(id));
    QCOMPARE(categories.size(), perioden);
    for (const QVariant& c : categories) QCOMPARE(c.isNull() ? qint64(0) : c.toLongLong(), qMax(categorie, qint64(0)));

    // The list joins the category, so rows without one are not listed.
    beheer.OpenKosten(id, tijdvak);
    TOrvQuery& list = *beheer.qrySelKosten;
    QCOMPARE(list.RecordCount(), categorie > 0 ? perioden : 0);
    for (list.First(); !list.Eof(); list.Next()) {
        for (int t = 1; t <= 4; ++t)
            QCOMPARE(list.FieldByName(QStringLiteral("KostenType%1").arg(t)).toDouble(), t == kostenType ? 75.25 : 0.0);
        QCOMPARE(list.FieldByName(QStringLiteral("Proforma")).toString(), QStringLiteral("Ja"));
        QCOMPARE(list.FieldByName(QStringLiteral("TeltMee")).toString(),
                 kostenType == 1 ? QStringLiteral("Ja") : QStringLiteral("Nee"));
    }
}

// The record queries find their one row by key (the employer's under its historic parameter name), the
// lists order by period, then definitive before provisional, and a failure names the operation.
void tst_Beheer::recordQueries() {
    const qint64 id = AddWerkgever(2);
    TdmBeheer beheer(nullptr, FConnection.get());
    beheer.InsertLoonsommenAlleTijdvakken(id, 2, true, 2);
    beheer.InsertLoonsommenAlleTijdvakken(id, 2, false, 1);
    beheer.GetMutWerkgever(id);
    QVERIFY(beheer.qryMutWerkgever->SQL().contains(QLatin1String(":WergeverId")));
    QCOMPARE(beheer.qryMutWerkgever->RecordCount(), 1);
    QCOMPARE(beheer.qryMutWerkgever->FieldByName(QStringLiteral("WerkgeverId")).toLongLong(), id);

    beheer.OpenLoonsommen(id, 2);
    QStringList order;
    TOrvQuery& list = *beheer.qrySelLoonsommen;
    for (list.First(); !list.Eof() && order.size() < 4; list.Next())
        order.append(list.FieldByName(QStringLiteral("PeriodeStr")).toString() + u' ' +
                     list.FieldByName(QStringLiteral("Proforma")).toString());
    QCOMPARE(order, QStringList({QStringLiteral("1e vier weken Nee"), QStringLiteral("1e vier weken Ja"),
                                 QStringLiteral("2e vier weken Nee"), QStringLiteral("2e vier weken Ja")}));

    list.First();
    const qint64 loonsomId = list.FieldByName(QStringLiteral("LoonsomId")).toLongLong();
    beheer.GetMutLoonsom(loonsomId);
    QCOMPARE(beheer.qryMutLoonsom->FieldByName(QStringLiteral("Bedrag")).toDouble(), 1.0);
    beheer.GetMutLoonsom(-5);
    QVERIFY(beheer.qryMutLoonsom->IsEmpty());

    beheer.OpenKostencategorieen();
    QVERIFY(beheer.qrySelKostencategorieen->RecordCount() > 0);
    beheer.OpenConcerns();
    QVERIFY(beheer.qrySelConcerns->RecordCount() > 0);

    FConnection->Close();
    QVERIFY2(CaughtError([&] { beheer.GetMutWerkgever(id); }).startsWith(QLatin1String("TdmBeheer.GetMutWerkgever: ")),
             "record query prefix");
    QVERIFY(CaughtError([&] { beheer.OpenKosten(id, 1); }).startsWith(QLatin1String("TdmBeheer.OpenKosten: ")));
    QVERIFY(!beheer.qrySelKosten->Active());
}

void tst_Beheer::kostentypen_data() {
    QTest::addColumn<qint64>("categorie");
    QTest::addColumn<bool>("showAll");
    QTest::addColumn<QVariantList>("typen");
    QTest::newRow("alle") << qint64(0) << true << QVariantList{1, 2, 3, 4};
    // Category 1 is a reimbursement ("Vergoeding"): types 1, 3 and 4.
    QTest::newRow("vergoeding") << qint64(1) << false << QVariantList{1, 3, 4};
    QTest::newRow("onbekende categorie") << qint64(9999) << false << QVariantList{};
    // -1: a new category of a reimbursement type that allows no cost type.
    QTest::newRow("vergoedingtype zonder kostentypen") << qint64(-1) << false << QVariantList{};
}

void tst_Beheer::kostentypen() {
    QFETCH(qint64, categorie);
    QFETCH(bool, showAll);
    QFETCH(QVariantList, typen);
    if (categorie < 0) {
        Exec(*FConnection,
             QStringLiteral("INSERT INTO Vergoedingtypen (VergoedingtypeId, Omschrijving) VALUES (9, 'Leeg')"));
        Exec(*FConnection,
             QStringLiteral("INSERT INTO Kostencategorieen (Omschrijving, VergoedingtypeId) VALUES ('Leeg', 9)"));
        categorie = FConnection->LastInsertId();
    }
    TdmBeheer beheer(nullptr, FConnection.get());
    beheer.OpenKostentypen(categorie, showAll);
    QVariantList found;
    TOrvQuery& list = *beheer.qrySelKostenTypen;
    for (list.First(); !list.Eof(); list.Next()) found.append(list.FieldByName(QStringLiteral("KostenTypeId")).toInt());
    QCOMPARE(found, typen);
}

QTEST_GUILESS_MAIN(tst_Beheer)
#include "tst_Beheer.moc"
