// The cost export to the payroll database: which costs go, under which payroll employer, the concern's
// wage sum on its representative, and a rebuilt table at every run.

#include "binding/OrvQuery.h"
#include "core/DemoData.h"
#include "core/uUtils.h"
#include "exchange/QueltFixture.h"
#include "exchange/uQueltExport.h"
#include "platform/Clock.h"
#include "testlib/ScriptedPresenter.h"

#include <QFile>
#include <QTest>

namespace {
const QString kNu = QStringLiteral("2024-06-01 12:00:00");
const QString kWerkkosten =
    QStringLiteral("SELECT Werkgeversnummer, Periode, Bedrag, WijzigDatum FROM Werkkosten ORDER BY WerkkostenId");
const QString kAfwijkend = QStringLiteral("SELECT Werkgeversnummer, Ingangsdatum, AfwijkendeLoonsomVoorZemlo FROM "
                                          "Werkgever WHERE AfwijkendeLoonsomVoorZemlo IS NOT NULL ORDER BY rowid");

QString Export(TQueltFixture& f) {
    const TUitwisselingResultaat resultaat = f.Bevestigd<TKostenExport>();
    return resultaat.Status == TUitwisselingStatus::Uitgevoerd ? resultaat.Tekst : QStringLiteral("<not run>");
}

QString Werkgever(int id, const char* lhnr, const char* concern) {
    return QStringLiteral("INSERT INTO Werkgevers VALUES (%1, '%2', 'W%1', 1, %3, NULL, NULL)")
        .arg(id)
        .arg(QLatin1String(lhnr), QLatin1String(concern));
}

// Type 1 counts, type 2 does not.
QString Kosten(int werkgever, int periode, double bedrag, int proforma = 0, int type = 1) {
    return QStringLiteral("INSERT INTO Kosten (WerkgeverId, Periode, Proforma, Bedrag, KostenTypeId) VALUES (%1, %2, "
                          "%3, %4, %5)")
        .arg(werkgever)
        .arg(periode)
        .arg(proforma)
        .arg(bedrag)
        .arg(type);
}

QString Loonsom(int werkgever, int periode, double bedrag, int proforma = 0) {
    return QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (%1, %2, %3, %4)")
        .arg(werkgever)
        .arg(periode)
        .arg(proforma)
        .arg(bedrag);
}

// The payroll side of every case: A (two versions), B, D, and a former export that must go.
const QStringList kQuelt = {
    QueltWerkgever(100, "2023-01-01", "111111110L01", "A oud", "1"),
    QueltWerkgever(100, "2024-01-01", "111111110L01", "A", "1"),
    QueltWerkgever(200, "2024-01-01", "222222220L01", "B", "1"),
    QueltWerkgever(400, "2024-01-01", "444444440L01", "D", "1"),
    QStringLiteral("INSERT INTO Werkkosten (Werkgeversnummer, Periode, Bedrag) VALUES (400, 1, 9999)"),
    QStringLiteral("UPDATE Werkgever SET AfwijkendeLoonsomVoorZemlo = 1 WHERE Werkgeversnummer = 400"),
};
const QString kConcern = QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (7, 'C')");
}

class tst_QueltExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Clock::SetFixed(QDateTime::fromString(kNu, QLatin1String(kDateTimeFormat))); }
    void cleanup() { Clock::SetFixed(QDateTime()); }
    void exportRows_data();
    void exportRows();
    void representative_data();
    void representative();
    void payrollEmployerAsGetQueltWerkgeverIdFindsIt();
    void twiceGivesTheSameRows();
    void sameAsTheSelectsOneByOne();
    void notConfirmedChangesNothing();
};

