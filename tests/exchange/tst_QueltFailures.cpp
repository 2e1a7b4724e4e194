// The ways an exchange ends without doing its work: an invalid link, a payroll database that cannot be
// used, and a failure at any statement of a run. Each leaves both databases exactly as they were.

#include "core/uUtils.h"
#include "exchange/QueltFixture.h"
#include "exchange/uQueltExport.h"
#include "exchange/uQueltImport.h"
#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"
#include "platform/Progress.h"
#include "platform/WaitCursor.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

namespace {
const QString kOngeldig =
    QStringLiteral("U dient de Quelt koppeling voor Quelt2024 aanpassen. De huidige koppeling is niet geldig.");

std::unique_ptr<TQueltUitwisseling> Run(const QString& naam, TdmMain& data) {
    if (naam == u"werkgevers") return std::make_unique<TWerkgeversImport>(data);
    if (naam == u"loonsommen") return std::make_unique<TLoonsommenImport>(data);
    return std::make_unique<TKostenExport>(data);
}

// Runs it confirmed; the run itself shows nothing (the scripted presenter fails on any message).
TUitwisselingResultaat Bevestigd(const QString& naam, TdmMain& data, int* asked = nullptr) {
    const TScriptedPresenter noMessages;
    return Run(naam, data)->Uitvoeren([&] {
        if (asked) ++*asked;
        return true;
    });
}

QString PrefixVan(const QString& naam) {
    if (naam == u"werkgevers") return QStringLiteral("uQueltImport.ImporteerWerkgevers: ");
    if (naam == u"loonsommen") return QStringLiteral("uQueltImport.ImporteerLoonsommen: ");
    return QStringLiteral("uQueltExport.ExporteerKosten: ");
}

// A small run that reaches every statement kind: a new and two known employers, a concern, a wage sum to
// update and one to insert, four-week periods, costs of and without a concern, a former export.
void VulKleineRun(TQueltFixture& f) {
    f.InZemlo({QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (7, 'C')"),
               QStringLiteral("INSERT INTO Werkgevers VALUES (1, '111111110L01', 'A', 1, 7, NULL, NULL)"),
               QStringLiteral("INSERT INTO Werkgevers VALUES (2, '222222220L01', 'B', 2, 7, NULL, NULL)"),
               QStringLiteral("INSERT INTO Werkgevers VALUES (4, '444444440L01', 'D', 1, NULL, NULL, NULL)"),
               QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (1, 3, 0, 10), "
                              "(2, 1, 0, 5), (4, 3, 1, 7)"),
               QStringLiteral("INSERT INTO Kosten (WerkgeverId, Periode, Proforma, Bedrag, KostenTypeId) VALUES "
                              "(1, 3, 0, 100, 1), (2, 3, 0, 50, 1), (4, 2, 0, 20, 1)")});
    f.InQuelt({QueltWerkgever(100, "2024-01-01", "111111110L01", "A", "1"),
               QueltWerkgever(200, "2024-01-01", "222222220L01", "B", "2"),
               QueltWerkgever(400, "2024-01-01", "444444440L01", "D", "1"),
               QueltWerkgever(600, "2024-01-01", "666666660L01", "F", "1"), Boeking(100, 14, 30, "2024-03-04"),
               Boeking(200, 14, 40, "2024-01-10"), Boeking(400, 14, 50, "2024-03-04"),
               QStringLiteral("INSERT INTO Werkkosten (Werkgeversnummer, Periode, Bedrag) VALUES (400, 1, 9)"),
               QStringLiteral("UPDATE Werkgever SET AfwijkendeLoonsomVoorZemlo = 3 WHERE Werkgeversnummer = 400")});
}

// Records what the wait cursor and the progress seam were told.
class THooks {
public:
    THooks() {
        TWaitCursor::InstallHook([this](bool show) { WaitDepth += show ? 1 : -1; });
        TProgress::InstallHook([this](const TProgressState& state) { ProgressFinished = state.Finished; });
    }
    ~THooks() {
        TWaitCursor::InstallHook(nullptr);
        TProgress::InstallHook(nullptr);
    }
    int WaitDepth = 0;
    bool ProgressFinished = true;
};
}

class tst_QueltFailures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { Clock::SetFixed(QDateTime(QDate(2024, 6, 1), QTime(12, 0))); }
    void cleanup() {
        FailStatementExecution(0);
        SetProgramDirectory(QString());
        Clock::SetFixed(QDateTime());
    }
    void invalidLink_data();
    void invalidLink();
    void linkFoundBesideTheProgram();
    void unusablePayrollDatabase_data();
    void unusablePayrollDatabase();
    void failureAtEveryStatement_data();
    void failureAtEveryStatement();
};

