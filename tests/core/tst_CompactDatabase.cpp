#include "binding/OrvADOConnection.h"
#include "core/dMain.h"
#include "core/uCompactDatabase.h"
#include "core/uGlobals.h"
#include "platform/ProgramDirectory.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"
#include "testlib/BadDatabaseFiles.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"

#include <QtTest>

#include <unistd.h>

namespace {
// File operations that record what the compaction asks, in order, and refuse what a test names: an
// operation ("Link") or one call as recorded ("Remove Zemlo2024.new"). Paths are recorded relative to the
// database's directory, the directory itself as ".".
class TRecordingFiles : public TCompactFileOperations {
public:
    explicit TRecordingFiles(const QString& directory = QString()) : FDirectory(directory) {
        SetCompactFileOperations(this);
    }
    ~TRecordingFiles() override { SetCompactFileOperations(nullptr); }

    std::optional<qint64> FreeSpace(const QString& directory, QString& error) override {
        if (!Allowed("FreeSpace", {directory})) return std::nullopt;
        if (FreeBytes) return FreeBytes;
        if (FreeSpaceError.isEmpty()) return TCompactFileOperations::FreeSpace(directory, error);
        error = FreeSpaceError;
        return std::nullopt;
    }
    bool Remove(const QString& path) override {
        return Allowed("Remove", {path}) && TCompactFileOperations::Remove(path);
    }
    bool Flush(const QString& path, QString& error) override {
        if (Allowed("Flush", {path})) return TCompactFileOperations::Flush(path, error);
        error = QStringLiteral("Input/output error");
        return false;
    }
    bool Link(const QString& from, const QString& to) override {
        return Allowed("Link", {from, to}) && TCompactFileOperations::Link(from, to);
    }
    bool Copy(const QString& from, const QString& to) override {
        return Allowed("Copy", {from, to}) && TCompactFileOperations::Copy(from, to);
    }
    bool Rename(const QString& from, const QString& to) override {
        return Allowed("Rename", {from, to}) && TCompactFileOperations::Rename(from, to);
    }
    bool FlushDirectory(const QString& directory, QString& error) override {
        if (Allowed("FlushDirectory", {directory})) return TCompactFileOperations::FlushDirectory(directory, error);
        error = QStringLiteral("Input/output error");
        return false;
    }

