// The report: final levy, due return and concern advice on worked examples, and the files it writes (CSV,
// PDF read back with pdftotext, the workbook read back with openpyxl) through zemlo-cli.

#include "binding/OrvADOConnection.h"
#include "report/uRapportage.h"
#include "testlib/CaughtError.h"
#include "testlib/CliProcess.h"
#include "testlib/TestDatabase.h"

#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <QTextStream>

namespace {
struct TWerkgever {
    QString Naam;
    QString Concern;                                  // empty: none
    int Tijdvak = 1;                                  // 1 month, 2 four weeks
    QList<std::tuple<int, bool, double>> Loonsommen;  // period, proforma, amount
    QList<std::tuple<int, bool, double>> Kosten;      // cost type, proforma, amount
};
using TWerkgevers = QList<TWerkgever>;

// The employers in a fresh database, in the given order (so their keys follow it).
class TRapportFixture {
public:
    explicit TRapportFixture(const TWerkgevers& werkgevers) {
        FDatabase.Open(FConnection);
        QHash<QString, qint64> concerns;
        int nummer = 0;
        for (const TWerkgever& w : werkgevers) {
            QString concernId = QStringLiteral("NULL");
            if (!w.Concern.isEmpty()) {
                if (!concerns.contains(w.Concern)) {
                    Exec(FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('%1')").arg(w.Concern));
                    concerns.insert(w.Concern, FConnection.LastInsertId());
                }
                concernId = QString::number(concerns.value(w.Concern));
            }
            Exec(FConnection, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, "
                                             "ConcernId) VALUES ('LH%1', '%2', %3, %4)")
                                  .arg(++nummer)
                                  .arg(w.Naam)
                                  .arg(w.Tijdvak)
                                  .arg(concernId));
            const qint64 id = FConnection.LastInsertId();
            for (const auto& [periode, proforma, bedrag] : w.Loonsommen)
                Exec(FConnection, QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) "
                                                 "VALUES (%1, %2, %3, %4)")
                                      .arg(id)
                                      .arg(periode)
                                      .arg(proforma ? 1 : 0)
                                      .arg(bedrag, 0, 'f', 2));
            for (const auto& [type, proforma, bedrag] : w.Kosten)
                Exec(FConnection, QStringLiteral("INSERT INTO Kosten (WerkgeverId, KostenCategorieId, Periode, "
                                                 "Proforma, Bedrag, KostenTypeId) VALUES (%1, 1, 1, %2, %3, %4)")
                                      .arg(id)
                                      .arg(proforma ? 1 : 0)
                                      .arg(bedrag, 0, 'f', 2)
                                      .arg(type));
        }
    }
    TRapportage Rapport(bool exclusiefProforma) { return MaakRapportage(FConnection, exclusiefProforma); }
    QString Path() const { return FDatabase.Path(); }
    QString Directory() const { return FDatabase.Directory(); }

private:
    TTestDatabase FDatabase;
    TOrvADOConnection FConnection;
};

// Five members of 1,000,000 each with 14,000 costs: 61,960 free space together, 5 x 14,760 apart.
TWerkgevers VijfLeden() {
    TWerkgevers leden;
    for (int i = 1; i <= 5; ++i)
        leden.append(
            {QStringLiteral("M%1").arg(i), QStringLiteral("X"), 1, {{1, false, 1000000}}, {{1, false, 14000}}});
    return leden;
}

bool Gelijk(const QVariant& actual, const QVariant& expected) {
    if (expected.isNull() || actual.isNull()) return expected.isNull() == actual.isNull();
    if (expected.typeId() == QMetaType::QString) return actual.toString() == expected.toString();
    return qAbs(actual.toDouble() - expected.toDouble()) < 0.005;
}

const QVariant kGeen;
}

Q_DECLARE_METATYPE(TWerkgevers)

class tst_Rapportage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void levyAndAdvice_data();
    void levyAndAdvice();
    void csvAsTheIssueGivesIt();
    void pdfReadBack();
    void workbookHoldsNumbers();
    void usage_data();
    void usage();
};

