// The conversion window as the user meets it: the start-up question once per database, the action
// "Conversie", the window's question before a run, the run's messages, and its errors in the plain error box.

#include "binding/OrvADOConnection.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DeliveredDatabase.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "core/uUtils.h"
#include "exchangeui/fZemloImport.h"
#include "overview/fMain.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QFile>
#include <QTest>
#include <QtWidgets/QLabel>

namespace {
const QString kStartVraag = QStringLiteral("Wilt u de door u toegevoegde of aangepaste concerns, werkgevers en "
                                           "kostencategorieën vanuit Zemlo2023 overnemen?");
const QString kOkVraag = QStringLiteral("De conversie wordt opgestart. De nieuwe en aangepaste gegevens worden vanuit "
                                        "Zemlo2023 overgenomen.\n\r\n\rWilt u doorgaan?");
}

class tst_ZemloImportWindow : public TWidgetTest {
    Q_OBJECT
    void InitTest() override;
    void CleanupTest() override { FVorigJaar.reset(); }
private Q_SLOTS:
    void startUpQuestion_data();
    void startUpQuestion();
    void runFromTheMenu_data();
    void runFromTheMenu();

private:
    void WriteZemlo(const QString& marker);
    static int Rows(const TfrmMain& window) {
        auto* list = Child<TOrvDBSortGrid>(&window, "dbgridWG");
        return list->IsEmpty() ? 0 : list->RowCount() - 1;
    }
    std::unique_ptr<TTestDatabase> FVorigJaar;
};

// Last year's database with one employer in a concern.
void tst_ZemloImportWindow::InitTest() {
    FVorigJaar = std::make_unique<TTestDatabase>(QStringLiteral("Zemlo2023.mdb"));
    TOrvADOConnection oud;
    FVorigJaar->Open(oud);
    Exec(oud, QStringLiteral("INSERT INTO Concerns (ConcernId, Naam) VALUES (1, 'Holding X')"));
    Exec(oud, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, ConcernId) VALUES "
                             "('111111110', 'Alfa', 1, 1)"));
    SluitZonderVraag = true;  // windows are destroyed without the close question
}

void tst_ZemloImportWindow::WriteZemlo(const QString& marker) {
    CreateDeliveredDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")));
    if (marker.isNull()) return;
    TOrvADOConnection zemlo;
    ConnectDatabase(zemlo, ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(), QStringLiteral("Share Exclusive"));
    SetDBParamValue(&zemlo, QStringLiteral("Zemlo_Conversie"), marker);
}

void tst_ZemloImportWindow::startUpQuestion_data() {
    QTest::addColumn<QString>("marker");  // null: no row
    QTest::addColumn<int>("antwoord");    // 0: no question
    QTest::addColumn<QString>("daarna");  // the marker after the start
    QTest::newRow("no marker") << QString() << 0 << QString();
    QTest::newRow("N is left in place") << "N" << 0 << "N";
    QTest::newRow("y is not Y") << "y" << 0 << "y";
    QTest::newRow("Y and Nee") << "Y" << int(mrNo) << QString();
    QTest::newRow("Y and closed") << "Y" << int(mrCancel) << QString();
    QTest::newRow("Y and Ja opens the window") << "Y" << int(mrYes) << QString();
}

void tst_ZemloImportWindow::startUpQuestion() {
    QFETCH(QString, marker);
    QFETCH(int, antwoord);
    QFETCH(QString, daarna);
    WriteZemlo(marker);
    TScriptedPresenter presenter;
    if (antwoord) presenter.Expect(antwoord);
    QStringList getoond;
    const TWhenModal<TfrmZemloImport> drive([&](TfrmZemloImport* w) {
        getoond << w->windowTitle() << Child<QLabel>(w, "lblSelectZemloDir")->text()
                << Child<TOrvEdit>(w, "edZemloMap")->text();
        QTest::mouseClick(Child<TOrvButton>(w, "btnCancel"), Qt::LeftButton);
    });
    TfrmMain window;
    window.Initialize();
    QVERIFY(!window.Closed());
    QCOMPARE(presenter.Count(), antwoord ? 1 : 0);
    if (antwoord) QCOMPARE(presenter.Last().Text, kStartVraag);
    const QStringList venster{QStringLiteral("Conversie Zemlo gegevens"),
                              QStringLiteral("Selecteer Zemlo2023 programmadirectory"), QString()};
    QCOMPARE(getoond, antwoord == mrYes ? venster : QStringList());
    QCOMPARE(GetDBParamValue(window.DataModule()->ADOConnectionZemlo, QStringLiteral("Zemlo_Conversie")), daarna);
}

