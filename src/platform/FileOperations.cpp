#include "platform/FileOperations.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {
QString SystemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

bool Flush(int fd, QString& error) {
    if (::fsync(fd) == 0) return true;
    error = SystemError();
    return false;
}

// fsync of a file or a directory opened read-only.
bool FlushPath(const QString& path, int flags, QString& error) {
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC | flags);
    if (fd < 0) {
        error = SystemError();
        return false;
    }
    const bool flushed = Flush(fd, error);
    ::close(fd);
    return flushed;
}
}

std::optional<qint64> FreeDiskSpace(const QString& directory, QString& error) {
    struct statvfs info {};
    if (::statvfs(Native(directory).constData(), &info) != 0) {
        error = SystemError();
        return std::nullopt;
    }
    return static_cast<qint64>(info.f_bavail) * static_cast<qint64>(info.f_frsize);
}

bool FlushFile(const QString& path, QString& error) { return FlushPath(path, 0, error); }

bool FlushFile(QFileDevice& file, QString& error) {
    if (file.handle() < 0) {
        error = QStringLiteral("Bad file descriptor");
        return false;
    }
    return Flush(file.handle(), error);
}

bool FlushDirectory(const QString& directory, QString& error) { return FlushPath(directory, O_DIRECTORY, error); }

bool LinkFile(const QString& from, const QString& to) {
    return ::link(Native(from).constData(), Native(to).constData()) == 0;
}

// rename(2) itself: it replaces an existing target in one step, where QFile::rename refuses one.
bool ReplaceFile(const QString& from, const QString& to, QString& error) {
    if (::rename(Native(from).constData(), Native(to).constData()) == 0) return true;
    error = SystemError();
    return false;
}

bool IsMarkedReadOnly(const QString& path) {
    struct stat info {};
    return ::stat(Native(path).constData(), &info) == 0 && (info.st_mode & S_IWUSR) == 0;
}

// An advisory lock that ends with the file's last descriptor, also when the process is killed. A remover
// may have taken the name in the moment between the file's creation and its lock: then no name is left.
bool HoldWhileWriting(QFileDevice& file) {
    struct stat info {};
    return file.handle() >= 0 && ::flock(file.handle(), LOCK_EX) == 0 && ::fstat(file.handle(), &info) == 0 &&
           info.st_nlink > 0;
}

bool RemoveIfAbandoned(const QString& path) {
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return errno == ENOENT;
    const bool abandoned = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = abandoned && ::unlink(Native(path).constData()) == 0;
    ::close(fd);
    return removed;
}
