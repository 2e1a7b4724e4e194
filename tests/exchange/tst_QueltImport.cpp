// The employer and wage sum imports from the payroll database: what is taken over, what is never touched,
// and which bookings count for which period.

#include "binding/OrvQuery.h"
#include "core/DemoData.h"
#include "core/uConst.h"
#include "core/uUtils.h"
#include "exchange/QueltFixture.h"
#include "exchange/uQueltImport.h"
#include "platform/Clock.h"
#include "testlib/ScriptedPresenter.h"

#include <QFile>
#include <QMap>
#include <QTest>

namespace {
const QString kNu = QStringLiteral("2024-06-01 12:00:00");

const QString kWerkgeversVraag =
    QStringLiteral("Alle werkgevers worden vanuit \"%1\" overgenomen. \n\r\n\rWilt u doorgaan?");
const QString kLoonsommenVraag = QStringLiteral(
    "Alle loonsommen worden vanuit \"%1\" overgenomen. De bestaande loonsommen worden overgeschreven. \n\r\n\rWilt u "
    "doorgaan?");

// The result message of a confirmed run.
template <class TRun> QString RunConfirmed(TQueltFixture& f, QString* question = nullptr) {
    const TUitwisselingResultaat resultaat = f.Bevestigd<TRun>(question);
    return resultaat.Status == TUitwisselingStatus::Uitgevoerd ? resultaat.Tekst : QStringLiteral("<not run>");
}

const QString kWerkgeverRij =
    QStringLiteral("SELECT Loonheffingennummer, Naam, AangifteTijdvak, ConcernId, AanmaakDatum, "
                   "WijzigDatum FROM Werkgevers ORDER BY WerkgeverId");
const QString kLoonsomRij = QStringLiteral("SELECT WerkgeverId, Periode, Proforma, Bedrag, WijzigDatum FROM Loonsommen "
                                           "ORDER BY WerkgeverId, Periode, Proforma");
}

class tst_QueltImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Clock::SetFixed(QDateTime::fromString(kNu, QLatin1String(kDateTimeFormat))); }
    void cleanup() { Clock::SetFixed(QDateTime()); }
    void werkgevers_data();
    void werkgevers();
    void werkgeversTwiceFindsNothingNew();
    void notConfirmedChangesNothing();
    void periodBorders_data();
    void periodBorders();
    void existingWageSums_data();
    void existingWageSums();
    void payrollDecidesKindAndEmployer();
    void sameAsThePerPeriodSelect();
};

void tst_QueltImport::werkgevers_data() {
    QTest::addColumn<QStringList>("quelt");
    QTest::addColumn<QStringList>("expected");  // Werkgevers after the import
    QTest::addColumn<QString>("message");
    const QString bestaand =
        QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, "
                       "WijzigDatum) VALUES ('111111110L01', 'Eigen naam', 2, '2023-05-05 00:00:00')");
    const QString eigen = QStringLiteral("111111110L01|Eigen naam|2|NULL|NULL|2023-05-05 00:00:00");
    const QString nieuw = QStringLiteral("|NULL|") + kNu + u'|' + kNu;
    QTest::newRow("no payroll employers")
        << QStringList{} << QStringList{eigen} << "Geen nieuwe werkgevers beschikbaar.";
    QTest::newRow("known number under another name, other case")
        << QStringList{QueltWerkgever(1, "2024-01-01", "111111110l01", "Quelt naam", "1")} << QStringList{eigen}
        << "Geen nieuwe werkgevers beschikbaar.";
    QTest::newRow("one new, its current version")
        << QStringList{QueltWerkgever(5, "2022-01-01", "222222220L01", "Oud", "1"),
                       QueltWerkgever(5, "2024-03-01", "222222220L01", "Nieuw", "2"),
                       QueltWerkgever(5, "2023-01-01", "222222220L01", "Tussen", "1")}
        << QStringList{eigen, QStringLiteral("222222220L01|Nieuw|2") + nieuw} << "Eén nieuw werkgever is geïmporteerd.";
    QTest::newRow("number twice in the payroll comes in once; an empty kind is 0")
        << QStringList{QueltWerkgever(7, "2024-01-01", "333333330L01", "Eerste", "NULL"),
                       QueltWerkgever(8, "2024-01-01", "333333330L01", "Tweede", "1"),
                       QueltWerkgever(9, "2024-01-01", "444444440L01", "Derde", "1"),
                       QueltWerkgever(1, "2024-01-01", "111111110L01", "Quelt naam", "1")}
        << QStringList{eigen, QStringLiteral("333333330L01|Eerste|0") + nieuw,
                       QStringLiteral("444444440L01|Derde|1") + nieuw}
        << "2 nieuwe werkgevers zijn geïmporteerd.";
    QTest::addRow("current version of the one with a later start only")
        << QStringList{QueltWerkgever(3, "2024-01-01", "555555550L01", "Drie", "1"),
                       QueltWerkgever(4, "2020-01-01", "666666660L01", "Vier oud", "2"),
                       QueltWerkgever(4, "2024-07-01", "666666660L01", "Vier", "1"),
                       QueltWerkgever(6, "2019-01-01", "777777770L01", "Zes", "2")}
        << QStringList{eigen, QStringLiteral("555555550L01|Drie|1") + nieuw,
                       QStringLiteral("666666660L01|Vier|1") + nieuw, QStringLiteral("777777770L01|Zes|2") + nieuw}
        << "3 nieuwe werkgevers zijn geïmporteerd.";
}

