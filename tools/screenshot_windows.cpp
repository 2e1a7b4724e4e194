// screenshot_windows: the main window on a program folder's database, the service information window and
// the payroll link window, saved as PNG files for review.
//   screenshot_windows PROGRAM_DIR OUTPUT_DIR   (run under Xvfb or with QT_QPA_PLATFORM=offscreen)

#include "controls/OrvDBSortGrid.h"
#include "core/dMain.h"
#include "maintenance/fQueltKoppeling.h"
#include "overview/fAbout.h"
#include "overview/fMain.h"
#include "platform/ProgramDirectory.h"

#include <QDir>
#include <QtWidgets/QApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: screenshot_windows PROGRAM_DIR OUTPUT_DIR\n");
        return 2;
    }
    QApplication::setFont(QFont(QStringLiteral("Arial"), 10));
    UseProgramGridColors();
    SetProgramDirectory(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    const QDir output(QString::fromLocal8Bit(argv[2]));
    const auto save = [&](QWidget& window, const char* name) {
        window.show();
        QApplication::processEvents();
        if (!window.grab().save(output.filePath(QLatin1String(name)))) {
            std::fprintf(stderr, "screenshot_windows: cannot write %s\n", name);
            return false;
        }
        return true;
    };
    TfrmMain main;
    main.Initialize();
    if (main.Closed()) return 1;
    if (!save(main, "main-window.png")) return 1;
    TfrmAbout about(&main);
    about.Initialize(main.DataModule()->ADOConnectionZemlo);
    if (!save(about, "service-informatie.png")) return 1;
    about.hide();
    TfrmQueltKoppeling koppeling(&main);
    koppeling.SetADOConnection(main.DataModule()->ADOConnectionZemlo);
    koppeling.Initialize();
    return save(koppeling, "quelt-koppeling.png") ? 0 : 1;
}