void tst_Rapportage::levyAndAdvice_data() {
    QTest::addColumn<TWerkgevers>("werkgevers");
    QTest::addColumn<bool>("exclusiefProforma");
    QTest::addColumn<int>("regels");    // rows in the report
    QTest::addColumn<QString>("naam");  // the row under test, by its (carrying member's) name
    // Loonsom, VrijeRuimte, Kosten, Benut, Restant, Overschrijding, Eindheffing, Aangifte
    QTest::addColumn<QVariantList>("regel");
    // HeffingConcern, HeffingApart, Verschil, Advies; empty without a concern
    QTest::addColumn<QVariantList>("advies");

    QTest::newRow("five members: the concern pays 6,432, apart nothing")
        << VijfLeden() << false << 1 << "M1"
        << QVariantList{5000000.0, 61960.0, 70000.0, 70000.0 / 619.60, -8040.0, 8040.0, 6432.0, "februari 2025"}
        << QVariantList{6432.0, 0.0, 6432.0, "Apart aangeven voordeliger"};
    const TWerkgevers binnen = {
        {QStringLiteral("B"), QStringLiteral("Y"), 2, {{1, false, 300000}}, {{1, false, 2000}}},
        {QStringLiteral("C"), QStringLiteral("Y"), 1, {{1, false, 200000}}, {{1, false, 1500}}}};
    QTest::newRow("members within their space: no levy, no return")
        << binnen << false << 1 << "B" << QVariantList{500000.0, 8860.0, 3500.0, 3500.0 / 88.60, 5360.0, 0.0, 0.0, ""}
        << QVariantList{0.0, 0.0, 0.0, "Geen verschil"};
    // Apart: A exceeds its 14,760 by 5,240; together 26,560 covers all.
    const TWerkgevers samen = {
        {QStringLiteral("A"), QStringLiteral("Z"), 1, {{1, false, 1000000}}, {{1, false, 20000}}},
        {QStringLiteral("B"), QStringLiteral("Z"), 1, {{1, false, 1000000}}, {}}};
    QTest::newRow("a concern that saves the levy of one member")
        << samen << false << 1 << "A"
        << QVariantList{2000000.0, 26560.0, 20000.0, 20000.0 / 265.60, 6560.0, 0.0, 0.0, ""}
        << QVariantList{0.0, 4192.0, -4192.0, "Concernregeling voordeliger"};
    // Equal largest wage sums: the first member by key files, with its own return period.
    const TWerkgevers gelijk = {
        {QStringLiteral("E"), QStringLiteral("T"), 2, {{1, false, 500000}}, {{1, false, 20000}}},
        {QStringLiteral("F"), QStringLiteral("T"), 1, {{1, false, 500000}}, {}}};
    QTest::newRow("tie: the first carrier files in four weeks")
        << gelijk << false << 1 << "E"
        << QVariantList{1000000.0, 14760.0, 20000.0, 20000.0 / 147.60, -5240.0, 5240.0, 4192.0, "2e vier weken 2025"}
        << QVariantList{4192.0, 8912.0, -4720.0, "Concernregeling voordeliger"};
    const TWerkgevers zonderLoonsom = {{QStringLiteral("G"), QString(), 2, {}, {{1, false, 100}}}};
    QTest::newRow("no wage sums: all costs are excess")
        << zonderLoonsom << false << 1 << "G"
        << QVariantList{0.0, 0.0, 100.0, kGeen, -100.0, 100.0, 80.0, "2e vier weken 2025"} << QVariantList{};
    const TWerkgevers leeg = {{QStringLiteral("H"), QString(), 1, {}, {}}};
    QTest::newRow("nothing at all") << leeg << false << 1 << "H"
                                    << QVariantList{0.0, 0.0, 0.0, kGeen, 0.0, 0.0, 0.0, ""} << QVariantList{};
    const TWerkgevers negatief = {
        {QStringLiteral("N"), QString(), 1, {{1, false, 100000}}, {{1, false, 3000}, {1, false, -1500}}}};
    QTest::newRow("negative costs lower the total")
        << negatief << false << 1 << "N" << QVariantList{100000.0, 1920.0, 1500.0, 1500.0 / 19.20, 420.0, 0.0, 0.0, ""}
        << QVariantList{};
    const TWerkgevers grens = {{QStringLiteral("P"), QString(), 1, {{1, false, 400000}}, {{1, false, 7680}}},
                               {QStringLiteral("Q"), QString(), 1, {{1, false, 400000}}, {{1, false, 7700}}}};
    QTest::newRow("costs equal to the space: no levy")
        << grens << false << 2 << "P" << QVariantList{400000.0, 7680.0, 7680.0, 100.0, 0.0, 0.0, 0.0, ""}
        << QVariantList{};
    QTest::newRow("20 over the space: 16 levy")
        << grens << false << 2 << "Q"
        << QVariantList{400000.0, 7680.0, 7700.0, 7700.0 / 76.80, -20.0, 20.0, 16.0, "februari 2025"} << QVariantList{};
    const TWerkgevers proforma = {
        {QStringLiteral("R"),
         QString(),
         1,
         {{1, false, 100000}, {2, true, 50000}},
         {{1, false, 1000}, {1, true, 2000}}},
        {QStringLiteral("S"), QStringLiteral("V"), 1, {{1, false, 100000}}, {{1, true, 5000}}},
        {QStringLiteral("U"), QStringLiteral("V"), 1, {{1, true, 100000}}, {{1, false, 1000}}}};
    QTest::newRow("with provisional amounts")
        << proforma << false << 2 << "R"
        << QVariantList{150000.0, 2880.0, 3000.0, 3000.0 / 28.80, -120.0, 120.0, 96.0, "februari 2025"}
        << QVariantList{};
    QTest::newRow("without provisional amounts")
        << proforma << true << 2 << "R" << QVariantList{100000.0, 1920.0, 1000.0, 1000.0 / 19.20, 920.0, 0.0, 0.0, ""}
        << QVariantList{};
    // Apart S exceeds its 1,920 by 3,080 (2,464); U's 1,920 covers its 1,000. Together 3,840 against 6,000.
    QTest::newRow("concern with provisional amounts")
        << proforma << false << 2 << "S"
        << QVariantList{200000.0, 3840.0, 6000.0, 6000.0 / 38.40, -2160.0, 2160.0, 1728.0, "februari 2025"}
        << QVariantList{1728.0, 2464.0, -736.0, "Concernregeling voordeliger"};
    // Without them U has no wage sum: all its 1,000 is excess apart, S carries the concern alone.
    QTest::newRow("concern without provisional amounts")
        << proforma << true << 2 << "S" << QVariantList{100000.0, 1920.0, 1000.0, 1000.0 / 19.20, 920.0, 0.0, 0.0, ""}
        << QVariantList{0.0, 800.0, -800.0, "Concernregeling voordeliger"};
}

