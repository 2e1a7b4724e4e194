#pragma once
// zemlo-cli run as a process (its path comes from the environment variable ZEMLO_CLI).

#include <QString>
#include <QStringList>

struct TCliRun {
    int ExitCode = -1;  // -1 when it did not end normally within a minute
    QString Out;
    QString Err;
};

TCliRun RunCli(const QStringList& arguments);
