#pragma once
// A file system of a few kilobytes of its own (tmpfs), so a test meets the system's real "no space left on
// device" in every writer, not an imitation of it. Only a process that may mount (root, and not in every
// container) gets one: a test skips when Mounted() is false.

#include <QString>
#include <QTemporaryDir>

class TSmallDisk {
public:
    explicit TSmallDisk(qint64 bytes);
    ~TSmallDisk();
    TSmallDisk(const TSmallDisk&) = delete;
    TSmallDisk& operator=(const TSmallDisk&) = delete;

    bool Mounted() const { return FMounted; }
    // Why it could not be mounted, for the skip message.
    QString Why() const { return FWhy; }
    QString FilePath(const QString& name) const { return FDir.filePath(name); }
    QString Path() const { return FDir.path(); }
    // Fills the space that is left with a file of its own ("vulling"), to the last byte.
    void Fill();

private:
    QTemporaryDir FDir;
    bool FMounted = false;
    QString FWhy;
};