    QStringList Calls;
    QStringList Refused;
    std::optional<qint64> FreeBytes;
    QString FreeSpaceError;

private:
    bool Allowed(const char* operation, const QStringList& paths) {
        QString call = QLatin1String(operation);
        if (!FDirectory.isEmpty())
            for (const QString& path : paths) call += u' ' + QDir(FDirectory).relativeFilePath(path);
        Calls.append(call);
        return !Refused.contains(QLatin1String(operation)) && !Refused.contains(call);
    }
    QString FDirectory;
};

// The helper program that compacts a database and ends the process abruptly at a chosen point.
int RunCrashHelper(const QStringList& arguments) {
    QProcess helper;
    helper.start(QCoreApplication::applicationDirPath() + QStringLiteral("/compact_crash_helper"), arguments);
    if (!helper.waitForFinished(60000) || helper.exitStatus() != QProcess::NormalExit) return -1;
    if (helper.exitCode() != 77) qWarning("%s", helper.readAllStandardError().constData());
    return helper.exitCode();
}

QStringList FilesIn(const QString& directory) {
    return QDir(directory).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

QString IntegrityOf(const QString& path) {
    TSqliteDatabase db;
    db.Open(path, TShareMode::DenyNone);
    TSqliteStatement check(db.Handle(), QStringLiteral("PRAGMA integrity_check"));
    return check.Step() ? check.ColumnValue(0).toString() : QString();
}
// Every row of every table, in key order: what must survive the compaction.
QStringList Contents(const QString& path) {
    TSqliteDatabase db;
    db.Open(path, TShareMode::DenyNone);
    QStringList tables;
    {
        TSqliteStatement list(db.Handle(), "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
        while (list.Step()) tables.append(list.ColumnValue(0).toString());
    }
    QStringList rows;
    for (const QString& table : tables) {
        TSqliteStatement select(db.Handle(), "SELECT * FROM " + table + " ORDER BY rowid");
        while (select.Step()) {
            QStringList values{table};
            for (int c = 0; c < select.ColumnCount(); ++c) values.append(select.ColumnValue(c).toString());
            rows.append(values.join('|'));
        }
    }
    return rows;
}

QByteArray FileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Fills a database with rows and deletes most of them again, so compaction has space to give back.
void FillWithHoles(const QString& path) {
    TOrvADOConnection connection;
    connection.Open(path, QString(), "Share Deny None");
    connection.BeginTrans();
    for (int i = 0; i < 3000; ++i)
        Exec(connection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Concern %1 %2')")
                             .arg(i)
                             .arg(QString(200, QChar(u'x'))));
    connection.CommitTrans();
    Exec(connection, "DELETE FROM Concerns WHERE ConcernId % 10 <> 0");
}

QString ErrorOf(const std::function<void()>& body) {
    try {
        body();
    } catch (const EOrvError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}

QString Sibling(const QString& path, const QString& extension) { return path.left(path.lastIndexOf('.')) + extension; }
}

class TestCompactDatabase : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void compactsAndKeepsBackup();
    void leftOverNewAndBakAreReplaced();
    void upperCaseExtension();
    void wrongExtension_data();
    void wrongExtension();
    void missingFile();
    void newFileCannotBeDeleted();
    void notEnoughFreeSpace();
    void freeSpaceUnknown();
    void notADatabaseLeavesFileUntouched_data();
    void notADatabaseLeavesFileUntouched();
    void markedReadOnlyIsRefused_data();
    void markedReadOnlyIsRefused();
    void fileOperationsInOrder_data();
    void fileOperationsInOrder();
    void interruptedAtEveryStep_data();
    void interruptedAtEveryStep();
    void journalOfAnEndedSession_data();
    void journalOfAnEndedSession();
    void dataModuleCompactsOwnDatabase();
    void dataModuleLeavesOtherDatabases();
    void dataModuleReportsFailure();
};

void TestCompactDatabase::cleanup() {
    SetProgramDirectory(QString());
    ShutdownExitCode = 0;
}

void TestCompactDatabase::compactsAndKeepsBackup() {
    TTestDatabase db;
    FillWithHoles(db.Path());
    const QStringList before = Contents(db.Path());
    const QByteArray original = FileBytes(db.Path());

    CompactJetDatabase(db.Path(), kJetEngineType, "geheim", QString(), false);

    QCOMPARE(Contents(db.Path()), before);
    QCOMPARE(FileBytes(Sibling(db.Path(), ".bak")), original);
    QVERIFY(!QFileInfo::exists(Sibling(db.Path(), ".new")));
    QVERIFY(QFileInfo(db.Path()).size() < original.size());
}

void TestCompactDatabase::leftOverNewAndBakAreReplaced() {
    TTestDatabase db;
    WriteFile(Sibling(db.Path(), ".new"), "half a database");
    WriteFile(Sibling(db.Path(), ".bak"), "old backup");
    const QByteArray original = FileBytes(db.Path());
    const QStringList before = Contents(db.Path());

    CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false);

    QCOMPARE(Contents(db.Path()), before);
    QCOMPARE(FileBytes(Sibling(db.Path(), ".bak")), original);
    QVERIFY(!QFileInfo::exists(Sibling(db.Path(), ".new")));
}

void TestCompactDatabase::upperCaseExtension() {
    TTestDatabase db("Zemlo2024.MDB");
    CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false);
    QVERIFY(QFileInfo::exists(db.Directory() + "/Zemlo2024.bak"));
    QVERIFY(QFileInfo::exists(db.Path()));
}

