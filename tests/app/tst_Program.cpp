// The program as a process: a second copy ends at once and silently while the first runs.

#include "core/DemoData.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class tst_Program : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void secondCopyEndsSilently();
};

void tst_Program::secondCopyEndsSilently() {
    // The program with its own database in a folder of its own; locks in a private temporary folder.
    QTemporaryDir programDir, lockDir;
    const QString program = programDir.filePath(QStringLiteral("Zemlo2024"));
    QVERIFY(QFile::copy(qEnvironmentVariable("ZEMLO_PROGRAM"), program));
    QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner));
    TDemoOptions options;
    options.Werkgevers = 3;
    CreateDemoDatabase(programDir.filePath(QStringLiteral("Zemlo2024.mdb")), options);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TMPDIR"), lockDir.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), lockDir.path());
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(program, {QStringLiteral("-quelt_start")});
    QVERIFY(first.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(QDir(lockDir.path()).filePath(QStringLiteral("ZEMLO2024.lock"))), 10000);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(program, {QStringLiteral("/QUELT_START")});
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(second.readAllStandardOutput(), QByteArray());
    QCOMPARE(second.readAllStandardError(), QByteArray());
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    QVERIFY(first.waitForFinished(10000));
}

QTEST_GUILESS_MAIN(tst_Program)
#include "tst_Program.moc"
