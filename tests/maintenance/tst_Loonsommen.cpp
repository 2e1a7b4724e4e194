// The wage sum windows on a demo database: adding one period or all periods, the uniqueness rule at its
// borders, changing, a failed store, and the list inside an edit window reloading after its edit window.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "controls/OrvNumed.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "maintenance/fChildSelLoonsommen.h"
#include "maintenance/fMutLoonsom.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

// An edit window holding the wage sum list of one employer.
class TfrmOuder : public TBaseOnderhoud {
    Q_OBJECT
public:
    TfrmOuder(qint64 werkgeverId, int tijdvak) {
        auto* host = new QWidget(pnlBody);
        host->setObjectName(QStringLiteral("tsLoonsommen"));
        (new QVBoxLayout(pnlBody))->addWidget(host);
        FMode = mdEdit;
        TBaseForm::Initialize();
        auto* list =
            qobject_cast<TfrmChildSelLoonsommen*>(CreateChildForm(&TfrmChildSelLoonsommen::staticMetaObject, host));
        list->Initialize(werkgeverId, tijdvak);
        list->Refresh();
    }
};

class tst_Loonsommen : public TWidgetTest {
    Q_OBJECT
    void InitTest() override {
        CreateDemoDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")), {});
        FData = std::make_unique<TdmMain>();
        dmMain = FData.get();
        FData->ADOConnectionZemlo->Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(),
                                        QStringLiteral("Share Deny None"));
    }
    void CleanupTest() override { FData.reset(); }

    // A new employer with the given wage sums ("periode:proforma").
    qint64 Werkgever(int tijdvak, const QStringList& loonsommen) {
        TOrvADOConnection& c = *FData->ADOConnectionZemlo;
        Exec(c, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak) VALUES "
                               "('TEST', 'Test', %1)")
                    .arg(tijdvak));
        const qint64 id = c.LastInsertId();
        for (const QString& l : loonsommen)
            Exec(c, QStringLiteral(
                        "INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (%1, %2, %3, 5)")
                        .arg(id)
                        .arg(l.section(u':', 0, 0), l.section(u':', 1, 1)));
        return id;
    }
    QStringList Loonsommen(qint64 id) {
        TOrvQuery q(nullptr, FData->ADOConnectionZemlo);
        q.SetSQL(QStringLiteral(
            "SELECT Periode, Proforma, Bedrag FROM Loonsommen WHERE WerkgeverId = :Id ORDER BY Periode, Proforma"));
        q.ParamByName(QStringLiteral("Id")).SetAsInteger(id);
        q.Open();
        QStringList rows;
        for (; !q.Eof(); q.Next())
            rows << QStringLiteral("%1:%2:%3")
                        .arg(q.FieldValue(0).toInt())
                        .arg(q.FieldValue(1).toInt())
                        .arg(q.FieldValue(2).toDouble());
        return rows;
    }
    // Fills the edit window and presses OK.
    static void Fill(TfrmMutLoonsom* window, const QString& periode, bool proforma, const QString& bedrag) {
        if (!periode.isEmpty()) Child<TOrvDBComboboxEx>(window, "cmbPeriode")->SetValue(periode);
        Child<TOrvDBCheckbox>(window, "chkProforma")->CheckBox()->setChecked(proforma);
        auto* amount = Child<TOrvDBNumericEdit>(window, "edBedrag")->NumericEdit();
        amount->setFocus();
        amount->selectAll();
        QTest::keyClicks(amount, bedrag);
        const QString why = TriggerAction(window, QStringLiteral("acOk"));
        if (!why.isEmpty()) qWarning() << why;
    }
    std::unique_ptr<TdmMain> FData;

private Q_SLOTS:
    void adding_data();
    void adding();
    void changingExcludesItself();
    void listReloadsAfterItsEditWindow();
};

void tst_Loonsommen::adding_data() {
    QTest::addColumn<int>("tijdvak");
    QTest::addColumn<QStringList>("bestaand");
    QTest::addColumn<QString>("periode");
    QTest::addColumn<bool>("proforma");
    QTest::addColumn<int>("nieuw");  // rows added; 0: refused with the message
    QTest::newRow("alle, maand") << 1 << QStringList() << "X" << true << 12;
    QTest::newRow("alle, vier weken") << 2 << QStringList() << "X" << true << 13;
    QTest::newRow("alle, definitief naast proforma") << 1 << QStringList{"3:1"} << "X" << false << 12;
    QTest::newRow("alle terwijl een proforma bestaat") << 1 << QStringList{"3:1"} << "X" << true << 0;
    QTest::newRow("definitief naast proforma") << 1 << QStringList{"3:1"} << "3" << false << 1;
    QTest::newRow("tweede definitieve") << 1 << QStringList{"3:0"} << "3" << false << 0;
    QTest::newRow("andere periode") << 1 << QStringList{"3:0"} << "4" << false << 1;
}

