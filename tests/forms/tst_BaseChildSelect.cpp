// The embedded list base through a small list of test rows inside a small edit window: the buttons and
// their captions per parent mode, the record counter, keys and double click, the edit window contract,
// the store-the-new-parent-first question, the context menu rebuild and the parent checks.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "controls/OrvStringGrid.h"
#include "forms/fBaseChildSelect.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QPointer>
#include <QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMenu>
#include <QtWidgets/QVBoxLayout>

namespace {
TOrvADOConnection* gConnection = nullptr;
}

// A list of the test table Regels; every edit window it opens is recorded and ended by the test.
class TTestList : public TBaseChildSelect {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestList(QWidget* owner)
        : TBaseChildSelect(owner), qryRegels(new TOrvQuery(this, gConnection)) {
        setObjectName(QStringLiteral("frmTestList"));
    }
    QStringList Opened;  // "mode:key"

protected:
    void SetupGrid() override {
        dsChildSelect->SetDataSet(qryRegels);
        qryRegels->SetSQL(QStringLiteral("SELECT RegelId, Tekst FROM Regels ORDER BY RegelId"));
        qryRegels->Open();
        if (dbgridChildSelect->Columns().Count() == 0) {
            dbgridChildSelect->Columns().Add(QStringLiteral("Nr"), QStringLiteral("RegelId"), 60);
            dbgridChildSelect->Columns().Add(QStringLiteral("Tekst"), QStringLiteral("Tekst"), 200);
        }
        dbgridChildSelect->FetchAllRows();
        dbgridChildSelect->SetCursorHome();
    }
    void OpenMutatiescherm(TMode mode) override {
        OpenEditWindow(mode, QStringLiteral("RegelId"), QStringLiteral("Fout bij openen het Regel-mutatiescherm"),
                       [&](int key) {
                           Opened << QStringLiteral("%1:%2").arg(int(mode)).arg(key);
                           auto window = std::make_unique<TBaseOnderhoud>(this);
                           window->TBaseForm::Initialize();
                           return window;
                       });
    }

private:
    TOrvQuery* qryRegels;
};

// The edit window the list lives in, on a tab-like host control.
class TfrmOuder : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmOuder(TMode mode) {
        setObjectName(QStringLiteral("frmOuder"));
        auto* host = new QWidget(pnlBody);
        host->setObjectName(QStringLiteral("tsRegels"));
        (new QVBoxLayout(pnlBody))->addWidget(host);
        FMode = mode;
        TBaseForm::Initialize();
        List = qobject_cast<TTestList*>(CreateChildForm(&TTestList::staticMetaObject, host));
        List->Initialize();
        List->Refresh();
    }
    TTestList* List;
};

class tst_BaseChildSelect : public TWidgetTest {
    Q_OBJECT
    void InitTest() override {
        FDatabase = std::make_unique<TTestDatabase>();
        FConnection = std::make_unique<TOrvADOConnection>();
        FDatabase->Open(*FConnection);
        gConnection = FConnection.get();
        Exec(*FConnection, QStringLiteral("CREATE TABLE Regels (RegelId INTEGER PRIMARY KEY, Tekst VARCHAR(20))"));
    }
    void CleanupTest() override {
        FConnection.reset();
        FDatabase.reset();
    }
    void AddRows(int count) {
        for (int i = 0; i < count; ++i)
            Exec(*FConnection, QStringLiteral("INSERT INTO Regels (Tekst) VALUES ('regel')"));
    }
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;

private Q_SLOTS:
    void buttonsFollowTheParent_data();
    void buttonsFollowTheParent();
    void triggersOpenTheEditWindow_data();
    void triggersOpenTheEditWindow();
    void newParentIsStoredFirst();
    void contextMenuIsRebuilt();
    void parentChecks();
};

void tst_BaseChildSelect::buttonsFollowTheParent_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("editCaption");
    QTest::addColumn<QString>("enabled");  // insert, edit, delete as 1/0
    QTest::addColumn<QString>("counter");
    QTest::newRow("add, empty") << int(mdInsert) << 0 << "&Wijzigen"
                                << "100"
                                << "Records (0/0)";
    QTest::newRow("change, empty") << int(mdEdit) << 0 << "&Wijzigen"
                                   << "100"
                                   << "Records (0/0)";
    QTest::newRow("change, ten rows") << int(mdEdit) << 10 << "&Wijzigen"
                                      << "111"
                                      << "Records (3/10)";
    QTest::newRow("delete, ten rows") << int(mdDelete) << 10 << "&Bekijken"
                                      << "010"
                                      << "Records (3/10)";
    QTest::newRow("view, one row") << int(mdView) << 1 << "&Bekijken"
                                   << "010"
                                   << "Records (1/1)";
}

void tst_BaseChildSelect::buttonsFollowTheParent() {
    QFETCH(int, mode);
    QFETCH(int, rows);
    QFETCH(QString, editCaption);
    QFETCH(QString, enabled);
    QFETCH(QString, counter);
    AddRows(rows);
    TfrmOuder parent{TMode(mode)};
    auto* grid = Child<TOrvDBSortGrid>(&parent, "dbgridChildSelect");
    if (rows >= 3) grid->SetRow(3);  // the row change updates the counter
    QCOMPARE(Child<TOrvButton>(&parent, "btnEdit")->Caption(), editCaption);
    QString actual;
    for (const char* name : {"btnInsert", "btnEdit", "btnDelete"})
        actual += Child<TOrvButton>(&parent, name)->isEnabled() ? u'1' : u'0';
    QCOMPARE(actual, enabled);
    QCOMPARE(Child<QLabel>(&parent, "lblRecordCounter")->text(), counter);
    QCOMPARE(Child<TOrvButton>(&parent, "btnInsert")->Caption(), QStringLiteral("&Toevoegen"));
    QCOMPARE(Child<TOrvButton>(&parent, "btnDelete")->Caption(), QStringLiteral("&Verwijderen"));
}

