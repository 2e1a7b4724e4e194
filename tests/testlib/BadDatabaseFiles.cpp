#include "testlib/BadDatabaseFiles.h"

#include "core/DeliveredDatabase.h"
#include "platform/SqliteEngine.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {
QByteArray AccessHeader(const char* engine) {
    QByteArray bytes("\x00\x01\x00\x00", 4);
    bytes += engine;
    bytes += QByteArray(2048 - bytes.size(), '\0');
    return bytes;
}
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<TBadDatabaseFile> BadDatabaseFiles() {
    QTemporaryDir dir;
    CreateDeliveredDatabase(dir.filePath(QStringLiteral("Zemlo2024.mdb")));
    const QByteArray database = ReadBytes(dir.filePath(QStringLiteral("Zemlo2024.mdb")));
    TSqliteDatabase::CreateFromScript(dir.filePath(QStringLiteral("other.db")),
                                      QStringLiteral("CREATE TABLE Klanten (Id INTEGER PRIMARY KEY, Naam TEXT);"
                                                     "INSERT INTO Klanten (Naam) VALUES ('Jansen');"));
    QByteArray random(8192, '\0');
    QRandomGenerator generator(2024);
    for (char& c : random) c = char(generator.bounded(256));

    const QString noDatabase = QStringLiteral("Het bestand \"%1\" is geen Pavenda-database: file is not a database");
    const QString access = QStringLiteral(
        "Het bestand \"%1\" is een Access-database (Jet/ACE) en geen Pavenda-database: file is not a database");
    const QString damaged = QStringLiteral("Het bestand \"%1\" is beschadigd: database disk image is malformed");
    return {
        {QStringLiteral("random bytes"), random, noDatabase},
        {QStringLiteral("a few bytes of text"), QByteArray("Zemlo\n"), noDatabase},
        {QStringLiteral("empty"), QByteArray(),
         QStringLiteral("Het bestand \"%1\" is leeg: het bevat geen Pavenda-database.")},
        {QStringLiteral("Access (Jet)"), AccessHeader("Standard Jet DB"), access},
        {QStringLiteral("Access (ACE)"), AccessHeader("Standard ACE DB"), access},
        {QStringLiteral("cut in the middle"), database.left(database.size() / 2), damaged},
        {QStringLiteral("cut after the first page"), database.left(4096), damaged},
        {QStringLiteral("cut inside the header"), database.left(50), damaged},
        {QStringLiteral("another program's database"), ReadBytes(dir.filePath(QStringLiteral("other.db"))),
         QStringLiteral("Het bestand \"%1\" is geen Pavenda-database: no such table: Werkgevers"), false},
    };
}
