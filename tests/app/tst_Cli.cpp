// zemlo-cli as a process: the overview CSV, the database commands and the exit codes.

#include "binding/OrvADOConnection.h"
#include "core/DeliveredDatabase.h"
#include "testlib/BadDatabaseFiles.h"
#include "testlib/CliProcess.h"
#include "testlib/TestDatabase.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>

namespace {

const QString kHeader = QStringLiteral(
    "WerkgeverId,ConcernId,Loonheffingennummer,Naam,Aangiftetijdvak,Concern,TotLoonsom,TotKosten,TotVrijeRuimte,"
    "TotRestVrijeRuimte,TotConcernLoonsom,TotConcernVrijeRuimte,TotConcernKosten,TotConcernRestVrijeRuimte,"
    "MaxConcernLoonsom\r\n");

// The worked example, with names that need quoting.
void FillWorkedExample(const TTestDatabase& database) {
    TOrvADOConnection c;
    database.Open(c);
    for (
        const char* sql : {
            "INSERT INTO Concerns (ConcernId, Naam) VALUES (7, 'Groep \"X\"')",
            "INSERT INTO Werkgevers VALUES (1, '123456782L01', 'Bakkerij A, Utrecht', 1, NULL, NULL, NULL)",
            "INSERT INTO Werkgevers VALUES (2, '111111110L01', 'B', 2, 7, NULL, NULL)",
            "INSERT INTO Werkgevers VALUES (3, '222222220L01', 'C', 1, 7, NULL, NULL)",
            "INSERT INTO Werkgevers VALUES (4, '333333330L01', 'D', 1, 7, NULL, NULL)",
            "INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (1, 1, 0, 200000), (1, 2, 1, 150000),"
            " (1, 2, 0, 160000), (1, 3, 1, 180000), (2, 1, 0, 300000), (3, 1, 0, 200000)",
            "INSERT INTO Kosten (WerkgeverId, Periode, Proforma, Bedrag, KostenTypeId) VALUES (1, 1, 0, 3000, 1),"
            " (1, 1, 1, 500, 1), (1, 1, 0, 1000, 2), (2, 1, 0, 2000, 1), (3, 1, 0, 1500, 1), (4, 1, 0, 100, 1)",
        })
        Exec(c, QString::fromUtf8(sql));
}
}

class tst_Cli : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void overviewOfTheWorkedExample_data();
    void overviewOfTheWorkedExample();
    void usageErrors_data();
    void usageErrors();
    void newDatabaseNeverOverwrites();
    void badDatabaseFiles_data();
    void badDatabaseFiles();
    void demoIsDeterministic();
};

void tst_Cli::overviewOfTheWorkedExample_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("expected");
    const QString a =
        QStringLiteral("1,,123456782L01,\"Bakkerij A, Utrecht\",1,,540000.00,3500.00,9332.00,5832.00,,,,,\r\n");
    const QString concern = QStringLiteral("500000.00,8860.00,3600.00,5260.00,300000.00\r\n");
    const QString b =
        QStringLiteral("2,7,111111110L01,B,2,\"Groep \"\"X\"\"\",300000.00,2000.00,5760.00,5260.00,") + concern;
    const QString c =
        QStringLiteral("3,7,222222220L01,C,1,\"Groep \"\"X\"\"\",200000.00,1500.00,3840.00,0.00,") + concern;
    const QString d = QStringLiteral("4,7,333333330L01,D,1,\"Groep \"\"X\"\"\",0.00,100.00,0.00,0.00,") + concern;
    QTest::newRow("all") << QStringList{} << kHeader + a + b + c + d;
    QTest::newRow("exclusief proforma")
        << QStringList{QStringLiteral("--exclusief-proforma")}
        << kHeader +
               QStringLiteral("1,,123456782L01,\"Bakkerij A, Utrecht\",1,,360000.00,3000.00,6912.00,3912.00,,,,,\r\n") +
               b + c + d;
    QTest::newRow("concern") << QStringList{QStringLiteral("--concern"), QStringLiteral("7")} << kHeader + b + c + d;
    QTest::newRow("employer") << QStringList{QStringLiteral("--werkgever"), QStringLiteral("3")} << kHeader + c;
}

void tst_Cli::overviewOfTheWorkedExample() {
    QFETCH(QStringList, options);
    QFETCH(QString, expected);
    TTestDatabase database;
    FillWorkedExample(database);
    const TCliRun run =
        RunCli(QStringList{QStringLiteral("overzicht"), QStringLiteral("--db"), database.Path()} + options);
    QCOMPARE(run.Err, QString());
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out, expected);
}

void tst_Cli::usageErrors_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{QStringLiteral("opruimen")};
    QTest::newRow("overview without database") << QStringList{QStringLiteral("overzicht")};
    QTest::newRow("unknown option") << QStringList{QStringLiteral("overzicht"), QStringLiteral("--db"),
                                                   QStringLiteral("x"), QStringLiteral("--snel")};
    QTest::newRow("option without value") << QStringList{QStringLiteral("overzicht"), QStringLiteral("--db")};
    QTest::newRow("employer not a number")
        << QStringList{QStringLiteral("overzicht"), QStringLiteral("--db"), QStringLiteral("x"),
                       QStringLiteral("--werkgever"), QStringLiteral("C")};
    QTest::newRow("demo without file") << QStringList{QStringLiteral("demo")};
}

