// The conversion from last year's database: what comes over and what stays, the messages of the three
// imports, a second run, each import all or nothing, and the refusals of an unusable last year's database.

#include "exchange/QueltFixture.h"
#include "exchange/uZemloImport.h"
#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"
#include "testlib/CaughtError.h"
#include "testlib/CliProcess.h"
#include "testlib/ScriptedPresenter.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {
const QDateTime kNu(QDate(2024, 2, 1), QTime(9, 30));

// Employers as "number|name|kind|concern name|created|changed", in number order.
QStringList Werkgevers(TOrvADOConnection& c) {
    return RowsOf(c, QStringLiteral("SELECT W.Loonheffingennummer, W.Naam, W.AangifteTijdvak, C.Naam, W.AanmaakDatum, "
                                    "W.WijzigDatum FROM Werkgevers W LEFT JOIN Concerns C ON C.ConcernId = W.ConcernId "
                                    "ORDER BY W.Loonheffingennummer"));
}
// The cost categories the tests add, all columns but the key.
QStringList Categorieen(TOrvADOConnection& c) {
    return RowsOf(c, QStringLiteral("SELECT KostengroepId, Omschrijving, VergoedingtypeId, Grootboekrekening, "
                                    "GrootboekOmschrijving, Opmerkingen, AanmaakDatum, WijzigDatum FROM "
                                    "Kostencategorieen WHERE Omschrijving LIKE 'K-%' ORDER BY Omschrijving"));
}
QStringList Concerns(TOrvADOConnection& c) {
    return RowsOf(c, QStringLiteral("SELECT Naam, AanmaakDatum, WijzigDatum FROM Concerns ORDER BY Naam"));
}
// The conversion from the folder as the window runs it after its question: the steps one after the other, up
// to the first that does not run, with the texts of their results. The steps show nothing themselves.
struct TConversie {
    QStringList Teksten;
    bool Gelukt = true;
};
TConversie Converteer(TdmMain& data, TOrvADOConnection& oud, const QString& map) {
    const TScriptedPresenter noMessages;
    TZemloConversie conversie(data, oud, map);
    TConversie uitkomst;
    for (TUitwisseling* stap : conversie.Stappen()) {
        const TUitwisselingResultaat resultaat = stap->Uitvoeren();
        uitkomst.Teksten.append(resultaat.Tekst);
        if (resultaat.Status != TUitwisselingStatus::Uitgevoerd) {
            uitkomst.Gelukt = false;
            break;
        }
    }
    return uitkomst;
}
}

class tst_ZemloImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Clock::SetFixed(kNu); }
    void cleanup() { Clock::SetFixed(QDateTime()); }
    void conversion_data();
    void conversion();
    void failingImportRollsBackOnlyItself_data();
    void failingImportRollsBackOnlyItself();
    void unusableLastYear_data();
    void unusableLastYear();
    void proposedFolder();
    void commandLine();
};