void TestCompactDatabase::wrongExtension_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::newRow("db") << "Zemlo2024.db"
                        << "File extension unknown: .db";
    QTest::newRow("case kept") << "Zemlo2024.Txt"
                               << "File extension unknown: .Txt";
    QTest::newRow("none") << "Zemlo2024"
                          << "File extension unknown: ";
    QTest::newRow("bak") << "Zemlo2024.bak"
                         << "File extension unknown: .bak";
}

void TestCompactDatabase::wrongExtension() {
    QFETCH(QString, name);
    QFETCH(QString, message);
    TTestDatabase db(name);
    const QByteArray original = FileBytes(db.Path());
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }), message);
    QCOMPARE(FileBytes(db.Path()), original);
}

void TestCompactDatabase::missingFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zemlo2024.mdb");
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(path, kJetEngineType, QString(), QString(), false); }),
             "Could not compact database, because the specified database file does not exists: " + path);
}

void TestCompactDatabase::newFileCannotBeDeleted() {
    TTestDatabase db;
    TRecordingFiles files(db.Directory());
    files.Refused = QStringList{"Remove Zemlo2024.new"};
    WriteFile(Sibling(db.Path(), ".new"), "locked");
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             "A temporary file could not be deleted: " + Sibling(db.Path(), ".new"));
    QVERIFY(!QFileInfo::exists(Sibling(db.Path(), ".bak")));
}

void TestCompactDatabase::notEnoughFreeSpace() {
    TTestDatabase db;
    TRecordingFiles files;
    const qint64 size = QFileInfo(db.Path()).size();
    files.FreeBytes = size + 1048575;
    const QByteArray original = FileBytes(db.Path());
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             QStringLiteral("Directory %1 does not have enough free space to perform this operation: %2")
                 .arg(db.Directory())
                 .arg(size + 1048575));
    QCOMPARE(FileBytes(db.Path()), original);
    QCOMPARE(QDir(db.Directory()).entryList(QDir::Files), QStringList{"Zemlo2024.mdb"});

    // Exactly enough is enough.
    files.FreeBytes = size + 1048576;
    CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false);
    QVERIFY(QFileInfo::exists(Sibling(db.Path(), ".bak")));
}

void TestCompactDatabase::freeSpaceUnknown() {
    TTestDatabase db;
    TRecordingFiles files;
    files.FreeSpaceError = "No such device";
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             "Internal error. The free space for directory " + db.Directory() +
                 " cannot be determined: No such device");
}

// A file that is no database of the program is refused before anything is written: an empty file, above
// all, must not come back as a database, nor another program's database as a compacted one.
void TestCompactDatabase::notADatabaseLeavesFileUntouched_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    for (const TBadDatabaseFile& bad : BadDatabaseFiles())
        QTest::newRow(qPrintable(bad.Name)) << bad.Content << bad.Message;
}

void TestCompactDatabase::notADatabaseLeavesFileUntouched() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath("Zemlo2024.mdb");
    WriteFile(path, content);
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(path, kJetEngineType, QString(), QString(), false); }),
             message.arg(path));
    QCOMPARE(FileBytes(path), content);
    QCOMPARE(FilesIn(dir.path()), QStringList{"Zemlo2024.mdb"});
}

