// screenshot_windows: the main window on a program folder's database, the service information window and
// the employer filter, the payroll link window, the conversion window, the report window with its PDF's first
// page, the maintenance lists and edit windows, and the employer window with its cost and wage sum tabs, the
// cost window and the pick window, saved as PNG files for review.
//   screenshot_windows PROGRAM_DIR OUTPUT_DIR   (run under Xvfb or with QT_QPA_PLATFORM=offscreen)

#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/dMain.h"
#include "dbcontrols/DbcompPickList.h"
#include "dbcontrols/fPickList.h"
#include "exchangeui/fQueltKoppeling.h"
#include "exchangeui/fZemloImport.h"
#include "maintenance/fFilWerkgevers.h"
#include "maintenance/fMutConcern.h"
#include "maintenance/fMutKosten.h"
#include "maintenance/fMutKostencategorie.h"
#include "maintenance/fMutLoonsom.h"
#include "maintenance/fMutWerkgever.h"
#include "maintenance/fSelConcerns.h"
#include "maintenance/fSelKostencategorieen.h"
#include "overview/fAbout.h"
#include "overview/fMain.h"
#include "overview/fRapportage.h"
#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"
#include "report/RapportPdf.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabWidget>

#include <cstdio>

namespace {
qint64 First(TfrmMain& main, const QString& sql) {
    TOrvQuery query(nullptr, main.DataModule()->ADOConnectionZemlo);
    query.SetSQL(sql);
    query.Open();
    return query.IsEmpty() ? -1 : query.FieldValue(0).toLongLong();
}

// The employer window on the demo employer in a concern with the most kinds of costs, both tabs; one of its
// wage sums and cost entries (of a type its category allows); the pick window on a word that several categories hold.
template <class Save> bool SaveEmployerWindows(TfrmMain& main, Save&& save) {
    const qint64 employer = First(
        main,
        QStringLiteral(
            "SELECT W.WerkgeverId FROM Werkgevers W, Kosten K WHERE K.WerkgeverId = W.WerkgeverId AND W.ConcernId IS NOT NULL "
            "GROUP BY W.WerkgeverId ORDER BY COUNT(DISTINCT K.KostenTypeId) DESC, W.WerkgeverId"));
    TfrmMutWerkgever window(&main);
    window.Initialize(mdEdit, int(employer));
    if (!save(window, "werkgever-kosten.png")) return false;
    window.findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1);
    if (!save(window, "werkgever-loonsommen.png")) return false;
    const int tijdvak =
        int(First(main, QStringLiteral("SELECT AangifteTijdvak FROM Werkgevers WHERE WerkgeverId = %1").arg(employer)));
    TfrmMutLoonsom wageSum(&window);
    wageSum.Initialize(
        mdEdit,
        int(First(main, QStringLiteral("SELECT MIN(LoonsomId) FROM Loonsommen WHERE WerkgeverId = %1").arg(employer))),
        employer, tijdvak);
    if (!save(wageSum, "loonsom-wijzigen.png")) return false;
    wageSum.hide();
    TfrmMutKosten cost(&window);
    cost.Initialize(
        mdEdit,
        int(First(main, QStringLiteral("SELECT MIN(KostenId) FROM Kosten WHERE KostenTypeId = 1 AND WerkgeverId = %1")
                            .arg(employer))),
        employer, tijdvak);
    if (!save(cost, "kosten-wijzigen.png")) return false;
    cost.hide();
    TfrmMutKosten newCost(&window);
    newCost.Initialize(mdInsert, -1, employer, tijdvak);
    newCost.show();
    auto* pick = newCost.findChild<TOrvDBPickList*>(QStringLiteral("plKostenCategorie"));
    pick->Edit()->setText(QStringLiteral("werkplek"));
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* list = qobject_cast<TfrmPickList*>(QApplication::activeModalWidget())) {
            poll.stop();
            saved = save(*list, "picklist-werkplek.png");
            list->reject();
        }
    });
    poll.start(50);
    pick->SeekKeyboardInput();
    return saved;
}
}  // namespace

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
    conversie.SetDataModule(main.DataModule());
    conversie.Initialize();
    if (!save(conversie, "conversie.png")) return 1;
    conversie.hide();
    TfrmFilWerkgevers filter(&main, &main.FFilter);
    filter.Initialize();
    if (!save(filter, "werkgever-selectiefilter.png")) return 1;
    filter.hide();

    // The report window and the first page of its PDF (pdftoppm).
    TfrmRapportage rapportage(&main);
    rapportage.Initialize(main.DataModule()->ADOConnectionZemlo, false);
    if (!save(rapportage, "rapportage.png")) return 1;
    rapportage.hide();
    const QTemporaryDir pdfDir;
    const QString pdf = pdfDir.filePath(QStringLiteral("rapportage.pdf"));
    WriteRapportPdf(MaakRapportage(*main.DataModule()->ADOConnectionZemlo, false), pdf, Clock::Now().date());
    if (QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-f"),
                           QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                           QStringLiteral("-singlefile"), pdf, output.filePath(QStringLiteral("rapportage-pdf"))}) !=
        0) {
        std::fprintf(stderr, "screenshot_windows: pdftoppm failed\n");
        return 1;
    }

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
    if (!save(category, "kostencategorie-wijzigen.png")) return 1;
    category.hide();
    categories.hide();
    return SaveEmployerWindows(main, save) ? 0 : 1;
}
