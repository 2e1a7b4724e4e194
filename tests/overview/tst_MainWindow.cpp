// The main window driven offscreen: start-up and its failures, the list, the actions and the close.

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DemoData.h"
#include "core/OrvMessages.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "core/uUtils.h"
#include "overview/fMain.h"
#include "platform/ProgramDirectory.h"
#include "testlib/BadDatabaseFiles.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>

#include <stdexcept>

namespace {
// The main window with an employer edit window that stores what the test asks for.
class TfrmMainWithEditWindow : public TfrmMain {
public:
    std::function<void(int mode, qint64& key)> EditWindow;
    QList<std::pair<int, qint64>> Calls;

protected:
    void ExecWerkgeverWindow(int mode, qint64& key) override {
        Calls.append({mode, key});
        if (EditWindow) EditWindow(mode, key);
    }
};

// The main window with a start-up step that fails with the error a test names.
class TfrmMainFailingStartUp : public TfrmMain {
public:
    QString Failure;  // "program" (a std::exception) or "unknown" (not one at all)

public:
    void EnableDisable() override {
        if (Failure == u"program") throw std::runtime_error("vector::_M_range_check");
        if (Failure == u"unknown") throw 42;
        TfrmMain::EnableDisable();
    }
};

QStringList VisibleItems(QMenu* menu) {
    QStringList items;
    for (QAction* action : menu->actions())
        if (action->isVisible() && !action->isSeparator()) items.append(action->text());
    return items;
}

const QString kInitialisatie =
    QStringLiteral("De volgende fout is opgetreden tijdens initialisatie. Het programma wordt beëindigd: \r\r");
}

class tst_MainWindow : public TWidgetTest {
    Q_OBJECT
    void InitTest() override;
private Q_SLOTS:
    void normalStartShowsTheListSortedOnName();
    void failedOpenEndsWithoutCloseQuestion_data();
    void failedOpenEndsWithoutCloseQuestion();
    void badDatabaseFileEndsWithoutCompaction_data();
    void badDatabaseFileEndsWithoutCompaction();
    void anyStartUpErrorEndsTheProgram_data();
    void anyStartUpErrorEndsTheProgram();
    void emptyListDisablesChangeAndDelete();
    void payrollActionsOnlyWithSwitch_data();
    void payrollActionsOnlyWithSwitch();
    void refreshKeepsTheFilterLabel();
    void filterOffClearsTheFilter();
    void closeQuestion();
    void closeCompactsTheDatabase();
    void editWindowPositionsTheList_data();
    void editWindowPositionsTheList();
    void serviceInformation();

private:
    void WriteDemoDatabase(int employers);
    static TOrvDBSortGrid* List(const TfrmMain& window) { return Child<TOrvDBSortGrid>(&window, "dbgridWG"); }
    static QLabel* FilterLabel(const TfrmMain& window) { return Child<QLabel>(&window, "lblFiltered"); }
    QString FDatabase;
};

// The user's own selection colour, which the program replaces while it runs.
void tst_MainWindow::InitTest() {
    FDatabase = ProgramFile(QStringLiteral("Zemlo2024.mdb"));
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Highlight, QColor(0x30, 0x8C, 0xC6));
    QApplication::setPalette(palette);
}

void tst_MainWindow::WriteDemoDatabase(int employers) {
    TDemoOptions options;
    options.Werkgevers = employers;
    CreateDemoDatabase(FDatabase, options);
}

void tst_MainWindow::normalStartShowsTheListSortedOnName() {
    WriteDemoDatabase(25);
    TScriptedPresenter messages;
    SluitZonderVraag = true;  // the window is destroyed without the close question
    TfrmMain window;
    window.Initialize();
    QVERIFY(!window.Closed());
    QCOMPARE(messages.Count(), 0);
    QCOMPARE(MessageTeksten.Application, QStringLiteral("Pavenda"));
    TOrvDBSortGrid* list = List(window);
    QVERIFY(list);
    QCOMPARE(list->RowCount() - 1, 25);
    QCOMPARE(list->Row(), 1);
    for (int row = 1; row < 25; ++row)
        QVERIFY2(list->CellText(row, 1).compare(list->CellText(row + 1, 1), Qt::CaseInsensitive) <= 0,
                 qPrintable(list->CellText(row, 1)));
    // Selected rows use the program's colour; the user's own colour is kept to be put back.
    QCOMPARE(QApplication::palette().color(QPalette::Highlight), kSelectionColor);
    QCOMPARE(GetDBParamValue(window.DataModule()->ADOConnectionZemlo, QStringLiteral("SelSysColor")),
             QString::number(0x308CC6));
}

