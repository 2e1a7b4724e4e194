// screenshot_windows: the main window on a program folder's database, the service information window and
// the employer filter, the payroll link window, the conversion window and the maintenance lists and edit windows, saved as PNG files
// for review.
//   screenshot_windows PROGRAM_DIR OUTPUT_DIR   (run under Xvfb or with QT_QPA_PLATFORM=offscreen)

#include "controls/OrvDBSortGrid.h"
#include "core/dMain.h"
#include "maintenance/fFilWerkgevers.h"
#include "maintenance/fMutConcern.h"
#include "maintenance/fMutKostencategorie.h"
#include "maintenance/fQueltKoppeling.h"
#include "maintenance/fSelConcerns.h"
#include "maintenance/fSelKostencategorieen.h"
#include "maintenance/fZemloImport.h"
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
    if (!save(koppeling, "quelt-koppeling.png")) return 1;
    koppeling.hide();
    TfrmZemloImport conversie(&main);
    conversie.SetADOConnection(main.DataModule()->ADOConnectionZemlo);
    conversie.Initialize();
    if (!save(conversie, "conversie.png")) return 1;
    conversie.hide();
    TfrmFilWerkgevers filter(&main, &main.FFilter);
    filter.Initialize();
    if (!save(filter, "werkgever-selectiefilter.png")) return 1;
    filter.hide();

    // The lists on the demo's rows and the edit windows on their first record.
    TfrmSelConcerns concerns(&main);
    concerns.Initialize();
    if (!save(concerns, "concerns.png")) return 1;
    TfrmMutConcern concern(&concerns);
    concern.Initialize(mdEdit, 1);
    if (!save(concern, "concern-wijzigen.png")) return 1;
    concern.hide();
    concerns.hide();
    TfrmSelKostencategorieen categories(&main);
    categories.Initialize();
    if (!save(categories, "kostencategorieen.png")) return 1;
    TfrmMutKostencategorie category(&categories);
    category.Initialize(mdEdit, 1);
    return save(category, "kostencategorie-wijzigen.png") ? 0 : 1;
}