void tst_Rapportage::levyAndAdvice() {
    QFETCH(TWerkgevers, werkgevers);
    QFETCH(bool, exclusiefProforma);
    QFETCH(int, regels);
    QFETCH(QString, naam);
    QFETCH(QVariantList, regel);
    QFETCH(QVariantList, advies);
    TRapportFixture fixture(werkgevers);
    const TRapportage rapport = fixture.Rapport(exclusiefProforma);
    QCOMPARE(rapport.ExclusiefProforma, exclusiefProforma);
    QCOMPARE(rapport.Regels.size(), regels);
    const auto found = std::find_if(rapport.Regels.cbegin(), rapport.Regels.cend(),
                                    [&](const TRapportRegel& r) { return r.Naam == naam; });
    QVERIFY2(found != rapport.Regels.cend(), qPrintable(naam));
    const QVariantList actual = {found->Loonsom, found->VrijeRuimte,    found->Kosten,      found->Benut,
                                 found->Restant, found->Overschrijding, found->Eindheffing, found->Aangifte};
    const QStringList names = {"Loonsom", "VrijeRuimte",    "Kosten",      "Benut",
                               "Restant", "Overschrijding", "Eindheffing", "Aangifte"};
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(Gelijk(actual[i], regel[i]),
                 qPrintable(
                     QStringLiteral("%1: %2 instead of %3").arg(names[i], actual[i].toString(), regel[i].toString())));
    QCOMPARE(found->ConcernId.isNull(), advies.isEmpty());
    if (advies.isEmpty()) return;
    const auto of = std::find_if(rapport.Advies.cbegin(), rapport.Advies.cend(),
                                 [&](const TConcernAdvies& a) { return a.ConcernId == found->ConcernId.toLongLong(); });
    QVERIFY(of != rapport.Advies.cend());
    const TConcernAdvies& a = *of;
    QCOMPARE(a.Concern, found->Concern);
    const QVariantList adviesActual = {a.HeffingConcern, a.HeffingApart, a.Verschil, a.Advies};
    for (int i = 0; i < adviesActual.size(); ++i)
        QVERIFY2(Gelijk(adviesActual[i], advies[i]),
                 qPrintable(QStringLiteral("advies %1: %2 instead of %3")
                                .arg(i)
                                .arg(adviesActual[i].toString(), advies[i].toString())));
}

