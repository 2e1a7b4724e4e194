#include "overview/uStartup.h"

#include "controls/OrvDBSortGrid.h"
#include "controls/Orvmbox.h"
#include "core/CommandLine.h"
#include "core/uGlobals.h"
#include "dbcontrols/DbcompCombos.h"
#include "forms/Dbcomp_hook.h"
#include "forms/ProgressWindow.h"
#include "overview/fMain.h"
#include "platform/SingleInstance.h"
#include "platform/WaitCursor.h"

#include <QtGui/QCursor>
#include <QtGui/QFont>

int RunProgram(QApplication& application) {
    // The name only, no display name: with a display name the platform appends it to every window
    // title, and each window's caption must read exactly as the window sets it.
    QApplication::setApplicationName(QStringLiteral("Pavenda 2024"));
    QApplication::setFont(QFont(QStringLiteral("Arial"), 10));
    UseProgramGridColors();
    UseProgramComboboxLook();
    QueltStart = HasQueltStartSwitch(application.arguments().mid(1));

    const TSingleInstanceGuard guard(application.applicationFilePath());
    if (!guard.Acquired()) return 0;

    InstallMessageDialogPresenter();
    TWaitCursor::InstallHook([](bool show) {
        if (show)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    InstallProgressWindow();
    const TRightMouseClickOnDisabledControlHandler copyMenu;

    int exitCode = 0;
    {
        TfrmMain frmMain;
        frmMain.Initialize();
        if (frmMain.Closed()) {
            exitCode = 1;
        } else {
            frmMain.show();
            application.exec();
        }
    }
    // The main window is gone, and with it the data module and the compaction of the database.
    return exitCode != 0 ? exitCode : ShutdownExitCode;
}
