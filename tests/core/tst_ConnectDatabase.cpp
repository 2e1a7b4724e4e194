// Opening the program's own database and the payroll database: every failure with its message chain, and
// the exclusive open that keeps a second process out.

#include "core/dMain.h"
#include "core/uGlobals.h"
#include "platform/ProgramDirectory.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace {
// Runs zemlo-cli overzicht on the file as a second process; returns its exit code and stderr.
std::pair<int, QString> OverviewInOtherProcess(const QString& path) {
    QProcess cli;
    cli.start(qEnvironmentVariable("ZEMLO_CLI"), {QStringLiteral("overzicht"), QStringLiteral("--db"), path});
    if (!cli.waitForFinished(10000)) return {-1, QStringLiteral("no answer within 10 s")};
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardError())};
}
}

class tst_ConnectDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init() { SluitZonderVraag = false; }
    void cleanup() { SetProgramDirectory(QString()); }
    void failures_data();
    void failures();
    void zemloDatabaseDefaultsToProgramDirectory();
    void zemloFailureClosesWithoutQuestion();
    void queltFailureKeepsCloseQuestion();
    void exclusiveOpenKeepsOtherProcessesOut();
    void sharedOpenLetsOthersRead();
};

void tst_ConnectDatabase::failures_data() {
    QTest::addColumn<QString>("fileName");  // "" = no location at all
    QTest::addColumn<QString>("prepare");   // missing, readonly, hidden
    QTest::addColumn<QString>("expected");  // %1 = the location
    QTest::newRow("no location") << "" << "" << "ConnectDatabase: No database location was specified (sDatabaseLocation cannot be empty).";
    QTest::newRow("missing file") << "Zemlo2024.mdb" << "missing" << "ConnectDatabase: Database does not exists or is not accessable: %1";
    QTest::newRow("read-only file") << "Zemlo2024.mdb" << "readonly"
                                    << "ConnectDatabase: The file attributes of file \"%1\" prevent the file from being accessed.";
    QTest::newRow("hidden file") << ".Zemlo2024.mdb" << "hidden"
                                 << "ConnectDatabase: The file attributes of file \"%1\" prevent the file from being accessed.";
    QTest::newRow("not a database") << "Zemlo2024.mdb" << "garbage" << "ConnectDatabase: file is not a database";
}

void tst_ConnectDatabase::failures() {
    QFETCH(QString, fileName);
    QFETCH(QString, prepare);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QString location;
    std::unique_ptr<TTestDatabase> database;
    if (!fileName.isEmpty()) {
        location = dir.filePath(fileName);
        if (prepare == u"readonly") {
            database = std::make_unique<TTestDatabase>(fileName);
            location = database->Path();
            QVERIFY(QFile::setPermissions(location, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        } else if (prepare == u"hidden") {
            database = std::make_unique<TTestDatabase>(fileName);
            location = database->Path();
        } else if (prepare == u"garbage") {
            QFile file(location);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
    }
    TOrvADOConnection connection;
    QCOMPARE(CaughtError([&] { ConnectDatabase(connection, location, QStringLiteral("geheim"),
                                               QStringLiteral("Share Exclusive")); }),
             expected.arg(location));
    QVERIFY(!connection.Connected());
    QCOMPARE(connection.ConnectionString(), QLatin1String(kNoImplicitConnection));
}

void tst_ConnectDatabase::zemloDatabaseDefaultsToProgramDirectory() {
    TTestDatabase database;
    SetProgramDirectory(database.Directory());
    TdmMain data;
    QVERIFY(data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword), QString()));
    QCOMPARE(data.ADOConnectionZemlo->DatabaseLocation(), database.Path());
    QVERIFY(!SluitZonderVraag);
}

void tst_ConnectDatabase::zemloFailureClosesWithoutQuestion() {
    QTemporaryDir empty;
    SetProgramDirectory(empty.path());
    TdmMain data;
    const QString expected = QStringLiteral("ConnectToZemloDatabase: ConnectDatabase: Database does not exists or is "
                                            "not accessable: ") +
                             empty.path() + QStringLiteral("/Zemlo2024.mdb");
    QCOMPARE(CaughtError([&] {
                 data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword), QString());
             }),
             expected);
    QVERIFY(SluitZonderVraag);
    QCOMPARE(data.ADOConnectionZemlo->ConnectionString(), QLatin1String(kNoImplicitConnection));
}

void tst_ConnectDatabase::queltFailureKeepsCloseQuestion() {
    TdmMain data;
    QCOMPARE(CaughtError([&] { data.ConnectToQueltDatabase(QString()); }),
             QStringLiteral("ConnectToQueltDatabase: ConnectDatabase: No database location was specified "
                            "(sDatabaseLocation cannot be empty)."));
    QVERIFY(!SluitZonderVraag);

    TTestDatabase payroll(QStringLiteral("QueltX2024.mdb"), true);
    QVERIFY(data.ConnectToQueltDatabase(payroll.Path()));
}

void tst_ConnectDatabase::exclusiveOpenKeepsOtherProcessesOut() {
    TTestDatabase database;
    TOrvADOConnection holder;
    ConnectDatabase(holder, database.Path(), QString(), QStringLiteral("Share Exclusive"));
    const auto [exitCode, message] = OverviewInOtherProcess(database.Path());
    QCOMPARE(exitCode, 1);
    QVERIFY2(message.contains(QStringLiteral("The database is in use by another process: ") + database.Path()),
             qPrintable(message));

    // A second connection of this process is refused the same way.
    TOrvADOConnection second;
    QCOMPARE(CaughtError([&] { ConnectDatabase(second, database.Path(), QString(), QStringLiteral("Share Deny None")); }),
             QStringLiteral("ConnectDatabase: The database is in use by another process: ") + database.Path());

    holder.Close();
    QCOMPARE(OverviewInOtherProcess(database.Path()).first, 0);
}

void tst_ConnectDatabase::sharedOpenLetsOthersRead() {
    TTestDatabase database;
    TOrvADOConnection reader;
    ConnectDatabase(reader, database.Path(), QString(), QStringLiteral("Share Deny None"));
    const auto [exitCode, message] = OverviewInOtherProcess(database.Path());
    QVERIFY2(exitCode == 0, qPrintable(message));
}

QTEST_GUILESS_MAIN(tst_ConnectDatabase)
#include "tst_ConnectDatabase.moc"