void tst_ZemloImport::conversion_data() {
    QTest::addColumn<QStringList>("vorigJaar");
    QTest::addColumn<QStringList>("ditJaar");
    QTest::addColumn<QStringList>("berichten");   // of the first run
    QTest::addColumn<QStringList>("werkgevers");  // after it
    QTest::addColumn<QStringList>("categorieen");
    QTest::addColumn<QStringList>("tweedeRun");  // its messages; it changes no row

    const QString wg = QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, ConcernId, "
                                      "AanmaakDatum, WijzigDatum) VALUES ");
    const QString kc =
        QStringLiteral("INSERT INTO Kostencategorieen (KostengroepId, Omschrijving, VergoedingtypeId, "
                       "Grootboekrekening, GrootboekOmschrijving, Opmerkingen, AanmaakDatum, WijzigDatum) "
                       "VALUES ");
    const QString geen = QStringLiteral("Geen nieuwe concerns beschikbaar.");
    const QString wgNiets = QStringLiteral("Werkgevers zijn niet gewijzigd.");
    const QString kcNiets = QStringLiteral("Kostencategorieën zijn niet gewijzigd.");

    QTest::newRow("nothing of the office's own")
        << QStringList{} << QStringList{} << QStringList{geen, wgNiets, kcNiets} << QStringList{} << QStringList{}
        << QStringList{geen, wgNiets, kcNiets};

    // Added and never edited: inserted when missing (created and changed at last year's change), left alone
    // when present; the concern created by the same run carries the new employer.
    QTest::newRow("new employer in a new concern, present employer untouched")
        << QStringList{QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (7, 'Holding X')"),
                       wg + QStringLiteral("('111111110', 'Nieuw', 2, 7, '2023-03-01 10:00:00', '2023-03-01 10:00:00'),"
                                           "('222222220', 'Oud', 1, 7, '2023-03-01 10:00:00', '2023-03-01 10:00:00')")}
        << QStringList{wg + QStringLiteral("('222222220', 'Oud dit jaar', 2, NULL, NULL, NULL)")}
        << QStringList{QStringLiteral("Eén nieuw concern is geïmporteerd."),
                       QStringLiteral("Eén nieuwe werkgever is geïmporteerd."), kcNiets}
        << QStringList{QStringLiteral("111111110|Nieuw|2|Holding X|2023-03-01 10:00:00|2023-03-01 10:00:00"),
                       QStringLiteral("222222220|Oud dit jaar|2|NULL|NULL|NULL")}
        << QStringList{} << QStringList{geen, wgNiets, kcNiets};

    // Changed last year: this year's row gets the concern (by name, never by id) and the change time, keeps
    // its name and kind; an employer without a concern is never put into one.
    QTest::newRow("changed employers keep this year's name")
        << QStringList{QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (1, 'Andere'), (2, 'Holding X')"),
                       wg + QStringLiteral(
                                "('111111110', 'Naam 2023', 1, 2, '2023-01-01 00:00:00', '2023-06-01 12:00:00'),"
                                "('333333330', 'Los', 1, NULL, '2023-01-01 00:00:00', '2023-06-02 12:00:00'),"
                                "('444444440', 'A', 1, NULL, '2023-01-01 00:00:00', '2023-01-01 00:00:00'),"
                                "('555555550', 'B', 2, 1, NULL, NULL)")}
        << QStringList{QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (1, 'Holding X')"),
                       wg + QStringLiteral("('111111110', 'Naam 2024', 2, NULL, NULL, NULL),"
                                           "('333333330', 'Los 2024', 2, 1, NULL, NULL)")}
        << QStringList{QStringLiteral("Eén nieuw concern is geïmporteerd."),
                       QStringLiteral("2 nieuwe werkgevers zijn geïmporteerd.\n\r2 werkgevers zijn aangepast."),
                       kcNiets}
        << QStringList{QStringLiteral("111111110|Naam 2024|2|Holding X|NULL|2023-06-01 12:00:00"),
                       QStringLiteral("333333330|Los 2024|2|NULL|NULL|2023-06-02 12:00:00"),
                       QStringLiteral("444444440|A|1|NULL|2023-01-01 00:00:00|2023-01-01 00:00:00"),
                       QStringLiteral("555555550|B|2|Andere|NULL|NULL")}
        << QStringList{} << QStringList{geen, QStringLiteral("2 werkgevers zijn aangepast."), kcNiets};

    // Categories by description: new ones with all columns (empty ids as 0), changed ones all but the
    // description and creation time, unchanged ones (also a delivered one) left as they are.
    QTest::newRow("cost categories new, changed and unchanged")
        << QStringList{kc +
                           QStringLiteral(
                               "(2, 'K-nieuw', 1, '4000', 'Nieuw gb', 'Opm', '2023-01-01 00:00:00', '2023-05-05 05:05:05'),"
                               "(NULL, 'K-leeg', 3, NULL, NULL, NULL, '2023-01-01 00:00:00', '2023-01-01 00:00:00'),"
                               "(3, 'K-gewijzigd', 2, '4100', 'Gewijzigd gb', NULL, '2023-01-01 00:00:00', '2023-07-07 07:07:07'),"
                               "(4, 'K-gelijk', 2, '4200', 'Oud gb', 'Oud', '2023-01-01 00:00:00', '2023-01-01 00:00:00')"),
                       QStringLiteral(
                           "UPDATE Kostencategorieen SET Grootboekrekening = '9999' WHERE Omschrijving = 'Kerstpakket'")}
        << QStringList{kc +
                       QStringLiteral(
                           "(1, 'K-gewijzigd', 1, '1', 'Dit jaar', 'Blijft niet', '2024-01-01 00:00:00', '2024-01-01 00:00:00'),"
                           "(1, 'K-gelijk', 1, '2', 'Dit jaar', 'Blijft', '2024-01-01 00:00:00', '2024-01-01 00:00:00')")}
        << QStringList{geen, wgNiets,
                       QStringLiteral(
                           "2 nieuwe kostencategorieën zijn geïmporteerd.\n\rEén kostencategorie is aangepast.")}
        << QStringList{}
        << QStringList{QStringLiteral("1|K-gelijk|1|2|Dit jaar|Blijft|2024-01-01 00:00:00|2024-01-01 00:00:00"),
                       QStringLiteral("3|K-gewijzigd|2|4100|Gewijzigd gb||2024-01-01 00:00:00|2023-07-07 07:07:07"),
                       QStringLiteral("0|K-leeg|3||||2023-01-01 00:00:00|2023-01-01 00:00:00"),
                       QStringLiteral("2|K-nieuw|1|4000|Nieuw gb|Opm|2023-05-05 05:05:05|2023-05-05 05:05:05")}
        << QStringList{geen, wgNiets, QStringLiteral("2 kostencategorieën zijn aangepast.")};
}

