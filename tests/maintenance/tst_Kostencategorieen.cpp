// The cost category windows on a demo database: the round from the main window's menu by keyboard with a
// remark of two lines, the description rule from its three fields, bad input in description and remarks,
// and the refusal to delete a category that a cost entry uses.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "maintenance/fMutKostencategorie.h"
#include "maintenance/fSelKostencategorieen.h"
#include "overview/fMain.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/Keyboard.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include <memory>

class tst_Kostencategorieen : public TWidgetTest {
    Q_OBJECT
    std::unique_ptr<TdmMain> FData;

    void InitTest() override {
        TDemoOptions options;
        options.Werkgevers = 4;
        CreateDemoDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")), options);
    }
    void CleanupTest() override {
        if (dmMain == FData.get()) dmMain = nullptr;
        FData.reset();
    }
    void OpenData() {
        FData = std::make_unique<TdmMain>();
        dmMain = FData.get();
        FData->ADOConnectionZemlo->Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(),
                                        QStringLiteral("Share Deny None"));
    }
    static TOrvADOConnection* Connection() { return dmMain->ADOConnectionZemlo; }
    static QVariant Scalar(const QString& sql) {
        TOrvQuery query(nullptr, Connection());
        query.SetSQL(sql);
        query.Open();
        return query.Eof() ? QVariant() : query.FieldValue(0);
    }
    // The last category as "description|group id|reimbursement id|ledger account|remarks".
    static QString LastCategory() {
        TOrvQuery query(nullptr, Connection());
        query.SetSQL(QStringLiteral("SELECT Omschrijving, KostengroepId, VergoedingtypeId, Grootboekrekening, "
                                    "Opmerkingen FROM Kostencategorieen ORDER BY KostencategorieId DESC"));
        query.Open();
        QStringList fields;
        for (int f = 0; f < query.FieldCount(); ++f)
            fields << (query.FieldValue(f).isNull() ? QStringLiteral("NULL") : query.FieldValue(f).toString());
        return fields.join(u'|');
    }
    static int Count() { return Scalar(QStringLiteral("SELECT COUNT(*) FROM Kostencategorieen")).toInt(); }
    // The focus in the control's input, its text selected as when tabbing into it.
    static QWidget* Input(QWidget* window, const char* control) {
        Activate(window);
        window->findChild<TOrvDBComponent*>(QLatin1String(control))->SetFocus();
        QWidget* input = QApplication::focusWidget();
        QTest::keyClick(input, Qt::Key_A, Qt::ControlModifier);
        return input;
    }
    static void Type(QWidget* window, const char* control, const QString& text) {
        QTest::keyClicks(Input(window, control), text);
    }
    // The first reimbursement type: the choice has no empty entry, but a new category starts without one.
    static void ChooseVergoedingtype(QWidget* window) {
        Activate(window);
        window->findChild<TOrvDBComponent*>(QStringLiteral("cmbVergoedingtype"))->SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    }
    static auto OnEdit(std::function<void(TfrmMutKostencategorie*)> action) {
        return OnModal<TfrmMutKostencategorie>(std::move(action));
    }

private Q_SLOTS:
    void roundFromTheMainWindow();
    void inputIsStoredExactlyOrRefused_data();
    void inputIsStoredExactlyOrRefused();
    void categoryInUseIsNotDeleted_data();
    void categoryInUseIsNotDeleted();
};

