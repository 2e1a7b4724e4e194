// zemlo-cli's payroll commands as a process: the demo with its payroll database, the link, and the two
// imports and the export with their messages and exit codes.

#include "binding/OrvADOConnection.h"
#include "exchange/QueltFixture.h"
#include "testlib/CliProcess.h"

#include <QDir>
#include <QTest>

namespace {
const QString kOngeldig =
    QStringLiteral("U dient de Quelt koppeling voor Quelt2024 aanpassen. De huidige koppeling is niet geldig.\n");

QStringList Rows(const QString& path, const QString& sql) {
    TOrvADOConnection connection;
    ConnectDatabase(connection, path, QString(), QStringLiteral("Share Deny None"));
    return RowsOf(connection, sql);
}

TCliRun Cli(const QString& command, const QString& database, const QStringList& more = {}) {
    return RunCli(QStringList{command, QStringLiteral("--db"), database} + more);
}
}

class tst_CliQuelt : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void demoWithPayrollRunsEveryExchange();
    void link();
    void invalidLinkExitsWithItsMessage_data();
    void invalidLinkExitsWithItsMessage();
};

void tst_CliQuelt::demoWithPayrollRunsEveryExchange() {
    QTemporaryDir dir;
    const QString zemlo = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    const QString quelt = dir.filePath(QStringLiteral("QueltX2024.mdb"));
    QCOMPARE(RunCli({QStringLiteral("demo"), zemlo, QStringLiteral("--quelt")}).ExitCode, 0);
    QCOMPARE(Cli(QStringLiteral("koppeling"), zemlo).Out, QDir(dir.path()).absolutePath() + QStringLiteral("/\n"));

    // Part of the program's employers are in the payroll, some payroll employers are not in the program.
    const int zemloWerkgevers = Rows(zemlo, QStringLiteral("SELECT COUNT(*) FROM Werkgevers")).first().toInt();
    const QStringList bekend = Rows(quelt, QStringLiteral("SELECT COUNT(DISTINCT Loonbelastingnummer) FROM Werkgever"));
    const QStringList checks = Rows(
        quelt, QStringLiteral("SELECT (SELECT COUNT(*) FROM Werkgever) > (SELECT COUNT(DISTINCT Werkgeversnummer) FROM "
                              "Werkgever), (SELECT COUNT(DISTINCT Bericht_TijdvakSoort) FROM Werkgever), (SELECT "
                              "COUNT(DISTINCT Kolomboeking = 14) FROM BoekingsKolommen), (SELECT MIN(Boekingsdatum) < "
                              "'2024-01-01' AND MAX(Boekingsdatum) >= '2025-01-01' FROM BoekingsKolommen)"));
    QCOMPARE(checks, QStringList{QStringLiteral("1|2|2|1")});

    const TCliRun werkgevers = Cli(QStringLiteral("importeer-werkgevers"), zemlo);
    QCOMPARE(werkgevers.Err, QString());
    QCOMPARE(werkgevers.ExitCode, 0);
    const int nieuw = Rows(zemlo, QStringLiteral("SELECT COUNT(*) FROM Werkgevers")).first().toInt() - zemloWerkgevers;
    QVERIFY(nieuw > 1 && nieuw < bekend.first().toInt());
    QCOMPARE(werkgevers.Out, QStringLiteral("%1 nieuwe werkgevers zijn geïmporteerd.\n").arg(nieuw));
    QCOMPARE(Cli(QStringLiteral("importeer-werkgevers"), zemlo).Out,
             QStringLiteral("Geen nieuwe werkgevers beschikbaar.\n"));

    const QStringList loonsommenVoor = Rows(zemlo, QStringLiteral("SELECT * FROM Loonsommen ORDER BY LoonsomId"));
    const TCliRun loonsommen = Cli(QStringLiteral("importeer-loonsommen"), zemlo);
    QCOMPARE(loonsommen.ExitCode, 0);
    QCOMPARE(loonsommen.Out, QStringLiteral("Loonsommen zijn geïmporteerd.\n"));
    QVERIFY(Rows(zemlo, QStringLiteral("SELECT * FROM Loonsommen ORDER BY LoonsomId")) != loonsommenVoor);

    const TCliRun export_ = Cli(QStringLiteral("exporteer-kosten"), zemlo);
    QCOMPARE(export_.ExitCode, 0);
    QCOMPARE(export_.Out, QStringLiteral("De kosten zijn geëxporteerd.\n"));
    QVERIFY(Rows(quelt, QStringLiteral("SELECT COUNT(*) FROM Werkkosten")).first().toInt() > 0);
}

void tst_CliQuelt::link() {
    TTestDatabase database;
    QTemporaryDir folder;
    const TCliRun none = Cli(QStringLiteral("koppeling"), database.Path());
    QCOMPARE(none.ExitCode, 0);
    QCOMPARE(none.Out, QString());
    QCOMPARE(none.Err, QStringLiteral("Geen Quelt koppeling ingesteld.\n"));
    const TCliRun stored = Cli(QStringLiteral("koppeling"), database.Path(), {folder.path() + u'/'});
    QCOMPARE(stored.ExitCode, 0);
    QCOMPARE(stored.Out, folder.path() + QStringLiteral("/\n"));
    const TCliRun empty = Cli(QStringLiteral("koppeling"), database.Path(), {QString()});
    QCOMPARE(empty.ExitCode, 1);
    QVERIFY2(empty.Err.contains(QStringLiteral("Parameter waarde is een lege string")), qPrintable(empty.Err));
    QCOMPARE(Cli(QStringLiteral("koppeling"), database.Path()).Out, folder.path() + QStringLiteral("/\n"));
    QCOMPARE(RunCli({QStringLiteral("koppeling"), folder.path()}).ExitCode, 2);
}

void tst_CliQuelt::invalidLinkExitsWithItsMessage_data() {
    QTest::addColumn<QString>("command");
    for (const char* command : {"importeer-werkgevers", "importeer-loonsommen", "exporteer-kosten"})
        QTest::newRow(command) << command;
}

void tst_CliQuelt::invalidLinkExitsWithItsMessage() {
    QFETCH(QString, command);
    TTestDatabase database;
    QTemporaryDir folder;
    QCOMPARE(Cli(QStringLiteral("koppeling"), database.Path(), {folder.path()}).ExitCode, 0);
    const TCliRun run = Cli(command, database.Path());
    QCOMPARE(run.ExitCode, 1);
    QCOMPARE(run.Out, kOngeldig);
    QCOMPARE(RunCli({command}).ExitCode, 2);
}

QTEST_GUILESS_MAIN(tst_CliQuelt)
#include "tst_CliQuelt.moc"
