// The selection window base through a small list of concerns with its own edit window: the toolbar and
// its "&Sluiten" at the right end, the title line with the record counter, and the add, change, delete and
// refresh round from the keyboard with the database read back, the empty list and a failing edit window.

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "forms/fBaseSelect.h"
#include "support/OrvErrors.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QSignalSpy>
#include <QTest>
#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QVBoxLayout>

#include <memory>

// An edit window of one concern name.
class TfrmMutProef : public TBaseOnderhoud {
    Q_OBJECT
public:
    TfrmMutProef(QWidget* owner, TOrvADOConnection* connection)
        : TBaseOnderhoud(owner), qryProef(new TOrvQuery(this, connection)) {
        setObjectName(QStringLiteral("frmMutProef"));
        osOnderhoud->SetConnection(connection);
        osOnderhoud->SetDataReference(QStringLiteral("Concerns"));
        new QVBoxLayout(pnlBody);
        auto* naam = new TOrvDBEdit(pnlBody);
        naam->setObjectName(QStringLiteral("edNaam"));
        naam->SetLabelCaption(QStringLiteral("Naam:"));
        naam->SetDataGroup(dgOnderhoud);
        naam->SetSQLInputField(QStringLiteral("Naam"));
        naam->SetSQLOutputSet(QStringLiteral("osOnderhoud"));
        naam->SetSQLOutputField(QStringLiteral("Naam"));
        pnlBody->layout()->addWidget(naam);
    }
    void Initialize(TMode mode, int id) {
        WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
            TBaseForm::Initialize();
            FMode = mode;
            FKeyVeldNaam = QStringLiteral("ConcernId");
            FKeyWaarde = mode == mdInsert ? -1 : id;
            FCaptionNaam = QStringLiteral("proef");
            SetCaption();
            qryProef->SetSQL(QStringLiteral("SELECT ConcernId, Naam FROM Concerns WHERE ConcernId = :ConcernId"));
            qryProef->ParamByName(QStringLiteral("ConcernId")).SetAsInteger(id);
            LoadRecord(qryProef);
            EnableDisable();
        });
    }

private:
    TOrvQuery* qryProef;
};

class TfrmSelProef : public TBaseSelect {
    Q_OBJECT
public:
    TfrmSelProef(TOrvADOConnection* connection, const QString& caption)
        : FConnection(connection), qryList(new TOrvQuery(this, connection)) {
        setObjectName(QStringLiteral("frmSelProef"));
        FGridCaption = caption;
        for (QAction* filter : {acFilter, acFilterUit}) filter->setVisible(false);
        btnFilter->hide();
        btnFilterUit->hide();
    }
    void SetupSelectGrid() override {
        dsSelect->SetDataSet(qryList);
        qryList->SetSQL(QStringLiteral("SELECT ConcernId, Naam FROM Concerns"));
        qryList->Open();
        if (dbgridSelect->Columns().Count() == 0)
            dbgridSelect->Columns().Add(QStringLiteral("Naam"), QStringLiteral("Naam"), 500);
        dbgridSelect->FetchAllRows();
        dbgridSelect->Sort(QStringLiteral("Naam"), sdAscending);
        dbgridSelect->SetCursorHome();
    }
    void OpenMutatiescherm(TMode mode) override {
        ShowMutatiescherm(mode, QStringLiteral("ConcernId"), QStringLiteral("Fout bij openen het Proef-mutatiescherm"),
                          [this](TMode m, int key) {
                              auto window = std::make_unique<TfrmMutProef>(this, FConnection);
                              window->Initialize(m, key);
                              return window;
                          });
    }

private:
    TOrvADOConnection* FConnection;
    TOrvQuery* qryList;
};

class tst_BaseSelect : public TWidgetTest {
    Q_OBJECT
private:
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
    std::unique_ptr<TfrmSelProef> FList;

