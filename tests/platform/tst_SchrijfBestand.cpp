// A document replaces an older one only when it is complete and on the disk; a failed write, also one the
// writer does not notice (a full disk), leaves the old document and no partial file behind.

#include "platform/FileOperations.h"
#include "platform/SchrijfBestand.h"
#include "testlib/CaughtError.h"
#include "testlib/SmallDisk.h"

#include <QDir>
#include <QTest>

#include <memory>

namespace {
const QString kDocument = QStringLiteral("rapport.pdf");
const QByteArray kOld("vorige rapportage");

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

QStringList FilesIn(const QString& folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }
}

class tst_SchrijfBestand : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyACompleteFileReplaces_data();
    void onlyACompleteFileReplaces();
    void partialFilesOfEndedRuns_data();
    void partialFilesOfEndedRuns();
};

void tst_SchrijfBestand::onlyACompleteFileReplaces_data() {
    QTest::addColumn<QString>("how");       // what the writer meets
    QTest::addColumn<QString>("error");     // %1: the document; empty: none
    QTest::addColumn<QByteArray>("after");  // the document afterwards
    const QString cannot = QStringLiteral("SchrijfBestand: Het bestand %1 kan niet worden geschreven: ");
    QTest::newRow("complete") << "complete" << QString() << QByteArray("nieuwe rapportage");
    QTest::newRow("the writer fails") << "raise" << cannot + QStringLiteral("papier op") << kOld;
    // The writer goes on as if every write succeeded, as QPdfWriter does.
    QTest::newRow("full disk, unnoticed by the writer")
        << "full" << cannot + QStringLiteral("No space left on device") << kOld;
    // Room comes back (another program deletes a file) before the writer's last writes, which succeed: the
    // document still lacks what failed before.
    QTest::newRow("full disk for a while") << "while" << cannot + QStringLiteral("No space left on device") << kOld;
    QTest::newRow("no such folder") << "folder" << cannot + QStringLiteral("No such file or directory")
                                    << QByteArray("<none>");
}

void tst_SchrijfBestand::onlyACompleteFileReplaces() {
    QFETCH(QString, how);
    QFETCH(QString, error);
    QFETCH(QByteArray, after);
    QTemporaryDir plain;
    std::unique_ptr<TSmallDisk> disk;
    QString folder = plain.path();
    const bool full = how == u"full" || how == u"while";
    if (full) {
        disk = std::make_unique<TSmallDisk>(65536);
        if (!disk->Mounted()) QSKIP(qPrintable(disk->Why()));
        folder = disk->Path();
    } else if (how == u"folder") {
        folder = plain.filePath(QStringLiteral("weg"));
    }
    const QString path = QDir(folder).filePath(kDocument);
    const QStringList before = how == u"folder" ? QStringList() : QStringList{kDocument};
    if (how != u"folder") WriteBytes(path, kOld);
    if (disk) disk->Fill();

    QCOMPARE(CaughtError([&] {
                 SchrijfBestand(path, [&](QFile& partial) {
                     partial.write(full ? QByteArray(1 << 20, 'p') : QByteArray("nieuwe "));
                     if (how == u"raise") throw EOrvError(QStringLiteral("papier op"));
                     if (how == u"while") QVERIFY(QFile::remove(disk->FilePath(QStringLiteral("vulling"))));
                     partial.write("rapportage");
                 });
             }),
             error.isEmpty() ? QString() : error.arg(path));
    QCOMPARE(ReadBytes(path), after);
    QStringList files = FilesIn(folder);
    files.removeOne(QStringLiteral("vulling"));
    QCOMPARE(files, before);
}

// A run that was killed left its partial file; the next run removes it, but never a partial file that a
// running writer holds, nor a file of the user's own that only looks alike.
void tst_SchrijfBestand::partialFilesOfEndedRuns_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("held");
    QTest::addColumn<bool>("kept");
    QTest::newRow("left by a killed run") << ".rapport.pdf.x7Kq2Z.deel" << false << false;
    QTest::newRow("held by a running writer") << ".rapport.pdf.x7Kq2Z.deel" << true << true;
    QTest::newRow("another document's") << ".overzicht.pdf.x7Kq2Z.deel" << false << true;
    QTest::newRow("the user's hidden copy") << ".rapport.pdf.backup" << false << true;
    QTest::newRow("five letters") << ".rapport.pdf.x7Kq2.deel" << false << true;
    QTest::newRow("not hidden") << "rapport.pdf.x7Kq2Z.deel" << false << true;
}

void tst_SchrijfBestand::partialFilesOfEndedRuns() {
    QFETCH(QString, name);
    QFETCH(bool, held);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    const QString partial = folder.filePath(name);
    WriteBytes(partial, "half");
    QFile writer(partial);
    if (held) {
        QVERIFY(writer.open(QIODevice::ReadWrite));
        QVERIFY(HoldWhileWriting(writer));
    }
    SchrijfBestand(folder.filePath(kDocument), [](QFile& file) { file.write("nieuw"); });
    QCOMPARE(ReadBytes(folder.filePath(kDocument)), QByteArray("nieuw"));
    QStringList expected{kDocument};
    if (kept) expected.append(name);
    expected.sort();
    QStringList files = FilesIn(folder.path());
    files.sort();
    QCOMPARE(files, expected);
}

QTEST_GUILESS_MAIN(tst_SchrijfBestand)
#include "tst_SchrijfBestand.moc"
