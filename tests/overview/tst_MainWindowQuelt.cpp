// The main window in payroll mode: the imports at start-up, the four payroll actions with the list brought
// up to date after them, their errors reaching the user with the action's name, and the progress seam.

#include "binding/OrvADOConnection.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DeliveredDatabase.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "core/uUtils.h"
#include "exchange/uQueltKoppeling.h"
#include "exchangeui/fQueltKoppeling.h"
#include "overview/fMain.h"
#include "platform/Progress.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QFile>
#include <QTest>

namespace {
const QString kWerkgeversVraag =
    QStringLiteral("Alle werkgevers worden vanuit \"%1\" overgenomen. \n\r\n\rWilt u doorgaan?");
const QString kLoonsommenVraag = QStringLiteral(
    "Alle loonsommen worden vanuit \"%1\" overgenomen. De bestaande loonsommen worden overgeschreven. \n\r\n\rWilt u "
    "doorgaan?");
const QString kOngeldig =
    QStringLiteral("U dient de Quelt koppeling voor Quelt2024 aanpassen. De huidige koppeling is niet geldig.");
}

class tst_MainWindowQuelt : public TWidgetTest {
    Q_OBJECT
    void InitTest() override;
    void CleanupTest() override { FQuelt.reset(); }
private Q_SLOTS:
    void importsAtStartUp_data();
    void importsAtStartUp();
    void actionsBringTheListUpToDate();
    void onlyJaRunsAnAction_data();
    void onlyJaRunsAnAction();
    void actionErrorsReachTheUser_data();
    void actionErrorsReachTheUser();
    void linkWindowFromTheMenu();

private:
    // The program's database, with the employer of the payroll's first number when withEmployer, and the
    // link when given.
    void WriteZemlo(bool withEmployer, const QString& link);
    QString Link() const { return FQuelt->Directory() + u'/'; }
    static TOrvDBSortGrid* List(const TfrmMain& window) { return Child<TOrvDBSortGrid>(&window, "dbgridWG"); }
    // The employers the list shows (an empty list keeps one empty row under its titles).
    static int Rows(const TfrmMain& window) { return List(window)->IsEmpty() ? 0 : List(window)->RowCount() - 1; }
    std::unique_ptr<TTestDatabase> FQuelt;
};

// Two payroll employers with wage bookings in March.
void tst_MainWindowQuelt::InitTest() {
    FQuelt = std::make_unique<TTestDatabase>(QStringLiteral("QueltX2024.mdb"), true);
    TOrvADOConnection quelt;
    FQuelt->Open(quelt);
    for (const char* sql :
         {"INSERT INTO Werkgever (Werkgeversnummer, Ingangsdatum, Loonbelastingnummer, Naam, Bericht_TijdvakSoort) "
          "VALUES (1, '2024-01-01 00:00:00', '111111110L01', 'Alfa', 1), (2, '2024-01-01 00:00:00', '222222220L01', "
          "'Beta', 2)",
          "INSERT INTO BoekingsKolommen (Werkgeversnummer, Kolomboeking, KolomBedrag, Boekingsdatum) VALUES "
          "(1, 14, 100000, '2024-03-05 00:00:00'), (2, 14, 50000, '2024-03-05 00:00:00')"})
        Exec(quelt, QString::fromLatin1(sql));
    SluitZonderVraag = true;  // windows are destroyed without the close question
    QueltStart = true;
}

void tst_MainWindowQuelt::WriteZemlo(bool withEmployer, const QString& link) {
    CreateDeliveredDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")));
    TOrvADOConnection zemlo;
    ConnectDatabase(zemlo, ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(), QStringLiteral("Share Exclusive"));
    if (withEmployer)
        Exec(zemlo, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak) VALUES "
                                   "('111111110L01', 'Alfa', 1)"));
    if (!link.isEmpty()) SaveQueltKoppeling(&zemlo, link);
}

