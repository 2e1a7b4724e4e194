// The employer filter through the main window on a demo database, by keyboard: the list afterwards holds
// exactly the employers and amounts the chosen filter selects, "Filter uitzetten" brings every employer
// back, Annuleren changes nothing, and the window shows the filter last confirmed.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/DemoData.h"
#include "core/dMain.h"
#include "core/uFilter.h"
#include "core/uGlobals.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "maintenance/fFilWerkgevers.h"
#include "overview/fMain.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QMap>
#include <QPointer>
#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>

namespace {
const QString kActief = QStringLiteral("(Filter actief) ");
const QString kLeegConcern = QStringLiteral("Lege Holding Testsma");

// What the user does in the filter window.
struct TKeuze {
    QString Concern;           // chosen in the concern list; empty: the list is left alone
    bool WeerLeeg = false;     // then back to the empty first line
    bool Aanvinken = false;    // Space on the check box
    Qt::Key Knop = Qt::Key_O;  // Alt+O or Alt+A
};
}

class tst_FilWerkgevers : public TWidgetTest {
    Q_OBJECT
    void InitTest() override {
        CreateDemoDatabase(ProgramFile(QStringLiteral("Zemlo2024.mdb")), {});
        TOrvADOConnection c;
        c.Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(), QStringLiteral("Share Deny None"));
        Exec(c, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('%1')").arg(kLeegConcern));
    }

    // The rows a statement gives, as WerkgeverId -> free space, on the main window's own connection.
    static QMap<qint64, double> Rows(TfrmMain& window, const QString& sql) {
        TOrvQuery q(nullptr, window.DataModule()->ADOConnectionZemlo);
        q.SetSQL(sql);
        q.Open();
        const int vrij = q.FieldIndexOrRaise(QStringLiteral("TotVrijeRuimte"));
        QMap<qint64, double> rows;
        for (; !q.Eof(); q.Next())
            rows.insert(q.FieldValue(q.FieldIndexOrRaise(QStringLiteral("WerkgeverId"))).toLongLong(),
                        q.FieldValue(vrij).toDouble());
        return rows;
    }
    // The employers the main list shows, with their free space.
    static QMap<qint64, double> Shown(TfrmMain& window) {
        const TDataSet& rows = *Child<TOrvDBSortGrid>(&window, "dbgridWG")->DataSet();
        QMap<qint64, double> shown;
        for (int r = 0; r < rows.RecordCount(); ++r)
            shown.insert(rows.Value(r, rows.FieldIndexOrRaise(QStringLiteral("WerkgeverId"))).toLongLong(),
                         rows.Value(r, rows.FieldIndexOrRaise(QStringLiteral("TotVrijeRuimte"))).toDouble());
        return shown;
    }
    static qint64 ConcernId(TfrmMain& window, const QString& naam) {
        TOrvQuery q(nullptr, window.DataModule()->ADOConnectionZemlo);
        q.SetSQL(QStringLiteral("SELECT ConcernId FROM Concerns WHERE Naam = :Naam"));
        q.ParamByName(QStringLiteral("Naam")).SetAsString(naam);
        q.Open();
        return q.Eof() ? -1 : q.FieldValue(0).toLongLong();
    }
    // The demo concern with the most employers among those whose name is unique, so its name picks it.
    QString GrootsteConcern() {
        TOrvADOConnection c;
        c.Open(ProgramFile(QStringLiteral("Zemlo2024.mdb")), QString(), QStringLiteral("Share Deny None"));
        TOrvQuery q(nullptr, &c);
        q.SetSQL(QStringLiteral("SELECT c.Naam FROM Concerns c INNER JOIN Werkgevers w ON w.ConcernId = c.ConcernId "
                                "WHERE (SELECT COUNT(*) FROM Concerns d WHERE d.Naam = c.Naam) = 1 "
                                "GROUP BY c.ConcernId, c.Naam ORDER BY COUNT(*) DESC"));
        q.Open();
        return q.FieldValue(0).toString();
    }