void tst_MainWindow::failedOpenEndsWithoutCloseQuestion_data() {
    QTest::addColumn<QString>("problem");
    QTest::addColumn<QString>("expected");  // %1: the database path
    QTest::newRow("missing")
        << "missing"
        << "ConnectToZemloDatabase: ConnectDatabase: Database does not exists or is not accessable: %1";
    QTest::newRow("read-only") << "readonly"
                               << "ConnectToZemloDatabase: ConnectDatabase: The file attributes of file \"%1\" prevent "
                                  "the file from being accessed.";
    QTest::newRow("held by another") << "held"
                                     << "ConnectToZemloDatabase: ConnectDatabase: The database is in use by another "
                                        "process: %1";
}

void tst_MainWindow::failedOpenEndsWithoutCloseQuestion() {
    QFETCH(QString, problem);
    QFETCH(QString, expected);
    TOrvADOConnection holder;
    if (problem != u"missing") WriteDemoDatabase(3);
    if (problem == u"readonly") QVERIFY(QFile::setPermissions(FDatabase, QFileDevice::ReadOwner));
    if (problem == u"held") ConnectDatabase(holder, FDatabase, QString(), QStringLiteral("Share Exclusive"));

    TScriptedPresenter messages;
    messages.Expect(mrOk);
    TfrmMain window;
    window.Initialize();
    QVERIFY(window.Closed());
    QCOMPARE(messages.Count(), 1);  // the error, and no close question
    QCOMPARE(messages.Last().Kind, TOrvMessageType::mtError);
    QCOMPARE(messages.Last().Caption, QStringLiteral("Pavenda"));
    QCOMPARE(messages.Last().Title, QStringLiteral("Initialisatie"));
    QCOMPARE(messages.Last().Text, kInitialisatie + expected.arg(FDatabase));
}

// The file is named with what is wrong with it; the program ends without the close question, and neither
// start-up nor the shut-down's compaction changes the file.
void tst_MainWindow::badDatabaseFileEndsWithoutCompaction_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");  // %1: the database path
    for (const TBadDatabaseFile& bad : BadDatabaseFiles())
        QTest::newRow(qPrintable(bad.Name))
            << bad.Content
            << QStringLiteral("ConnectToZemloDatabase: ") +
                   (bad.RefusedByEngine ? QStringLiteral("ConnectDatabase: ") : QString()) + bad.Message;
}

void tst_MainWindow::badDatabaseFileEndsWithoutCompaction() {
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    WriteBytes(FDatabase, content);
    TScriptedPresenter messages;
    messages.Expect(mrOk);
    {
        TfrmMain window;
        window.Initialize();
        QVERIFY(window.Closed());
    }
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Title, QStringLiteral("Initialisatie"));
    QCOMPARE(messages.Last().Text, kInitialisatie + expected.arg(FDatabase));
    QCOMPARE(ShutdownExitCode, 0);
    QCOMPARE(ReadBytes(FDatabase), content);
    QCOMPARE(QDir(ProgramDir()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Zemlo2024.mdb")});
}

// An error of any kind takes the "Initialisatie" path; the database opened, so closing still asks.
void tst_MainWindow::anyStartUpErrorEndsTheProgram_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");
    QTest::newRow("program error") << "program"
                                   << "vector::_M_range_check";
    QTest::newRow("not an error object") << "unknown"
                                         << "Onbekende fout.";
}

void tst_MainWindow::anyStartUpErrorEndsTheProgram() {
    QFETCH(QString, failure);
    QFETCH(QString, message);
    WriteDemoDatabase(2);
    TScriptedPresenter messages;
    messages.Expect(mrOk);
    messages.Expect(mrYes);
    TfrmMainFailingStartUp window;
    window.Failure = failure;
    window.Initialize();
    QVERIFY(window.Closed());
    QCOMPARE(messages.Count(), 2);
    QCOMPARE(messages.Messages()[0].Kind, TOrvMessageType::mtError);
    QCOMPARE(messages.Messages()[0].Title, QStringLiteral("Initialisatie"));
    QCOMPARE(messages.Messages()[0].Text, kInitialisatie + message);
    QCOMPARE(messages.Last().Text, QStringLiteral("Weet u zeker dat u het programma wilt verlaten?"));
}

