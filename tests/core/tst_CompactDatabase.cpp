#include "binding/OrvADOConnection.h"
#include "core/dMain.h"
#include "core/uCompactDatabase.h"
#include "core/uGlobals.h"
#include "platform/ProgramDirectory.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"

#include <QtTest>

namespace {
// File operations whose free space and renames a test decides.
class TFakeFiles : public TCompactFileOperations {
public:
    TFakeFiles() { SetCompactFileOperations(this); }
    ~TFakeFiles() override { SetCompactFileOperations(nullptr); }

    std::optional<qint64> FreeSpace(const QString& directory, QString& error) override {
        if (FreeBytes) return FreeBytes;
        if (FreeSpaceError.isEmpty()) return TCompactFileOperations::FreeSpace(directory, error);
        error = FreeSpaceError;
        return std::nullopt;
    }
    bool Remove(const QString& path) override {
        return !path.endsWith(RefuseRemoveOf) && TCompactFileOperations::Remove(path);
    }
    bool Rename(const QString& from, const QString& to) override {
        if (!RefuseRenameFrom.isEmpty() && from.endsWith(RefuseRenameFrom)) return false;
        return TCompactFileOperations::Rename(from, to);
    }

    std::optional<qint64> FreeBytes;
    QString FreeSpaceError;
    QString RefuseRemoveOf = QStringLiteral("\n");  // no path ends with a line feed
    QString RefuseRenameFrom;
};

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
                             .arg(i).arg(QString(200, QChar(u'x'))));
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

QString Sibling(const QString& path, const QString& extension) {
    return path.left(path.lastIndexOf('.')) + extension;
}
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
    void notADatabaseLeavesFileUntouched();
    void backupRenameFails();
    void finalRenameFailsRestoresDatabase();
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
    QTest::newRow("db") << "Zemlo2024.db" << "File extension unknown: .db";
    QTest::newRow("case kept") << "Zemlo2024.Txt" << "File extension unknown: .Txt";
    QTest::newRow("none") << "Zemlo2024" << "File extension unknown: ";
    QTest::newRow("bak") << "Zemlo2024.bak" << "File extension unknown: .bak";
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
    TFakeFiles files;
    files.RefuseRemoveOf = ".new";
    WriteFile(Sibling(db.Path(), ".new"), "locked");
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             "A temporary file could not be deleted: " + Sibling(db.Path(), ".new"));
    QVERIFY(!QFileInfo::exists(Sibling(db.Path(), ".bak")));
}

void TestCompactDatabase::notEnoughFreeSpace() {
    TTestDatabase db;
    TFakeFiles files;
    const qint64 size = QFileInfo(db.Path()).size();
    files.FreeBytes = size + 1048575;
    const QByteArray original = FileBytes(db.Path());
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             QStringLiteral("Directory %1 does not have enough free space to perform this operation: %2")
                 .arg(db.Directory()).arg(size + 1048575));
    QCOMPARE(FileBytes(db.Path()), original);
    QCOMPARE(QDir(db.Directory()).entryList(QDir::Files), QStringList{"Zemlo2024.mdb"});

    // Exactly enough is enough.
    files.FreeBytes = size + 1048576;
    CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false);
    QVERIFY(QFileInfo::exists(Sibling(db.Path(), ".bak")));
}

void TestCompactDatabase::freeSpaceUnknown() {
    TTestDatabase db;
    TFakeFiles files;
    files.FreeSpaceError = "No such device";
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             "Internal error. The free space for directory " + db.Directory() + " cannot be determined: No such device");
}

void TestCompactDatabase::notADatabaseLeavesFileUntouched() {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zemlo2024.mdb");
    WriteFile(path, QByteArray(4096, 'z'));
    QVERIFY(ErrorOf([&] { CompactJetDatabase(path, kJetEngineType, QString(), QString(), false); }) != "<no error>");
    QCOMPARE(FileBytes(path), QByteArray(4096, 'z'));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Zemlo2024.mdb"});
}

void TestCompactDatabase::backupRenameFails() {
    TTestDatabase db;
    TFakeFiles files;
    files.RefuseRenameFrom = ".mdb";
    const QByteArray original = FileBytes(db.Path());
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             QStringLiteral("Could not backup the current database."));
    QCOMPARE(FileBytes(db.Path()), original);
    QCOMPARE(QDir(db.Directory()).entryList(QDir::Files), QStringList{"Zemlo2024.mdb"});
}

void TestCompactDatabase::finalRenameFailsRestoresDatabase() {
    TTestDatabase db;
    FillWithHoles(db.Path());
    TFakeFiles files;
    files.RefuseRenameFrom = ".new";
    const QByteArray original = FileBytes(db.Path());
    QCOMPARE(ErrorOf([&] { CompactJetDatabase(db.Path(), kJetEngineType, QString(), QString(), false); }),
             QStringLiteral("Could not copy the new database file to it's destination. Your database configuration "
                            "is unstable and requires technical maintenance."));
    QCOMPARE(FileBytes(db.Path()), original);
    QVERIFY(!QFileInfo::exists(Sibling(db.Path(), ".bak")));
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
    TFakeFiles files;
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