// A database marked read-only is refused as the program refuses it, also for root, who may write any file:
// compacted, it would come back writable.
void TestCompactDatabase::markedReadOnlyIsRefused_data() {
    QTest::addColumn<int>("permissions");
    QTest::addColumn<bool>("refused");
    const int readable = int(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    QTest::newRow("writable") << (readable | int(QFileDevice::WriteOwner)) << false;
    QTest::newRow("read-only") << readable << true;
    QTest::newRow("read-only, the group may write") << (readable | int(QFileDevice::WriteGroup)) << true;
}

void TestCompactDatabase::markedReadOnlyIsRefused() {
    QFETCH(int, permissions);
    QFETCH(bool, refused);
    TTestDatabase db;
    const QFileDevice::Permissions mode(permissions);
    QVERIFY(QFile::setPermissions(db.Path(), mode));
    const QByteArray original = FileBytes(db.Path());
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             refused ? "The file attributes of file \"" + db.Path() + "\" prevent the file from being accessed."
                     : QStringLiteral("<no error>"));
    const QStringList after = refused ? QStringList{"Zemlo2024.mdb"} : QStringList{"Zemlo2024.bak", "Zemlo2024.mdb"};
    QCOMPARE(FilesIn(db.Directory()), after);
    if (refused) {
        QCOMPARE(FileBytes(db.Path()), original);
        // The flags of "the current user" repeat the owner's here; the mode is the rest.
        const QFileDevice::Permissions user = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
        QCOMPARE(QFile::permissions(db.Path()) & ~user, mode);
    }
}

// The order of the file operations, with what each failure leaves: the database keeps its name and its
// rows throughout; the copy is flushed before it takes the name, the directory after.
void TestCompactDatabase::fileOperationsInOrder_data() {
    QTest::addColumn<QStringList>("leftOvers");  // files of earlier runs
    QTest::addColumn<QStringList>("refused");
    QTest::addColumn<QStringList>("calls");
    QTest::addColumn<QString>("error");  // %1: the directory; empty: none
    QTest::addColumn<bool>("replaced");  // the compacted copy is the database afterwards, the previous one the .bak
    const QString freeSpace = "FreeSpace .", flushCopy = "Flush Zemlo2024.new",
                  link = "Link Zemlo2024.mdb Zemlo2024.bak", copy = "Copy Zemlo2024.mdb Zemlo2024.bak",
                  flushBackup = "Flush Zemlo2024.bak", rename = "Rename Zemlo2024.new Zemlo2024.mdb",
                  flushDirectory = "FlushDirectory .", dropCopy = "Remove Zemlo2024.new";
    const QString noBackup = "Could not backup the current database.";
    QTest::newRow("nothing left over") << QStringList{} << QStringList{}
                                       << QStringList{freeSpace, flushCopy, link, rename, flushDirectory} << "" << true;
    QTest::newRow("left-overs of earlier runs")
        << QStringList{"Zemlo2024.new", "Zemlo2024.bak", "Zemlo2024.mdb-journal"} << QStringList{}
        << QStringList{dropCopy, freeSpace,     "Remove Zemlo2024.mdb-journal", flushCopy, "Remove Zemlo2024.bak", link,
                       rename,   flushDirectory}
        << "" << true;
    QTest::newRow("no hard links") << QStringList{} << QStringList{"Link"}
                                   << QStringList{freeSpace, flushCopy, link, copy, flushBackup, rename, flushDirectory}
                                   << "" << true;
    QTest::newRow("copy cannot be flushed")
        << QStringList{} << QStringList{flushCopy} << QStringList{freeSpace, flushCopy, dropCopy}
        << "Het gecomprimeerde bestand %1/Zemlo2024.new kon niet naar de schijf worden geschreven: Input/output error"
        << false;
    QTest::newRow("no backup possible") << QStringList{} << QStringList{"Link", "Copy"}
                                        << QStringList{freeSpace, flushCopy, link, copy, dropCopy} << noBackup << false;
    QTest::newRow("backup copy cannot be flushed")
        << QStringList{} << QStringList{"Link", flushBackup}
        << QStringList{freeSpace, flushCopy, link, copy, flushBackup, dropCopy} << noBackup << false;
    QTest::newRow("copy cannot take the name")
        << QStringList{} << QStringList{"Rename"} << QStringList{freeSpace, flushCopy, link, rename, dropCopy}
        << "Could not copy the new database file to it's destination. Your database configuration is unstable and "
           "requires technical maintenance."
        << false;
    QTest::newRow("directory cannot be flushed")
        << QStringList{} << QStringList{"FlushDirectory"}
        << QStringList{freeSpace, flushCopy, link, rename, flushDirectory}
        << "De map %1 kon niet naar de schijf worden geschreven: Input/output error" << true;
}