    // Opens the filter from the main window's action and does what the user does there; the window's
    // checks of what it shows on opening run first.
    static void Filteren(TfrmMain& window, const TKeuze& keuze,
                         const std::function<void(TfrmFilWerkgevers*)>& bijOpenen = {}) {
        TWhenModal<TfrmFilWerkgevers> doen([&](TfrmFilWerkgevers* filter) {
            // Should the button not close the window, the test fails instead of waiting for ever.
            QTimer::singleShot(5000, filter, [filter] {
                QTest::qFail("the filter window did not close", __FILE__, __LINE__);
                filter->reject();
            });
            filter->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(filter));
            if (bijOpenen) bijOpenen(filter);
            auto* concern = Child<TOrvDBLookupCombo>(filter, "edConcern")->ComboBox();
            auto* proforma = Child<TOrvDBCheckbox>(filter, "chkExclusiefProforma")->CheckBox();
            concern->setFocus();
            if (!keuze.Concern.isEmpty()) {
                // Down through the list (a typed blank would open it) until the concern shows.
                QTest::keyClick(concern, Qt::Key_Home);
                for (int i = 0; i < concern->count() && concern->currentText() != keuze.Concern; ++i)
                    QTest::keyClick(concern, Qt::Key_Down);
                QCOMPARE(concern->currentText(), keuze.Concern);
            }
            if (keuze.WeerLeeg) QTest::keyClick(concern, Qt::Key_Home);
            if (keuze.Aanvinken) {
                QTest::keyClick(concern, Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), proforma);
                QTest::keyClick(proforma, Qt::Key_Space);
            }
            QTest::keyClick(QApplication::focusWidget(), keuze.Knop, Qt::AltModifier);
        });
        QCOMPARE(TriggerAction(&window, QStringLiteral("acFilter")), QString());
    }

private Q_SLOTS:
    void filterSelectsTheRows_data();
    void filterSelectsTheRows();
    void cancelKeepsTheFilter();
    void windowWithoutFilter();
};

void tst_FilWerkgevers::filterSelectsTheRows_data() {
    QTest::addColumn<QString>("concern");  // "*": the biggest demo concern
    QTest::addColumn<bool>("weerLeeg");
    QTest::addColumn<bool>("exclusief");
    QTest::newRow("niets gekozen") << QString() << false << false;
    QTest::newRow("exclusief proforma") << QString() << false << true;
    QTest::newRow("concern") << QStringLiteral("*") << false << false;
    QTest::newRow("concern, exclusief proforma") << QStringLiteral("*") << false << true;
    QTest::newRow("concern zonder werkgevers") << kLeegConcern << false << false;
    QTest::newRow("concern en weer de lege regel") << QStringLiteral("*") << true << false;
}

