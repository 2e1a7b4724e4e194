#pragma once
// The guard against a second running copy: a system-wide lock named after the program file's name in upper
// case ("ZEMLO2024"), held until the process ends. A lock left by a process that died is taken over.

#include <QLockFile>
#include <QString>

#include <memory>

class TSingleInstanceGuard {
public:
    // lockDirectory: where the lock lives; the system's temporary directory unless a test says otherwise.
    explicit TSingleInstanceGuard(const QString& programFileName, const QString& lockDirectory = QString());
    // False when another copy holds the lock.
    bool Acquired() const { return FAcquired; }
    QString LockPath() const;

private:
    std::unique_ptr<QLockFile> FLock;
    bool FAcquired = false;
};
