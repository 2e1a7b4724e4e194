// The employer window through the main window on a demo database: the clerk's keyboard run (add, find,
// wage sums for all periods, refused delete), bad input at every check, the concern change, and the
// first dependent row of a new employer.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvDBSortGrid.h"
#include "controls/OrvNumed.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "maintenance/fMutLoonsom.h"
#include "maintenance/fMutWerkgever.h"
#include "overview/fMain.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/Keyboard.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTabWidget>

class tst_Werkgever : public TWidgetTest {
    Q_OBJECT
    void InitTest() override {
        CreateDemoDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")), {});
        SluitZonderVraag = true;
    }

    qint64 Count(TfrmMain& main, const QString& sql) {
        TOrvQuery q(nullptr, main.DataModule()->ADOConnectionZemlo);
        q.SetSQL(sql);
        q.Open();
        return q.FieldValue(0).toLongLong();
    }
    // The first demo employer with a concern: its key, number and name.
    QStringList DemoWerkgever(TfrmMain& main) {
        TOrvQuery q(nullptr, main.DataModule()->ADOConnectionZemlo);
        q.SetSQL(QStringLiteral("SELECT WerkgeverId, Loonheffingennummer, Naam FROM Werkgevers "
                                "WHERE ConcernId IS NOT NULL ORDER BY WerkgeverId"));
        q.Open();
        return {q.FieldValue(0).toString(), q.FieldValue(1).toString(), q.FieldValue(2).toString()};
    }

private Q_SLOTS:
    void keyboardRun();
    void badInput_data();
    void badInput();
    void lhNummerOnLeaving_data();
    void lhNummerOnLeaving();
    void unchangedStoredNumberIsNotChecked();
    void concernChange_data();
    void concernChange();
    void firstWageSumStoresTheNewEmployer();
};