void tst_Kostencategorieen::roundFromTheMainWindow() {
    TScriptedPresenter messages;
    SluitZonderVraag = true;
    TfrmMain main;
    main.Initialize();
    main.show();
    Activate(&main);
    const int before = Count();
    const qint64 used = Scalar(QStringLiteral("SELECT MIN(KostenCategorieId) FROM Kosten")).toLongLong();
    QVERIFY(used > 0);
    bool listRan = false;

    TWhenModal<TfrmSelKostencategorieen> list([&](TfrmSelKostencategorieen* window) {
        const auto end = qScopeGuard([window] {
            if (window->isVisible()) window->done(0);
        });
        listRan = true;
        QCOMPARE(window->windowTitle(), QStringLiteral("Beheer kostencategorieën"));
        QCOMPARE(window->findChild<QLabel*>(QStringLiteral("lblGrid"))->text(),
                 QStringLiteral(" Kostencategorieën (1/%1)").arg(before));
        auto* grid = window->findChild<TOrvDBSortGrid*>(QStringLiteral("dbgridSelect"));
        const auto orderedByNumber = [grid] {
            for (int row = 2; row < grid->RowCount(); ++row)
                if (grid->CellText(row - 1, 0).toInt() >= grid->CellText(row, 0).toInt()) return false;
            return true;
        };
        QVERIFY(orderedByNumber());

        // Insert: a description, the first reimbursement type, no cost group, a remark of two lines.
        auto add = OnEdit([](TfrmMutKostencategorie* edit) {
            QCOMPARE(edit->windowTitle(), QStringLiteral("Toevoegen -  kostencategorie"));
            Type(edit, "edOmschrijving", QStringLiteral("Fietsen \"naar\" 't werk"));
            ChooseVergoedingtype(edit);
            Type(edit, "memoOpmerkingen", QStringLiteral("regel een"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("regel twee"));
            PressButton(edit, "btnOk", Qt::Key_O);
        });
        Key(window, Qt::Key_Insert);
        QVERIFY2(LastCategory().startsWith(QLatin1String("Fietsen \"naar\" 't werk|NULL|")),
                 qPrintable(LastCategory()));
        QVERIFY2(LastCategory().endsWith(QLatin1String("|regel een\r\nregel twee")), qPrintable(LastCategory()));
        QCOMPARE(grid->RowCount() - 1, before + 1);
        QCOMPARE(grid->CellText(grid->RowCount() - 1, 2), QStringLiteral("Fietsen \"naar\" 't werk"));
        QVERIFY(orderedByNumber());

        // Enter on it, only the ledger account changed: its own description passes the check.
        QVERIFY(grid->FindKey(QStringLiteral("KostencategorieId"),
                              Scalar(QStringLiteral("SELECT MAX(KostencategorieId) FROM Kostencategorieen"))));
        auto change = OnEdit([](TfrmMutKostencategorie* edit) {
            Type(edit, "edGrootboekrekening", QStringLiteral("4010"));
            PressButton(edit, "btnOk", Qt::Key_O);
        });
        Key(window, Qt::Key_Return);
        QVERIFY2(LastCategory().contains(QLatin1String("|4010|regel een")), qPrintable(LastCategory()));
        QCOMPARE(grid->CellText(grid->Row(), 4), QStringLiteral("4010"));

        // Delete on a category that a cost entry uses: refused.
        QVERIFY(grid->FindKey(QStringLiteral("KostencategorieId"), used));
        messages.Expect();
        auto remove = OnEdit([&](TfrmMutKostencategorie* edit) {
            PressButton(edit, "btnOk", Qt::Key_O);
            QCOMPARE(messages.Last().Text, QStringLiteral("Deze kostencategorie is al in gebruik."));
            QVERIFY(edit->isVisible());
            PressButton(edit, "btnCancel", Qt::Key_A);
        });
        Key(window, Qt::Key_Delete);
        QCOMPARE(Count(), before + 1);
        Key(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    });
    Key(&main, Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY(listRan);
    QCOMPARE(messages.Count(), 1);
}

void tst_Kostencategorieen::inputIsStoredExactlyOrRefused_data() {
    QTest::addColumn<QString>("omschrijving");
    QTest::addColumn<QString>("pastedRemark");
    QTest::addColumn<QString>("stored");  // the new row; empty: nothing stored
    QTest::addColumn<QString>("message");
    const QString existing = QStringLiteral("<existing>");
    QTest::newRow("description of another category, other case") << existing << ""
                                                                 << ""
                                                                 << "De door u gekozen omschrijving bestaat reeds.";
    QTest::newRow("empty description") << ""
                                       << ""
                                       << ""
                                       << "U dient het veld \"Omschrijving:\" in te vullen.";
    const QString remark = QStringLiteral("'); DELETE FROM Kosten; --\r\n\tnext\x01line");
    QTest::newRow("quotes and control characters in the remark")
        << "Nieuw" << remark << "Nieuw|NULL|*|NULL|" + remark << "";
    const QString longRemark = QString(20000, u'r');
    QTest::newRow("20,000-character remark") << "Nieuw" << longRemark << "Nieuw|NULL|*|NULL|" + longRemark << "";
    QTest::newRow("description longer than its column")
        << QString(300, u'd') << "" << QString(150, u'd') + "|NULL|*|NULL|NULL"
        << "";
}

void tst_Kostencategorieen::inputIsStoredExactlyOrRefused() {
    QFETCH(QString, omschrijving);
    QFETCH(QString, pastedRemark);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    OpenData();
    if (omschrijving == QLatin1String("<existing>"))
        omschrijving = Scalar(QStringLiteral("SELECT MIN(Omschrijving) FROM Kostencategorieen")).toString().toUpper();
    const int before = Count();
    TScriptedPresenter messages;
    if (!message.isEmpty()) messages.Expect();
    TfrmMutKostencategorie window;
    window.Initialize(mdInsert, -1);
    window.show();
    Type(&window, "edOmschrijving", omschrijving);
    ChooseVergoedingtype(&window);
    if (!pastedRemark.isEmpty()) {
        QGuiApplication::clipboard()->setText(pastedRemark);
        QTest::keySequence(Input(&window, "memoOpmerkingen"), QKeySequence::Paste);
    }
    // The check runs for the ledger fields too; the message still comes once.
    Input(&window, "edGrootboekOmschrijving");
    PressButton(&window, "btnOk", Qt::Key_O);
    QCOMPARE(messages.Count(), message.isEmpty() ? 0 : 1);
    if (stored.isEmpty()) {
        QCOMPARE(messages.Last().Text, message);
        QVERIFY(window.isVisible());
        QCOMPARE(Count(), before);
        return;
    }
    QVERIFY(!window.isVisible());
    QCOMPARE(Count(), before + 1);
    QStringList fields = LastCategory().split(u'|');
    fields[2] = QStringLiteral("*");  // the first reimbursement type, whichever it is
    QCOMPARE(fields.join(u'|'), stored);
}

void tst_Kostencategorieen::categoryInUseIsNotDeleted_data() {
    QTest::addColumn<bool>("inUse");
    QTest::newRow("used by a cost entry: refused") << true;
    QTest::newRow("not used: deleted") << false;
}

void tst_Kostencategorieen::categoryInUseIsNotDeleted() {
    QFETCH(bool, inUse);
    OpenData();
    const qint64 id = Scalar(inUse ? QStringLiteral("SELECT MIN(KostenCategorieId) FROM Kosten")
                                   : QStringLiteral("SELECT MIN(KostencategorieId) FROM Kostencategorieen WHERE "
                                                    "KostencategorieId NOT IN (SELECT KostenCategorieId FROM Kosten)"))
                          .toLongLong();
    QVERIFY(id > 0);
    const int before = Count();
    TScriptedPresenter messages;
    messages.Expect(inUse ? mrOk : mrYes);
    TfrmMutKostencategorie window;
    window.Initialize(mdDelete, int(id));
    window.show();
    PressButton(&window, "btnOk", Qt::Key_O);
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, inUse ? QStringLiteral("Deze kostencategorie is al in gebruik.")
                                         : QStringLiteral("Weet u zeker dat u de gegevens wilt verwijderen?"));
    QCOMPARE(window.isVisible(), inUse);
    QCOMPARE(Count(), before - (inUse ? 0 : 1));
}

QTEST_MAIN(tst_Kostencategorieen)
#include "tst_Kostencategorieen.moc"
