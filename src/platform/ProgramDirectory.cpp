#include "platform/ProgramDirectory.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString overriddenDirectory;

QString WithSeparator(QString path) {
    if (!path.endsWith(u'/')) path += u'/';
    return path;
}
}

QString ProgramDirectory() {
    if (!overriddenDirectory.isEmpty()) return overriddenDirectory;
    return WithSeparator(QCoreApplication::applicationDirPath());
}

void SetProgramDirectory(const QString& directory) {
    overriddenDirectory = directory.isEmpty() ? QString() : WithSeparator(QDir::cleanPath(directory));
}