    void InitTest() override {
        FDatabase = std::make_unique<TTestDatabase>();
        FConnection = std::make_unique<TOrvADOConnection>();
        FDatabase->Open(*FConnection);
    }
    void CleanupTest() override {
        FList.reset();
        FConnection.reset();
        FDatabase.reset();
    }
    TfrmSelProef& Open(const QString& caption = QStringLiteral("Proeven")) {
        FList = std::make_unique<TfrmSelProef>(FConnection.get(), caption);
        FList->Initialize();
        FList->show();
        QApplication::setActiveWindow(FList.get());
        if (!QTest::qWaitForWindowActive(FList.get()))
            QTest::qFail("The list window did not become active", __FILE__, __LINE__);
        return *FList;
    }
    // A key in the list window, where its focus is, as after the user came back to it.
    void Key(Qt::Key key) {
        QApplication::setActiveWindow(FList.get());
        QTest::keyClick(FList->focusWidget() ? FList->focusWidget() : FList.get(), key);
    }
    QString Counter() const { return Child<QLabel>(FList.get(), "lblGrid")->text(); }
    QStringList Names() {
        TOrvQuery query(nullptr, FConnection.get());
        query.SetSQL(QStringLiteral("SELECT Naam FROM Concerns ORDER BY ConcernId"));
        query.Open();
        QStringList names;
        for (; !query.Eof(); query.Next()) names << query.FieldValue(0).toString();
        return names;
    }
    QString CurrentName() const {
        const TOrvDBSortGrid* grid = Child<TOrvDBSortGrid>(FList.get(), "dbgridSelect");
        return grid->IsEmpty() ? QString() : grid->CellText(grid->Row(), 0);
    }
    // Alt + the button's letter in the window; the button clicks a moment later. A window that does not
    // react is ended, so the test goes on to report it.
    static void PressButton(QDialog* window, const char* button, Qt::Key letter) {
        QApplication::setActiveWindow(window);
        QSignalSpy clicked(window->findChild<TOrvButton*>(QLatin1String(button)), &QAbstractButton::clicked);
        QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, letter, Qt::AltModifier);
        if (clicked.isEmpty() && !clicked.wait(2000)) {
            window->done(0);
            QTest::qFail("Alt+letter did not click the button", __FILE__, __LINE__);
        }
    }
    static void SetName(TfrmMutProef* window, const QString& name) {
        QApplication::setActiveWindow(window);
        if (!QTest::qWaitForWindowActive(window)) QTest::qFail("The edit window did not come up", __FILE__, __LINE__);
        auto* naam = window->findChild<TOrvDBComponent*>(QStringLiteral("edNaam"));
        naam->SetFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(QApplication::focusWidget(), name);
    }

private Q_SLOTS:
    void toolbarKeepsSluitenAtTheRightEnd_data();
    void toolbarKeepsSluitenAtTheRightEnd();
    void titleLineCountsTheRows_data();
    void titleLineCountsTheRows();
    void addChangeDeleteAndRefreshFromTheKeyboard();
    void emptyListOffersOnlyAdding();
    void failingEditWindowIsShownUnderTheListsTitle();
};

void tst_BaseSelect::toolbarKeepsSluitenAtTheRightEnd_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("minimum width") << 996;
    QTest::newRow("wider") << 1400;
    QTest::newRow("much wider") << 2500;
}

void tst_BaseSelect::toolbarKeepsSluitenAtTheRightEnd() {
    QFETCH(int, width);
    TfrmSelProef& list = Open();
    list.resize(width, 600);
    QTRY_COMPARE(list.width(), width);
    const auto* toolbar = Child<QFrame>(&list, "pnlToolbar");
    const auto* sluiten = Child<TOrvButton>(&list, "btnSluiten");
    QCOMPARE(toolbar->height(), 79);
    QCOMPARE(sluiten->size(), QSize(116, 54));
    QCOMPARE(sluiten->x() + sluiten->width(), toolbar->width() - 13);
    QCOMPARE(sluiten->text(), QStringLiteral("&Sluiten"));
    int left = 6;
    for (const char* name : {"btnInsert", "btnEdit", "btnDelete"}) {
        const auto* button = Child<TOrvButton>(&list, QLatin1String(name));
        QCOMPARE(button->x(), left);
        QCOMPARE(button->size(), QSize(116, 54));
        left += 118;
    }
    QVERIFY(!Child<TOrvButton>(&list, "btnFilter")->isVisible());
    QCOMPARE(TriggerAction(&list, "acFilter"), QStringLiteral("acFilter is disabled"));
}

void tst_BaseSelect::titleLineCountsTheRows_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("downs");
    QTest::addColumn<QString>("counter");
    QTest::newRow("empty list") << "Proeven" << 0 << 0 << " Proeven (0/0)";
    QTest::newRow("first of one") << "Proeven" << 1 << 0 << " Proeven (1/1)";
    QTest::newRow("caption trimmed") << "  Proeven " << 3 << 0 << " Proeven (1/3)";
    QTest::newRow("moved down") << "Proeven" << 3 << 2 << " Proeven (3/3)";
    QTest::newRow("past the last row") << "Proeven" << 3 << 5 << " Proeven (3/3)";
    QTest::newRow("no caption") << "" << 2 << 1 << " Records (2/2)";
}

void tst_BaseSelect::titleLineCountsTheRows() {
    QFETCH(QString, caption);
    QFETCH(int, rows);
    QFETCH(int, downs);
    QFETCH(QString, counter);
    for (int i = 0; i < rows; ++i)
        Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('C%1')").arg(i));
    TfrmSelProef& list = Open(caption);
    QVERIFY(Child<TOrvDBSortGrid>(&list, "dbgridSelect")->Focused());
    for (int i = 0; i < downs; ++i) Key(Qt::Key_Down);
    QCOMPARE(Counter(), counter);
    QCOMPARE(Child<QLabel>(&list, "lblFiltered")->text(), QString());
}

