#include "platform/ChmFile.h"

#include <QFile>

#include <chm_lib.h>

bool TChmFile::Open(const QString& path) {
    Close();
    FHandle = chm_open(QFile::encodeName(path).constData());
    return FHandle != nullptr;
}

void TChmFile::Close() {
    if (FHandle) chm_close(FHandle);
    FHandle = nullptr;
}

QByteArray TChmFile::Page(const QString& pagePath) const {
    if (!FHandle) return QByteArray();
    QString path = pagePath;
    if (!path.startsWith(u'/')) path.prepend(u'/');
    chmUnitInfo unit;
    if (chm_resolve_object(FHandle, QFile::encodeName(path).constData(), &unit) != CHM_RESOLVE_SUCCESS)
        return QByteArray();
    QByteArray content(qsizetype(unit.length), Qt::Uninitialized);
    const LONGINT64 read = chm_retrieve_object(FHandle, &unit, reinterpret_cast<unsigned char*>(content.data()), 0,
                                               LONGINT64(unit.length));
    content.truncate(qsizetype(qMax<LONGINT64>(read, 0)));
    return content;
}

QString TChmFile::TopicPage(int topic) { return QStringLiteral("/topic%1.htm").arg(topic, 2, 10, QLatin1Char('0')); }
