// The concern windows on a demo database: the whole round from the main window's menu by keyboard, the
// name rule at its borders with bad input, and the refusal to delete a concern that an employer uses.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uGlobals.h"
#include "dbcontrols/DbcompEdits.h"
#include "maintenance/fMutConcern.h"
#include "maintenance/fSelConcerns.h"
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
#include <QtWidgets/QLineEdit>

#include <memory>

class tst_Concerns : public TWidgetTest {
    Q_OBJECT
    std::unique_ptr<TdmMain> FData;

    void InitTest() override {
        TDemoOptions options;
        options.Werkgevers = 8;
        CreateDemoDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")), options);
    }
    void CleanupTest() override {
        if (dmMain == FData.get()) dmMain = nullptr;
        FData.reset();
    }
    // The data module the edit windows use when no main window runs.
    void OpenData() {
        FData = std::make_unique<TdmMain>();
        dmMain = FData.get();
        FData->ADOConnectionZemlo->Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(),
                                        QStringLiteral("Share Deny None"));
    }
    TOrvADOConnection* Connection() const { return dmMain->ADOConnectionZemlo; }
    QVariant Scalar(const QString& sql) const {
        TOrvQuery query(nullptr, Connection());
        query.SetSQL(sql);
        query.Open();
        return query.Eof() ? QVariant() : query.FieldValue(0);
    }
    QStringList Names() const {
        TOrvQuery query(nullptr, Connection());
        query.SetSQL(QStringLiteral("SELECT Naam FROM Concerns ORDER BY ConcernId"));
        query.Open();
        QStringList names;
        for (; !query.Eof(); query.Next()) names << query.FieldValue(0).toString();
        return names;
    }
    static QLineEdit* NaamInput(QWidget* window) {
        Activate(window);
        auto* naam = window->findChild<TOrvDBEdit*>(QStringLiteral("edNaam"));
        naam->SetFocus();
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }
    static void TypeName(QWidget* window, const QString& name) {
        QLineEdit* input = NaamInput(window);
        input->selectAll();
        QTest::keyClicks(input, name);
    }
    // The list's names from top to bottom.
    static QStringList ListNames(const QWidget* list) {
        const auto* grid = list->findChild<TOrvDBSortGrid*>(QStringLiteral("dbgridSelect"));
        QStringList names;
        for (int row = 1; !grid->IsEmpty() && row < grid->RowCount(); ++row) names << grid->CellText(row, 0);
        return names;
    }
    static bool SortedOnName(const QStringList& names) {
        for (int i = 1; i < names.size(); ++i)
            if (names[i - 1].compare(names[i], Qt::CaseInsensitive) > 0) return false;
        return true;
    }
    static auto OnEdit(std::function<void(TfrmMutConcern*)> action) {
        return OnModal<TfrmMutConcern>(std::move(action));
    }

private Q_SLOTS:
    void roundFromTheMainWindow();
    void nameIsStoredExactlyOrRefused_data();
    void nameIsStoredExactlyOrRefused();
    void concernInUseIsNotDeleted_data();
    void concernInUseIsNotDeleted();
};

