// An edit window built like the program's, on the 10,000-employer demo database: opening it on an employer
// (create, load the record and the concern list, show) and one save of a changed name (validate, generate,
// execute, commit). Prints the median of several runs in milliseconds.

#include "BenchTimes.h"
#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "forms/fBaseOnderhoud.h"
#include "support/OrvErrors.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>
#include <QtWidgets/QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {
class TfrmMutBench : public TBaseOnderhoud {
public:
    explicit TfrmMutBench(TOrvADOConnection* connection)
        : qryWerkgever(new TOrvQuery(this, connection)), qryConcerns(new TOrvQuery(this, connection)) {
        setObjectName(QStringLiteral("frmMutWerkgever"));
        qryWerkgever->setObjectName(QStringLiteral("qryWerkgever"));
        qryConcerns->setObjectName(QStringLiteral("qryConcerns"));
        osOnderhoud->SetConnection(connection);
        osOnderhoud->SetDataReference(QStringLiteral("Werkgevers"));
        new QVBoxLayout(pnlBody);
        AddBoundControl<TOrvDBEdit>("edLHNummer", "Loonheffingennummer", "Loonheffingennummer:");
        edNaam = AddBoundControl<TOrvDBEdit>("edNaam", "Naam", "Naam:");
        AddBoundControl<TOrvDBComboboxEx>("cmbAangifteTijdvak", "AangifteTijdvak", "Aangiftetijdvak:")
            ->AssignItems({QStringLiteral("1=Maand"), QStringLiteral("2=4-weken")});
        auto* concern = AddBoundControl<TOrvDBLookupCombo>("cmbConcern", "ConcernId", "Concern:");
        auto* dsConcerns = new TDataSource(this, qryConcerns);
        dsConcerns->setObjectName(QStringLiteral("dsConcerns"));
        concern->SetLookupSource(dsConcerns);
        concern->SetLookupKeyField(QStringLiteral("ConcernId"));
        concern->SetLookupDisplayField(QStringLiteral("Naam"));
        concern->SetAddBlank(true);
        // A read-only total as the employer window shows them: only read, never written.
        auto* total = new TOrvDBNumericEdit(pnlBody);
        total->setObjectName(QStringLiteral("edLoonsom"));
        total->SetLabelCaption(QStringLiteral("Loonsom:"));
        total->SetDataGroup(dgOnderhoud);
        total->SetSQLInputField(QStringLiteral("Loonsom"));
        total->SetReadOnly(true);
        pnlBody->layout()->addWidget(total);
    }

    void Initialize(TMode mode, int id) {
        TBaseForm::Initialize();
        FMode = mode;
        FKeyVeldNaam = QStringLiteral("WerkgeverId");
        FKeyWaarde = id;
        FCaptionNaam = QStringLiteral("werkgever");
        SetCaption();
        qryConcerns->SetSQL(QStringLiteral("SELECT ConcernId, Naam FROM Concerns ORDER BY Naam"));
        qryWerkgever->SetSQL(QStringLiteral(
            "SELECT w.*, (SELECT SUM(l.Bedrag) FROM Loonsommen l WHERE l.WerkgeverId = w.WerkgeverId AND "
            "l.Proforma = False) AS Loonsom FROM Werkgevers w WHERE w.WerkgeverId = :WerkgeverId"));
        qryWerkgever->ParamByName(QStringLiteral("WerkgeverId")).SetAsInteger(id);
        LoadRecord(qryWerkgever);
        EnableDisable();
    }
    TOrvDBEdit* edNaam;

private:
    TOrvQuery* qryWerkgever;
    TOrvQuery* qryConcerns;
};

struct TTimes {
    std::vector<double> Opening;
    std::vector<double> Saving;
};

// Opens the window on employers spread over the table, changes the name and saves it with OK.
TTimes OpenAndSave(TOrvADOConnection& connection, int runs, int firstId) {
    TTimes times;
    for (int run = 0; run < runs; ++run) {
        const int id = firstId + run * 617;
        QElapsedTimer timer;
        timer.start();
        auto window = std::make_unique<TfrmMutBench>(&connection);
        window->Initialize(mdEdit, id);
        window->show();
        QCoreApplication::processEvents();  // laid out and painted
        times.Opening.push_back(Milliseconds(timer));

        window->edNaam->Edit()->setText(window->edNaam->AsText() + QStringLiteral(" B.V."));
        timer.restart();
        window->acOk->trigger();
        times.Saving.push_back(Milliseconds(timer));
        if (window->isVisible() || window->result() != 1)
            throw EOrvError(QStringLiteral("The save of employer %1 failed").arg(id));
    }
    return times;
}

// The disk's share of a save: one bare UPDATE committed on its own.
double BareCommit(TOrvADOConnection& connection, int runs) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        RunInTransaction(connection, [&] {
            connection.Execute(QStringLiteral("UPDATE Werkgevers SET Naam = Naam || '.' WHERE WerkgeverId = 1"));
        });
        times.push_back(Milliseconds(timer));
    }
    return Median(times);
}
}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseProgramComboboxLook();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zemlo2024.mdb"));
    TDemoOptions options;
    options.Werkgevers = 10000;
    options.WerkgeversPerConcern = 10;
    CreateDemoDatabase(path, options);
    TOrvADOConnection connection;
    ConnectDatabase(connection, path, QString(), QStringLiteral("Share Exclusive"));

    const int runs = 15;
    const TTimes durable = OpenAndSave(connection, runs, 1);
    const double commit = BareCommit(connection, runs);
    // The same saves once more without waiting for the disk: the window's, group's and output set's own part.
    connection.Execute(QStringLiteral("PRAGMA synchronous=OFF"));
    const TTimes own = OpenAndSave(connection, runs, 2);
    std::printf("open on an employer, load and show: %.2f ms (budget 20)\n", Median(durable.Opening));
    std::printf("save (validate, generate, execute, commit): %.2f ms (budget 5)\n", Median(durable.Saving));
    std::printf("  of which the disk: a bare UPDATE and COMMIT takes %.2f ms\n", commit);
    std::printf("  the same save without waiting for the disk: %.2f ms\n", Median(own.Saving));
    const bool within = Median(durable.Opening) <= 20 && Median(durable.Saving) <= 5;
    std::printf("%s\n", within ? "within budget" : "OVER BUDGET");
    return within ? 0 : 1;
}