void tst_ZemloImportWindow::runFromTheMenu_data() {
    QTest::addColumn<QString>("map");            // typed into the window; <vorig> is last year's folder
    QTest::addColumn<int>("antwoord");           // to the window's question
    QTest::addColumn<QStringList>("berichten");  // after the question
    QTest::addColumn<int>("rijen");              // the list after the window
    const QStringList drie{QStringLiteral("Eén nieuw concern is geïmporteerd."),
                           QStringLiteral("Eén nieuwe werkgever is geïmporteerd."),
                           QStringLiteral("Kostencategorieën zijn niet gewijzigd.")};
    QTest::newRow("Ja runs it") << "<vorig>" << int(mrYes) << drie << 1;
    QTest::newRow("closed runs it too") << "<vorig>" << int(mrCancel) << drie << 1;
    QTest::newRow("Nee stops") << "<vorig>" << int(mrNo) << QStringList{} << 0;
    QTest::newRow("a folder without last year's database")
        << "<leeg>" << int(mrYes)
        << QStringList{QStringLiteral(
               "U dient de programmadirectory voor Zemlo2023 aan te passen. De huidige directory "
               "is niet geldig.")}
        << 0;
    QTest::newRow("an Access file without the tables")
        << "<access>" << int(mrYes)
        << QStringList{QStringLiteral(
               "TfrmZemloImport.btnOkClick: TfrmZemloImport.SetZemloOldConnection: De Zemlo2023 "
               "database \"<access>Zemlo2023.mdb\" kan niet worden gebruikt: de tabel Concerns, de "
               "tabel Werkgevers en de tabel KostenCategorieen ontbreken.")}
        << 0;
}

void tst_ZemloImportWindow::runFromTheMenu() {
    QFETCH(QString, map);
    QFETCH(int, antwoord);
    QFETCH(QStringList, berichten);
    QFETCH(int, rijen);
    const QTemporaryDir anders;
    const QString leeg = anders.path() + u'/';
    if (map == u"<access>")
        QVERIFY(QFile::copy(qEnvironmentVariable("ZEMLO_FIXTURE_CACHE") + QStringLiteral("/fruit.mdb"),
                            leeg + QStringLiteral("Zemlo2023.mdb")));
    const QString getypt = map == u"<vorig>" ? FVorigJaar->Directory() : leeg;
    for (QString& b : berichten) b.replace(QStringLiteral("<access>"), leeg);
    WriteZemlo(QString());
    TScriptedPresenter presenter;
    TfrmMain window;
    window.Initialize();
    presenter.Expect(antwoord);
    for (int i = 0; i < berichten.size(); ++i) presenter.Expect(mrOk);
    bool openNaOk = false;
    const TWhenModal<TfrmZemloImport> drive([&](TfrmZemloImport* w) {
        QTest::keyClicks(Child<TOrvEdit>(w, "edZemloMap"), getypt);
        QTest::mouseClick(Child<TOrvButton>(w, "btnOk"), Qt::LeftButton);
        openNaOk = w->isVisible();
        QTest::mouseClick(Child<TOrvButton>(w, "btnCancel"), Qt::LeftButton);
    });
    QCOMPARE(TriggerAction(&window, "acConversie"), QString());
    QVERIFY(openNaOk);
    QStringList getoond;
    for (const TMessageRequest& m : presenter.Messages()) getoond.append(m.Text);
    QCOMPARE(getoond, QStringList{kOkVraag} + berichten);
    // A missing database is an error, a result information.
    for (const TMessageRequest& m : presenter.Messages().mid(1))
        if (!m.PlainErrorBox)
            QCOMPARE(m.Kind, map == u"<leeg>" ? TOrvMessageType::mtError : TOrvMessageType::mtMessage);
    QCOMPARE(presenter.Unanswered(), 0);
    QCOMPARE(Rows(window), rijen);
}

QTEST_MAIN(tst_ZemloImportWindow)
#include "tst_ZemloImportWindow.moc"
