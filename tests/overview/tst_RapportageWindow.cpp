// The report window driven offscreen: opened from the main window with its filter, its two lists, the
// provisional amounts switched off and on, and saving as PDF or workbook through the save dialog.

#include "binding/OrvADOConnection.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DeliveredDatabase.h"
#include "core/uGlobals.h"
#include "overview/fMain.h"
#include "overview/fRapportage.h"
#include "platform/Progress.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <QtGui/QAction>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QTabWidget>

namespace {
// Concern X of five members of 1,000,000 with 14,000 costs each (6,432 levy together, none apart), and
// employer Los with 100,000 definitive wage sums and 1,000 definitive plus 2,000 provisional costs.
void FillDatabase(const QString& path) {
    CreateDeliveredDatabase(path);
    TOrvADOConnection c;
    c.Open(path, QString(), QStringLiteral("Share Deny None"));
    Exec(c, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('X')"));
    for (int i = 1; i <= 6; ++i) {
        const bool lid = i <= 5;
        Exec(c, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, ConcernId) "
                               "VALUES ('LH%1', '%2', 1, %3)")
                    .arg(i)
                    .arg(lid ? QStringLiteral("M%1").arg(i) : QStringLiteral("Los"),
                         lid ? QStringLiteral("1") : QStringLiteral("NULL")));
        const qint64 id = c.LastInsertId();
        const auto kosten = [&](bool proforma, double bedrag) {
            Exec(c, QStringLiteral("INSERT INTO Kosten (WerkgeverId, KostenCategorieId, Periode, Proforma, Bedrag, "
                                   "KostenTypeId) VALUES (%1, 1, 1, %2, %3, 1)")
                        .arg(id)
                        .arg(proforma ? 1 : 0)
                        .arg(bedrag));
        };
        Exec(c, QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (%1, 1, 0, %2)")
                    .arg(id)
                    .arg(lid ? 1000000 : 100000));
        kosten(false, lid ? 14000 : 1000);
        if (!lid) kosten(true, 2000);
    }
    c.Close();
}

// The display text of a row's column, found by its title; the row by the text in the first column.
QString Cell(TOrvDBSortGrid* grid, const QString& first, const QString& title) {
    int column = -1;
    for (int c = 0; c < grid->Columns().Count(); ++c)
        if (grid->Columns().Items(c).Caption() == title) column = c;
    for (int r = 1; r <= grid->DataSet()->RecordCount(); ++r)
        if (grid->CellText(r, 0) == first) return grid->CellText(r, column);
    return QStringLiteral("(no row %1)").arg(first);
}
}

class tst_RapportageWindow : public TWidgetTest {
    Q_OBJECT
    void InitTest() override { FillDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb"))); }
private Q_SLOTS:
    void opensWithTheMainWindowsFilter_data();
    void opensWithTheMainWindowsFilter();
    void provisionalAmountsSwitch();
    void saves_data();
    void saves();
};

void tst_RapportageWindow::opensWithTheMainWindowsFilter_data() {
    QTest::addColumn<bool>("exclusiefProforma");
    QTest::addColumn<QString>("eindheffingLos");
    QTest::newRow("with provisional amounts") << false << "864,00";  // 3,000 against 1,920
    QTest::newRow("filter without them") << true << "";              // 1,000 within 1,920: no levy, shown empty
}

void tst_RapportageWindow::opensWithTheMainWindowsFilter() {
    QFETCH(bool, exclusiefProforma);
    QFETCH(QString, eindheffingLos);
    const TScriptedPresenter messages;
    SluitZonderVraag = true;
    TfrmMain main;
    main.Initialize();
    if (exclusiefProforma)
        main.FFilter.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
    QString title, tabs, los, concern;
    int rows = -1;
    bool checked = !exclusiefProforma;
    const TWhenModal<TfrmRapportage> report([&](TfrmRapportage* window) {
        title = window->windowTitle();
        checked = Child<TOrvCheckBox>(window, "chkExclusiefProforma")->isChecked();
        auto* pages = Child<QTabWidget>(window, "pcRapportage");
        tabs = pages->tabText(0) + u'|' + pages->tabText(1);
        auto* list = Child<TOrvDBSortGrid>(window, "dbgridRapport");
        rows = list->DataSet()->RecordCount();
        los = Cell(list, QStringLiteral("LH6"), QStringLiteral("Eindheffing"));
        concern = Cell(list, QStringLiteral("LH1"), QStringLiteral("Eindheffing")) + u'|' +
                  Cell(list, QStringLiteral("LH1"), QStringLiteral("Aangifte"));
        window->close();
    });
    QCOMPARE(TriggerAction(&main, QStringLiteral("acRapportage")), QString());
    QCOMPARE(title, QStringLiteral("Rapportage werkkostenregeling 2024"));
    QCOMPARE(checked, exclusiefProforma);
    QCOMPARE(tabs, QStringLiteral("&Eindheffing|&Concernadvies"));
    QCOMPARE(rows, 2);
    QCOMPARE(los, eindheffingLos);
    QCOMPARE(concern, QStringLiteral("6.432,00|februari 2025"));
    // The main list keeps its rows: the report ran on a query of its own.
    QCOMPARE(Child<TOrvDBSortGrid>(&main, "dbgridWG")->DataSet()->RecordCount(), 6);
    QCOMPARE(messages.Count(), 0);
}

void tst_RapportageWindow::provisionalAmountsSwitch() {
    TOrvADOConnection connection;
    connection.Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(), QStringLiteral("Share Deny None"));
    TfrmRapportage window;
    window.Initialize(&connection, false);
    window.show();
    auto* list = Child<TOrvDBSortGrid>(&window, "dbgridRapport");
    auto* advice = Child<TOrvDBSortGrid>(&window, "dbgridAdvies");
    auto* box = Child<TOrvCheckBox>(&window, "chkExclusiefProforma");
    QVERIFY(list && advice && box);
    QCOMPARE(Cell(list, QStringLiteral("LH6"), QStringLiteral("Kosten")), QStringLiteral("3.000,00"));
    QCOMPARE(Cell(list, QStringLiteral("LH6"), QStringLiteral("Aangifte")), QStringLiteral("februari 2025"));
    QCOMPARE(Cell(advice, QStringLiteral("X"), QStringLiteral("Heffing als concern")), QStringLiteral("6.432,00"));
    QCOMPARE(Cell(advice, QStringLiteral("X"), QStringLiteral("Advies")), QStringLiteral("Apart aangeven voordeliger"));
    // A sort the user chose stays when the report is computed again.
    list->Sort(QStringLiteral("Kosten"), sdDescending);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
    QVERIFY(box->isChecked());
    QCOMPARE(Cell(list, QStringLiteral("LH6"), QStringLiteral("Kosten")), QStringLiteral("1.000,00"));
    QCOMPARE(Cell(list, QStringLiteral("LH6"), QStringLiteral("Aangifte")), QString());
    QCOMPARE(list->SortFieldName().toLower(), QStringLiteral("kosten"));
    QCOMPARE(list->CellText(1, 0), QStringLiteral("LH1"));
}