void tst_Loonsommen::adding() {
    QFETCH(int, tijdvak);
    QFETCH(QStringList, bestaand);
    QFETCH(QString, periode);
    QFETCH(bool, proforma);
    QFETCH(int, nieuw);
    const qint64 id = Werkgever(tijdvak, bestaand);
    TScriptedPresenter messages;
    if (nieuw == 0) messages.Expect();
    TfrmMutLoonsom window;
    window.Initialize(mdInsert, -1, id, tijdvak);
    QCOMPARE(window.windowTitle(), QStringLiteral("Toevoegen -  loonsom"));
    auto* cmb = Child<TOrvDBComboboxEx>(&window, "cmbPeriode");
    QCOMPARE(cmb->KeyList().first(), QStringLiteral("X=Alle tijdvakken"));
    QCOMPARE(cmb->KeyList().size(), 1 + (tijdvak == 2 ? 13 : 12));
    QVERIFY(Child<TOrvDBCheckbox>(&window, "chkProforma")->CheckBox()->isChecked());  // starts provisional
    window.show();
    Fill(&window, periode, proforma, QStringLiteral("1000"));
    const QStringList rows = Loonsommen(id);
    QCOMPARE(rows.size(), bestaand.size() + nieuw);
    if (nieuw == 0) {
        QCOMPARE(messages.Last().Text, QStringLiteral("Alleen één loonsom per periode en proforma is toegestaan."));
        QVERIFY(window.isVisible());
        QCOMPARE(window.result(), int(mrNone));
    } else {
        QCOMPARE(window.result(), int(mrOK));
        QVERIFY(rows.contains(
            QStringLiteral("%1:%2:1000").arg(periode == "X" ? 1 : periode.toInt()).arg(proforma ? 1 : 0)));
        if (periode == "X") QVERIFY(rows.contains(QStringLiteral("%1:%2:1000").arg(nieuw).arg(proforma ? 1 : 0)));
    }
    QCOMPARE(messages.Count(), nieuw == 0 ? 1 : 0);
}

void tst_Loonsommen::changingExcludesItself() {
    const qint64 id = Werkgever(1, {"3:0", "3:1"});
    TOrvQuery key(nullptr, FData->ADOConnectionZemlo);
    key.SetSQL(QStringLiteral("SELECT LoonsomId FROM Loonsommen WHERE WerkgeverId = :Id AND Proforma = 0"));
    key.ParamByName(QStringLiteral("Id")).SetAsInteger(id);
    key.Open();
    TScriptedPresenter messages;
    TfrmMutLoonsom window;
    window.Initialize(mdEdit, key.FieldValue(0).toInt(), id, 1);
    QVERIFY(!Child<TOrvDBComboboxEx>(&window, "cmbPeriode")->KeyList().contains(QStringLiteral("X=Alle tijdvakken")));
    window.show();
    Fill(&window, QString(), false, QStringLiteral("777"));
    QCOMPARE(Loonsommen(id), QStringList({"3:0:777", "3:1:5"}));
    // Turning it provisional would make a second provisional one for period 3.
    messages.Expect();
    TfrmMutLoonsom again;
    again.Initialize(mdEdit, key.FieldValue(0).toInt(), id, 1);
    again.show();
    Fill(&again, QString(), true, QStringLiteral("1"));
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(Loonsommen(id), QStringList({"3:0:777", "3:1:5"}));
}

void tst_Loonsommen::listReloadsAfterItsEditWindow() {
    const qint64 id = Werkgever(2, {});
    TfrmOuder parent(id, 2);
    parent.show();
    auto* grid = Child<TOrvDBSortGrid>(&parent, "dbgridChildSelect");
    QCOMPARE(Child<QLabel>(&parent, "lblRecordCounter")->text(), QStringLiteral("Records (0/0)"));
    TWhenModal<TfrmMutLoonsom> add(
        [&](TfrmMutLoonsom* window) { Fill(window, QStringLiteral("X"), true, QStringLiteral("1000")); });
    QTest::keyClick(grid->Grid(), Qt::Key_Insert);
    QCOMPARE(Child<QLabel>(&parent, "lblRecordCounter")->text(), QStringLiteral("Records (1/13)"));
    QCOMPARE(grid->CellText(1, 0), QStringLiteral("1e vier weken"));
    QCOMPARE(grid->CellText(13, 0), QStringLiteral("13e vier weken"));
    QCOMPARE(grid->CellText(1, 1), QStringLiteral("Ja"));
    QCOMPARE(grid->CellText(1, 2), QStringLiteral("1.000,00"));
}

QTEST_MAIN(tst_Loonsommen)
#include "tst_Loonsommen.moc"