void TestCompactDatabase::fileOperationsInOrder() {
    QFETCH(QStringList, leftOvers);
    QFETCH(QStringList, refused);
    QFETCH(QStringList, calls);
    QFETCH(QString, error);
    QFETCH(bool, replaced);
    TTestDatabase db;
    FillWithHoles(db.Path());
    const QStringList before = Contents(db.Path());
    const QByteArray original = FileBytes(db.Path());
    // A journal left by an earlier session has its header zeroed: the engine ignores it.
    for (const QString& name : leftOvers)
        WriteFile(db.Directory() + '/' + name,
                  name.endsWith("-journal") ? QByteArray(512, '\0') : QByteArray("earlier"));

    TRecordingFiles files(db.Directory());
    files.Refused = refused;
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             error.isEmpty() ? QStringLiteral("<no error>") : error.replace("%1", db.Directory()));
    QCOMPARE(files.Calls, calls);
    QCOMPARE(Contents(db.Path()), before);
    QVERIFY(!FilesIn(db.Directory()).contains("Zemlo2024.new"));
    QVERIFY(!FilesIn(db.Directory()).contains("Zemlo2024.mdb-journal"));
    if (replaced) {
        QVERIFY(FileBytes(db.Path()) != original);
        QCOMPARE(FileBytes(Sibling(db.Path(), ".bak")), original);
    } else {
        QCOMPARE(FileBytes(db.Path()), original);
    }
}

// The process ends abruptly after each step: the next start finds a sound database with every row under
// the database's name, and its shut-down compacts it again.
void TestCompactDatabase::interruptedAtEveryStep_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("moment");
    QTest::addColumn<bool>("noLinks");
    QTest::addColumn<QStringList>("filesAfter");
    QTest::addColumn<bool>("replaced");
    const QStringList copyMade{"Zemlo2024.mdb", "Zemlo2024.new"};
    const QStringList backupMade{"Zemlo2024.bak", "Zemlo2024.mdb", "Zemlo2024.new"};
    const QStringList done{"Zemlo2024.bak", "Zemlo2024.mdb"};
    QTest::newRow("after the copy") << "Flush"
                                    << "before" << false << copyMade << false;
    QTest::newRow("after its flush") << "Flush"
                                     << "after" << false << copyMade << false;
    QTest::newRow("after the backup link") << "Link"
                                           << "after" << false << backupMade << false;
    QTest::newRow("after the backup copy") << "Copy"
                                           << "after" << true << backupMade << false;
    QTest::newRow("after the rename") << "Rename"
                                      << "after" << false << done << true;
    QTest::newRow("after the directory flush") << "FlushDirectory"
                                               << "after" << false << done << true;
}

void TestCompactDatabase::interruptedAtEveryStep() {
    QFETCH(QString, operation);
    QFETCH(QString, moment);
    QFETCH(bool, noLinks);
    QFETCH(QStringList, filesAfter);
    QFETCH(bool, replaced);
    TTestDatabase db;
    FillWithHoles(db.Path());
    const QStringList before = Contents(db.Path());
    const QByteArray original = FileBytes(db.Path());
    QStringList arguments{"compact", db.Path(), operation, moment};
    if (noLinks) arguments.append("--no-links");
    QCOMPARE(RunCrashHelper(arguments), 77);
    QCOMPARE(FilesIn(db.Directory()), filesAfter);
    QCOMPARE(FileBytes(db.Path()) != original, replaced);

    QCOMPARE(IntegrityOf(db.Path()), QStringLiteral("ok"));
    QCOMPARE(Contents(db.Path()), before);
    SetProgramDirectory(db.Directory() + '/');
    {
        TdmMain data;
        QVERIFY(data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword), QString()));
    }
    QCOMPARE(ShutdownExitCode, 0);
    QCOMPARE(FilesIn(db.Directory()), (QStringList{"Zemlo2024.bak", "Zemlo2024.mdb"}));
    QCOMPARE(Contents(db.Path()), before);
}