void tst_RapportageWindow::saves_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("file");  // empty: the dialog is cancelled
    QTest::addColumn<QByteArray>("magic");
    QTest::newRow("pdf") << "acPdf"
                         << "rapport.pdf" << QByteArray("%PDF");
    QTest::newRow("workbook") << "acExcel"
                              << "rapport.xlsx" << QByteArray("PK");
    QTest::newRow("pdf cancelled") << "acPdf"
                                   << "" << QByteArray();
}

void tst_RapportageWindow::saves() {
    QFETCH(QString, action);
    QFETCH(QString, file);
    QFETCH(QByteArray, magic);
    TScriptedPresenter messages;
    TOrvADOConnection connection;
    connection.Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(), QStringLiteral("Share Deny None"));
    TfrmRapportage window;
    window.Initialize(&connection, false);
    window.show();
    const QString folder = ProgramDir() + QStringLiteral("rapporten");
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(file.isEmpty() ? QStringLiteral("x") : file);
    QString proposed;
    const TWhenModal<QFileDialog> dialog([&](QFileDialog* d) {
        QCOMPARE(d->objectName(), QStringLiteral("sdRapport"));
        proposed = d->selectedFiles().value(0);
        if (file.isEmpty()) {
            d->reject();
            return;
        }
        d->setDirectory(folder);
        d->selectFile(file);
        static_cast<QDialog*>(d)->accept();
    });
    if (!file.isEmpty()) messages.Expect(mrOk);
    QList<TProgressState> progress;
    TProgress::InstallHook([&](const TProgressState& state) { progress.append(state); });
    const auto noHook = qScopeGuard([] { TProgress::InstallHook({}); });
    QCOMPARE(TriggerAction(&window, action), QString());
    QVERIFY2(proposed.endsWith(u'.' + (action == u"acPdf" ? QStringLiteral("pdf") : QStringLiteral("xlsx"))),
             qPrintable(proposed));
    QCOMPARE(QFileInfo::exists(path), !file.isEmpty());
    QCOMPARE(messages.Count(), file.isEmpty() ? 0 : 1);
    if (file.isEmpty()) return;
    QCOMPARE(messages.Last().Text, QStringLiteral("De rapportage is opgeslagen in %1.").arg(path));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(magic.size()) == magic);
    // The PDF reports its rows (the report's 2 and the advice's 1) to the progress window, and ends.
    if (action == u"acPdf") {
        QVERIFY(!progress.isEmpty());
        QCOMPARE(progress.last().Title, QStringLiteral("Rapportage als PDF opslaan"));
        QVERIFY(progress.last().Finished);
        QCOMPARE(progress.last().Position, 3);
        QCOMPARE(progress.last().Total, 3);
    }
}

QTEST_MAIN(tst_RapportageWindow)
#include "tst_RapportageWindow.moc"
