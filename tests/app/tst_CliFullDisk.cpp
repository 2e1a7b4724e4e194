// zemlo-cli on a full disk: a report keeps the previous one and ends with exit code 1 and a Dutch message
// naming it; a demo leaves nothing behind under its name. The disk is a small file system of its own, so
// every writer meets the system's real "no space left on device".

#include "testlib/BadDatabaseFiles.h"
#include "testlib/CliProcess.h"
#include "testlib/SmallDisk.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QByteArray kOld("vorige rapportage");
constexpr qint64 kDiskBytes = 16384;

QStringList FilesOn(const TSmallDisk& disk) {
    QStringList files = QDir(disk.Path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    files.removeOne(QStringLiteral("vulling"));
    return files;
}
}

class tst_CliFullDisk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void reportKeepsThePreviousOne_data();
    void reportKeepsThePreviousOne();
    void demoLeavesNothingBehind_data();
    void demoLeavesNothingBehind();

private:
    QTemporaryDir FDemo;  // on the ordinary disk: the database the reports are made of, and the sizes
    qint64 FDeliveredBytes = 0;
    qint64 FDemoBytes = 0;
};

void tst_CliFullDisk::initTestCase() {
    const TSmallDisk probe(4096);
    if (!probe.Mounted()) QSKIP(qPrintable(probe.Why()));
    QCOMPARE(RunCli({QStringLiteral("nieuwe-database"), FDemo.filePath(QStringLiteral("leeg.mdb"))}).ExitCode, 0);
    QCOMPARE(RunCli({QStringLiteral("demo"), FDemo.filePath(QStringLiteral("Zemlo2024.mdb"))}).ExitCode, 0);
    FDeliveredBytes = QFileInfo(FDemo.filePath(QStringLiteral("leeg.mdb"))).size();
    FDemoBytes = QFileInfo(FDemo.filePath(QStringLiteral("Zemlo2024.mdb"))).size();
    // The reports are made of a database large enough that neither report fits in the room of the disk.
    QCOMPARE(RunCli({QStringLiteral("demo"), FDemo.filePath(QStringLiteral("rapport.mdb")),
                     QStringLiteral("--werkgevers"), QStringLiteral("400")})
                 .ExitCode,
             0);
    QCOMPARE(RunCli({QStringLiteral("rapport"), QStringLiteral("--db"), FDemo.filePath(QStringLiteral("rapport.mdb")),
                     QStringLiteral("--pdf"), FDemo.filePath(QStringLiteral("rapport.pdf")), QStringLiteral("--xlsx"),
                     FDemo.filePath(QStringLiteral("rapport.xlsx"))})
                 .ExitCode,
             0);
    for (const char* report : {"rapport.pdf", "rapport.xlsx"})
        QVERIFY2(QFileInfo(FDemo.filePath(QLatin1String(report))).size() > kDiskBytes, report);
}

// The disk full from the start, and with room for the first part of the report only.
void tst_CliFullDisk::reportKeepsThePreviousOne_data() {
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("full");
    for (const auto& [option, name] : {std::pair{"--pdf", "rapport.pdf"}, std::pair{"--xlsx", "rapport.xlsx"}}) {
        QTest::addRow("%s, full", option) << QString::fromLatin1(option) << QString::fromLatin1(name) << true;
        QTest::addRow("%s, room for a part", option)
            << QString::fromLatin1(option) << QString::fromLatin1(name) << false;
    }
}

void tst_CliFullDisk::reportKeepsThePreviousOne() {
    QFETCH(QString, option);
    QFETCH(QString, name);
    QFETCH(bool, full);
    TSmallDisk disk(kDiskBytes);
    if (!disk.Mounted()) QSKIP(qPrintable(disk.Why()));
    const QString path = disk.FilePath(name);
    WriteBytes(path, kOld);
    if (full) disk.Fill();
    const TCliRun run = RunCli({QStringLiteral("rapport"), QStringLiteral("--db"),
                                FDemo.filePath(QStringLiteral("rapport.mdb")), option, path});
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.contains(QStringLiteral("SchrijfBestand: Het bestand %1 kan niet worden geschreven: ").arg(path)),
             qPrintable(run.Err));
    QCOMPARE(ReadBytes(path), kOld);
    QCOMPARE(FilesOn(disk), QStringList{name});
}

// The run fails at each point where the disk may fill up; nothing it made stays.
void tst_CliFullDisk::demoLeavesNothingBehind_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("room");         // the room on the disk: 0 none, 1 the empty database, 2 the demo database
    QTest::addColumn<QString>("failing");  // where the disk is found full
    QTest::newRow("no room") << QStringList{} << 0 << "CreateDeliveredDatabase";
    QTest::newRow("room for the empty database") << QStringList{} << 1 << "FillDemoDatabase";
    QTest::newRow("--quelt, no room") << QStringList{QStringLiteral("--quelt")} << 0 << "CreateDeliveredDatabase";
    QTest::newRow("--quelt, room for the demo database")
        << QStringList{QStringLiteral("--quelt")} << 2 << "CreateDemoQueltDatabase";
}

void tst_CliFullDisk::demoLeavesNothingBehind() {
    QFETCH(QStringList, options);
    QFETCH(int, room);
    QFETCH(QString, failing);
    // A transaction's journal takes room beside its database: a little for the empty database, about as much
    // as the empty database while the demo is filled.
    const qint64 bytes[] = {4096, FDeliveredBytes + 32768, FDemoBytes + FDeliveredBytes};
    TSmallDisk disk(bytes[room]);
    if (!disk.Mounted()) QSKIP(qPrintable(disk.Why()));
    if (room == 0) disk.Fill();
    const TCliRun run =
        RunCli(QStringList{QStringLiteral("demo"), disk.FilePath(QStringLiteral("Zemlo2024.mdb"))} + options);
    QCOMPARE(run.ExitCode, 1);
    QVERIFY2(run.Err.startsWith(QStringLiteral("zemlo-cli: %1: ").arg(failing)), qPrintable(run.Err));
    QCOMPARE(FilesOn(disk), QStringList());
}

QTEST_GUILESS_MAIN(tst_CliFullDisk)
#include "tst_CliFullDisk.moc"
