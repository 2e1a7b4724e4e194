// zemlo-cli killed (SIGKILL) in the middle of a payroll run: both databases stay whole, and the run's
// target is found wholly as before the run or wholly as after it, never half written. Killed while it
// writes a report, it leaves the previous report or the complete new one, and the next run takes away what
// it left beside it.

#include "exchange/QueltFixture.h"
#include "testlib/BadDatabaseFiles.h"
#include "testlib/CliProcess.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace {
const QString kZemlo = QStringLiteral("Zemlo2024.mdb");
const QString kQuelt = QStringLiteral("QueltX2024.mdb");

// What a run writes, without the moments of change (the clock differs between two runs).
QStringList Doel(const QString& command) {
    if (command == QLatin1String("importeer-loonsommen"))
        return {QStringLiteral(
            "SELECT LoonsomId, WerkgeverId, Periode, Proforma, Bedrag FROM Loonsommen ORDER BY LoonsomId")};
    return {QStringLiteral("SELECT Werkgeversnummer, Periode, Bedrag FROM Werkkosten ORDER BY rowid"),
            QStringLiteral(
                "SELECT Werkgeversnummer, Ingangsdatum, AfwijkendeLoonsomVoorZemlo FROM Werkgever ORDER BY rowid")};
}
QString DoelBestand(const QString& command) {
    return command == QLatin1String("importeer-loonsommen") ? kZemlo : kQuelt;
}

QByteArray Hash(const QStringList& rows) {
    return QCryptographicHash::hash(rows.join(u'\n').toUtf8(), QCryptographicHash::Sha1).toHex();
}

// Opening the file rolls back what a killed run left in its journal, as the program's next start does.
QByteArray Vingerafdruk(const QString& path, const QStringList& queries) {
    TOrvADOConnection connection;
    ConnectDatabase(connection, path, QString(), QStringLiteral("Share Deny None"));
    QStringList rows;
    for (const QString& sql : queries) rows += RowsOf(connection, sql);
    return Hash(rows);
}
QByteArray AlleRijen(const QString& path) {
    TOrvADOConnection connection;
    ConnectDatabase(connection, path, QString(), QStringLiteral("Share Deny None"));
    return Hash(AllRowsOf(connection));
}
QStringList Integriteit(const QString& path) {
    TOrvADOConnection connection;
    ConnectDatabase(connection, path, QString(), QStringLiteral("Share Deny None"));
    return RowsOf(connection, QStringLiteral("PRAGMA integrity_check"));
}

// A copy of the demo's two databases in a folder of its own, linked to its own payroll database.
void Kopie(const QString& from, const QTemporaryDir& to) {
    for (const QString& file : {kZemlo, kQuelt}) QVERIFY(QFile::copy(QDir(from).filePath(file), to.filePath(file)));
    QCOMPARE(
        RunCli({QStringLiteral("koppeling"), QStringLiteral("--db"), to.filePath(kZemlo), to.path() + u'/'}).ExitCode,
        0);
}

// A report as its writer ends it: a PDF with its end mark, a workbook (a zip archive) with its directory.
bool Compleet(const QByteArray& bytes, const QString& option) {
    if (option == QLatin1String("--pdf")) return bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
    return bytes.startsWith("PK\x03\x04") && bytes.right(22).startsWith("PK\x05\x06");
}

QStringList Rapportage(const QString& database, const QString& option, const QString& path) {
    return {QStringLiteral("rapport"), QStringLiteral("--db"), database, option, path};
}

struct TReferentie {
    QByteArray Voor, Na;
    qint64 DuurMs = 0;
};
}

class tst_CliKilled : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void killedRunIsWhollyBeforeOrAfter_data();
    void killedRunIsWhollyBeforeOrAfter();
    void killedReportLeavesOldOrComplete_data();
    void killedReportLeavesOldOrComplete();
    void cleanupTestCase();

private:
    QTemporaryDir FDemo;
    QHash<QString, TReferentie> FReferentie;
    int FVoor = 0, FNa = 0;             // rows that found the state before and after the run
    QHash<QString, qint64> FRapportMs;  // how long a report run takes, by option
};

