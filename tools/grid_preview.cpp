// Shows the employer overview of a database file in the list control, as the main window lists it.
// Usage: grid_preview DATABASE [--screenshot FILE]

#include "controls/OrvDBSortGrid.h"
#include "core/dMain.h"
#include "core/uFilter.h"
#include "overview/fMain.h"
#include "support/OrvErrors.h"

#include <QtWidgets/QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString screenshot;
    if (const int at = int(args.indexOf(QStringLiteral("--screenshot"))); at >= 0 && at + 1 < args.size()) {
        screenshot = args[at + 1];
        args.remove(at, 2);
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "Gebruik: grid_preview DATABASE [--screenshot BESTAND]\n");
        return 2;
    }
    try {
        UseProgramGridColors();
        TdmMain data;
        ConnectDatabase(*data.ADOConnectionZemlo, args.first(), QString(), QStringLiteral("Share Deny None"));
        data.OpenWerkgevers(TFilter());
        TDataSource source(nullptr, data.qryWerkgevers);

        TOrvDBSortGrid grid;
        grid.setObjectName(QStringLiteral("grdWerkgevers"));
        grid.setWindowTitle(QStringLiteral("Pavenda 2024 - werkgevers"));
        QFont arial(QStringLiteral("Arial"), 10);
        grid.Grid()->setFont(arial);
        grid.SetDefaultRowHeight(21);
        grid.SetDataSource(&source);
        AddWerkgeverColumns(grid);
        grid.FetchAllRows();
        grid.Sort(QStringLiteral("Naam"), sdAscending);
        grid.SetCursorHome();
        grid.resize(grid.Columns().TotalColumnWidth() + 40, 520);
        grid.show();
        grid.SetFocus();
        if (screenshot.isEmpty()) return app.exec();
        app.processEvents();
        if (!grid.grab().save(screenshot)) {
            std::fprintf(stderr, "Kan %s niet schrijven\n", qPrintable(screenshot));
            return 1;
        }
        return 0;
    } catch (const EOrvError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Message()));
        return 1;
    }
}
