// The cost windows on a demo database: the clerk's keyboard run inside the employer window, the cost type
// choice per category, all periods at once, and what is refused before anything is written.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "controls/OrvNumed.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/DbcompPickList.h"
#include "dbcontrols/fPickList.h"
#include "maintenance/fMutKosten.h"
#include "maintenance/fMutWerkgever.h"
#include "overview/fMain.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/Keyboard.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>

class tst_Kosten : public TWidgetTest {
    Q_OBJECT
    std::unique_ptr<TfrmMain> FMain;
    qint64 FWerkgever = -1;  // a month employer without costs

    void InitTest() override {
        CreateDemoDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")), {});
        SluitZonderVraag = true;
        FMain = std::make_unique<TfrmMain>();
        FMain->Initialize();
        TOrvADOConnection& c = *Connection();
        Exec(c, QStringLiteral(
                    "INSERT INTO Vergoedingtypen (VergoedingtypeId, Omschrijving) VALUES (5, 'Zonder kostentype')"));
        Exec(c, QStringLiteral(
                    "INSERT INTO Kostencategorieen (Omschrijving, VergoedingtypeId) VALUES ('Proef zonder type', 5)"));
        Exec(
            c,
            QStringLiteral(
                "INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak) VALUES ('123456782L01', 'Proef BV', 1)"));
        FWerkgever = c.LastInsertId();
        Exec(c, QStringLiteral(
                    "INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (%1, 1, False, 100000)")
                    .arg(FWerkgever));
    }
    void CleanupTest() override { FMain.reset(); }
    TOrvADOConnection* Connection() const { return FMain->DataModule()->ADOConnectionZemlo; }
    QStringList Kosten() const {
        TOrvQuery q(nullptr, Connection());
        q.SetSQL(
            QStringLiteral("SELECT Periode, KostenCategorieId, KostenTypeId, Bedrag FROM Kosten WHERE WerkgeverId = %1 "
                           "ORDER BY Periode")
                .arg(FWerkgever));
        q.Open();
        QStringList rows;
        for (; !q.Eof(); q.Next())
            rows << QStringLiteral("%1:%2:%3:%4")
                        .arg(q.FieldValue(0).toString(), q.FieldValue(1).toString(), q.FieldValue(2).toString(),
                             q.FieldValue(3).toString());
        return rows;
    }
    qint64 Categorie(const QString& omschrijving) const {
        TOrvQuery q(nullptr, Connection());
        q.SetSQL(QStringLiteral("SELECT KostencategorieId FROM Kostencategorieen WHERE Omschrijving = :O"));
        q.ParamByName(QStringLiteral("O")).SetAsString(omschrijving);
        q.Open();
        return q.FieldValue(0).toLongLong();
    }
    // A new cost entry window with the category chosen as its description is typed.
    std::unique_ptr<TfrmMutKosten> NewEntry(int tijdvak, const QString& categorie) {
        auto window = std::make_unique<TfrmMutKosten>(FMain.get());
        window->Initialize(mdInsert, -1, FWerkgever, tijdvak);
        window->show();
        QApplication::setActiveWindow(window.get());
        auto* pick = Child<TOrvDBPickList>(window.get(), "plKostenCategorie");
        pick->SetFocus();
        QTest::keyClicks(pick->Edit(), categorie);
        QTest::keyClick(pick->Edit(), Qt::Key_Tab);
        return window;
    }

private Q_SLOTS:
    void keyboardRun();
    void kostenTypePerCategorie_data();
    void kostenTypePerCategorie();
    void store_data();
    void store();
};

void tst_Kosten::keyboardRun() {
    TScriptedPresenter messages;
    TfrmMutWerkgever werkgever(FMain.get());
    werkgever.Initialize(mdEdit, int(FWerkgever));
    werkgever.show();
    QVERIFY(Activated(&werkgever));
    const QString vrijeRuimte = Child<TOrvDBNumericEdit>(&werkgever, "edVrijeRuimte")->AsText();
    QCOMPARE(vrijeRuimte, QStringLiteral("1.920,00"));
    QString pickCaption;
    int pickRows = 0;
    {
        TWhenModal<TfrmMutKosten> entry([&](TfrmMutKosten* window) {
            QVERIFY(Activated(window));
            TWhenModal<TfrmPickList> pick([&](TfrmPickList* list) {
                pickCaption = list->windowTitle();
                pickRows = list->Grid()->RowCount() - 1;
                QTest::keyClick(list->Grid()->Grid(), Qt::Key_Return);  // the first "Reis..." row
            });
            QVERIFY(TypeText(QStringLiteral("reis")));
            QVERIFY(PressKey(Qt::Key_Tab));
            QApplication::setActiveWindow(window);
            QVERIFY(TypeText(QStringLiteral("f")));  // "Februari"
            QVERIFY(PressKey(Qt::Key_Tab));
            QVERIFY(PressKey(Qt::Key_Tab));          // "Proforma" stays off
            QVERIFY(TypeText(QStringLiteral("E")));  // "Eindheffingsloon (vrije ruimte)"
            QVERIFY(PressKey(Qt::Key_Tab));
            QVERIFY(TypeText(QStringLiteral("150")));
            PressAlt(window, Qt::Key_O);
        });
        PressAlt(&werkgever, Qt::Key_T);
    }
    QCOMPARE(messages.Count(), 0);
    QCOMPARE(pickCaption, QStringLiteral("Kostencategorieën"));
    QCOMPARE(pickRows, 28);  // nothing matches "reis" as a word: every category
    QCOMPARE(
        Kosten(),
        QStringList{
            QStringLiteral("2:%1:1:150").arg(Categorie(QStringLiteral("Reiskostenvergoeding boven 0,23 per km")))});
    auto* list = Child<TOrvDBSortGrid>(Child<QWidget>(&werkgever, "frmChildSelKosten"), "dbgridChildSelect");
    QCOMPARE(list->RowCount() - 1, 1);
    QCOMPARE(list->CellText(1, 0), QStringLiteral("Februari"));
    QCOMPARE(list->CellText(1, 2), QStringLiteral("150,00"));
    QCOMPARE(Child<TOrvDBNumericEdit>(&werkgever, "edKosten")->AsText(), QStringLiteral("150,00"));
    QCOMPARE(Child<TOrvDBNumericEdit>(&werkgever, "edRestantVrijeRuimte")->AsText(), QStringLiteral("1.770,00"));
}