void tst_ZemloImport::conversion() {
    QFETCH(QStringList, vorigJaar);
    QFETCH(QStringList, ditJaar);
    QFETCH(QStringList, berichten);
    QFETCH(QStringList, werkgevers);
    QFETCH(QStringList, categorieen);
    QFETCH(QStringList, tweedeRun);
    TTestDatabase nieuwBestand, oudBestand(QStringLiteral("Zemlo2023.mdb"));
    TdmMain data;
    TOrvADOConnection& nieuw = *data.ADOConnectionZemlo;
    TOrvADOConnection oud;
    {
        TOrvADOConnection setup;
        oudBestand.Open(setup);
        for (const QString& sql : vorigJaar) Exec(setup, sql);
    }
    ConnectDatabase(nieuw, nieuwBestand.Path(), QString(), QStringLiteral("Share Exclusive"));
    for (const QString& sql : ditJaar) Exec(nieuw, sql);
    const QStringList concernsVooraf = Concerns(nieuw);

    const TConversie eerste = Converteer(data, oud, oudBestand.Directory());
    QVERIFY(eerste.Gelukt);
    QCOMPARE(eerste.Teksten, berichten);
    QCOMPARE(Werkgevers(nieuw), werkgevers);
    QCOMPARE(Categorieen(nieuw), categorieen);
    // Last year's concerns: the missing ones created now, the existing ones untouched.
    for (const QString& naam : RowsOf(oud, QStringLiteral("SELECT Naam FROM Concerns"))) {
        const QRegularExpression vanNaam(u'^' + QRegularExpression::escape(naam) + QStringLiteral("\\|"));
        const QStringList rij = Concerns(nieuw).filter(vanNaam);
        QCOMPARE(rij.size(), 1);
        QCOMPARE(rij.first(), concernsVooraf.filter(vanNaam).value(
                                  0, naam + QStringLiteral("|2024-02-01 09:30:00|2024-02-01 09:30:00")));
    }
    // Unchanged last year, however it differs: a delivered category stays as this year has it.
    QVERIFY(
        RowsOf(nieuw, QStringLiteral("SELECT * FROM Kostencategorieen WHERE Grootboekrekening = '9999'")).isEmpty());

    const QStringList naEersteRun = AllRowsOf(nieuw);
    const TConversie tweede = Converteer(data, oud, oudBestand.Directory() + u'/');
    QVERIFY(tweede.Gelukt);
    QCOMPARE(tweede.Teksten, tweedeRun);
    QCOMPARE(AllRowsOf(nieuw), naEersteRun);
}

void tst_ZemloImport::failingImportRollsBackOnlyItself_data() {
    QTest::addColumn<int>("import");  // 0 concerns, 1 employers, 2 categories
    QTest::newRow("concerns") << 0;
    QTest::newRow("employers") << 1;
    QTest::newRow("cost categories") << 2;
}