void tst_QueltImport::werkgevers() {
    QFETCH(QStringList, quelt);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    TQueltFixture f;
    f.InZemlo({QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, WijzigDatum) VALUES "
                              "('111111110L01', 'Eigen naam', 2, '2023-05-05 00:00:00')")});
    f.InQuelt(quelt);
    QString question;
    QCOMPARE(RunConfirmed<TWerkgeversImport>(f, &question), message);
    QCOMPARE(question, kWerkgeversVraag.arg(f.Koppeling()));
    QCOMPARE(f.ZemloRows(kWerkgeverRij), expected);
    QVERIFY(!f.Zemlo().InTransaction());
    QVERIFY(!f.Data.ADOConnectionQuelt->Connected());
}

void tst_QueltImport::werkgeversTwiceFindsNothingNew() {
    TQueltFixture f;
    f.InQuelt({QueltWerkgever(1, "2024-01-01", "222222220L01", "Een", "1"),
               QueltWerkgever(2, "2024-01-01", "333333330L01", "Twee", "2")});
    QCOMPARE(RunConfirmed<TWerkgeversImport>(f), QStringLiteral("2 nieuwe werkgevers zijn geïmporteerd."));
    const QStringList after = f.AllRows();
    QCOMPARE(RunConfirmed<TWerkgeversImport>(f), QStringLiteral("Geen nieuwe werkgevers beschikbaar."));
    QCOMPARE(f.AllRows(), after);
}

// Not confirmed: nothing changes and the run itself shows nothing.
void tst_QueltImport::notConfirmedChangesNothing() {
    for (const bool loonsommen : {false, true}) {
        TQueltFixture f;
        f.InZemlo({QStringLiteral("INSERT INTO Werkgevers VALUES (1, '222222220L01', 'Een', 1, NULL, NULL, NULL)")});
        f.InQuelt({QueltWerkgever(1, "2024-01-01", "222222220L01", "Een", "1"),
                   QueltWerkgever(2, "2024-01-01", "333333330L01", "Twee", "1"), Boeking(1, 14, 10, "2024-01-05")});
        const QStringList before = f.AllRows();
        const TScriptedPresenter noMessages;
        int asked = 0;
        const auto nee = [&] {
            ++asked;
            return false;
        };
        const TUitwisselingResultaat resultaat =
            loonsommen ? TLoonsommenImport(f.Data).Uitvoeren(nee) : TWerkgeversImport(f.Data).Uitvoeren(nee);
        QCOMPARE(asked, 1);
        QCOMPARE(resultaat.Status, TUitwisselingStatus::NietBevestigd);
        QCOMPARE(resultaat.Tekst, QString());
        QCOMPARE(f.AllRows(), before);
    }
}

