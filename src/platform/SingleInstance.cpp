#include "platform/SingleInstance.h"

#include <QDir>
#include <QFileInfo>

TSingleInstanceGuard::TSingleInstanceGuard(const QString& programFileName, const QString& lockDirectory) {
    const QString directory = lockDirectory.isEmpty() ? QDir::tempPath() : lockDirectory;
    const QString name = QFileInfo(programFileName).fileName().toUpper() + QStringLiteral(".lock");
    FLock = std::make_unique<QLockFile>(QDir(directory).filePath(name));
    FLock->setStaleLockTime(0);  // only a dead owner makes a lock stale, never its age
    FAcquired = FLock->tryLock(0);
}

QString TSingleInstanceGuard::LockPath() const { return FLock->fileName(); }