void tst_QueltExport::exportRows_data() {
    QTest::addColumn<QStringList>("zemlo");
    QTest::addColumn<QStringList>("quelt");       // besides kQuelt
    QTest::addColumn<QStringList>("werkkosten");  // Werkgeversnummer|Periode|Bedrag, exported now
    QTest::addColumn<QStringList>("afwijkend");   // Werkgeversnummer|Ingangsdatum|AfwijkendeLoonsomVoorZemlo
    QTest::addColumn<QString>("message");
    const QStringList none;
    QTest::newRow("the worked example") << QStringList{kConcern,
                                                       Werkgever(1, "111111110L01", "7"),
                                                       Werkgever(2, "222222220L01", "7"),
                                                       Werkgever(4, "444444440L01", "NULL"),
                                                       Loonsom(1, 1, 200000),
                                                       Loonsom(1, 2, 100000),
                                                       Loonsom(2, 1, 100000),
                                                       Kosten(1, 3, 1000),
                                                       Kosten(2, 3, 500),
                                                       Kosten(4, 3, 200),
                                                       Kosten(4, 5, 50)}
                                        << none << QStringList{"400|3|200", "400|5|50", "100|3|1500"}
                                        << QStringList{"100|2023-01-01 00:00:00|400000",
                                                       "100|2024-01-01 00:00:00|400000"}
                                        << "De kosten zijn geëxporteerd.";
    QTest::newRow("provisional and not counting never go; nothing left clears the table")
        << QStringList{Werkgever(4, "444444440L01", "NULL"), Kosten(4, 3, 200, 1), Kosten(4, 3, 300, 0, 2)} << none
        << none << none << "Geen kosten beschikbaar.";
    QTest::newRow("per period the total of what counts")
        << QStringList{Werkgever(4, "444444440L01", "NULL"),
                       Kosten(4, 3, 200),
                       Kosten(4, 3, 25.5),
                       Kosten(4, 3, 80, 1),
                       Kosten(4, 3, 70, 0, 3),
                       Kosten(4, 13, 1)}
        << none << QStringList{"400|3|225.5", "400|13|1"} << none << "De kosten zijn geëxporteerd.";
    QTest::newRow("employer not in the payroll is skipped; the number matches in any case")
        << QStringList{Werkgever(5, "555555550L01", "NULL"), Kosten(5, 3, 200), Werkgever(4, "444444440l01", "NULL"),
                       Kosten(4, 1, 10)}
        << none << QStringList{"400|1|10"} << none << "De kosten zijn geëxporteerd.";
    QTest::newRow("a number under two payroll employers: the first row's")
        << QStringList{Werkgever(5, "555555550L01", "NULL"), Kosten(5, 3, 200)}
        << QStringList{QueltWerkgever(550, "2024-01-01", "555555550L01", "E", "1"),
                       QueltWerkgever(500, "2024-01-01", "555555550l01", "E", "1")}
        << QStringList{"550|3|200"} << none << "De kosten zijn geëxporteerd.";
    QTest::newRow("concern without wage sums goes nowhere")
        << QStringList{kConcern, Werkgever(1, "111111110L01", "7"), Kosten(1, 3, 1000)} << none << none << none
        << "Geen kosten beschikbaar.";
    QTest::newRow("concern whose representative is not in the payroll goes nowhere")
        << QStringList{kConcern,
                       Werkgever(1, "111111110L01", "7"),
                       Werkgever(5, "555555550L01", "7"),
                       Loonsom(5, 1, 900),
                       Loonsom(1, 1, 100),
                       Kosten(1, 3, 1000),
                       Kosten(5, 3, 10)}
        << none << none << none << "Geen kosten beschikbaar.";
}

void tst_QueltExport::exportRows() {
    QFETCH(QStringList, zemlo);
    QFETCH(QStringList, quelt);
    QFETCH(QStringList, werkkosten);
    QFETCH(QStringList, afwijkend);
    QFETCH(QString, message);
    TQueltFixture f;
    f.InZemlo(zemlo);
    f.InQuelt(kQuelt + quelt);
    const QStringList zemloBefore = AllRowsOf(f.Zemlo());
    QCOMPARE(Export(f), message);
    for (QString& row : werkkosten) row += u'|' + kNu;
    QCOMPARE(f.QueltRows(kWerkkosten), werkkosten);
    QCOMPARE(f.QueltRows(kAfwijkend), afwijkend);
    QCOMPARE(AllRowsOf(f.Zemlo()), zemloBefore);
    QVERIFY(!f.Data.ADOConnectionQuelt->Connected());
}

void tst_QueltExport::representative_data() {
    QTest::addColumn<QStringList>("loonsommen");  // WerkgeverId, period, amount, proforma: members 1 and 2
    QTest::addColumn<int>("nummer");              // the payroll employer that gets the concern's costs
    QTest::addColumn<QString>("loonsom");         // and the concern's wage sum
    QTest::newRow("largest total") << QStringList{Loonsom(1, 1, 100), Loonsom(1, 2, 100), Loonsom(2, 1, 150)} << 100
                                   << "350";
    QTest::newRow("provisional sums count")
        << QStringList{Loonsom(1, 1, 100), Loonsom(2, 1, 50), Loonsom(2, 1, 60, 1)} << 200 << "210";
    QTest::newRow("a member without sums") << QStringList{Loonsom(2, 4, 1)} << 200 << "1";
}