void tst_QueltImport::periodBorders_data() {
    QTest::addColumn<int>("soort");
    QTest::addColumn<QString>("datum");
    QTest::addColumn<int>("periode");  // 0: counts for no period
    const std::pair<const char*, int> maand[] = {
        {"2023-12-31", 0},  {"2024-01-01", 1},  {"2024-01-31", 1},  {"2024-02-01", 2},  {"2024-02-29", 2},
        {"2024-03-01", 3},  {"2024-11-30", 11}, {"2024-12-01", 12}, {"2024-12-31", 12}, {"2025-01-01", 12},
        {"2025-01-15", 12}, {"2025-01-31", 12}, {"2025-02-01", 0}};
    for (const auto& [datum, periode] : maand)
        QTest::addRow("month %s", datum) << 1 << QString::fromLatin1(datum) << periode;
    const std::pair<const char*, int> vierWeken[] = {
        {"2023-12-31", 0},  {"2024-01-01", 1},  {"2024-01-28", 1},  {"2024-01-29", 2},  {"2024-02-25", 2},
        {"2024-02-26", 3},  {"2024-12-01", 12}, {"2024-12-02", 13}, {"2024-12-29", 13}, {"2024-12-30", 13},
        {"2024-12-31", 13}, {"2025-01-15", 13}, {"2025-01-31", 13}, {"2025-02-01", 0}};
    for (const auto& [datum, periode] : vierWeken)
        QTest::addRow("four weeks %s", datum) << 2 << QString::fromLatin1(datum) << periode;
    // The bound dates are midnight: a time of day on a period's last day lies after it.
    QTest::newRow("month, last day in the morning") << 1 << "2024-01-31 08:00:00" << 0;
    QTest::newRow("month, first day in the morning") << 1 << "2024-02-01 08:00:00" << 2;
    QTest::newRow("four weeks, last day of the extension in the morning") << 2 << "2025-01-31 08:00:00" << 0;
}

void tst_QueltImport::periodBorders() {
    QFETCH(int, soort);
    QFETCH(QString, datum);
    QFETCH(int, periode);
    TQueltFixture f;
    f.InZemlo({QStringLiteral("INSERT INTO Werkgevers VALUES (1, '222222220L01', 'Een', 1, NULL, NULL, NULL)")});
    // Two bookings of the wage column on the day, and one of another column that never counts.
    f.InQuelt({QueltWerkgever(10, "2024-01-01", "222222220L01", "Een", soort == 1 ? "1" : "2"),
               Boeking(10, 14, 100.25, datum), Boeking(10, 14, 50, datum), Boeking(10, 13, 999, datum)});
    QCOMPARE(RunConfirmed<TLoonsommenImport>(f), QStringLiteral("Loonsommen zijn geïmporteerd."));
    const QStringList expected =
        periode == 0 ? QStringList{} : QStringList{QStringLiteral("1|%1|0|150.25|%2").arg(periode).arg(kNu)};
    QCOMPARE(f.ZemloRows(kLoonsomRij), expected);
}

void tst_QueltImport::existingWageSums_data() {
    QTest::addColumn<QStringList>("existing");  // Periode|Proforma|Bedrag, changed on 2024-01-01
    QTest::addColumn<QStringList>("expected");  // after a booking of 500 in March and none in April
    const QString old = QStringLiteral("|2024-01-01 00:00:00");
    const QString imported = QStringLiteral("1|3|0|500|") + kNu;
    QTest::newRow("none") << QStringList{} << QStringList{imported};
    QTest::newRow("definitive") << QStringList{"3|0|100"} << QStringList{imported};
    QTest::newRow("provisional only: a definitive one beside it")
        << QStringList{"3|1|100"} << QStringList{imported, "1|3|1|100" + old};
    QTest::newRow("both: only the definitive one")
        << QStringList{"3|0|100", "3|1|200"} << QStringList{imported, "1|3|1|200" + old};
    QTest::newRow("a period without bookings keeps its sums")
        << QStringList{"4|0|100", "4|1|50"} << QStringList{imported, "1|4|0|100" + old, "1|4|1|50" + old};
}

