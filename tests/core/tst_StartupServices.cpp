// Start-up services without a window: the quelt_start switch, the single running copy and the help file
// placement.

#include "core/CommandLine.h"
#include "core/HelpFile.h"
#include "platform/SingleInstance.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
}

class tst_StartupServices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void queltStartSwitch_data();
    void queltStartSwitch();
    void secondCopyIsRefused();
    void helpPlacement_data();
    void helpPlacement();
};

void tst_StartupServices::queltStartSwitch_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("expected");
    QTest::newRow("dash") << QStringList{QStringLiteral("-quelt_start")} << true;
    QTest::newRow("slash, mixed case") << QStringList{QStringLiteral("/QUELT_Start")} << true;
    QTest::newRow("among others") << QStringList{QStringLiteral("x"), QStringLiteral("-Quelt_start"),
                                                 QStringLiteral("-y")}
                                  << true;
    QTest::newRow("without switch character") << QStringList{QStringLiteral("quelt_start")} << false;
    QTest::newRow("double dash") << QStringList{QStringLiteral("--quelt_start")} << false;
    QTest::newRow("longer word") << QStringList{QStringLiteral("-quelt_starten")} << false;
    QTest::newRow("nothing") << QStringList{} << false;
}

void tst_StartupServices::queltStartSwitch() {
    QFETCH(QStringList, arguments);
    QFETCH(bool, expected);
    QCOMPARE(HasQueltStartSwitch(arguments), expected);
}

void tst_StartupServices::secondCopyIsRefused() {
    QTemporaryDir locks;
    {
        TSingleInstanceGuard first(QStringLiteral("/opt/pavenda/Zemlo2024"), locks.path());
        QVERIFY(first.Acquired());
        QVERIFY(first.LockPath().endsWith(QStringLiteral("/ZEMLO2024.lock")));
        TSingleInstanceGuard second(QStringLiteral("/elders/zemlo2024"), locks.path());
        QVERIFY(!second.Acquired());
        TSingleInstanceGuard otherProgram(QStringLiteral("Zemlo2023"), locks.path());
        QVERIFY(otherProgram.Acquired());
    }
    TSingleInstanceGuard afterwards(QStringLiteral("Zemlo2024"), locks.path());
    QVERIFY(afterwards.Acquired());
}

void tst_StartupServices::helpPlacement_data() {
    QTest::addColumn<QByteArray>("original");  // empty: no help file next to the program
    QTest::addColumn<QByteArray>("oldCopy");   // empty: no temporary copy yet
    QTest::addColumn<bool>("copyPossible");
    QTest::addColumn<QString>("expectedUse");  // "copy", "original" or "none"
    QTest::addColumn<QByteArray>("expectedCopy");
    QTest::newRow("first start copies") << QByteArray("help v1") << QByteArray() << true << "copy"
                                        << QByteArray("help v1");
    QTest::newRow("same size keeps the copy")
        << QByteArray("help v2") << QByteArray("help v1") << true << "copy" << QByteArray("help v1");
    QTest::newRow("other size replaces the copy")
        << QByteArray("help v10") << QByteArray("help v1") << true << "copy" << QByteArray("help v10");
    QTest::newRow("copy impossible uses the original")
        << QByteArray("help v1") << QByteArray() << false << "original" << QByteArray();
    QTest::newRow("no help file") << QByteArray() << QByteArray() << true << "none" << QByteArray();
}

void tst_StartupServices::helpPlacement() {
    QFETCH(QByteArray, original);
    QFETCH(QByteArray, oldCopy);
    QFETCH(bool, copyPossible);
    QFETCH(QString, expectedUse);
    QFETCH(QByteArray, expectedCopy);
    QTemporaryDir program, temporary;
    const QString originalPath = program.filePath(QStringLiteral("Zemlo2024.CHM"));
    const QString copyPath = temporary.filePath(QStringLiteral("Zemlo2024.CHM"));
    if (!original.isEmpty()) WriteFile(originalPath, original);
    if (!oldCopy.isEmpty()) WriteFile(copyPath, oldCopy);
    const QString temporaryDirectory =
        copyPossible ? temporary.path() : temporary.filePath(QStringLiteral("bestaat-niet"));

    const QString used = PlaceHelpFile(program.path(), temporaryDirectory);
    const QString expectedPath = expectedUse == u"copy"       ? copyPath
                                 : expectedUse == u"original" ? originalPath
                                                              : QString();
    QCOMPARE(used, expectedPath);
    if (expectedUse == u"copy") QCOMPARE(ReadFile(copyPath), expectedCopy);
}

QTEST_GUILESS_MAIN(tst_StartupServices)
#include "tst_StartupServices.moc"