void tst_MainWindow::emptyListDisablesChangeAndDelete() {
    TTestDatabase delivered;  // an empty delivered database in the program directory
    QVERIFY(QFile::copy(delivered.Path(), FDatabase));
    SluitZonderVraag = true;
    TfrmMainWithEditWindow window;
    window.Initialize();
    TOrvDBSortGrid* list = List(window);
    QVERIFY(list);
    QVERIFY(list->IsEmpty());
    auto* change = Child<QAction>(&window, "acWerkgeverWijzigen");
    auto* remove = Child<QAction>(&window, "acWerkgeverVerwijderen");
    auto* changeButton = Child<TOrvButton>(&window, "btnWerkgever");
    auto* add = Child<QAction>(&window, "acWerkgeverToevoegen");
    QVERIFY(change && remove && changeButton && add);
    QVERIFY(!change->isEnabled());
    QVERIFY(!remove->isEnabled());
    QVERIFY(!changeButton->isEnabled());
    QVERIFY(add->isEnabled());
    // Enter and Delete on the empty list open nothing.
    window.show();
    QTest::keyClick(list->Grid(), Qt::Key_Return);
    QTest::keyClick(list->Grid(), Qt::Key_Delete);
    QVERIFY(window.Calls.isEmpty());
}

void tst_MainWindow::payrollActionsOnlyWithSwitch_data() {
    QTest::addColumn<bool>("queltStart");
    QTest::addColumn<QStringList>("functies");
    QTest::newRow("without quelt_start") << false
                                         << QStringList{QStringLiteral("Conversie"), QStringLiteral("&Rapportage")};
    QTest::newRow("with quelt_start") << true << QStringList{QStringLiteral("&Quelt koppeling"),
                                                             QStringLiteral("&Exporteer kosten"),
                                                             QStringLiteral("Importeer &werkgevers"),
                                                             QStringLiteral("Importeer &loonsommen"),
                                                             QStringLiteral("Conversie"),
                                                             QStringLiteral("&Rapportage")};
}

void tst_MainWindow::payrollActionsOnlyWithSwitch() {
    QFETCH(bool, queltStart);
    QFETCH(QStringList, functies);
    WriteDemoDatabase(2);
    QueltStart = queltStart;
    SluitZonderVraag = true;
    TfrmMain window;
    window.Initialize();
    auto* menu = Child<QMenu>(&window, "mnFuncties");
    QVERIFY(menu);
    QCOMPARE(VisibleItems(menu), functies);
}

void tst_MainWindow::refreshKeepsTheFilterLabel() {
    WriteDemoDatabase(10);
    SluitZonderVraag = true;
    TfrmMain window;
    window.Initialize();
    window.show();
    TOrvDBSortGrid* list = List(window);
    QLabel* label = FilterLabel(window);
    QVERIFY(list && label);
    QCOMPARE(label->text(), QString());
    window.FFilter.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
    window.SetupWerkgeversGrid();
    window.UpdateFiltered();
    const QString provisionalLeftOut = list->CellText(1, 3);

    // Another program's change shows after F5; the filter and its label stay.
    TOrvADOConnection* connection = window.DataModule()->ADOConnectionZemlo;
    Exec(*connection, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak) "
                                     "VALUES ('TYDELYKL01', 'AAA Nieuwe werkgever', 1)"));
    QTest::keyClick(list->Grid(), Qt::Key_F5);
    QCOMPARE(label->text(), QStringLiteral("(Filter actief) "));
    QCOMPARE(list->RowCount() - 1, 11);
    QVERIFY(list->FindKey(QStringLiteral("Naam"), QStringLiteral("AAA Nieuwe werkgever")));
    QVERIFY(window.FFilter.FilterFieldHasValue(QStringLiteral("ExclusiefProforma")));
    QVERIFY(!provisionalLeftOut.isEmpty());
}

void tst_MainWindow::filterOffClearsTheFilter() {
    WriteDemoDatabase(4);
    SluitZonderVraag = true;
    TfrmMain window;
    window.Initialize();
    TOrvDBSortGrid* list = List(window);
    QLabel* label = FilterLabel(window);
    QVERIFY(list && label);
    window.FFilter.SetFilterField(QStringLiteral("ConcernId"), QStringLiteral("1"), TFieldType::ftString);
    window.SetupWerkgeversGrid();
    window.UpdateFiltered();
    QCOMPARE(label->text(), QStringLiteral("(Filter actief) "));
    QCOMPARE(TriggerAction(&window, "acFilterUit"), QString());
    QCOMPARE(window.FFilter.Count(), 0);
    QCOMPARE(label->text(), QString());
    QCOMPARE(list->RowCount() - 1, 4);
}