void tst_QueltFailures::invalidLink_data() {
    QTest::addColumn<QString>("functie");
    QTest::addColumn<QString>("link");  // %1: the payroll database's folder, without its separator
    for (const char* functie : {"werkgevers", "loonsommen", "export"}) {
        QTest::addRow("%s: not set", functie) << functie << "";
        QTest::addRow("%s: no trailing separator", functie) << functie << "%1";
        QTest::addRow("%s: folder without the database", functie) << functie << "%1/leeg/";
        QTest::addRow("%s: the database name is a folder", functie) << functie << "%1/map/";
    }
}

void tst_QueltFailures::invalidLink() {
    QFETCH(QString, functie);
    QFETCH(QString, link);
    QTemporaryDir program;
    SetProgramDirectory(program.path());
    TQueltFixture f;
    VulKleineRun(f);
    const QString folder = QDir(f.Koppeling()).absolutePath();
    QVERIFY(QDir(folder).mkpath(QStringLiteral("leeg")) && QDir(folder).mkpath(QStringLiteral("map/QueltX2024.mdb")));
    if (link.isEmpty())
        DeleteDBParam(&f.Zemlo(), QStringLiteral("QueltKoppeling"));
    else
        SaveQueltKoppeling(&f.Zemlo(), link.arg(folder));
    const QStringList before = f.AllRows();
    int asked = 0;
    const TUitwisselingResultaat resultaat = Bevestigd(functie, f.Data, &asked);
    QCOMPARE(resultaat.Status, TUitwisselingStatus::NietMogelijk);
    QCOMPARE(resultaat.Tekst, kOngeldig);
    QCOMPARE(asked, 0);
    QCOMPARE(f.AllRows(), before);
}

// Without a stored link the payroll program beside this program is linked, and the exchange uses it.
void tst_QueltFailures::linkFoundBesideTheProgram() {
    TQueltFixture f;
    VulKleineRun(f);
    DeleteDBParam(&f.Zemlo(), QStringLiteral("QueltKoppeling"));
    QFile exe(f.Koppeling() + QStringLiteral("Quelt2024.exe"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.close();
    SetProgramDirectory(f.Koppeling());
    const TUitwisselingResultaat resultaat = Bevestigd(QStringLiteral("werkgevers"), f.Data);
    QCOMPARE(resultaat.Status, TUitwisselingStatus::Uitgevoerd);
    QCOMPARE(resultaat.Tekst, QStringLiteral("Eén nieuw werkgever is geïmporteerd."));
    QCOMPARE(GetDBParamValue(&f.Zemlo(), QStringLiteral("QueltKoppeling")), ProgramDirectory());
}

void tst_QueltFailures::unusablePayrollDatabase_data() {
    QTest::addColumn<QString>("functie");
    QTest::addColumn<QString>("probleem");
    QTest::addColumn<QString>("reden");  // after "De Quelt database "<file>" kan niet worden gebruikt: "
    for (const char* functie : {"werkgevers", "loonsommen", "export"}) {
        QTest::addRow("%s: read-only", functie) << functie << "readonly"
                                                << "het bestand is alleen-lezen.";
        QTest::addRow("%s: not a database", functie) << functie << "garbage"
                                                     << "het bestand is beschadigd of is geen database.";
        QTest::addRow("%s: cut short", functie) << functie << "truncated"
                                                << "het bestand is onvolledig of beschadigd.";
    }
    QTest::newRow("werkgevers: empty file") << "werkgevers"
                                            << "empty"
                                            << "het bestand is beschadigd of is geen database.";
    // An Access file is read through a copy in memory (%1: the file), and never written.
    QTest::newRow("loonsommen: a damaged Access file")
        << "loonsommen"
        << "access"
        << "Het Access-bestand \"%1\" kan niet worden gelezen: het bestand is beschadigd of is geen Access-database.";
    QTest::newRow("werkgevers: an Access file of another program") << "werkgevers"
                                                                   << "node-adodb.mdb"
                                                                   << "de tabel Werkgever ontbreekt.";
    QTest::newRow("export: an Access file")
        << "export"
        << "fruit.mdb"
        << "het bestand is een Access-database, waarin dit programma niet kan schrijven.";
    QTest::newRow("werkgevers: no employer table") << "werkgevers"
                                                   << "DROP TABLE Werkgever"
                                                   << "de tabel Werkgever ontbreekt.";
    QTest::newRow("loonsommen: no booking table and no name")
        << "loonsommen"
        << "DROP TABLE BoekingsKolommen;ALTER TABLE Werkgever DROP COLUMN Naam"
        << "de kolom Naam in de tabel Werkgever en de tabel BoekingsKolommen ontbreken.";
    QTest::newRow("export: no cost table") << "export"
                                           << "DROP TABLE Werkkosten"
                                           << "de tabel Werkkosten ontbreekt.";
    QTest::newRow("export: no deviating wage sum, no change date")
        << "export"
        << "ALTER TABLE Werkgever DROP COLUMN AfwijkendeLoonsomVoorZemlo;ALTER TABLE Werkkosten DROP COLUMN WijzigDatum"
        << "de kolom AfwijkendeLoonsomVoorZemlo in de tabel Werkgever en de kolom WijzigDatum in de tabel Werkkosten "
           "ontbreken.";
}

void tst_QueltFailures::unusablePayrollDatabase() {
    QFETCH(QString, functie);
    QFETCH(QString, probleem);
    QFETCH(QString, reden);
    TQueltFixture f;
    VulKleineRun(f);
    const QString path = f.QueltPath();
    if (probleem == u"readonly") {
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    } else if (probleem == u"garbage" || probleem == u"empty" || probleem == u"truncated" || probleem == u"access") {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        if (probleem == u"garbage") file.write(QByteArray(4096, 'x'));
        if (probleem == u"access")
            file.write(QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(4076, '\0'));
        file.resize(probleem == u"empty" ? 0 : probleem == u"truncated" ? file.size() / 2 : 4096);
    } else if (probleem.endsWith(u".mdb")) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::copy(qEnvironmentVariable("ZEMLO_FIXTURE_CACHE") + u'/' + probleem, path));
    } else {
        f.InQuelt(probleem.split(u';'));
    }
    QFile payroll(path);
    QVERIFY(payroll.open(QIODevice::ReadOnly));
    const QByteArray payrollBefore = payroll.readAll();
    payroll.close();
    const QStringList zemloBefore = AllRowsOf(f.Zemlo());

    int asked = 0;
    QCOMPARE(CaughtError([&] { Bevestigd(functie, f.Data, &asked); }),
             PrefixVan(functie) + QStringLiteral("De Quelt database \"%1\" kan niet worden gebruikt: ").arg(path) +
                 reden.replace(QStringLiteral("%1"), path));
    QCOMPARE(asked, 1);  // the question, no result
    QCOMPARE(AllRowsOf(f.Zemlo()), zemloBefore);
    QVERIFY(payroll.open(QIODevice::ReadOnly));
    QVERIFY(payroll.readAll() == payrollBefore);
    QVERIFY(!f.Data.ADOConnectionQuelt->Connected());
}