void tst_Werkgever::keyboardRun() {
    TScriptedPresenter messages;
    TfrmMain main;
    main.Initialize();
    main.show();
    auto* list = Child<TOrvDBSortGrid>(&main, "dbgridWG");
    QVERIFY(list);
    QVERIFY(Activated(&main));
    QVERIFY(list->Focused());  // the clerk starts in the list
    const qint64 before = Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers"));

    QString caption;
    {
        TWhenModal<TfrmMutWerkgever> add([&](TfrmMutWerkgever* window) {
            caption = window->windowTitle();
            QVERIFY(Activated(window));
            QVERIFY(TypeText(QStringLiteral("12345678201")));
            QVERIFY(PressKey(Qt::Key_Tab));
            QVERIFY(TypeText(QStringLiteral("Bakkerij Toetsenbord")));
            QVERIFY(PressKey(Qt::Key_Tab));
            QVERIFY(TypeText(QStringLiteral("M")));
            QVERIFY(PressKey(Qt::Key_Tab));
            PressAlt(window, Qt::Key_O);
        });
        QTest::keyClick(list->Grid(), Qt::Key_Insert);
    }
    QCOMPARE(caption, QStringLiteral("Toevoegen -  werkgever"));
    QCOMPARE(messages.Count(), 0);
    QCOMPARE(Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers")), before + 1);
    const qint64 id =
        Count(main, QStringLiteral("SELECT WerkgeverId FROM Werkgevers WHERE "
                                   "Loonheffingennummer = '123456782L01' AND Naam = "
                                   "'Bakkerij Toetsenbord' AND AangifteTijdvak = 1 AND ConcernId IS NULL"));
    QVERIFY(id > 0);

    // Found by typing its number in the number column of the rebuilt list.
    QVERIFY(Activated(&main));
    list->SetFocus();
    list->SetRow(1);
    QVERIFY(TypeText(QStringLiteral("123456782L01")));
    QTRY_COMPARE(list->CellText(list->Row(), 0), QStringLiteral("123456782L01"));

    QStringList wageSums;
    QString freeSpace;
    {
        TWhenModal<TfrmMutWerkgever> edit([&](TfrmMutWerkgever* window) {
            caption = window->windowTitle();
            QVERIFY(Activated(window));
            PressAlt(window, Qt::Key_L);
            TWhenModal<TfrmMutLoonsom> wageSum([&](TfrmMutLoonsom* sum) {
                QVERIFY(Activated(sum));
                QVERIFY(TypeText(QStringLiteral("A")));  // "Alle tijdvakken"
                QVERIFY(PressKey(Qt::Key_Tab));
                QVERIFY(PressKey(Qt::Key_Tab));  // "Proforma" stays ticked
                QVERIFY(TypeText(QStringLiteral("1000")));
                PressAlt(sum, Qt::Key_O);
            });
            PressAlt(window, Qt::Key_T);
            auto* sums = Child<TOrvDBSortGrid>(Child<QWidget>(window, "frmChildSelLoonsommen"), "dbgridChildSelect");
            for (int row = 1; sums && row < sums->RowCount(); ++row) wageSums << sums->CellText(row, 2);
            freeSpace = Child<TOrvDBNumericEdit>(window, "edVrijeRuimte")->AsText();
            PressAlt(window, Qt::Key_A);
        });
        QVERIFY(PressKey(Qt::Key_Return));
    }
    QCOMPARE(caption, QStringLiteral("Wijzigen -  werkgever"));
    QCOMPARE(wageSums, QStringList(12, QStringLiteral("1.000,00")));
    QCOMPARE(freeSpace, QStringLiteral("230,40"));  // 1.92 % of 12 x 1.000
    QCOMPARE(Count(main, QStringLiteral("SELECT COUNT(*) FROM Loonsommen WHERE Proforma = True AND Bedrag = 1000 "
                                        "AND WerkgeverId = %1")
                             .arg(id)),
             12);

    // The list stands on the employer again; Delete is refused while it holds wage sums.
    QCOMPARE(list->CellText(list->Row(), 0), QStringLiteral("123456782L01"));
    messages.Expect(mrOk);
    {
        TWhenModal<TfrmMutWerkgever> remove([&](TfrmMutWerkgever* window) {
            caption = window->windowTitle();
            QVERIFY(Activated(window));
            PressAlt(window, Qt::Key_O);
            QVERIFY(window->isVisible());
            PressAlt(window, Qt::Key_A);
        });
        QTest::keyClick(list->Grid(), Qt::Key_Delete);
    }
    QCOMPARE(caption, QStringLiteral("Verwijderen -  werkgever"));
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, QStringLiteral("Deze werkgever is al in gebruik."));
    QCOMPARE(Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers WHERE WerkgeverId = %1").arg(id)), 1);
}

// Each check refuses with its message, keeps the focus on the field and what was typed, and stores nothing.
void tst_Werkgever::badInput_data() {
    QTest::addColumn<QString>("nummer");
    QTest::addColumn<QString>("naam");
    QTest::addColumn<bool>("weigerend");   // the database refuses every new employer
    QTest::addColumn<QString>("message");  // empty: stored
    QTest::addColumn<QString>("focus");
    QTest::newRow("valid") << "12345678201"
                           << "Nieuw BV" << false << ""
                           << "";
    QTest::newRow("number fails the check") << "123456789L01"
                                            << "Nieuw BV" << false << "Het loonheffingennummer is ongeldig."
                                            << "edLHNummer";
    QTest::newRow("number of another") << "demo"
                                       << "Nieuw BV" << false << "Het door u gekozen loonheffingenummer bestaat reeds."
                                       << "edLHNummer";
    QTest::newRow("name of another") << "12345678201"
                                     << "demo" << false << "De door u gekozen naam bestaat reeds."
                                     << "edNaam";
    QTest::newRow("database refuses") << "12345678201"
                                      << "Nieuw BV" << true << "Opslaan mislukt. "
                                      << "";
}

void tst_Werkgever::badInput() {
    QFETCH(QString, nummer);
    QFETCH(QString, naam);
    QFETCH(bool, weigerend);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TScriptedPresenter messages;
    TfrmMain main;
    main.Initialize();
    TOrvADOConnection& c = *main.DataModule()->ADOConnectionZemlo;
    const QStringList demo = DemoWerkgever(main);
    if (nummer == u"demo") nummer = demo[1];
    if (naam == u"demo") naam = demo[2];
    if (weigerend)
        Exec(c, QStringLiteral(
                    "CREATE TRIGGER Weiger BEFORE INSERT ON Werkgevers BEGIN SELECT RAISE(ABORT, 'geweigerd'); END"));
    const qint64 before = Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers"));
    TfrmMutWerkgever window(&main);
    window.Initialize(mdInsert, -1);
    window.show();
    QApplication::setActiveWindow(&window);
    Child<TOrvDBEdit>(&window, "edLHNummer")->SetFocus();
    QVERIFY(TypeText(nummer));
    QVERIFY(PressKey(Qt::Key_Tab));
    QVERIFY(TypeText(naam));
    QVERIFY(PressKey(Qt::Key_Tab));
    QVERIFY(TypeText(QStringLiteral("4")));  // "4-weken"
    if (!message.isEmpty()) messages.Expect(mrOk);
    QCOMPARE(TriggerAction(&window, "acOk"), QString());
    const bool stored = message.isEmpty();
    QCOMPARE(window.isVisible(), !stored);
    QCOMPARE(Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers")), before + (stored ? 1 : 0));
    if (stored) {
        QCOMPARE(messages.Count(), 0);
        QCOMPARE(Count(main, QStringLiteral("SELECT AangifteTijdvak FROM Werkgevers WHERE Naam = 'Nieuw BV'")), 2);
        return;
    }
    QCOMPARE(messages.Count(), 1);
    QVERIFY2(messages.Last().Text.startsWith(message), qPrintable(messages.Last().Text));
    if (!focus.isEmpty()) QCOMPARE(FocusedControl(), focus);
    QCOMPARE(Child<TOrvDBEdit>(&window, "edNaam")->AsText(), naam);
}

void tst_Werkgever::lhNummerOnLeaving_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("eleven digits") << "12345678201"
                                   << "123456782L01";
    QTest::newRow("one character") << "1"
                                   << "L1";
    QTest::newRow("empty") << ""
                           << "L";
    QTest::newRow("letter anywhere") << "12L345"
                                     << "12L345";
}

void tst_Werkgever::lhNummerOnLeaving() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    TfrmMain main;
    main.Initialize();
    TfrmMutWerkgever window(&main);
    window.Initialize(mdInsert, -1);
    window.show();
    QApplication::setActiveWindow(&window);
    auto* nummer = Child<TOrvDBEdit>(&window, "edLHNummer");
    nummer->SetFocus();
    QVERIFY(TypeText(typed));
    QVERIFY(PressKey(Qt::Key_Tab));
    QCOMPARE(nummer->AsText(), shown);
}

