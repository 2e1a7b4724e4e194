#include "core/DeliveredDatabase.h"

#include "platform/SqliteEngine.h"
#include "support/OrvErrors.h"

#include <QFile>

namespace {
QString Script(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) throw EOrvError(QStringLiteral("Schema script missing: ") + resource);
    return QString::fromUtf8(file.readAll());
}
}

void CreateDeliveredDatabase(const QString& path) {
    WithPrefix(QStringLiteral("CreateDeliveredDatabase: "),
               [&] { TSqliteDatabase::CreateFromScript(path, Script(QStringLiteral(":/db/Zemlo2024.sql"))); });
}

void CreateQueltDatabase(const QString& path) {
    WithPrefix(QStringLiteral("CreateQueltDatabase: "),
               [&] { TSqliteDatabase::CreateFromScript(path, Script(QStringLiteral(":/db/QueltX2024.sql"))); });
}