void tst_Rapportage::csvAsTheIssueGivesIt() {
    TWerkgevers werkgevers = VijfLeden();
    werkgevers.append({QStringLiteral("Los, \"de\" Eerste"), QString(), 2, {}, {{1, false, 100}}});
    const TRapportFixture fixture(werkgevers);
    const TCliRun rows =
        RunCli({QStringLiteral("rapport"), QStringLiteral("--db"), fixture.Path(), QStringLiteral("--csv")});
    QCOMPARE(rows.ExitCode, 0);
    QCOMPARE(rows.Out.split(QStringLiteral("\r\n")),
             QStringList({QStringLiteral("WerkgeverId,ConcernId,Loonheffingennummer,Naam,Concern,Loonsom,VrijeRuimte,"
                                         "Kosten,Benut,Restant,Overschrijding,Eindheffing,Aangifte"),
                          QStringLiteral("1,1,LH1,M1,X,5000000.00,61960.00,70000.00,112.98,-8040.00,8040.00,6432.00,"
                                         "februari 2025"),
                          QStringLiteral("6,,LH6,\"Los, \"\"de\"\" Eerste\",,0.00,0.00,100.00,,-100.00,100.00,80.00,"
                                         "2e vier weken 2025"),
                          QString()}));
    const TCliRun advies = RunCli({QStringLiteral("rapport"), QStringLiteral("--db"), fixture.Path(),
                                   QStringLiteral("--csv"), QStringLiteral("--concernadvies")});
    QCOMPARE(advies.ExitCode, 0);
    QCOMPARE(advies.Out, QStringLiteral("ConcernId,Concern,HeffingConcern,HeffingApart,Verschil\r\n"
                                        "1,X,6432.00,0.00,6432.00\r\n"));
}