void tst_QueltExport::representative() {
    QFETCH(QStringList, loonsommen);
    QFETCH(int, nummer);
    QFETCH(QString, loonsom);
    TQueltFixture f;
    f.InZemlo(QStringList{kConcern, Werkgever(1, "111111110L01", "7"), Werkgever(2, "222222220L01", "7"),
                          Kosten(1, 2, 30), Kosten(2, 2, 12), Kosten(2, 4, 5)} +
              loonsommen);
    f.InQuelt(kQuelt);
    QCOMPARE(Export(f), QStringLiteral("De kosten zijn geëxporteerd."));
    QCOMPARE(f.QueltRows(kWerkkosten),
             (QStringList{QStringLiteral("%1|2|42|").arg(nummer) + kNu, QStringLiteral("%1|4|5|").arg(nummer) + kNu}));
    QStringList afwijkend;
    for (const QString& row : f.QueltRows(kAfwijkend))
        afwijkend.append(row.section(u'|', 0, 0) + u'|' + row.section(u'|', 2));
    QCOMPARE(afwijkend.removeDuplicates(), nummer == 100 ? 1 : 0);
    QCOMPARE(afwijkend, QStringList{QStringLiteral("%1|%2").arg(nummer).arg(loonsom)});
}

// The export finds all payroll numbers at once; each must be the one the single look-up gives.
void tst_QueltExport::payrollEmployerAsGetQueltWerkgeverIdFindsIt() {
    TQueltFixture f;
    const char* const nummers[] = {"111111110L01", "222222220L01", "333333330L01", "444444440L01", "555555550L01"};
    for (int i = 0; i < 5; ++i) f.InZemlo({Werkgever(i + 1, nummers[i], "NULL"), Kosten(i + 1, 1, i + 1)});
    f.InQuelt({QueltWerkgever(900, "2024-01-01", "222222220l01", "B", "1"),
               QueltWerkgever(300, "2024-01-01", "333333330L01", "C", "1"),
               QueltWerkgever(100, "2023-01-01", "111111110L01", "A", "1"),
               QueltWerkgever(200, "2024-01-01", "222222220L01", "B", "1"),
               QueltWerkgever(100, "2024-01-01", "111111110L01", "A", "1"),
               QueltWerkgever(301, "2023-01-01", "333333330L01", "C", "1"),
               QueltWerkgever(400, "2024-01-01", "444444440L01 ", "D", "1")});
    QCOMPARE(Export(f), QStringLiteral("De kosten zijn geëxporteerd."));
    TOrvADOConnection quelt;
    ConnectDatabase(quelt, f.QueltPath(), QString(), QStringLiteral("Share Deny None"));
    QStringList expected;
    for (int i = 0; i < 5; ++i)
        if (const qint64 nummer = GetQueltWerkgeverId(&quelt, QLatin1String(nummers[i])); nummer != -1)
            expected.append(QStringLiteral("%1|1|%2|").arg(nummer).arg(i + 1) + kNu);
    QCOMPARE(expected.size(), 3);
    QCOMPARE(RowsOf(quelt, kWerkkosten), expected);
}

void tst_QueltExport::twiceGivesTheSameRows() {
    TQueltFixture f;
    f.InZemlo({kConcern, Werkgever(1, "111111110L01", "7"), Werkgever(2, "222222220L01", "7"),
               Werkgever(4, "444444440L01", "NULL"), Loonsom(1, 1, 500), Loonsom(2, 1, 100), Kosten(1, 3, 1000),
               Kosten(2, 7, 500), Kosten(4, 3, 200)});
    f.InQuelt(kQuelt);
    QCOMPARE(Export(f), QStringLiteral("De kosten zijn geëxporteerd."));
    const QStringList werkkosten = f.QueltRows(kWerkkosten);
    const QStringList werkgevers = f.QueltRows(QStringLiteral("SELECT * FROM Werkgever ORDER BY rowid"));
    QCOMPARE(werkkosten.size(), 3);
    QCOMPARE(Export(f), QStringLiteral("De kosten zijn geëxporteerd."));
    QCOMPARE(f.QueltRows(kWerkkosten), werkkosten);
    QCOMPARE(f.QueltRows(QStringLiteral("SELECT * FROM Werkgever ORDER BY rowid")), werkgevers);
}

