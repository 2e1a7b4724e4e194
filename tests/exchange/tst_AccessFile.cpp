// Access files read through libmdb: every table, column type and value of two real Jet4 files compared
// with what mdbtools' own export gives, the file left as it was, and the payroll export refusing such a file.

#include "binding/OrvADOConnection.h"
#include "platform/AccessFile.h"
#include "platform/SqliteEngine.h"
#include "testlib/CaughtError.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

namespace {
// mdb-export with separators that the files' texts do not hold, and a mark for NULL.
const QChar kVeld(0x1f), kRij(0x1e), kNull(0x1d);

QString Fixture(const QString& naam) { return qEnvironmentVariable("ZEMLO_FIXTURE_CACHE") + u'/' + naam; }

QString Uitvoer(const QString& programma, const QStringList& argumenten) {
    QProcess p;
    p.start(programma, argumenten);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) qFatal("%s failed", qPrintable(programma));
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The declared type the reader gives for a type as mdb-schema writes it for Access.
QString VerwachtType(const QString& accessType) {
    static const QRegularExpression tekst(QStringLiteral("^Text \\((\\d+)\\)$"));
    if (const auto m = tekst.match(accessType); m.hasMatch()) return QStringLiteral("VARCHAR(%1)").arg(m.captured(1));
    static const QHash<QString, QString> types = {{QStringLiteral("Long Integer"), QStringLiteral("INTEGER")},
                                                  {QStringLiteral("Integer"), QStringLiteral("SMALLINT")},
                                                  {QStringLiteral("Byte"), QStringLiteral("SMALLINT")},
                                                  {QStringLiteral("DateTime"), QStringLiteral("DATETIME")},
                                                  {QStringLiteral("Boolean"), QStringLiteral("BOOLEAN")},
                                                  {QStringLiteral("Double"), QStringLiteral("DOUBLE")},
                                                  {QStringLiteral("Single"), QStringLiteral("DOUBLE")},
                                                  {QStringLiteral("Currency"), QStringLiteral("CURRENCY")},
                                                  {QStringLiteral("Memo/Hyperlink (255)"), QStringLiteral("MEMO")}};
    return types.value(accessType, QStringLiteral("? ") + accessType);
}

// "column type" per column of the table as mdb-schema describes it.
QStringList SchemaVan(const QString& bestand, const QString& tabel) {
    const QString schema =
        Uitvoer(QStringLiteral("mdb-schema"), {QStringLiteral("-T"), tabel, bestand, QStringLiteral("access")});
    static const QRegularExpression kolom(QStringLiteral("^\\s*\\[(.+)\\]\\s+(.+?)( NOT NULL)?,?\\s*$"));
    QStringList kolommen;
    for (const QString& regel : schema.split(u'\n')) {
        if (regel.contains(QStringLiteral("CREATE TABLE"))) continue;
        if (const auto m = kolom.match(regel); m.hasMatch())
            kolommen.append(m.captured(1) + u' ' + VerwachtType(m.captured(2)));
    }
    return kolommen;
}

QByteArray Inhoud(const QString& bestand) {
    QFile f(bestand);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}
}

class tst_AccessFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyValueAsMdbExport_data();
    void everyValueAsMdbExport();
    void signature_data();
    void signature();
};

void tst_AccessFile::everyValueAsMdbExport_data() {
    QTest::addColumn<QString>("bestand");
    QTest::addColumn<QString>("tabel");
    for (const QString& naam : {QStringLiteral("node-adodb.mdb"), QStringLiteral("fruit.mdb")}) {
        const QString bestand = Fixture(naam);
        if (!QFileInfo(bestand).isFile()) qFatal("%s is missing: scripts/install-deps fetches it", qPrintable(bestand));
        for (const QString& tabel :
             Uitvoer(QStringLiteral("mdb-tables"), {QStringLiteral("-1"), bestand}).split(u'\n', Qt::SkipEmptyParts))
            QTest::addRow("%s %s", qPrintable(naam), qPrintable(tabel)) << bestand << tabel;
    }
}