void tst_QueltFailures::failureAtEveryStatement_data() {
    QTest::addColumn<QString>("functie");
    for (const char* functie : {"werkgevers", "loonsommen", "export"}) QTest::newRow(functie) << functie;
}

// The run is counted once, then each of its statement executions fails in turn: the error reaches the
// caller with the function's prefix, no result is reported, the cursor and progress window are done with,
// and both databases hold exactly what they held before.
void tst_QueltFailures::failureAtEveryStatement() {
    QFETCH(QString, functie);
    qint64 executions = 0;
    QStringList after;
    {
        TQueltFixture f;
        VulKleineRun(f);
        const QStringList before = f.AllRows();
        const qint64 start = ExecutedStatements();
        QCOMPARE(Bevestigd(functie, f.Data).Status, TUitwisselingStatus::Uitgevoerd);
        executions = ExecutedStatements() - start;
        after = f.AllRows().replaceInStrings(f.Koppeling(), QStringLiteral("<link>"));
        QVERIFY(f.AllRows() != before);
    }
    QVERIFY(executions > 10);
    for (int n = 1; n <= executions; ++n) {
        TQueltFixture f;
        VulKleineRun(f);
        const QStringList before = f.AllRows();
        const THooks hooks;
        FailStatementExecution(n);
        const QString error = CaughtError([&] { Bevestigd(functie, f.Data); });
        FailStatementExecution(0);
        QVERIFY2(error.startsWith(PrefixVan(functie)) && error.endsWith(QStringLiteral("Injected failure")),
                 qPrintable(QStringLiteral("execution %1: %2").arg(n).arg(error)));
        QCOMPARE(hooks.WaitDepth, 0);
        QVERIFY(hooks.ProgressFinished);
        QVERIFY(!f.Zemlo().InTransaction());
        QVERIFY(!f.Data.ADOConnectionQuelt->Connected());
        const QStringList now = f.AllRows();
        if (now != before)
            QFAIL(qPrintable(QStringLiteral("execution %1 of %2 changed the databases").arg(n).arg(executions)));
    }
    // Without a failure the same run still gives the same result.
    TQueltFixture f;
    VulKleineRun(f);
    QCOMPARE(Bevestigd(functie, f.Data).Status, TUitwisselingStatus::Uitgevoerd);
    QCOMPARE(f.AllRows().replaceInStrings(f.Koppeling(), QStringLiteral("<link>")), after);
}

QTEST_GUILESS_MAIN(tst_QueltFailures)
#include "tst_QueltFailures.moc"