void tst_MainWindow::closeQuestion() {
    WriteDemoDatabase(2);
    TScriptedPresenter messages;
    TfrmMain window;
    window.Initialize();
    window.show();
    messages.Expect(mrNo);
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(window.isVisible());
    QVERIFY(!window.Closed());
    QCOMPARE(messages.Last().Title, QStringLiteral("Afsluiten"));
    QCOMPARE(messages.Last().Text, QStringLiteral("Weet u zeker dat u het programma wilt verlaten?"));
    QCOMPARE(messages.Last().ButtonSet, 4);
    messages.Expect(mrYes);
    auto* close = Child<TOrvButton>(&window, "btnAfsluiten");
    QVERIFY(close);
    close->click();
    QVERIFY(window.Closed());
    QVERIFY(!window.isVisible());
    QCOMPARE(messages.Count(), 2);
}

void tst_MainWindow::closeCompactsTheDatabase() {
    WriteDemoDatabase(3);
    {
        TScriptedPresenter messages;
        messages.Expect(mrYes);
        TfrmMain window;
        window.Initialize();
        window.show();
        window.close();
        QVERIFY(window.Closed());
    }
    QVERIFY(QFile::exists(ProgramFile(QStringLiteral("Zemlo2024.bak"))));
    QVERIFY(QFile::exists(FDatabase));
    QCOMPARE(ShutdownExitCode, 0);
}

void tst_MainWindow::editWindowPositionsTheList_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("stored");              // the edit window reports the new employer's key
    QTest::addColumn<QString>("expectedCurrent");  // "new", "first" or "same"
    QTest::newRow("add, key reported") << 0 << true << "new";
    QTest::newRow("add, no key") << 0 << false << "first";
    QTest::newRow("change") << 1 << false << "same";
}

void tst_MainWindow::editWindowPositionsTheList() {
    QFETCH(int, mode);
    QFETCH(bool, stored);
    QFETCH(QString, expectedCurrent);
    WriteDemoDatabase(12);
    SluitZonderVraag = true;
    TfrmMainWithEditWindow window;
    window.Initialize();
    window.show();
    TOrvDBSortGrid* list = List(window);
    QVERIFY(list);
    list->SetRow(5);
    const QString before = list->CellText(5, 1);
    window.EditWindow = [&](int, qint64& key) {
        if (!stored) return;
        TOrvADOConnection* c = window.DataModule()->ADOConnectionZemlo;
        Exec(*c, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak) "
                                "VALUES ('TYDELYKL02', 'Middenstand Nieuw', 1)"));
        key = c->LastInsertId();
    };
    if (mode == 0)
        QCOMPARE(TriggerAction(&window, "acWerkgeverToevoegen"), QString());
    else
        QTest::keyClick(list->Grid(), Qt::Key_Return);
    QCOMPARE(window.Calls.size(), 1);
    QCOMPARE(window.Calls.first().first, mode);
    const QString current = list->CellText(list->Row(), 1);
    if (expectedCurrent == u"new") QCOMPARE(current, QStringLiteral("Middenstand Nieuw"));
    if (expectedCurrent == u"first") QCOMPARE(list->Row(), 1);
    if (expectedCurrent == u"same") QCOMPARE(current, before);
}

void tst_MainWindow::serviceInformation() {
    WriteDemoDatabase(1);
    SluitZonderVraag = true;
    TfrmMain window;
    window.Initialize();
    window.show();
    QString version, directory, caption;
    const TWhenModal<> whenShown([&](QWidget* about) {
        caption = about->windowTitle();
        version = about->findChild<QLabel*>(QStringLiteral("lblDatabaseVersie"))->text();
        directory = about->findChild<QLabel*>(QStringLiteral("lblDirectory"))->text();
        QTest::keyClick(about, Qt::Key_Escape);
    });
    QCOMPARE(TriggerAction(&window, "acServiceInformatie"), QString());
    QCOMPARE(caption, QStringLiteral("Over Pavenda 2024"));
    QCOMPARE(version, QStringLiteral("Versie 2024.1"));
    QCOMPARE(directory, ProgramDirectory());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_MainWindow.moc"