void tst_Rapportage::pdfReadBack() {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) QSKIP("pdftotext is not installed");
    TWerkgevers werkgevers = VijfLeden();
    // Enough employers for a second page of rows.
    for (int i = 1; i <= 60; ++i)
        werkgevers.append({QStringLiteral("Werkgever %1").arg(i, 2, 10, QLatin1Char('0')),
                           QString(),
                           1,
                           {{1, false, 100000.0 * i}},
                           {{1, false, 1000.0 * i}}});
    const TRapportFixture fixture(werkgevers);
    const QString pdf = fixture.Directory() + QStringLiteral("/rapport.pdf");
    const TCliRun run =
        RunCli({QStringLiteral("rapport"), QStringLiteral("--db"), fixture.Path(), QStringLiteral("--pdf"), pdf});
    QCOMPARE(run.ExitCode, 0);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    QCOMPARE(text.exitCode(), 0);
    const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(u'\f', Qt::SkipEmptyParts);
    QVERIFY2(pages.size() >= 3, qPrintable(QString::number(pages.size())));
    const QStringList maanden = {"januari", "februari", "maart",     "april",   "mei",      "juni",
                                 "juli",    "augustus", "september", "oktober", "november", "december"};
    const QDate vandaag = QDate::currentDate();
    const QString datum =
        QStringLiteral("%1 %2 %3").arg(vandaag.day()).arg(maanden[vandaag.month() - 1]).arg(vandaag.year());
    for (int p = 0; p < pages.size(); ++p) {
        QVERIFY2(pages[p].contains(QLatin1String("Pavenda 2024")), qPrintable(pages[p]));
        QVERIFY(pages[p].contains(QLatin1String("Rapportage werkkostenregeling 2024")));
        QVERIFY2(pages[p].contains(datum), qPrintable(datum));
        QVERIFY(pages[p].contains(QStringLiteral("Pagina %1 van %2").arg(p + 1).arg(pages.size())));
    }
    // The concern's row in Dutch amounts; the advice only on the last page, a section of its own.
    QVERIFY(pages.first().contains(QLatin1String("Eindheffing per werkgever en concern")));
    QVERIFY(QRegularExpression(QStringLiteral("LH1\\s+M1\\s+X\\s+5\\.000\\.000,00\\s+61\\.960,00\\s+70\\.000,00\\s+"
                                              "112,98\\s+-8\\.040,00\\s+8\\.040,00\\s+6\\.432,00\\s+februari 2025"))
                .match(pages.first())
                .hasMatch());
    for (int p = 0; p + 1 < pages.size(); ++p) QVERIFY(!pages[p].contains(QLatin1String("Concernadvies")));
    QVERIFY(pages.last().contains(QLatin1String("Concernadvies")));
    QVERIFY(
        QRegularExpression(QStringLiteral("X\\s+5\\s+6\\.432,00\\s+0,00\\s+6\\.432,00\\s+Apart aangeven voordeliger"))
            .match(pages.last())
            .hasMatch());
}