void tst_QueltImport::existingWageSums() {
    QFETCH(QStringList, existing);
    QFETCH(QStringList, expected);
    TQueltFixture f;
    f.InZemlo({QStringLiteral("INSERT INTO Werkgevers VALUES (1, '222222220L01', 'Een', 1, NULL, NULL, NULL)")});
    for (const QString& row : existing) {
        const QStringList v = row.split(u'|');
        f.InZemlo({QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag, AanmaakDatum, "
                                  "WijzigDatum) VALUES (1, %1, %2, %3, '2024-01-01 00:00:00', '2024-01-01 00:00:00')")
                       .arg(v[0], v[1], v[2])});
    }
    f.InQuelt({QueltWerkgever(10, "2024-01-01", "222222220L01", "Een", "1"), Boeking(10, 14, 500, "2024-03-10")});
    QCOMPARE(RunConfirmed<TLoonsommenImport>(f), QStringLiteral("Loonsommen zijn geïmporteerd."));
    QCOMPARE(f.ZemloRows(kLoonsomRij), expected);
}

// The payroll's current kind decides the periods, not the program's; a number matches as the database
// compares text; an employer the program does not know is skipped without a message.
void tst_QueltImport::payrollDecidesKindAndEmployer() {
    TQueltFixture f;
    f.InZemlo({QStringLiteral("INSERT INTO Werkgevers VALUES (1, '222222220L01', 'Een', 1, NULL, NULL, NULL)"),
               QStringLiteral("INSERT INTO Werkgevers VALUES (2, '333333330L01', 'Twee', 2, NULL, NULL, NULL)")});
    f.InQuelt({QueltWerkgever(10, "2023-01-01", "222222220l01", "Een", "1"),
               QueltWerkgever(10, "2024-02-01", "222222220l01", "Een", "2"),
               QueltWerkgever(20, "2024-01-01", "333333330L01", "Twee", "1"),
               QueltWerkgever(30, "2024-01-01", "999999990L01", "Onbekend", "1"), Boeking(10, 14, 10, "2024-01-02"),
               Boeking(10, 14, 20, "2024-12-30"), Boeking(20, 14, 30, "2024-01-30"),
               Boeking(30, 14, 40, "2024-01-30")});
    QCOMPARE(RunConfirmed<TLoonsommenImport>(f), QStringLiteral("Loonsommen zijn geïmporteerd."));
    QCOMPARE(f.ZemloRows(kLoonsomRij), (QStringList{"1|1|0|10|" + kNu, "1|13|0|20|" + kNu, "2|1|0|30|" + kNu}));
    QString question;
    RunConfirmed<TLoonsommenImport>(f, &question);
    QCOMPARE(question, kLoonsommenVraag.arg(f.Koppeling()));
}