// Only a changed number is checked: a stored number that fails the check can be kept.
void tst_Werkgever::unchangedStoredNumberIsNotChecked() {
    TScriptedPresenter messages;
    TfrmMain main;
    main.Initialize();
    const QStringList demo = DemoWerkgever(main);
    Exec(*main.DataModule()->ADOConnectionZemlo,
         QStringLiteral("UPDATE Werkgevers SET Loonheffingennummer = '123456789L01' WHERE WerkgeverId = %1")
             .arg(demo[0]));
    TfrmMutWerkgever window(&main);
    window.Initialize(mdEdit, demo[0].toInt());
    window.show();
    Child<TOrvDBEdit>(&window, "edNaam")->Edit()->setText(QStringLiteral("Andere naam BV"));
    QCOMPARE(TriggerAction(&window, "acOk"), QString());
    QCOMPARE(messages.Count(), 0);
    QVERIFY(!window.isVisible());
    QCOMPARE(Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers WHERE Naam = 'Andere naam BV' AND "
                                        "Loonheffingennummer = '123456789L01'")),
             1);
}

// A new employer is stored first after a question; an existing one stores the new concern at once, which
// cancelling the window does not undo. The concern column shows exactly while a concern is chosen.
void tst_Werkgever::concernChange_data() {
    QTest::addColumn<bool>("nieuw");
    QTest::addColumn<bool>("leeg");   // the empty entry instead of a concern
    QTest::addColumn<int>("answer");  // to the store question; -1: none asked
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("stored");
    QTest::newRow("new, Nee") << true << false << int(mrNo) << "Toevoegen -  werkgever" << false;
    QTest::newRow("new, Ja") << true << false << int(mrYes) << "Wijzigen -  werkgever" << true;
    QTest::newRow("existing, other concern") << false << false << -1 << "Wijzigen -  werkgever" << true;
    QTest::newRow("existing, no concern") << false << true << -1 << "Wijzigen -  werkgever" << true;
}