// Every statement execution of the failing import in turn fails; the imports before it stay, it leaves
// nothing and no open transaction.
void tst_ZemloImport::failingImportRollsBackOnlyItself() {
    QFETCH(int, import);
    const char* namen[] = {"ImportConcerns", "ImportWerkgevers", "ImportKostencategorieen"};
    TTestDatabase oudBestand(QStringLiteral("Zemlo2023.mdb"));
    {
        TOrvADOConnection setup;
        oudBestand.Open(setup);
        Exec(setup, QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (1, 'C1'), (2, 'C2')"));
        Exec(setup, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, ConcernId) "
                                   "VALUES ('1', 'A', 1, 1), ('2', 'B', 1, 2)"));
        Exec(setup,
             QStringLiteral(
                 "INSERT INTO Kostencategorieen (Omschrijving, VergoedingtypeId) VALUES ('K-1', 1), ('K-2', 1)"));
    }
    TOrvADOConnection oud;
    // n = 0: the import runs whole and counts its executions; then each of them fails in turn.
    qint64 uitvoeringen = 0;
    for (qint64 n = 0; n <= uitvoeringen; ++n) {
        TTestDatabase nieuwBestand;
        TdmMain data;
        TOrvADOConnection& nieuw = *data.ADOConnectionZemlo;
        ConnectDatabase(nieuw, nieuwBestand.Path(), QString(), QStringLiteral("Share Exclusive"));
        TZemloConversie conversie(data, oud, oudBestand.Directory());
        const TScriptedPresenter noMessages;
        // Opened first, so the executions counted are the import's own.
        QVERIFY(!conversie.SetZemloOldConnection());
        for (int i = 0; i < import; ++i)
            QCOMPARE(conversie.Stappen()[size_t(i)]->Uitvoeren().Status, TUitwisselingStatus::Uitgevoerd);
        const QStringList voor = AllRowsOf(nieuw);
        const qint64 start = ExecutedStatements();
        FailStatementExecution(int(n));
        const QString fout = CaughtError([&] { conversie.Stappen()[size_t(import)]->Uitvoeren(); });
        FailStatementExecution(0);
        if (n == 0) {
            uitvoeringen = ExecutedStatements() - start;
            QCOMPARE(fout, QString());
            QVERIFY(uitvoeringen > 2);
            QVERIFY(AllRowsOf(nieuw) != voor);
            continue;
        }
        QVERIFY2(fout.startsWith(QStringLiteral("TfrmZemloImport.%1: ").arg(QLatin1String(namen[import]))),
                 qPrintable(fout));
        QCOMPARE(AllRowsOf(nieuw), voor);
        QVERIFY(!nieuw.InTransaction());
    }
}

void tst_ZemloImport::unusableLastYear_data() {
    QTest::addColumn<QString>("geval");
    QTest::addColumn<QString>("bericht");  // ZemloError, or the error after the file's lead
    QTest::newRow("no database in the folder")
        << "missing"
        << "U dient de programmadirectory voor Zemlo2023 aan te passen. De huidige directory is niet geldig.";
    QTest::newRow("no cost categories") << "DROP TABLE Kostencategorieen"
                                        << "de tabel KostenCategorieen ontbreekt.";
    QTest::newRow("no change time, no concern name")
        << "ALTER TABLE Werkgevers DROP COLUMN WijzigDatum;ALTER TABLE Concerns RENAME COLUMN Naam TO Titel"
        << "de kolom Naam in de tabel Concerns en de kolom WijzigDatum in de tabel Werkgevers ontbreken.";
    QTest::newRow("an Access file of another program")
        << "fruit.mdb"
        << "de tabel Concerns, de tabel Werkgevers en de tabel KostenCategorieen ontbreken.";
}