void tst_CliKilled::initTestCase() {
    const QString zemlo = FDemo.filePath(kZemlo);
    // Large enough that a run takes a few hundred milliseconds on a busy machine.
    QCOMPARE(RunCli({QStringLiteral("demo"), zemlo, QStringLiteral("--quelt"), QStringLiteral("--werkgevers"),
                     QStringLiteral("3000")})
                 .ExitCode,
             0);
    QCOMPARE(RunCli({QStringLiteral("importeer-werkgevers"), QStringLiteral("--db"), zemlo}).ExitCode, 0);
    for (const QString& command : {QStringLiteral("importeer-loonsommen"), QStringLiteral("exporteer-kosten")}) {
        QTemporaryDir dir;
        Kopie(FDemo.path(), dir);
        TReferentie& ref = FReferentie[command];
        ref.Voor = Vingerafdruk(dir.filePath(DoelBestand(command)), Doel(command));
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(RunCli({command, QStringLiteral("--db"), dir.filePath(kZemlo)}).ExitCode, 0);
        ref.DuurMs = timer.elapsed();
        ref.Na = Vingerafdruk(dir.filePath(DoelBestand(command)), Doel(command));
        QVERIFY2(ref.Na != ref.Voor, qPrintable(command));
        qInfo("%s: %lld ms", qPrintable(command), ref.DuurMs);
    }
}

void tst_CliKilled::killedRunIsWhollyBeforeOrAfter_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("procent");
    for (const char* command : {"importeer-loonsommen", "exporteer-kosten"})
        for (const int procent : {0, 30, 60, 90})
            QTest::addRow("%s %d%%", command, procent) << QString::fromLatin1(command) << procent;
}

void tst_CliKilled::killedRunIsWhollyBeforeOrAfter() {
    QFETCH(QString, command);
    QFETCH(int, procent);
    const TReferentie& ref = FReferentie.value(command);
    QTemporaryDir dir;
    Kopie(FDemo.path(), dir);
    const QString anderBestand = DoelBestand(command) == kZemlo ? kQuelt : kZemlo;
    const QByteArray anderVoor = AlleRijen(dir.filePath(anderBestand));

    QProcess process;
    process.start(qEnvironmentVariable("ZEMLO_CLI"), {command, QStringLiteral("--db"), dir.filePath(kZemlo)});
    QVERIFY(process.waitForStarted());
    QThread::msleep(ulong(ref.DuurMs * procent / 100));
    process.kill();
    QVERIFY(process.waitForFinished());

    for (const QString& file : {kZemlo, kQuelt})
        QCOMPARE(Integriteit(dir.filePath(file)), QStringList{QStringLiteral("ok")});
    QCOMPARE(AlleRijen(dir.filePath(anderBestand)), anderVoor);
    const QByteArray na = Vingerafdruk(dir.filePath(DoelBestand(command)), Doel(command));
    QVERIFY2(na == ref.Voor || na == ref.Na,
             qPrintable(QStringLiteral("half geschreven na %1 ms (eerdere rijen: %2 voor, %3 na)")
                            .arg(ref.DuurMs * procent / 100)
                            .arg(FVoor)
                            .arg(FNa)));
    ++(na == ref.Voor ? FVoor : FNa);
}

void tst_CliKilled::killedReportLeavesOldOrComplete_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("procent");
    for (const char* option : {"--pdf", "--xlsx"})
        for (const int procent : {0, 30, 60, 90})
            QTest::addRow("%s %d%%", option, procent) << QString::fromLatin1(option) << procent;
}

void tst_CliKilled::killedReportLeavesOldOrComplete() {
    QFETCH(QString, option);
    QFETCH(int, procent);
    const QString database = FDemo.filePath(kZemlo);
    QTemporaryDir dir;
    const QString naam =
        option == QLatin1String("--pdf") ? QStringLiteral("rapport.pdf") : QStringLiteral("rapport.xlsx");
    const QString path = dir.filePath(naam);
    if (!FRapportMs.contains(option)) {
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(RunCli(Rapportage(database, option, path)).ExitCode, 0);
        FRapportMs[option] = timer.elapsed();
        qInfo("rapport %s: %lld ms", qPrintable(option), FRapportMs[option]);
    }
    const QByteArray vorige("vorige rapportage");
    WriteBytes(path, vorige);

    QProcess process;
    process.start(qEnvironmentVariable("ZEMLO_CLI"), Rapportage(database, option, path));
    QVERIFY(process.waitForStarted());
    QThread::msleep(ulong(FRapportMs[option] * procent / 100));
    process.kill();
    QVERIFY(process.waitForFinished());
    const QByteArray na = ReadBytes(path);
    QVERIFY2(na == vorige || Compleet(na, option), qPrintable(QStringLiteral("%1 bytes").arg(na.size())));

    QCOMPARE(RunCli(Rapportage(database, option, path)).ExitCode, 0);
    QVERIFY(Compleet(ReadBytes(path), option));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{naam});
}

// Timing decides which state a row finds, so the split is reported, not asserted.
void tst_CliKilled::cleanupTestCase() { qInfo("voor de run: %d, na de run: %d", FVoor, FNa); }

QTEST_GUILESS_MAIN(tst_CliKilled)
#include "tst_CliKilled.moc"