void tst_AccessFile::everyValueAsMdbExport() {
    QFETCH(QString, bestand);
    QFETCH(QString, tabel);
    const QByteArray voor = Inhoud(bestand);
    const QDateTime gewijzigd = QFileInfo(bestand).lastModified();
    TOrvADOConnection connection;
    connection.OpenAccessFile(bestand);
    QVERIFY(connection.IsAccessCopy());

    TSqliteStatement info(connection.Handle(), QStringLiteral("SELECT name, type FROM pragma_table_info(:Tabel)"));
    info.Bind(QStringLiteral("Tabel"), tabel);
    QStringList kolommen;
    while (info.Step())
        kolommen.append(info.ColumnValue(0).toString() + u' ' +
                        info.ColumnValue(1).toString().remove(QStringLiteral(" COLLATE NOCASE")));
    QCOMPARE(kolommen, SchemaVan(bestand, tabel));

    const QStringList rijen = Uitvoer(QStringLiteral("mdb-export"),
                                      {QStringLiteral("-Q"), QStringLiteral("-H"), QStringLiteral("-d"), kVeld,
                                       QStringLiteral("-R"), kRij, QStringLiteral("-0"), kNull, QStringLiteral("-T"),
                                       QStringLiteral("%Y-%m-%d %H:%M:%S"), bestand, tabel})
                                  .split(kRij, Qt::SkipEmptyParts);
    TSqliteStatement select(connection.Handle(), QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(tabel));
    int rij = 0;
    while (select.Step()) {
        QVERIFY2(rij < rijen.size(), "more rows than mdb-export");
        const QStringList verwacht = rijen[rij].split(kVeld);
        QCOMPARE(verwacht.size(), select.ColumnCount());
        for (int c = 0; c < select.ColumnCount(); ++c) {
            const QVariant waarde = select.ColumnValue(c);
            const QString context = QStringLiteral("row %1, %2").arg(rij).arg(select.ColumnName(c));
            if (verwacht[c] == kNull) {
                QVERIFY2(waarde.isNull(), qPrintable(context));
            } else if (select.ColumnStorageClass(c) == SQLITE_INTEGER) {
                QCOMPARE(waarde.toLongLong(), verwacht[c].toLongLong());
            } else if (select.ColumnStorageClass(c) == SQLITE_FLOAT) {
                QCOMPARE(waarde.toDouble(), verwacht[c].toDouble());
            } else {
                QVERIFY2(select.ColumnStorageClass(c) == SQLITE_TEXT, qPrintable(context));
                QCOMPARE(waarde.toString(), verwacht[c]);
            }
        }
        ++rij;
    }
    QCOMPARE(rij, rijen.size());
    connection.Close();
    QCOMPARE(Inhoud(bestand), voor);
    QCOMPARE(QFileInfo(bestand).lastModified(), gewijzigd);
}

void tst_AccessFile::signature_data() {
    QTest::addColumn<QByteArray>("begin");
    QTest::addColumn<bool>("access");
    QTest::addColumn<QString>("fout");  // of reading it, empty when it is read
    const QByteArray kop("\x00\x01\x00\x00", 4);
    QTest::newRow("Jet, no more") << kop + "Standard Jet DB" << true
                                  << "het bestand is beschadigd of is geen Access-database.";
    QTest::newRow("ACE, no more") << kop + "Standard ACE DB" << true
                                  << "het bestand is beschadigd of is geen Access-database.";
    QTest::newRow("engine's own") << QByteArray("SQLite format 3\0", 16) << false << QString();
    QTest::newRow("Jet text elsewhere") << QByteArray("xxxxStandard Jet DB") << false << QString();
}

// The signature decides; a file with only the signature is refused with its name, nothing created.
void tst_AccessFile::signature() {
    QFETCH(QByteArray, begin);
    QFETCH(bool, access);
    QFETCH(QString, fout);
    QTemporaryDir dir;
    const QString bestand = dir.filePath(QStringLiteral("x.mdb"));
    QFile f(bestand);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(begin + QByteArray(4096 - begin.size(), '\0'));
    f.close();
    QCOMPARE(IsAccessFile(bestand), access);
    if (!access) return;
    TOrvADOConnection connection;
    QCOMPARE(CaughtError([&] { connection.OpenAccessFile(bestand); }),
             QStringLiteral("Het Access-bestand \"%1\" kan niet worden gelezen: ").arg(bestand) + fout);
    QVERIFY(!connection.Connected());
}

QTEST_GUILESS_MAIN(tst_AccessFile)
#include "tst_AccessFile.moc"
