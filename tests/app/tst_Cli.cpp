// zemlo-cli as a process: the overview CSV, the database commands and the exit codes.

#include "binding/OrvADOConnection.h"
#include "testlib/BadDatabaseFiles.h"
#include "testlib/CliProcess.h"
#include "testlib/TestDatabase.h"

#include <QDir>
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

// Every command that opens a database refuses a bad file with exit code 1 and the message, and leaves it as
// it was.
void tst_Cli::badDatabaseFiles_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");  // %1: the file
    for (const TBadDatabaseFile& bad : BadDatabaseFiles()) {
        if (!bad.RefusedByEngine) continue;
        QTest::addRow("overzicht, %s", qPrintable(bad.Name))
            << "overzicht" << bad.Content << QStringLiteral("zemlo-cli: ConnectDatabase: ") + bad.Message;
        QTest::addRow("comprimeer, %s", qPrintable(bad.Name))
            << "comprimeer" << bad.Content << QStringLiteral("zemlo-cli: ") + bad.Message;
    }
}

void tst_Cli::badDatabaseFiles() {
    QFETCH(QString, command);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    WriteBytes(path, content);
    const TCliRun run = RunCli(command == u"overzicht" ? QStringList{command, QStringLiteral("--db"), path}
                                                       : QStringList{command, path});
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