void tst_BaseSelect::addChangeDeleteAndRefreshFromTheKeyboard() {
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Midden'), ('Zuid')"));
    TScriptedPresenter messages;
    Open();
    QCOMPARE(Counter(), QStringLiteral(" Proeven (1/2)"));

    // Insert: stored and listed in name order; the current row stays where it was.
    {
        TWhenModal<TfrmMutProef> edit([](TfrmMutProef* window) {
            QCOMPARE(window->windowTitle(), QStringLiteral("Toevoegen -  proef"));
            SetName(window, QStringLiteral("Oost"));
            PressButton(window, "btnOk", Qt::Key_O);
        });
        Key(Qt::Key_Insert);
    }
    QCOMPARE(Names(), (QStringList{"Midden", "Zuid", "Oost"}));
    QCOMPARE(Counter(), QStringLiteral(" Proeven (1/3)"));
    QCOMPARE(CurrentName(), QStringLiteral("Midden"));

    // Enter: the current row changed; it stays the current row at its new place.
    {
        TWhenModal<TfrmMutProef> edit([](TfrmMutProef* window) {
            QCOMPARE(window->windowTitle(), QStringLiteral("Wijzigen -  proef"));
            SetName(window, QStringLiteral("Zwolle"));
            PressButton(window, "btnOk", Qt::Key_O);
        });
        Key(Qt::Key_Return);
    }
    QCOMPARE(Names(), (QStringList{"Zwolle", "Zuid", "Oost"}));
    QCOMPARE(CurrentName(), QStringLiteral("Zwolle"));
    QCOMPARE(Counter(), QStringLiteral(" Proeven (3/3)"));

    // Delete, answered "Ja".
    messages.Expect(mrYes);
    {
        TWhenModal<TfrmMutProef> edit([](TfrmMutProef* window) { PressButton(window, "btnOk", Qt::Key_O); });
        Key(Qt::Key_Delete);
    }
    QCOMPARE(messages.Last().Text, QStringLiteral("Weet u zeker dat u de gegevens wilt verwijderen?"));
    QCOMPARE(Names(), (QStringList{"Zuid", "Oost"}));
    QCOMPARE(Counter(), QStringLiteral(" Proeven (2/2)"));

    // Cancel writes nothing and leaves the list as it was.
    {
        TWhenModal<TfrmMutProef> edit([](TfrmMutProef* window) { PressButton(window, "btnCancel", Qt::Key_A); });
        QCOMPARE(TriggerAction(FList.get(), "acEdit"), QString());
    }
    QCOMPARE(Names(), (QStringList{"Zuid", "Oost"}));

    // F5 shows what someone else stored meanwhile.
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Beek')"));
    Key(Qt::Key_F5);
    QVERIFY2(Counter().endsWith(QLatin1String("/3)")), qPrintable(Counter()));

    // Escape closes the list.
    Key(Qt::Key_Escape);
    QVERIFY(!FList->isVisible());
    QCOMPARE(messages.Count(), 1);
}

void tst_BaseSelect::emptyListOffersOnlyAdding() {
    TScriptedPresenter messages;
    TfrmSelProef& list = Open();
    QCOMPARE(Counter(), QStringLiteral(" Proeven (0/0)"));
    QVERIFY(!Child<TOrvButton>(&list, "btnEdit")->isEnabled());
    QVERIFY(!Child<TOrvButton>(&list, "btnDelete")->isEnabled());
    QVERIFY(Child<TOrvButton>(&list, "btnInsert")->isEnabled());
    // Enter and Delete open nothing: a window would wait here for the test to close it.
    Key(Qt::Key_Return);
    Key(Qt::Key_Delete);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(messages.Count(), 0);

    // Insert from the toolbar button's letter works from anywhere, also after the focus left the grid.
    Child<TOrvButton>(&list, "btnSluiten")->setFocus();
    {
        TWhenModal<TfrmMutProef> edit([](TfrmMutProef* window) {
            SetName(window, QStringLiteral("Eerste"));
            PressButton(window, "btnOk", Qt::Key_O);
        });
        Key(Qt::Key_Insert);
    }
    QCOMPARE(Names(), QStringList{"Eerste"});
    QCOMPARE(Counter(), QStringLiteral(" Proeven (1/1)"));
    QVERIFY(Child<TOrvButton>(&list, "btnEdit")->isEnabled());
}

void tst_BaseSelect::failingEditWindowIsShownUnderTheListsTitle() {
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Midden')"));
    TScriptedPresenter messages;
    Open();
    Exec(*FConnection, QStringLiteral("ALTER TABLE Concerns RENAME TO Weg"));
    messages.Expect();
    Key(Qt::Key_Return);
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Title, QStringLiteral("Fout bij openen het Proef-mutatiescherm"));
    QVERIFY2(messages.Last().Text.startsWith(QLatin1String("TfrmMutProef.Initialize: ")),
             qPrintable(messages.Last().Text));
    QVERIFY(!QApplication::activeModalWidget());
    QVERIFY(FList->isVisible());
    QCOMPARE(Counter(), QStringLiteral(" Proeven (1/1)"));
}

QTEST_MAIN(tst_BaseSelect)
#include "tst_BaseSelect.moc"
