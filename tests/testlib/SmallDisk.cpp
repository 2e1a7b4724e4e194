#include "testlib/SmallDisk.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>

TSmallDisk::TSmallDisk(qint64 bytes) {
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
    FMounted = ::mount("tmpfs", QFile::encodeName(FDir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                       options.constData()) == 0;
    if (!FMounted)
        FWhy = QStringLiteral("no file system can be mounted here: ") + QString::fromLocal8Bit(std::strerror(errno));
}

TSmallDisk::~TSmallDisk() {
    if (FMounted) ::umount2(QFile::encodeName(FDir.path()).constData(), MNT_DETACH);
}

void TSmallDisk::Fill() {
    QFile filler(FilePath(QStringLiteral("vulling")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return;
    // Ever smaller pieces until not one byte more fits.
    for (qint64 piece = 65536; piece > 0; piece /= 2)
        while (filler.write(QByteArray(piece, 'x')) == piece) {
        }
}
