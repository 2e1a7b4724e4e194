#pragma once
// Files that are no usable database of the program, as a user may find them under its database's name:
// each with the message it must give.

#include <QByteArray>
#include <QList>
#include <QString>

struct TBadDatabaseFile {
    QString Name;  // the row name of a test table
    QByteArray Content;
    // The message of the refusal, %1 the file's path. The engine refuses every file but one that is a
    // database of the engine without the program's tables: the own database's table check refuses that.
    QString Message;
    bool RefusedByEngine = true;
};

QList<TBadDatabaseFile> BadDatabaseFiles();

void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);
