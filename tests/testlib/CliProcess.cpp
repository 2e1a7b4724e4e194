#include "testlib/CliProcess.h"

#include <QProcess>

TCliRun RunCli(const QStringList& arguments) {
    QProcess process;
    process.start(qEnvironmentVariable("ZEMLO_CLI"), arguments);
    TCliRun run;
    if (!process.waitForFinished(60000)) return run;
    run.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.Out = QString::fromUtf8(process.readAllStandardOutput());
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