// The import computes all periods in one pass; its result must be what the select of the bookings per
// period gives, applied row by row, on a demo with the payroll's odd rows added.
void tst_QueltImport::sameAsThePerPeriodSelect() {
    TQueltFixture f;
    FillDemoDatabase(f.Zemlo(), TDemoOptions{});
    QVERIFY(QFile::remove(f.QueltPath()));
    CreateDemoQueltDatabase(f.QueltPath(), f.Zemlo(), TDemoQueltOptions{});
    // The current version of the first payroll employer: number and kind.
    const QStringList eerste =
        f.QueltRows(QStringLiteral("SELECT Loonbelastingnummer, Bericht_TijdvakSoort FROM Werkgever "
                                   "WHERE Werkgeversnummer = 1001 ORDER BY Ingangsdatum DESC"))
            .first()
            .split(u'|');
    f.InQuelt(
        {// a second payroll employer of that kind under the same number in other letters, one without a kind
         QueltWerkgever(5001, "2024-01-01", qPrintable(eerste[0].toLower()), "Tweede", qPrintable(eerste[1])),
         QueltWerkgever(5002, "2024-01-01", "999999990L01", "Zonder soort", "NULL"),
         Boeking(5001, 14, 11.11, "2024-03-03"), Boeking(5002, 14, 22.22, "2024-03-03"),
         Boeking(1001, 14, 0, "2024-05-05 10:00:00"), Boeking(1001, 14, 0, "2024-05-05"),
         QStringLiteral("INSERT INTO BoekingsKolommen (Werkgeversnummer, Kolomboeking, KolomBedrag, Boekingsdatum) "
                        "VALUES (1001, 14, NULL, '2024-06-06 00:00:00'), (1001, 14, 5, 20240707), "
                        "(7777, 14, 5, '2024-07-07 00:00:00')")});

    // The reference: the statements one by one on the databases as they are before the import.
    QMap<std::pair<qint64, int>, std::pair<qint64, double>> definitief;  // (employer, period) -> (key, amount)
    for (const QString& row : f.ZemloRows(QStringLiteral("SELECT WerkgeverId, Periode, LoonsomId, Bedrag FROM "
                                                         "Loonsommen WHERE Proforma = 0"))) {
        const QStringList v = row.split(u'|');
        definitief[{v[0].toLongLong(), v[1].toInt()}] = {v[2].toLongLong(), v[3].toDouble()};
    }
    qint64 volgende = f.ZemloRows(QStringLiteral("SELECT MAX(LoonsomId) FROM Loonsommen")).first().toLongLong() + 1;
    TOrvADOConnection quelt;
    ConnectDatabase(quelt, f.QueltPath(), QString(), QStringLiteral("Share Deny None"));
    TOrvQuery select(nullptr, &quelt);
    select.SetSQL(QStringLiteral(
        " SELECT WG.Loonbelastingnummer, SUM(BK.KolomBedrag) AS Bedrag   FROM BoekingsKolommen BK         INNER JOIN "
        "Werkgever WG         ON WG.Werkgeversnummer = BK.Werkgeversnummer   WHERE BK.Kolomboeking = 14     AND "
        "BK.Boekingsdatum BETWEEN :DtBegin AND :DtEind     AND WG.Ingangsdatum IN         (SELECT MAX(WG2.Ingangsdatum)  "
        "         FROM Werkgever WG2          WHERE WG2.Werkgeversnummer = WG.Werkgeversnummer)     AND "
        "WG.Bericht_TijdvakSoort = :AangifteTijdvak   GROUP BY WG.Loonbelastingnummer "));
    for (const int soort : {kAangifteTijdvakMaand, kAangifteTijdvakVierWeken})
        for (int periode = 1; periode <= AantalPerioden(soort); ++periode) {
            const TImportTijdvak tijdvak = ImportTijdvak(soort, periode);
            select.ParamByName(QStringLiteral("DtBegin")).SetAsDateTime(tijdvak.Begin.startOfDay());
            select.ParamByName(QStringLiteral("DtEind")).SetAsDateTime(tijdvak.Eind.startOfDay());
            select.ParamByName(QStringLiteral("AangifteTijdvak")).SetAsInteger(soort);
            select.Open();
            for (int r = 0; r < select.RecordCount(); ++r) {
                const qint64 id = GetZemloWerkgeverId(&f.Zemlo(), select.Value(r, 0).toString());
                if (id == -1) continue;
                auto found = definitief.find({id, periode});
                if (found == definitief.end()) found = definitief.insert({id, periode}, {volgende++, 0});
                found->second = select.Value(r, 1).toDouble();
            }
        }
    quelt.Close();
    QStringList expected;
    for (auto it = definitief.cbegin(); it != definitief.cend(); ++it)
        expected.append(QStringLiteral("%1|%2|%3|%4")
                            .arg(it->first)
                            .arg(it.key().first)
                            .arg(it.key().second)
                            .arg(QString::number(it->second, 'f', 2)));
    expected.sort();

    QCOMPARE(RunConfirmed<TLoonsommenImport>(f), QStringLiteral("Loonsommen zijn geïmporteerd."));
    QStringList actual;
    for (const QString& row : f.ZemloRows(QStringLiteral("SELECT LoonsomId, WerkgeverId, Periode, Bedrag FROM "
                                                         "Loonsommen WHERE Proforma = 0"))) {
        QStringList v = row.split(u'|');
        v[3] = QString::number(v[3].toDouble(), 'f', 2);
        actual.append(v.join(u'|'));
    }
    actual.sort();
    QVERIFY(expected.size() > 300);
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(tst_QueltImport)
#include "tst_QueltImport.moc"