void tst_ZemloImport::unusableLastYear() {
    QFETCH(QString, geval);
    QFETCH(QString, bericht);
    TTestDatabase nieuwBestand, oudBestand(QStringLiteral("Zemlo2023.mdb"));
    if (geval == u"missing") {
        QVERIFY(QFile::remove(oudBestand.Path()));
    } else if (geval.endsWith(u".mdb")) {
        QVERIFY(QFile::remove(oudBestand.Path()));
        QVERIFY(QFile::copy(qEnvironmentVariable("ZEMLO_FIXTURE_CACHE") + u'/' + geval, oudBestand.Path()));
    } else {
        TOrvADOConnection setup;
        oudBestand.Open(setup);
        for (const QString& sql : geval.split(u';')) Exec(setup, sql);
    }
    TdmMain data;
    TOrvADOConnection& nieuw = *data.ADOConnectionZemlo;
    TOrvADOConnection oud;
    ConnectDatabase(nieuw, nieuwBestand.Path(), QString(), QStringLiteral("Share Exclusive"));
    const QStringList voor = AllRowsOf(nieuw);
    if (geval == u"missing") {
        const TConversie conversie = Converteer(data, oud, oudBestand.Directory());
        QVERIFY(!conversie.Gelukt);
        QCOMPARE(conversie.Teksten, QStringList{bericht});
    } else {
        QCOMPARE(CaughtError([&] { Converteer(data, oud, oudBestand.Directory()); }),
                 QStringLiteral("TfrmZemloImport.SetZemloOldConnection: De Zemlo2023 database \"%1\" kan niet worden "
                                "gebruikt: ")
                         .arg(oudBestand.Path()) +
                     bericht);
    }
    QCOMPARE(AllRowsOf(nieuw), voor);
}

// Only a folder Zemlo2023 beside the program's own that holds last year's database is proposed.
void tst_ZemloImport::proposedFolder() {
    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Zemlo2024")));
    QVERIFY(QDir(root.path()).mkpath(QStringLiteral("Zemlo2023")));
    SetProgramDirectory(root.filePath(QStringLiteral("Zemlo2024")) + u'/');
    QCOMPARE(VoorgesteldeZemloMap(), QString());
    QFile database(root.filePath(QStringLiteral("Zemlo2023/Zemlo2023.mdb")));
    QVERIFY(database.open(QIODevice::WriteOnly));
    database.close();
    QCOMPARE(VoorgesteldeZemloMap(),
             QDir::toNativeSeparators(root.filePath(QStringLiteral("Zemlo2023"))) + QDir::separator());
    SetProgramDirectory(QString());
}

// The command line runs the window's steps: the marker of a new year's database, the three messages, and
// exit code 1 with the message when last year's database is missing.
void tst_ZemloImport::commandLine() {
    QTemporaryDir dir;
    const QString nieuw = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    QCOMPARE(RunCli({QStringLiteral("nieuwe-database"), nieuw, QStringLiteral("--conversie")}).ExitCode, 0);
    {
        TOrvADOConnection c;
        ConnectDatabase(c, nieuw, QString(), QStringLiteral("Share Exclusive"));
        QCOMPARE(RowsOf(c, QStringLiteral("SELECT param_value FROM dbparams WHERE param_cd = 'zemlo_conversie'")),
                 QStringList{QStringLiteral("Y")});
    }
    const TCliRun zonder = RunCli(
        {QStringLiteral("conversie"), QStringLiteral("--db"), nieuw, QStringLiteral("--vorig-jaar"), dir.path()});
    QCOMPARE(zonder.ExitCode, 1);
    QCOMPARE(zonder.Out.trimmed(),
             QStringLiteral(
                 "U dient de programmadirectory voor Zemlo2023 aan te passen. De huidige directory is niet geldig."));
    QCOMPARE(RunCli({QStringLiteral("demo"), dir.filePath(QStringLiteral("Zemlo2023.mdb")),
                     QStringLiteral("--werkgevers"), QStringLiteral("3")})
                 .ExitCode,
             0);
    const TCliRun run = RunCli(
        {QStringLiteral("conversie"), QStringLiteral("--db"), nieuw, QStringLiteral("--vorig-jaar"), dir.path()});
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out.split(u'\n', Qt::SkipEmptyParts).size(), 3);
    QVERIFY(run.Out.contains(QStringLiteral("3 nieuwe werkgevers zijn geïmporteerd.")));
}

QTEST_GUILESS_MAIN(tst_ZemloImport)
#include "tst_ZemloImport.moc"
