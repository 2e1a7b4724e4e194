// Zemlo2024: the program. Until the main window exists it only reports where its database is expected.

#include "core/uGlobals.h"
#include "platform/ProgramDirectory.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pavenda 2024"));
    std::printf("Pavenda 2024: database %s%s%s\n", qPrintable(ProgramDirectory()), kZemloDatabaseName,
                kDatabaseExtension);
    return ShutdownExitCode;
}