// The export totals the costs in one pass; its rows must be those of the two selects, each row looked up
// and written in turn, on a demo where part of the employers is missing from the payroll.
void tst_QueltExport::sameAsTheSelectsOneByOne() {
    TQueltFixture f;
    TDemoOptions demo;
    demo.Werkgevers = 100;
    FillDemoDatabase(f.Zemlo(), demo);
    QVERIFY(QFile::remove(f.QueltPath()));
    CreateDemoQueltDatabase(f.QueltPath(), f.Zemlo(), TDemoQueltOptions{});

    TOrvADOConnection quelt;
    ConnectDatabase(quelt, f.QueltPath(), QString(), QStringLiteral("Share Deny None"));
    const QString where = QStringLiteral(
        "   FROM Kosten K, KostenTypen KT, Werkgevers WG   WHERE K.KostenTypeId = KT.KostenTypeId     AND "
        "K.WerkgeverId = WG.WerkgeverId     AND KT.TeltMee = True     AND K.Proforma = False     AND ");
    TOrvQuery werkgevers(nullptr, &f.Zemlo());
    werkgevers.SetSQL(QStringLiteral(" SELECT WG.Loonheffingennummer, Periode, SUM(Bedrag) AS TotBedrag ") + where +
                      QStringLiteral("WG.ConcernId IS NULL   GROUP BY WG.Loonheffingennummer, Periode   ORDER BY "
                                     "WG.Loonheffingennummer, Periode "));
    werkgevers.Open();
    QStringList expected;
    const auto row = [](qint64 nummer, const TOrvQuery& q, int r) {
        return QStringLiteral("%1|%2|%3")
            .arg(nummer)
            .arg(q.Value(r, 1).toInt())
            .arg(QString::number(q.Value(r, 2).toDouble(), 'f', 2));
    };
    for (int r = 0; r < werkgevers.RecordCount(); ++r)
        if (const qint64 n = GetQueltWerkgeverId(&quelt, werkgevers.Value(r, 0).toString()); n != -1)
            expected.append(row(n, werkgevers, r));
    TOrvQuery concerns(nullptr, &f.Zemlo());
    concerns.SetSQL(QStringLiteral(" SELECT WG.ConcernId, Periode, SUM(Bedrag) AS TotBedrag ") + where +
                    QStringLiteral("WG.ConcernId IS NOT NULL   GROUP BY WG.ConcernId, Periode   ORDER BY WG.ConcernId, "
                                   "Periode "));
    concerns.Open();
    QStringList afwijkend;
    qint64 concern = -1;
    qint64 vertegenwoordiger = -1;
    for (int r = 0; r < concerns.RecordCount(); ++r) {
        if (concerns.Value(r, 0).toLongLong() != concern) {
            concern = concerns.Value(r, 0).toLongLong();
            QString nummer;
            double loonsom = 0;
            GetConcernGegevens(&f.Zemlo(), concern, nummer, loonsom);
            vertegenwoordiger = nummer.isEmpty() ? -1 : GetQueltWerkgeverId(&quelt, nummer);
            if (vertegenwoordiger != -1)
                afwijkend.append(QStringLiteral("%1|%2").arg(vertegenwoordiger).arg(loonsom, 0, 'f', 2));
        }
        if (vertegenwoordiger != -1) expected.append(row(vertegenwoordiger, concerns, r));
    }
    quelt.Close();
    afwijkend.sort();

    QCOMPARE(Export(f), QStringLiteral("De kosten zijn geëxporteerd."));
    QStringList actual;
    for (const QString& r :
         f.QueltRows(QStringLiteral("SELECT Werkgeversnummer, Periode, Bedrag FROM Werkkosten ORDER BY "
                                    "WerkkostenId"))) {
        QStringList v = r.split(u'|');
        v[2] = QString::number(v[2].toDouble(), 'f', 2);
        actual.append(v.join(u'|'));
    }
    QVERIFY2(expected.size() > 100 && !afwijkend.isEmpty(), qPrintable(QString::number(expected.size())));
    QCOMPARE(actual, expected);
    QStringList actualAfwijkend;
    for (const QString& r :
         f.QueltRows(QStringLiteral("SELECT DISTINCT Werkgeversnummer, AfwijkendeLoonsomVoorZemlo FROM "
                                    "Werkgever WHERE AfwijkendeLoonsomVoorZemlo IS NOT NULL")))
        actualAfwijkend.append(r.section(u'|', 0, 0) + u'|' + QString::number(r.section(u'|', 1).toDouble(), 'f', 2));
    actualAfwijkend.sort();
    QCOMPARE(actualAfwijkend, afwijkend);
}

// Not confirmed after its question: nothing changes and the run itself shows nothing.
void tst_QueltExport::notConfirmedChangesNothing() {
    TQueltFixture f;
    f.InZemlo({Werkgever(4, "444444440L01", "NULL"), Kosten(4, 3, 200)});
    f.InQuelt(kQuelt);
    const QStringList before = f.AllRows();
    const TScriptedPresenter noMessages;
    TKostenExport run(f.Data);
    QString question;
    const TUitwisselingResultaat resultaat = run.Uitvoeren([&] {
        question = run.Vraag();
        return false;
    });
    QCOMPARE(resultaat.Status, TUitwisselingStatus::NietBevestigd);
    QCOMPARE(
        question,
        QStringLiteral("Alle niet-proforma kosten die meetellen worden naar \"%1\" geëxporteerd. De bestaande kosten "
                       "worden overgeschreven. \n\r\n\rWilt u doorgaan?")
            .arg(f.Koppeling()));
    QCOMPARE(f.AllRows(), before);
}

QTEST_GUILESS_MAIN(tst_QueltExport)
#include "tst_QueltExport.moc"