void tst_FilWerkgevers::filterSelectsTheRows() {
    QFETCH(QString, concern);
    QFETCH(bool, weerLeeg);
    QFETCH(bool, exclusief);
    if (concern == QLatin1String("*")) concern = GrootsteConcern();
    TScriptedPresenter messages;
    TfrmMain window;
    window.Initialize();
    window.show();
    QVERIFY(window.isVisible());
    auto* label = Child<QLabel>(&window, "lblFiltered");
    const QMap<qint64, double> alle = Shown(window);
    QVERIFY(alle.size() > 10);
    QCOMPARE(label->text(), QString());

    Filteren(window, {concern, weerLeeg, exclusief});

    // The filter holds what the window showed: the check box always, the concern only when chosen.
    const bool metConcern = !concern.isEmpty() && !weerLeeg;
    const qint64 concernId = metConcern ? ConcernId(window, concern) : -1;
    QCOMPARE(window.FFilter.Count(), metConcern ? 2 : 1);
    QCOMPARE(window.FFilter.FilterFieldByName(QStringLiteral("ExclusiefProforma")).AsBoolean(), exclusief);
    if (metConcern)
        QCOMPARE(window.FFilter.FilterFieldByName(QStringLiteral("ConcernId")).AsString(), QString::number(concernId));
    QCOMPARE(label->text(), kActief);

    // The employers straight from the table; the amounts from the overview with the flag set by hand.
    const QMap<qint64, double> werkgevers =
        Rows(window, metConcern ? QStringLiteral("SELECT WerkgeverId, 0 AS TotVrijeRuimte FROM Werkgevers "
                                                 "WHERE ConcernId = %1")
                                      .arg(concernId)
                                : QStringLiteral("SELECT WerkgeverId, 0 AS TotVrijeRuimte FROM Werkgevers"));
    TFilter zonderProforma;
    zonderProforma.SetFilterField(QStringLiteral("ExclusiefProforma"), true, TFieldType::ftBoolean);
    const QMap<qint64, double> bedragen = exclusief ? Rows(window, BuildWerkgeversSQL(zonderProforma)) : alle;
    const QMap<qint64, double> shown = Shown(window);
    QCOMPARE(shown.keys(), werkgevers.keys());
    bool verschil = false;
    for (auto r = shown.cbegin(); r != shown.cend(); ++r) {
        QCOMPARE(r.value(), bedragen.value(r.key()));
        verschil = verschil || r.value() != alle.value(r.key());
    }
    // The demo's provisional wage sums make a difference the list must show.
    QCOMPARE(verschil, exclusief);

    QCOMPARE(TriggerAction(&window, QStringLiteral("acFilterUit")), QString());
    QCOMPARE(Shown(window), alle);
    QCOMPARE(label->text(), QString());
    QCOMPARE(window.FFilter.Count(), 0);
    QCOMPARE(messages.Count(), 0);
    SluitZonderVraag = true;
}

void tst_FilWerkgevers::cancelKeepsTheFilter() {
    const QString concern = GrootsteConcern();
    TScriptedPresenter messages;
    TfrmMain window;
    window.Initialize();
    window.show();
    auto* label = Child<QLabel>(&window, "lblFiltered");
    Filteren(window, {concern, false, true});
    const QMap<qint64, double> gefilterd = Shown(window);
    QCOMPARE(label->text(), kActief);

    // Opening again shows the filter last confirmed; changing it and cancelling leaves it as it was.
    bool gezien = false;
    Filteren(window, {kLeegConcern, false, true, Qt::Key_A}, [&](TfrmFilWerkgevers* filter) {
        QCOMPARE(Child<TOrvDBLookupCombo>(filter, "edConcern")->ComboBox()->currentText(), concern);
        QVERIFY(Child<TOrvDBCheckbox>(filter, "chkExclusiefProforma")->CheckBox()->isChecked());
        QCOMPARE(filter->windowTitle(), QStringLiteral("Werkgever selectiefilter"));
        gezien = true;
    });
    QVERIFY(gezien);
    QCOMPARE(window.FFilter.Count(), 2);
    QCOMPARE(window.FFilter.FilterFieldByName(QStringLiteral("ConcernId")).AsString(),
             QString::number(ConcernId(window, concern)));
    QVERIFY(window.FFilter.FilterFieldByName(QStringLiteral("ExclusiefProforma")).AsBoolean());
    QCOMPARE(Shown(window), gefilterd);
    QCOMPARE(label->text(), kActief);

    // OK with the empty line and the box cleared: every employer again, yet the box keeps the label.
    Filteren(window, {QString(), true, true});
    QCOMPARE(window.FFilter.Count(), 1);
    QVERIFY(!window.FFilter.FilterFieldByName(QStringLiteral("ExclusiefProforma")).AsBoolean());
    QVERIFY(Shown(window).size() > gefilterd.size());
    QCOMPARE(label->text(), kActief);
    QCOMPARE(messages.Count(), 0);
    SluitZonderVraag = true;
}

void tst_FilWerkgevers::windowWithoutFilter() {
    QCOMPARE(CaughtError([] { TfrmFilWerkgevers window(nullptr, nullptr); }), QStringLiteral("Filter cannot be nil"));
}

QTEST_MAIN(tst_FilWerkgevers)
#include "tst_FilWerkgevers.moc"