void tst_MainWindowQuelt::importsAtStartUp_data() {
    QTest::addColumn<bool>("queltStart");
    QTest::addColumn<QString>("link");  // "<link>": the payroll database's folder
    QTest::addColumn<bool>("withEmployer");
    QTest::addColumn<QStringList>("messages");  // %1: the link
    QTest::addColumn<int>("rows");
    QTest::newRow("without the switch nothing") << false << "<link>" << false << QStringList{} << 0;
    QTest::newRow("without a link nothing") << true << "" << true << QStringList{} << 1;
    QTest::newRow("first start: employers, then their wage sums")
        << true << "<link>" << false
        << QStringList{kWerkgeversVraag, "2 nieuwe werkgevers zijn geïmporteerd.", kLoonsommenVraag,
                       "Loonsommen zijn geïmporteerd."}
        << 2;
    QTest::newRow("with employers: the wage sums")
        << true << "<link>" << true << QStringList{kLoonsommenVraag, "Loonsommen zijn geïmporteerd."} << 1;
    QTest::newRow("an invalid link is reported, the program starts")
        << true << "/nergens/" << true << QStringList{kOngeldig} << 1;
}

void tst_MainWindowQuelt::importsAtStartUp() {
    QFETCH(bool, queltStart);
    QFETCH(QString, link);
    QFETCH(bool, withEmployer);
    QFETCH(QStringList, messages);
    QFETCH(int, rows);
    QueltStart = queltStart;
    WriteZemlo(withEmployer, link == u"<link>" ? Link() : link);
    TScriptedPresenter presenter;
    for (const QString& text : messages) presenter.Expect(text.startsWith(QStringLiteral("Alle ")) ? mrYes : mrOk);
    TfrmMain window;
    window.Initialize();
    QVERIFY(!window.Closed());
    QStringList shown;
    for (const TMessageRequest& m : presenter.Messages()) shown.append(m.Text);
    for (QString& text : messages)
        if (text.contains(QStringLiteral("%1"))) text = text.arg(Link());
    QCOMPARE(shown, messages);
    // The question asks, the result informs, an invalid link is an error.
    for (const TMessageRequest& m : presenter.Messages())
        QCOMPARE(m.Kind, m.Text == kOngeldig                          ? TOrvMessageType::mtError
                         : m.Text.startsWith(QStringLiteral("Alle ")) ? TOrvMessageType::mtQuestion
                                                                      : TOrvMessageType::mtMessage);
    QCOMPARE(Rows(window), rows);
    // After the wage sum import the list shows the free space of the imported wage sum (Alfa first).
    if (messages.contains(kLoonsommenVraag.arg(Link())))
        QCOMPARE(List(window)->CellText(1, 3), QStringLiteral("1.920,00"));
}

void tst_MainWindowQuelt::actionsBringTheListUpToDate() {
    WriteZemlo(false, Link());
    TScriptedPresenter presenter;
    presenter.Expect(mrNo);  // no employers at start-up
    TfrmMain window;
    window.Initialize();
    QCOMPARE(Rows(window), 0);
    TProgressState last;
    TProgress::InstallHook([&](const TProgressState& state) { last = state; });

    presenter.Expect(mrYes);
    presenter.Expect(mrOk);
    QCOMPARE(TriggerAction(&window, "acImporteerWerkgevers"), QString());
    QCOMPARE(presenter.Last().Text, QStringLiteral("2 nieuwe werkgevers zijn geïmporteerd."));
    QCOMPARE(Rows(window), 2);
    QCOMPARE(last.Title, QStringLiteral("Werkgevers importeren"));
    QVERIFY(last.Finished);

    presenter.Expect(mrYes);
    presenter.Expect(mrOk);
    QCOMPARE(TriggerAction(&window, "acImporteerLoonsommen"), QString());
    QCOMPARE(presenter.Last().Text, QStringLiteral("Loonsommen zijn geïmporteerd."));
    QCOMPARE(List(window)->CellText(1, 3), QStringLiteral("1.920,00"));
    QCOMPARE(last.Title, QStringLiteral("Loonsommen importeren"));

    presenter.Expect(mrYes);
    presenter.Expect(mrOk);
    QCOMPARE(TriggerAction(&window, "acExporteerKosten"), QString());
    QCOMPARE(presenter.Last().Text, QStringLiteral("Geen kosten beschikbaar."));
    QCOMPARE(last.Title, QStringLiteral("Kosten exporteren"));
    QCOMPARE(presenter.Unanswered(), 0);
    TProgress::InstallHook(nullptr);
}