void tst_Concerns::roundFromTheMainWindow() {
    TScriptedPresenter messages;
    SluitZonderVraag = true;
    TfrmMain main;
    main.Initialize();
    main.show();
    Activate(&main);
    const qint64 used = Scalar(QStringLiteral("SELECT MIN(ConcernId) FROM Werkgevers")).toLongLong();
    QVERIFY(used > 0);
    const int concerns = Names().size();
    bool listRan = false;

    TWhenModal<TfrmSelConcerns> list([&](TfrmSelConcerns* window) {
        const auto end = qScopeGuard([window] {
            if (window->isVisible()) window->done(0);
        });
        listRan = true;
        QCOMPARE(window->windowTitle(), QStringLiteral("Beheer concerns"));
        auto* counter = window->findChild<QLabel*>(QStringLiteral("lblGrid"));
        QCOMPARE(counter->text(), QStringLiteral(" Concerns (1/%1)").arg(concerns));
        QVERIFY(SortedOnName(ListNames(window)));

        // Insert, a name, Alt+O: listed in its sorted place.
        auto add = OnEdit([](TfrmMutConcern* edit) {
            QCOMPARE(edit->windowTitle(), QStringLiteral("Toevoegen -  concern"));
            TypeName(edit, QStringLiteral("Aa & Co \"Nieuw\""));
            PressButton(edit, "btnOk", Qt::Key_O);
        });
        Key(window, Qt::Key_Insert);
        QCOMPARE(Names().last(), QStringLiteral("Aa & Co \"Nieuw\""));
        QCOMPARE(ListNames(window).size(), concerns + 1);
        QVERIFY(ListNames(window).contains(QStringLiteral("Aa & Co \"Nieuw\"")));
        QVERIFY(SortedOnName(ListNames(window)));

        // Enter on a concern an employer uses, a new name, Alt+O.
        auto* grid = window->findChild<TOrvDBSortGrid*>(QStringLiteral("dbgridSelect"));
        QVERIFY(grid->FindKey(QStringLiteral("ConcernId"), used));
        auto rename = OnEdit([](TfrmMutConcern* edit) {
            QCOMPARE(edit->windowTitle(), QStringLiteral("Wijzigen -  concern"));
            TypeName(edit, QStringLiteral("Zzz Hernoemd"));
            PressButton(edit, "btnOk", Qt::Key_O);
        });
        Key(window, Qt::Key_Return);
        QCOMPARE(grid->CellText(grid->Row(), 0), QStringLiteral("Zzz Hernoemd"));
        QCOMPARE(ListNames(window).last(), QStringLiteral("Zzz Hernoemd"));

        // Delete on it: refused, the window stays until Annuleren, nothing deleted.
        messages.Expect();
        auto remove = OnEdit([&](TfrmMutConcern* edit) {
            PressButton(edit, "btnOk", Qt::Key_O);
            QCOMPARE(messages.Last().Text, QStringLiteral("Dit concern is al in gebruik."));
            QVERIFY(edit->isVisible());
            PressButton(edit, "btnCancel", Qt::Key_A);
        });
        Key(window, Qt::Key_Delete);
        QCOMPARE(Names().size(), concerns + 1);
        QCOMPARE(ListNames(window).size(), concerns + 1);

        Key(window, Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    });
    Key(&main, Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Return);
    QTRY_VERIFY(listRan);
    QCOMPARE(messages.Count(), 1);

    // The employer list was rebuilt: the renamed concern shows at its employers.
    const int column = 2;
    auto* employers = Child<TOrvDBSortGrid>(&main, QStringLiteral("dbgridWG"));
    QVERIFY(employers);
    bool shown = false;
    for (int row = 1; row < employers->RowCount(); ++row)
        shown = shown || employers->CellText(row, column) == QLatin1String("Zzz Hernoemd");
    QVERIFY(shown);
}

void tst_Concerns::nameIsStoredExactlyOrRefused_data() {
    QTest::addColumn<QString>("mode");  // add, or change the first concern
    QTest::addColumn<QString>("how");   // typed or pasted
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("stored");  // empty: nothing stored
    QTest::addColumn<QString>("message");
    const QString quotes = QStringLiteral("O'Brien \"&\"; DELETE FROM Concerns; --");
    QTest::newRow("quotes and a statement") << "add"
                                            << "typed" << quotes << quotes << "";
    QTest::newRow("name of another concern, other case") << "add"
                                                         << "typed"
                                                         << "SECOND"
                                                         << ""
                                                         << "De door u gekozen naam bestaat reeds.";
    QTest::newRow("another concern's name on change") << "change"
                                                      << "typed"
                                                      << "Second"
                                                      << ""
                                                      << "De door u gekozen naam bestaat reeds.";
    QTest::newRow("its own name on change") << "change"
                                            << "typed"
                                            << "First"
                                            << "First"
                                            << "";
    QTest::newRow("empty") << "add"
                           << "typed"
                           << ""
                           << ""
                           << "U dient het veld \"Naam:\" in te vullen.";
    QTest::newRow("10,000 characters pasted: the column's 100")
        << "add"
        << "pasted" << QString(10000, u'x') << QString(100, u'x') << "";
    QTest::newRow("control characters pasted") << "add"
                                               << "pasted"
                                               << "Tab\tline\r\nnext\x01"
                                               << "Tab\tline\r\nnext\x01"
                                               << "";
}

void tst_Concerns::nameIsStoredExactlyOrRefused() {
    QFETCH(QString, mode);
    QFETCH(QString, how);
    QFETCH(QString, name);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    OpenData();
    Exec(*Connection(), QStringLiteral("DELETE FROM Werkgevers"));
    Exec(*Connection(), QStringLiteral("DELETE FROM Concerns"));
    Exec(*Connection(), QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('First'), ('Second')"));
    const QStringList before = Names();
    TScriptedPresenter messages;
    if (!message.isEmpty()) messages.Expect();
    TfrmMutConcern window;
    const bool change = mode == QLatin1String("change");
    window.Initialize(change ? mdEdit : mdInsert,
                      change ? Scalar(QStringLiteral("SELECT MIN(ConcernId) FROM Concerns")).toInt() : -1);
    window.show();
    QLineEdit* input = NaamInput(&window);
    input->selectAll();
    if (how == QLatin1String("pasted")) {
        QGuiApplication::clipboard()->setText(name);
        QTest::keySequence(input, QKeySequence::Paste);
    } else {
        QTest::keyClicks(input, name);
    }
    const QString shown = input->text();
    PressButton(&window, "btnOk", Qt::Key_O);
    QCOMPARE(messages.Count(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(messages.Last().Text, message);
        QVERIFY(window.isVisible());
        QCOMPARE(Names(), before);
        return;
    }
    QVERIFY(!window.isVisible());
    // What the field showed is what was stored, whole.
    const QString result = change ? Names().first() : Names().last();
    QCOMPARE(result, shown);
    QCOMPARE(result, stored);
    QCOMPARE(Names().size(), before.size() + (change ? 0 : 1));
}

void tst_Concerns::concernInUseIsNotDeleted_data() {
    QTest::addColumn<bool>("inUse");
    QTest::addColumn<bool>("freedFirst");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("used by an employer: refused") << true << false << false;
    QTest::newRow("no longer used after the employer left it") << true << true << true;
    QTest::newRow("never used") << false << false << true;
}

void tst_Concerns::concernInUseIsNotDeleted() {
    QFETCH(bool, inUse);
    QFETCH(bool, freedFirst);
    QFETCH(bool, deleted);
    OpenData();
    Exec(*Connection(), QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Los')"));
    const qint64 id = inUse ? Scalar(QStringLiteral("SELECT MIN(ConcernId) FROM Werkgevers")).toLongLong()
                            : Connection()->LastInsertId();
    if (freedFirst)
        Exec(*Connection(), QStringLiteral("UPDATE Werkgevers SET ConcernId = NULL WHERE ConcernId = %1").arg(id));
    const int before = Names().size();
    TScriptedPresenter messages;
    messages.Expect(deleted ? mrYes : mrOk);
    TfrmMutConcern window;
    window.Initialize(mdDelete, int(id));
    window.show();
    PressButton(&window, "btnOk", Qt::Key_O);
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, deleted ? QStringLiteral("Weet u zeker dat u de gegevens wilt verwijderen?")
                                           : QStringLiteral("Dit concern is al in gebruik."));
    QCOMPARE(window.isVisible(), !deleted);
    QCOMPARE(Names().size(), before - (deleted ? 1 : 0));
    QCOMPARE(Scalar(QStringLiteral("SELECT COUNT(*) FROM Concerns WHERE ConcernId = %1").arg(id)).toInt(),
             deleted ? 0 : 1);
}

QTEST_MAIN(tst_Concerns)
#include "tst_Concerns.moc"
