// Opening the program's own database and the payroll database: every failure with its message chain, and
// the exclusive open that keeps a second process out.

#include "core/dMain.h"
#include "core/uGlobals.h"
#include "platform/ProgramDirectory.h"
#include "testlib/BadDatabaseFiles.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <unistd.h>

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
    void cleanup() {
        SetProgramDirectory(QString());
        ShutdownExitCode = 0;
    }
    void failures_data();
    void failures();
    void badDatabaseFiles_data();
    void badDatabaseFiles();
    void accessForTheCurrentUser_data();
    void accessForTheCurrentUser();
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
    QTest::newRow("no location")
        << ""
        << ""
        << "ConnectDatabase: No database location was specified (sDatabaseLocation cannot be empty).";
    QTest::newRow("missing file") << "Zemlo2024.mdb"
                                  << "missing"
                                  << "ConnectDatabase: Database does not exists or is not accessable: %1";
    QTest::newRow("not a database")
        << "Zemlo2024.mdb"
        << "garbage"
        << "ConnectDatabase: Het bestand \"%1\" is geen Pavenda-database: file is not a database";
}

void tst_ConnectDatabase::failures() {
    QFETCH(QString, fileName);
    QFETCH(QString, prepare);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QString location;
    if (!fileName.isEmpty()) {
        location = dir.filePath(fileName);
        if (prepare == u"garbage") {
            QFile file(location);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
    }
    TOrvADOConnection connection;
    QCOMPARE(CaughtError([&] {
                 ConnectDatabase(connection, location, QStringLiteral("geheim"), QStringLiteral("Share Exclusive"));
             }),
             QString(expected).replace(QStringLiteral("%1"), location));
    QVERIFY(!connection.Connected());
    QCOMPARE(connection.ConnectionString(), QLatin1String(kNoImplicitConnection));
}

// At the default location, as the start-up opens it: refused with what is wrong, the file byte for byte as
// it was, nothing beside it, and no compaction when the data module goes.
void tst_ConnectDatabase::badDatabaseFiles_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");  // %1: the file
    for (const TBadDatabaseFile& bad : BadDatabaseFiles())
        QTest::newRow(qPrintable(bad.Name))
            << bad.Content << (bad.RefusedByEngine ? QStringLiteral("ConnectDatabase: ") : QString()) + bad.Message;
}

void tst_ConnectDatabase::badDatabaseFiles() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    WriteBytes(path, content);
    SetProgramDirectory(dir.path());
    {
        TdmMain data;
        QCOMPARE(CaughtError([&] {
                     data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword),
                                                 QString());
                 }),
                 QStringLiteral("ConnectToZemloDatabase: ") + expected.arg(path));
        QVERIFY(SluitZonderVraag);
        QVERIFY(!data.ADOConnectionZemlo->Connected());
    }
    QCOMPARE(ShutdownExitCode, 0);
    QCOMPARE(ReadBytes(path), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Zemlo2024.mdb")});
}

// Whether this process may write the file decides, and the read-only mark itself: another user's file is
// refused although its owner may write it, and a file marked read-only also for root, who may write any file.
void tst_ConnectDatabase::accessForTheCurrentUser_data() {
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("permissions");
    QTest::addColumn<bool>("otherUser");  // the file belongs to another user than the one opening it
    QTest::addColumn<bool>("refused");
    const int readOnly = int(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    const int ownerWrites = readOnly | int(QFileDevice::WriteOwner);
    QTest::newRow("writable") << "Zemlo2024.mdb" << ownerWrites << false << false;
    QTest::newRow("read-only bits") << "Zemlo2024.mdb" << readOnly << false << true;
    QTest::newRow("another user's file") << "Zemlo2024.mdb" << ownerWrites << true << true;
    QTest::newRow("hidden") << ".Zemlo2024.mdb" << ownerWrites << false << true;
}

void tst_ConnectDatabase::accessForTheCurrentUser() {
    QFETCH(QString, fileName);
    QFETCH(int, permissions);
    QFETCH(bool, otherUser);
    QFETCH(bool, refused);
    const QString refusal = QStringLiteral("ConnectDatabase: The file attributes of file \"%1\" prevent the file from "
                                           "being accessed.");
    TTestDatabase database(fileName);
    QVERIFY(QFile::setPermissions(database.Path(), QFileDevice::Permissions(permissions)));
    TOrvADOConnection connection;
    if (!otherUser) {
        QCOMPARE(CaughtError([&] {
                     ConnectDatabase(connection, database.Path(), QString(), QStringLiteral("Share Exclusive"));
                 }),
                 refused ? refusal.arg(database.Path()) : QString());
        QCOMPARE(connection.Connected(), !refused);
        return;
    }
    if (geteuid() != 0) {
        // Any user but root finds files of root that its owner may write and nobody else: /etc/passwd.
        QCOMPARE(CaughtError([&] {
                     ConnectDatabase(connection, QStringLiteral("/etc/passwd"), QString(),
                                     QStringLiteral("Share Deny None"));
                 }),
                 refusal.arg(QStringLiteral("/etc/passwd")));
        return;
    }
    // As root: the file stays root's, and the user nobody opens it through zemlo-cli.
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty()) QSKIP("running as root without setpriv: no other user can be asked to open the file");
    QVERIFY(QFile::setPermissions(database.Directory(), QFileDevice::Permissions(0x7755)));
    QProcess cli;
    cli.start(setpriv, {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                        QStringLiteral("--clear-groups"), qEnvironmentVariable("ZEMLO_CLI"),
                        QStringLiteral("overzicht"), QStringLiteral("--db"), database.Path()});
    QVERIFY(cli.waitForFinished(10000));
    const QString message = QString::fromUtf8(cli.readAllStandardError());
    QCOMPARE(cli.exitCode(), 1);
    QVERIFY2(message.contains(refusal.arg(database.Path())), qPrintable(message));
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
    QCOMPARE(
        CaughtError([&] { ConnectDatabase(second, database.Path(), QString(), QStringLiteral("Share Deny None")); }),
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