void tst_BaseChildSelect::triggersOpenTheEditWindow_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("opened");  // "mode:key" or empty
    QTest::newRow("Enter changes") << int(mdEdit) << "enter"
                                   << "1:2";
    QTest::newRow("double click changes") << int(mdEdit) << "double"
                                          << "1:2";
    QTest::newRow("Insert adds") << int(mdEdit) << "insert"
                                 << "0:-1";
    QTest::newRow("Delete deletes") << int(mdEdit) << "delete"
                                    << "2:2";
    QTest::newRow("Enter in a parent being deleted views") << int(mdDelete) << "enter"
                                                           << "3:2";
    QTest::newRow("Insert in a parent being deleted: nothing") << int(mdDelete) << "insert"
                                                               << "";
    QTest::newRow("Delete in a viewed parent: nothing") << int(mdView) << "delete"
                                                        << "";
    QTest::newRow("F5 reloads only") << int(mdEdit) << "f5"
                                     << "";
}

// The edit window ends with OK after a row was added meanwhile: the list is reloaded.
void tst_BaseChildSelect::triggersOpenTheEditWindow() {
    QFETCH(int, mode);
    QFETCH(QString, trigger);
    QFETCH(QString, opened);
    AddRows(3);
    TfrmOuder parent{TMode(mode)};
    auto* grid = Child<TOrvDBSortGrid>(&parent, "dbgridChildSelect");
    grid->SetRow(2);
    TWhenModal<TBaseOnderhoud> ok([&](TBaseOnderhoud* window) {
        AddRows(1);
        window->done(mrOK);
    });
    if (trigger == QLatin1String("f5")) AddRows(1);
    QWidget* cells = grid->Grid();
    if (trigger == QLatin1String("double"))
        grid->OnDoubleClick(grid);
    else
        QTest::keyClick(cells, trigger == QLatin1String("enter")    ? Qt::Key_Return
                               : trigger == QLatin1String("insert") ? Qt::Key_Insert
                               : trigger == QLatin1String("delete") ? Qt::Key_Delete
                                                                    : Qt::Key_F5);
    QCOMPARE(parent.List->Opened.join(u','), opened);
    const bool reloaded = !opened.isEmpty() || trigger == QLatin1String("f5");
    QCOMPARE(Child<QLabel>(&parent, "lblRecordCounter")->text().endsWith(reloaded ? "/4)" : "/3)"), true);
}

void tst_BaseChildSelect::newParentIsStoredFirst() {
    TScriptedPresenter messages;
    TfrmOuder parent{mdInsert};
    messages.Expect(mrNo);
    QTest::keyClick(Child<TOrvDBSortGrid>(&parent, "dbgridChildSelect")->Grid(), Qt::Key_Insert);
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Title, QStringLiteral("Toevoegen"));
    QVERIFY(parent.List->Opened.isEmpty());
    QCOMPARE(parent.Mode(), mdInsert);
}

void tst_BaseChildSelect::contextMenuIsRebuilt() {
    AddRows(2);
    TfrmOuder parent{mdEdit};
    auto* grid = Child<TOrvDBSortGrid>(&parent, "dbgridChildSelect");
    auto* menu = Child<QMenu>(&parent, "pmChildSelect");
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    const QPoint onFirstRow = grid->Grid()->visualRect(grid->Grid()->model()->index(0, 1)).center();
    QPointer<QAction> previous;
    for (int opening = 0; opening < 2; ++opening) {
        Q_EMIT grid->Grid()->customContextMenuRequested(onFirstRow);
        QCOMPARE(menu->actions().size(), 1);
        QAction* item = menu->actions().first();
        QCOMPARE(item->text(), QStringLiteral("Celtekst kopiëren"));
        // The copy of the previous opening is gone; this one is fresh.
        QVERIFY(previous.isNull());
        previous = item;
        menu->hide();
    }
    QGuiApplication::clipboard()->clear();
    grid->SetRow(1);
    QVERIFY(!previous.isNull());
    previous->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1"));  // the current cell: row 1, column Nr
}

void tst_BaseChildSelect::parentChecks() {
    TfrmOuder parent{mdEdit};
    QCOMPARE(CaughtError([&] { parent.List->exec(); }), QStringLiteral("ShowModal is not allowed for child forms."));
    TTestList loose(nullptr);
    QCOMPARE(CaughtError([&] { loose.ParentFormMode(); }),
             QStringLiteral("TBaseChild.ParentFormMode: ParentForm is not assigned"));
    TBaseForm plain;
    auto* host = new QWidget(&plain);
    host->setObjectName(QStringLiteral("host"));
    auto* list = qobject_cast<TTestList*>(plain.CreateChildForm(&TTestList::staticMetaObject, host));
    QCOMPARE(CaughtError([&] { list->ParentInsertAlsNodig(); }),
             QStringLiteral("TBaseChildSelect.ParentInsertAlsNodig: TBaseChild.ParentInsertAlsNodig: Parent is not a "
                            "TBaseOnderhoud descendant"));
}

QTEST_MAIN(tst_BaseChildSelect)
#include "tst_BaseChildSelect.moc"