// A session of the program keeps the database's journal as long as it lasts (exclusive locking); one that
// ends without closing leaves it. The compaction leaves no journal beside the compacted database, and the
// rows are those that were committed.
void TestCompactDatabase::journalOfAnEndedSession_data() {
    QTest::addColumn<QString>("ending");
    QTest::addColumn<bool>("committed");
    QTest::newRow("ended during a session") << "session" << true;
    QTest::newRow("ended inside a transaction") << "transaction" << false;
}

void TestCompactDatabase::journalOfAnEndedSession() {
    QFETCH(QString, ending);
    QFETCH(bool, committed);
    TTestDatabase db;
    const QStringList before = Contents(db.Path());
    QCOMPARE(RunCrashHelper({ending, db.Path()}), 77);
    QVERIFY(FilesIn(db.Directory()).contains("Zemlo2024.mdb-journal"));

    CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false);
    QCOMPARE(FilesIn(db.Directory()), (QStringList{"Zemlo2024.bak", "Zemlo2024.mdb"}));
    QCOMPARE(IntegrityOf(db.Path()), QStringLiteral("ok"));
    const QStringList after = Contents(db.Path());
    if (committed)
        QCOMPARE(after.filter("Toegevoegd voor het einde").size(), 1);
    else
        QCOMPARE(after, before);
}

void TestCompactDatabase::dataModuleCompactsOwnDatabase() {
    TTestDatabase db;
    SetProgramDirectory(db.Directory() + '/');
    TTestDatabase payroll("QueltX2024.mdb", true);
    const QStringList before = Contents(db.Path());
    {
        // Both connections open: the destructor closes them before compacting.
        TdmMain data;
        QVERIFY(data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword), QString()));
        QVERIFY(data.ConnectToQueltDatabase(payroll.Path()));
    }
    QVERIFY(QFileInfo::exists(Sibling(db.Path(), ".bak")));
    QCOMPARE(Contents(db.Path()), before);
    QCOMPARE(ShutdownExitCode, 0);
}

void TestCompactDatabase::dataModuleLeavesOtherDatabases() {
    TTestDatabase own;
    SetProgramDirectory(own.Directory() + '/');
    TTestDatabase other;
    {
        TdmMain data;
        ConnectDatabase(*data.ADOConnectionZemlo, other.Path(), QString(), "Share Deny None");
    }
    {
        TdmMain data;
        QVERIFY(data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword), other.Path()));
    }
    QVERIFY(!QFileInfo::exists(Sibling(own.Path(), ".bak")));
    QVERIFY(!QFileInfo::exists(Sibling(other.Path(), ".bak")));
}

void TestCompactDatabase::dataModuleReportsFailure() {
    TTestDatabase db;
    SetProgramDirectory(db.Directory() + '/');
    TRecordingFiles files;
    files.FreeBytes = 0;
    TScriptedPresenter presenter;
    presenter.Expect(mrOk);
    {
        TdmMain data;
        QVERIFY(data.ConnectToZemloDatabase(*data.ADOConnectionZemlo, QLatin1String(kScrambledPassword), QString()));
    }
    QCOMPARE(presenter.Count(), 1);
    QVERIFY(presenter.Last().PlainErrorBox);
    QVERIFY(presenter.Last().Text.contains("does not have enough free space"));
    QCOMPARE(ShutdownExitCode, 1);
    QVERIFY(QFileInfo::exists(db.Path()));
}

QTEST_GUILESS_MAIN(TestCompactDatabase)
#include "tst_CompactDatabase.moc"