void tst_Werkgever::concernChange() {
    QFETCH(bool, nieuw);
    QFETCH(bool, leeg);
    QFETCH(int, answer);
    QFETCH(QString, caption);
    QFETCH(bool, stored);
    TScriptedPresenter messages;
    TfrmMain main;
    main.Initialize();
    const QStringList demo = DemoWerkgever(main);
    const qint64 other = Count(main, QStringLiteral("SELECT MAX(ConcernId) FROM Concerns WHERE ConcernId <> "
                                                    "(SELECT ConcernId FROM Werkgevers WHERE WerkgeverId = %1)")
                                         .arg(demo[0]));
    TfrmMutWerkgever window(&main);
    window.Initialize(nieuw ? mdInsert : mdEdit, nieuw ? -1 : demo[0].toInt());
    window.show();
    QApplication::setActiveWindow(&window);
    if (nieuw) {
        Child<TOrvDBEdit>(&window, "edLHNummer")->Edit()->setText(QStringLiteral("123456782L01"));
        Child<TOrvDBEdit>(&window, "edNaam")->Edit()->setText(QStringLiteral("Nieuw BV"));
        Child<TOrvDBComboboxEx>(&window, "cmbBerichtTijdvak")->SetValue(QStringLiteral("1"));
    }
    if (answer >= 0) messages.Expect(answer);
    auto* concern = Child<TOrvDBLookupCombo>(&window, "edConcern");
    concern->SetFocus();
    concern->SetValue(leeg ? QLatin1String(kNoValueKey) : QString::number(other));
    QVERIFY(PressKey(Qt::Key_Tab));
    QCOMPARE(messages.Count(), answer >= 0 ? 1 : 0);
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(Child<QWidget>(&window, "edConcernLoonsom")->isVisibleTo(&window), !leeg);
    if (!stored) messages.Expect(mrYes);  // "Afbreken" of what was typed
    window.reject();
    const QString where = nieuw ? QStringLiteral("Naam = 'Nieuw BV'") : QStringLiteral("WerkgeverId = ") + demo[0];
    const QString concernIs = leeg ? QStringLiteral("ConcernId IS NULL") : QStringLiteral("ConcernId = %1").arg(other);
    QCOMPARE(Count(main, QStringLiteral("SELECT COUNT(*) FROM Werkgevers WHERE %1 AND %2").arg(where, concernIs)),
             stored ? 1 : 0);
}

// The first wage sum of a new employer stores the employer; both lists then go on with its key, also the
// cost list that was shown while the employer was new.
void tst_Werkgever::firstWageSumStoresTheNewEmployer() {
    TScriptedPresenter messages;
    TfrmMain main;
    main.Initialize();
    TfrmMutWerkgever window(&main);
    window.Initialize(mdInsert, -1);
    window.show();
    QApplication::setActiveWindow(&window);
    Child<TOrvDBEdit>(&window, "edLHNummer")->Edit()->setText(QStringLiteral("123456782L01"));
    Child<TOrvDBEdit>(&window, "edNaam")->Edit()->setText(QStringLiteral("Nieuw BV"));
    Child<TOrvDBComboboxEx>(&window, "cmbBerichtTijdvak")->SetValue(QStringLiteral("2"));
    PressAlt(&window, Qt::Key_L);
    messages.Expect(mrYes);
    {
        TWhenModal<TfrmMutLoonsom> wageSum([&](TfrmMutLoonsom* sum) {
            Child<TOrvDBComboboxEx>(sum, "cmbPeriode")->SetValue(QStringLiteral("13"));
            Child<TOrvDBNumericEdit>(sum, "edBedrag")->NumericEdit()->setText(QStringLiteral("500"));
            QCOMPARE(TriggerAction(sum, "acOk"), QString());
        });
        PressAlt(&window, Qt::Key_T);
    }
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, QStringLiteral("De gegevens worden eerst opgeslagen.\rWilt u doorgaan?"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Wijzigen -  werkgever"));
    const qint64 id = Count(main, QStringLiteral("SELECT WerkgeverId FROM Werkgevers WHERE Naam = 'Nieuw BV'"));
    QVERIFY(id > 0);
    auto* sums = Child<TOrvDBSortGrid>(Child<QWidget>(&window, "frmChildSelLoonsommen"), "dbgridChildSelect");
    QCOMPARE(sums->RowCount() - 1, 1);
    QCOMPARE(sums->CellText(1, 0), QStringLiteral("13e vier weken"));
    QCOMPARE(Child<TOrvDBNumericEdit>(&window, "edLoonsom")->AsText(), QStringLiteral("500,00"));

    Exec(*main.DataModule()->ADOConnectionZemlo,
         QStringLiteral("INSERT INTO Kosten (WerkgeverId, KostenCategorieId, Periode, Proforma, Bedrag, KostenTypeId) "
                        "VALUES (%1, 1, 1, False, 25, 2)")
             .arg(id));
    PressAlt(&window, Qt::Key_K);
    auto* costs = Child<TOrvDBSortGrid>(Child<QWidget>(&window, "frmChildSelKosten"), "dbgridChildSelect");
    QCOMPARE(costs->RowCount() - 1, 1);
    QCOMPARE(costs->CellText(1, 3), QStringLiteral("25,00"));  // under "Nihilwaardering"
    QCOMPARE(costs->CellText(1, 2), QString());                // a zero amount shows empty
    window.reject();
    QCOMPARE(window.KeyWaarde(), int(id));
}

QTEST_MAIN(tst_Werkgever)
#include "tst_Werkgever.moc"