void tst_MainWindowQuelt::onlyJaRunsAnAction_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("answer");
    for (const char* action : {"acImporteerWerkgevers", "acImporteerLoonsommen", "acExporteerKosten"}) {
        QTest::addRow("%s, Nee", action) << action << int(mrNo);
        QTest::addRow("%s, closed", action) << action << int(mrCancel);
    }
}

// Any answer but Ja to an action's question: no further message, neither database changed.
void tst_MainWindowQuelt::onlyJaRunsAnAction() {
    QFETCH(QString, action);
    QFETCH(int, answer);
    WriteZemlo(true, QString());
    TScriptedPresenter presenter;
    TfrmMain window;
    window.Initialize();
    SaveQueltKoppeling(window.DataModule()->ADOConnectionZemlo, Link());
    const QString freeSpace = List(window)->CellText(1, 3);
    QFile payroll(FQuelt->Path());
    QVERIFY(payroll.open(QIODevice::ReadOnly));
    const QByteArray payrollBefore = payroll.readAll();
    payroll.close();
    presenter.Expect(answer);
    QCOMPARE(TriggerAction(&window, action), QString());
    QCOMPARE(presenter.Count(), 1);
    QCOMPARE(presenter.Last().Kind, TOrvMessageType::mtQuestion);
    QCOMPARE(Rows(window), 1);
    QCOMPARE(List(window)->CellText(1, 3), freeSpace);
    QVERIFY(payroll.open(QIODevice::ReadOnly));
    QVERIFY(payroll.readAll() == payrollBefore);
}

void tst_MainWindowQuelt::actionErrorsReachTheUser_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("acImporteerWerkgevers")
        << "acImporteerWerkgevers"
        << "TfrmMain.acImporteerWerkgeversExecute: uQueltImport.ImporteerWerkgevers: ";
    QTest::newRow("acImporteerLoonsommen")
        << "acImporteerLoonsommen"
        << "TfrmMain.acImporteerLoonsommenExecute: uQueltImport.ImporteerLoonsommen: ";
    QTest::newRow("acExporteerKosten") << "acExporteerKosten"
                                       << "TfrmMain.acExporteerKostenExecute: uQueltExport.ExporteerKosten: ";
}

void tst_MainWindowQuelt::actionErrorsReachTheUser() {
    QFETCH(QString, action);
    QFETCH(QString, prefix);
    QueltStart = true;
    WriteZemlo(true, QString());
    TScriptedPresenter presenter;
    TfrmMain window;
    window.Initialize();
    SaveQueltKoppeling(window.DataModule()->ADOConnectionZemlo, Link());
    QVERIFY(QFile::setPermissions(FQuelt->Path(), QFileDevice::ReadOwner));
    presenter.Expect(mrYes);
    presenter.Expect(mrOk);
    QCOMPARE(TriggerAction(&window, action), QString());
    QCOMPARE(presenter.Count(), 2);
    QVERIFY(presenter.Last().PlainErrorBox);
    QCOMPARE(presenter.Last().Text, prefix + QStringLiteral("De Quelt database \"%1\" kan niet worden gebruikt: het "
                                                            "bestand is alleen-lezen.")
                                                 .arg(FQuelt->Path()));
    QVERIFY(QFile::setPermissions(FQuelt->Path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
}

void tst_MainWindowQuelt::linkWindowFromTheMenu() {
    WriteZemlo(true, QString());
    TScriptedPresenter presenter;
    TfrmMain window;
    window.Initialize();
    QString shownLink = QStringLiteral("<not shown>");
    const TWhenModal<TfrmQueltKoppeling> drive([&](TfrmQueltKoppeling* w) {
        auto* edit = Child<TOrvEdit>(w, "edQueltMap");
        shownLink = edit->text();
        QTest::keyClicks(edit, Link());
        QTest::mouseClick(Child<TOrvButton>(w, "btnOk"), Qt::LeftButton);
    });
    QCOMPARE(TriggerAction(&window, "acQueltKoppeling"), QString());
    QCOMPARE(shownLink, QString());
    QCOMPARE(GetQueltKoppeling(window.DataModule()->ADOConnectionZemlo), Link());
    QCOMPARE(presenter.Count(), 0);
}

QTEST_MAIN(tst_MainWindowQuelt)
#include "tst_MainWindowQuelt.moc"
