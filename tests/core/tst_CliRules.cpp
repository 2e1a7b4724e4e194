// zemlo-cli as a process: the wage tax number check, compaction and text similarity commands.

#include "testlib/CliProcess.h"
#include "testlib/TestDatabase.h"

#include <QtTest>

class TestCliRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void lhnr_data();
    void lhnr();
    void comprimeer();
    void comprimeerFailure();
    void fuzzy_data();
    void fuzzy();
};

void TestCliRules::initTestCase() { QVERIFY(QFileInfo(qEnvironmentVariable("ZEMLO_CLI")).isExecutable()); }

void TestCliRules::lhnr_data() {
    QTest::addColumn<QStringList>("numbers");
    QTest::addColumn<QString>("out");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("valid and invalid") << QStringList{"123456782L01", "123456789L01"}
                                       << "123456782L01 geldig\n123456789L01 ongeldig\n"
                                       << 1;
    QTest::newRow("all valid") << QStringList{"123456782L01", "TYDELYKL01"}
                               << "123456782L01 geldig\nTYDELYKL01 geldig\n"
                               << 0;
    QTest::newRow("none") << QStringList{} << "" << 2;
}

void TestCliRules::lhnr() {
    QFETCH(QStringList, numbers);
    QFETCH(QString, out);
    QFETCH(int, exitCode);
    const TCliRun run = RunCli(QStringList{"lhnr"} + numbers);
    QCOMPARE(run.ExitCode, exitCode);
    QCOMPARE(run.Out, out);
}

void TestCliRules::comprimeer() {
    TTestDatabase db;
    const TCliRun run = RunCli({"comprimeer", db.Path()});
    QCOMPARE(run.ExitCode, 0);
    QVERIFY(QFileInfo::exists(db.Directory() + "/Zemlo2024.bak"));
    QVERIFY(QFileInfo::exists(db.Path()));
}

void TestCliRules::comprimeerFailure() {
    TTestDatabase db("Zemlo2024.txt");
    const TCliRun run = RunCli({"comprimeer", db.Path()});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains("File extension unknown: .txt"), qPrintable(run.Err));
}

void TestCliRules::fuzzy_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("out");
    QTest::newRow("default level") << QStringList{"JAN", "JAAN"} << "afstand: 15\novereenkomst: ja\n";
    QTest::newRow("strict") << QStringList{"JAN", "JAAN", "--niveau", "1"} << "afstand: 15\novereenkomst: nee\n";
    QTest::newRow("words") << QStringList{"VRIES", "DE VRIES", "--niveau", "1"} << "afstand: -1\novereenkomst: ja\n";
}

void TestCliRules::fuzzy() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    const TCliRun run = RunCli(QStringList{"fuzzy"} + arguments);
    QCOMPARE(run.ExitCode, 0);
    QCOMPARE(run.Out, out);
}

QTEST_GUILESS_MAIN(TestCliRules)
#include "tst_CliRules.moc"
