#include "core/DatabaseChecks.h"

#include "platform/FileOperations.h"
#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QFileInfo>

void CheckDatabaseFile(const QString& location) {
    if (location.isEmpty())
        throw EOrvError(QStringLiteral("No database location was specified (sDatabaseLocation cannot be empty)."));
    const QFileInfo file(location);
    if (!file.exists() || !file.isFile())
        throw EOrvError(QStringLiteral("Database does not exists or is not accessable: ") + location);
    // Whether this process may read and write the file (access(2): a file of another user is refused), and
    // the read-only mark itself, which root, who may write any file, would otherwise pass.
    if (file.isHidden() || !file.isReadable() || !file.isWritable() || IsMarkedReadOnly(location))
        throw EOrvError(QStringLiteral("The file attributes of file \"") + location +
                        QStringLiteral("\" prevent the file from being accessed."));
}

void RequireZemloTables(sqlite3* database, const QString& location) {
    WithPrefix(NotAPavendaDatabase(location), [&] {
        for (const char* table : {"Werkgevers", "dbparams"}) {
            const TSqliteStatement probe(database,
                                         QStringLiteral("SELECT * FROM %1 WHERE 0").arg(QLatin1String(table)));
        }
    });
}