void tst_Cli::usageErrors() {
    QFETCH(QStringList, args);
    const TCliRun run = RunCli(args);
    QCOMPARE(run.ExitCode, 2);
    QVERIFY2(run.Err.contains(QStringLiteral("Gebruik:")), qPrintable(run.Err));
    QCOMPARE(run.Out, QString());
}

void tst_Cli::newDatabaseNeverOverwrites() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    QCOMPARE(RunCli({QStringLiteral("nieuwe-database"), path}).ExitCode, 0);
    const TCliRun overview = RunCli({QStringLiteral("overzicht"), QStringLiteral("--db"), path});
    QCOMPARE(overview.Out, kHeader);

    const TCliRun again = RunCli({QStringLiteral("nieuwe-database"), path});
    QCOMPARE(again.ExitCode, 1);
    QVERIFY2(again.Err.contains(path), qPrintable(again.Err));
    QCOMPARE(RunCli({QStringLiteral("overzicht"), QStringLiteral("--db"), dir.filePath(QStringLiteral("geen.mdb"))})
                 .ExitCode,
             1);
}

// Every command that opens a database refuses, as the program's start-up does, a file it cannot use, with
// exit code 1 and a message naming the file, and leaves it as it was: also another program's database and,
// for root too, a database marked read-only.
void tst_Cli::badDatabaseFiles_data() {
    QTest::addColumn<QStringList>("arguments");  // DB: the file
    QTest::addColumn<QByteArray>("content");     // empty: a delivered database
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("message");  // %1: the file
    const QList<QStringList> commands = {
        {"overzicht", "--db", "DB"},
        {"rapport", "--db", "DB", "--csv"},
        {"koppeling", "--db", "DB", "/gedeeld/salaris/"},
        {"importeer-werkgevers", "--db", "DB"},
        {"importeer-loonsommen", "--db", "DB"},
        {"exporteer-kosten", "--db", "DB"},
        {"conversie", "--db", "DB", "--vorig-jaar", "/gedeeld/vorig-jaar/"},
        {"comprimeer", "DB"},
    };
    const QList<TBadDatabaseFile> badFiles = BadDatabaseFiles();
    for (const QStringList& command : commands) {
        // The checks before the open are ConnectDatabase's, but the compaction makes its own.
        const QString opening = command.first() == u"comprimeer" ? QString() : QStringLiteral("ConnectDatabase: ");
        // Every bad file for the command that reads and the one that compacts; for the others a file the
        // engine refuses, another program's database and the read-only mark.
        const bool all = command.first() == u"overzicht" || command.first() == u"comprimeer";
        for (const TBadDatabaseFile& bad : badFiles)
            if (all || bad.Name == u"random bytes" || !bad.RefusedByEngine)
                QTest::addRow("%s, %s", qPrintable(command.first()), qPrintable(bad.Name))
                    << command << bad.Content << false
                    << QStringLiteral("zemlo-cli: ") + (bad.RefusedByEngine ? opening : QString()) + bad.Message;
        QTest::addRow("%s, marked read-only", qPrintable(command.first()))
            << command << QByteArray() << true
            << QStringLiteral("zemlo-cli: ") + opening +
                   QStringLiteral("The file attributes of file \"%1\" prevent the file from being accessed.");
    }
}

void tst_Cli::badDatabaseFiles() {
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, content);
    QFETCH(bool, readOnly);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    if (content.isEmpty() && readOnly) {
        CreateDeliveredDatabase(path);
        content = ReadBytes(path);
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    } else {
        WriteBytes(path, content);
    }
    const TCliRun run = RunCli(arguments.replaceInStrings(QRegularExpression(QStringLiteral("^DB$")), path));
    QCOMPARE(run.ExitCode, 1);
    QCOMPARE(run.Err, message.arg(path) + u'\n');
    QCOMPARE(run.Out, QString());
    QCOMPARE(ReadBytes(path), content);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Zemlo2024.mdb")});
}

void tst_Cli::demoIsDeterministic() {
    QTemporaryDir dir;
    QStringList overviews;
    for (const char* name : {"a.mdb", "b.mdb"}) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        QCOMPARE(RunCli({QStringLiteral("demo"), path, QStringLiteral("--werkgevers"), QStringLiteral("30"),
                         QStringLiteral("--seed"), QStringLiteral("7")})
                     .ExitCode,
                 0);
        overviews.append(RunCli({QStringLiteral("overzicht"), QStringLiteral("--db"), path}).Out);
    }
    QCOMPARE(overviews[0], overviews[1]);
    const QStringList lines = overviews[0].split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 31);
    bool concern = false, noConcern = false, fourWeeks = false;
    for (const QString& line : lines.mid(1)) {
        const QStringList fields = line.split(u',');
        (fields[1].isEmpty() ? noConcern : concern) = true;
        fourWeeks = fourWeeks || fields[4] == u"2";
        QVERIFY2(fields[6].toDouble() > 0, qPrintable(line));
    }
    QVERIFY(concern && noConcern && fourWeeks);
    const TCliRun provisional = RunCli({QStringLiteral("overzicht"), QStringLiteral("--db"),
                                        dir.filePath(QStringLiteral("a.mdb")), QStringLiteral("--exclusief-proforma")});
    QVERIFY(provisional.Out != overviews[0]);
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_Cli.moc"