void tst_Rapportage::workbookHoldsNumbers() {
    const QString python = QStringLiteral("/usr/bin/python3");
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    if (!probe.waitForFinished(30000) || probe.exitCode() != 0) QSKIP("python3-openpyxl is not installed");
    TWerkgevers werkgevers = VijfLeden();
    werkgevers.append({QStringLiteral("Een werkgever met een lange naam B.V."), QString(), 2, {}, {{1, false, 100}}});
    const TRapportFixture fixture(werkgevers);
    const QString xlsx = fixture.Directory() + QStringLiteral("/rapport.xlsx");
    QCOMPARE(RunCli({QStringLiteral("rapport"), QStringLiteral("--db"), fixture.Path(), QStringLiteral("--xlsx"), xlsx})
                 .ExitCode,
             0);
    // Every sheet with its frozen pane, column widths and cells as value, type and number format.
    const char* script = R"(
import json, sys, openpyxl
from openpyxl.utils import get_column_letter
wb = openpyxl.load_workbook(sys.argv[1])
out = {}
for ws in wb.worksheets:
    out[ws.title] = {
        "freeze": ws.freeze_panes,
        "widths": [ws.column_dimensions[get_column_letter(c)].width for c in range(1, ws.max_column + 1)],
        "rows": [[[c.value, type(c.value).__name__, c.number_format] for c in row] for row in ws.iter_rows()]}
print(json.dumps(out))
)";
    QProcess read;
    read.start(python, {QStringLiteral("-c"), QLatin1String(script), xlsx});
    QVERIFY(read.waitForFinished(30000));
    QCOMPARE(read.exitCode(), 0);
    const QJsonObject book = QJsonDocument::fromJson(read.readAllStandardOutput()).object();
    QCOMPARE(book.keys(), QStringList({QStringLiteral("Concernadvies"), QStringLiteral("Rapportage")}));
    const auto cell = [](const QJsonObject& sheet, int row, int column) {
        return sheet[QLatin1String("rows")].toArray()[row].toArray()[column].toArray();
    };
    // Column, value, type, format of the concern's row (row 1) and the employer's (row 2).
    const QJsonObject rapport = book[QLatin1String("Rapportage")].toObject();
    QCOMPARE(rapport[QLatin1String("freeze")].toString(), QStringLiteral("A2"));
    QCOMPARE(rapport[QLatin1String("rows")].toArray().size(), 3);
    QCOMPARE(cell(rapport, 0, 1)[0].toString(), QStringLiteral("Werkgever"));
    const QList<std::pair<int, double>> getallen = {{3, 5000000}, {4, 61960}, {5, 70000},
                                                    {7, -8040},   {8, 8040},  {9, 6432}};
    for (const auto& [column, value] : getallen) {
        const QJsonArray c = cell(rapport, 1, column);
        QVERIFY2(c[1].toString() == u"float" || c[1].toString() == u"int", qPrintable(c[1].toString()));
        QVERIFY2(qAbs(c[0].toDouble() - value) < 0.005, qPrintable(QString::number(c[0].toDouble())));
        QCOMPARE(c[2].toString(), QStringLiteral("#,##0.00"));
    }
    QCOMPARE(cell(rapport, 2, 6)[0].type(), QJsonValue::Null);  // no free space, no percentage used
    QCOMPARE(cell(rapport, 2, 10)[0].toString(), QStringLiteral("2e vier weken 2025"));
    const QJsonArray widths = rapport[QLatin1String("widths")].toArray();
    QVERIFY(widths[1].toDouble() >= QStringLiteral("Een werkgever met een lange naam B.V.").size());
    QVERIFY(widths[3].toDouble() >= QStringLiteral("5.000.000,00").size());
    const QJsonObject advies = book[QLatin1String("Concernadvies")].toObject();
    QCOMPARE(advies[QLatin1String("freeze")].toString(), QStringLiteral("A2"));
    QCOMPARE(cell(advies, 1, 2)[0].toDouble(), 6432.0);
    QCOMPARE(cell(advies, 1, 2)[2].toString(), QStringLiteral("#,##0.00"));
    QCOMPARE(cell(advies, 1, 5)[0].toString(), QStringLiteral("Apart aangeven voordeliger"));
    QCOMPARE(cell(advies, 1, 3)[0].toDouble(), 0.0);
}

void tst_Rapportage::usage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    QTest::newRow("nothing to write") << QStringList{"--db", "DB"} << 2
                                      << "rapport: geef --pdf UIT, --xlsx UIT of --csv";
    QTest::newRow("advice without csv") << QStringList{"--db", "DB", "--xlsx", "X", "--concernadvies"} << 2
                                        << "rapport: --concernadvies hoort bij --csv";
    QTest::newRow("no database") << QStringList{"--csv"} << 2 << "rapport: --db BESTAND is verplicht";
    QTest::newRow("missing database") << QStringList{"--db", "DB.ontbreekt", "--csv"} << 1
                                      << "Database does not exists";
    QTest::newRow("folder that cannot be written") << QStringList{"--db", "DB", "--xlsx", "/ontbreekt/r.xlsx"} << 1
                                                   << "Het bestand /ontbreekt/r.xlsx kan niet worden geschreven";
}

void tst_Rapportage::usage() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    const TRapportFixture fixture(VijfLeden());
    arguments.replaceInStrings(QRegularExpression(QStringLiteral("^DB")), fixture.Path());
    const TCliRun run = RunCli(QStringList{QStringLiteral("rapport")} + arguments);
    QCOMPARE(run.ExitCode, exitCode);
    QVERIFY2(run.Err.contains(error), qPrintable(run.Err));
    QCOMPARE(run.Out, QString());
}

QTEST_GUILESS_MAIN(tst_Rapportage)
#include "tst_Rapportage.moc"