// The cost type choice follows the category's reimbursement type: one type is chosen at once, none leaves
// the choice empty and disabled.
void tst_Kosten::kostenTypePerCategorie_data() {
    QTest::addColumn<QString>("categorie");
    QTest::addColumn<QStringList>("types");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("four types allowed") << "Kerstpakket"
                                        << QStringList{"Eindheffingsloon (vrije ruimte)", "Nihilwaardering",
                                                       "Gerichte vrijstelling"}
                                        << "";
    QTest::newRow("one type allowed") << "Voorgeschoten zakelijke uitgaven"
                                      << QStringList{"Valt buiten de werkkostenregeling"} << "4";
    QTest::newRow("none allowed") << "Proef zonder type" << QStringList{} << "";
}

void tst_Kosten::kostenTypePerCategorie() {
    QFETCH(QString, categorie);
    QFETCH(QStringList, types);
    QFETCH(QString, chosen);
    const auto window = NewEntry(1, categorie);
    auto* type = Child<TOrvDBLookupCombo>(window.get(), "cmbKostenType");
    QStringList shown;
    for (int i = 0; i < type->ComboBox()->count(); ++i) shown << type->ComboBox()->itemText(i);
    QCOMPARE(shown, types);
    QCOMPARE(type->Value(), chosen);
    QCOMPARE(type->isEnabled(), !types.isEmpty());
}

// What is stored, read back: a period or all of them, and the refusals that leave the table as it was.
void tst_Kosten::store_data() {
    QTest::addColumn<int>("tijdvak");
    QTest::addColumn<QString>("categorie");
    QTest::addColumn<QString>("periode");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("weigerPeriode5");  // the database refuses period 5
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("message");
    QTest::newRow("one period") << 1 << "Kerstpakket"
                                << "3"
                                << "2" << false << 1 << "";
    QTest::newRow("all months") << 1 << "Kerstpakket"
                                << "X"
                                << "2" << false << 12 << "";
    QTest::newRow("all four-week periods") << 2 << "Kerstpakket"
                                           << "X"
                                           << "2" << false << 13 << "";
    QTest::newRow("no cost type") << 1 << "Kerstpakket"
                                  << "X"
                                  << "" << false << 0 << "U dient het veld \"Kostentype:\" in te vullen.";
    QTest::newRow("no type allowed") << 1 << "Proef zonder type"
                                     << "X"
                                     << "" << false << 0 << "U dient het veld \"Kostentype:\" in te vullen.";
    QTest::newRow("no category") << 1 << ""
                                 << "3"
                                 << "2" << false << 0 << "U dient het veld \"Kostencategorie:\" in te vullen.";
    QTest::newRow("refused inside all periods") << 1 << "Kerstpakket"
                                                << "X"
                                                << "2" << true << 0 << "Opslaan mislukt. ";
}

void tst_Kosten::store() {
    QFETCH(int, tijdvak);
    QFETCH(QString, categorie);
    QFETCH(QString, periode);
    QFETCH(QString, type);
    QFETCH(bool, weigerPeriode5);
    QFETCH(int, rows);
    QFETCH(QString, message);
    if (weigerPeriode5)
        Exec(*Connection(), QStringLiteral("CREATE TRIGGER Weiger BEFORE INSERT ON Kosten WHEN NEW.Periode = 5 "
                                           "BEGIN SELECT RAISE(ABORT, 'periode 5 geweigerd'); END"));
    TScriptedPresenter messages;
    const auto window = categorie.isEmpty() ? NewEntry(tijdvak, QString()) : NewEntry(tijdvak, categorie);
    Child<TOrvDBComboboxEx>(window.get(), "cmbPeriode")->SetValue(periode);
    Child<TOrvDBLookupCombo>(window.get(), "cmbKostenType")->SetValue(type);
    Child<TOrvDBNumericEdit>(window.get(), "edBedrag")->NumericEdit()->setText(QStringLiteral("75"));
    if (!message.isEmpty()) messages.Expect(mrOk);
    QCOMPARE(TriggerAction(window.get(), "acOk"), QString());
    QCOMPARE(Kosten().size(), rows);
    QCOMPARE(window->isVisible(), rows == 0);
    if (message.isEmpty()) {
        QCOMPARE(messages.Count(), 0);
        for (const QString& row : Kosten()) QVERIFY2(row.endsWith(QStringLiteral(":2:75")), qPrintable(row));
        return;
    }
    QCOMPARE(messages.Count(), 1);
    QVERIFY2(messages.Last().Text.startsWith(message), qPrintable(messages.Last().Text));
}

QTEST_MAIN(tst_Kosten)
#include "tst_Kosten.moc"
