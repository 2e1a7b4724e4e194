#include "core/HelpFile.h"

#include "support/OrvErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString applicationHelpFile;
}

QString ApplicationHelpFile() { return applicationHelpFile; }

void SetApplicationHelpFile(const QString& path) { applicationHelpFile = path; }

QString PlaceHelpFile(const QString& programDirectory, const QString& temporaryDirectory) {
    const QString original = QDir(programDirectory).filePath(QLatin1String(kHelpFileName));
    if (!QFileInfo::exists(original)) return QString();
    try {
        const QString copy = QDir(temporaryDirectory).filePath(QLatin1String(kHelpFileName));
        if (QFileInfo::exists(copy)) {
            if (QFileInfo(copy).size() == QFileInfo(original).size()) return copy;
            if (!QFile::remove(copy)) throw EOrvError(QStringLiteral("Niet gelukt om te verwijderen"));
        }
        if (!QFile::copy(original, copy)) throw EOrvError(QStringLiteral("Niet gelukt om te kopieren"));
        return copy;
    } catch (const EOrvError&) {
        return original;
    }
}
