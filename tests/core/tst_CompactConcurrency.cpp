// A writer that comes while the compaction runs is refused while the compaction holds the database, or
// writes into the database under its name; never into the file that becomes the backup, where its change
// would be lost although it ended well.

#include "binding/OrvADOConnection.h"
#include "core/uUtils.h"
#include "testlib/TestDatabase.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <QThread>

namespace {
const QString kLink = QStringLiteral("/gedeeld/salaris/");

QString LinkIn(const QString& path) {
    if (!QFileInfo::exists(path)) return QStringLiteral("<geen bestand>");
    TOrvADOConnection connection;
    connection.Open(path, QString(), QStringLiteral("Share Deny None"));
    return GetQueltKoppeling(&connection);
}
}

class tst_CompactConcurrency : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void writerDuringCompaction_data();
    void writerDuringCompaction();
};

void tst_CompactConcurrency::writerDuringCompaction_data() {
    QTest::addColumn<QString>("operation");  // the step of the compaction where it waits for the writer
    QTest::addColumn<QString>("moment");
    QTest::addColumn<bool>("waiting");  // the compaction goes on while the writer waits for the database
    QTest::addColumn<int>("exitCode");  // the writer's; -1: either, as the timing decides
    QTest::newRow("copy written, not yet flushed") << "Flush"
                                                   << "before" << false << 1;
    QTest::newRow("before the backup name") << "Link"
                                            << "before" << false << 1;
    QTest::newRow("before the copy takes the name") << "Rename"
                                                    << "before" << false << 1;
    QTest::newRow("after the copy took the name") << "Rename"
                                                  << "after" << false << 0;
    QTest::newRow("the name changes while the writer waits") << "Rename"
                                                             << "before" << true << -1;
}

void tst_CompactConcurrency::writerDuringCompaction() {
    QFETCH(QString, operation);
    QFETCH(QString, moment);
    QFETCH(bool, waiting);
    QFETCH(int, exitCode);
    TTestDatabase db;
    QProcess compaction;
    compaction.start(QCoreApplication::applicationDirPath() + QStringLiteral("/compact_crash_helper"),
                     {QStringLiteral("compact"), db.Path(), operation, moment, QStringLiteral("--pause")});
    QVERIFY(compaction.waitForReadyRead(60000));
    QCOMPARE(compaction.readLine().trimmed(), QByteArray("paused"));

    QProcess writer;
    writer.start(qEnvironmentVariable("ZEMLO_CLI"),
                 {QStringLiteral("koppeling"), QStringLiteral("--db"), db.Path(), kLink});
    QVERIFY(writer.waitForStarted());
    const auto goOn = [&] {
        compaction.write("\n");
        QVERIFY(compaction.waitForBytesWritten(10000));
    };
    if (waiting) {
        // Time for the writer to open the file and wait for its lock, which it does for a quarter second.
        QThread::msleep(100);
        goOn();
    }
    QVERIFY(writer.waitForFinished(60000));
    if (!waiting) goOn();
    QVERIFY(compaction.waitForFinished(60000));
    QCOMPARE(compaction.exitStatus(), QProcess::NormalExit);
    QCOMPARE(compaction.exitCode(), 0);

    const int written = writer.exitCode();
    const QString error = QString::fromUtf8(writer.readAllStandardError());
    if (exitCode >= 0) QCOMPARE(written, exitCode);
    if (written != 0)
        QVERIFY2(error.contains(QStringLiteral("The database is in use by another process: ") + db.Path()),
                 qPrintable(error));
    QCOMPARE(LinkIn(db.Path()), written == 0 ? kLink : QString());
    QCOMPARE(LinkIn(db.Directory() + QStringLiteral("/Zemlo2024.bak")), QString());
}

QTEST_GUILESS_MAIN(tst_CompactConcurrency)
#include "tst_CompactConcurrency.moc"
