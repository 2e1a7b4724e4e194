#include "controls/OrvDBSortGrid.h"
#include "support/OrvClientDataSet.h"
#include "support/OrvErrors.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WidgetTest.h"

#include <QAbstractItemModelTester>
#include <QtGui/QClipboard>
#include <QtTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>

namespace {
struct TRow {
    QString Naam;
    QVariant Bedrag;
    QVariant Datum;
    QVariant Nr;
};

// A source dataset with a text, an amount, a date and a number column, shown in that order.
class TFixture {
public:
    explicit TFixture(const QList<TRow>& rows) {
        data.AddFieldDef(QStringLiteral("Naam"), TFieldType::ftString, 60);
        data.AddFieldDef(QStringLiteral("Bedrag"), TFieldType::ftFloat);
        data.AddFieldDef(QStringLiteral("Datum"), TFieldType::ftDateTime);
        data.AddFieldDef(QStringLiteral("Nr"), TFieldType::ftInteger);
        data.AddFieldDef(QStringLiteral("Plaats"), TFieldType::ftString, 40);  // not shown at first
        data.CreateDataSet();
        for (const TRow& row : rows) data.AppendRecord({row.Naam, row.Bedrag, row.Datum, row.Nr});
        grid.setObjectName(QStringLiteral("grdTest"));
        grid.SetDataSource(&source);
        grid.Columns().Add(QStringLiteral("Naam"), QStringLiteral("Naam"), 150);
        grid.Columns().Add(QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 100, QStringLiteral("#,##0.00"));
        grid.Columns().Add(QStringLiteral("Datum"), QStringLiteral("Datum"), 100);
        grid.Columns().Add(QStringLiteral("Nr"), QStringLiteral("Nr"), 60);
        grid.resize(500, 300);
        grid.show();
        grid.FetchAllRows();
        grid.SetCursorHome();
        grid.SetFocus();
    }
    QStringList Column(int column) const {
        QStringList texts;
        for (int r = 1; r < grid.RowCount(); ++r) texts << grid.CellText(r, column);
        return texts;
    }
    QHeaderView* Header() const { return grid.Grid()->horizontalHeader(); }
    void ClickTitle(int column) const {
        const QRect section(Header()->sectionViewportPosition(column), 0, Header()->sectionSize(column),
                            Header()->height());
        QTest::mouseClick(Header()->viewport(), Qt::LeftButton, {}, section.center());
    }
    QAction* TitleMenuItem(int column, const char* name) const {
        const QPoint at(Header()->sectionViewportPosition(column) + 5, 5);
        Q_EMIT Header()->customContextMenuRequested(at);
        return grid.findChild<QMenu*>(QStringLiteral("FPopupMenuTitelBalk"))->findChild<QAction*>(QLatin1String(name));
    }
    void Type(const QString& text) const { QTest::keyClicks(grid.Grid(), text); }
    QString Search() const { return grid.findChild<QLineEdit*>(QStringLiteral("edIncSearch"))->text(); }

    TOrvClientDataSet data;
    TDataSource source{nullptr, &data};
    TOrvDBSortGrid grid;
};

// The grid alone sorts, filters and reloads its rows: what it hands out is read-only.
static_assert(std::is_const_v<std::remove_pointer_t<decltype(std::declval<const TOrvDBSortGrid&>().DataSet())>>);

QDateTime Day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }

QList<TRow> Names(const QStringList& names) {
    QList<TRow> rows;
    for (int i = 0; i < names.size(); ++i) rows.append({names[i], double(i), Day(2024, 1, 1), i});
    return rows;
}
}

class TestOrvDBSortGrid : public TWidgetTest {
    Q_OBJECT
private Q_SLOTS:
    void unknownFormatIsRefused();
    void columnOnAnUntypedFieldTakesItsType();
    void columnDeclaration_data();
    void columnDeclaration();
    void minimumWidth();
    void titleClicksSortAscendingThenDescending();
    void tiesOrderedByNextColumns();
    void findKeyAfterSort();
    void sortKeepsCurrentRecord();
    void beginSortOnUnknownFieldFails();
    void emptyList();
    void searchDelayFollowsRowCount_data();
    void searchDelayFollowsRowCount();
    void searchTextFiltersAndLocates();
    void searchNarrowsFromFullList();
    void searchNumeric_data();
    void searchNumeric();
    void searchDate_data();
    void searchDate();
    void navigationKeysClearSearch();
    void copyColumn();
    void copyEmptyColumnWarns();
    void frozenColumnsStayInPlace();
    void leftRightBringColumnsIntoView_data();
    void leftRightBringColumnsIntoView();
    void searchThenSort_data();
    void searchThenSort();
    void modelPassesTester();
};

// A query without rows cannot tell the type of a computed field; a column declared on it then takes the
// type, and the format, alignment and sorting of it, from the first rows that come.
void TestOrvDBSortGrid::columnOnAnUntypedFieldTakesItsType() {
    TOrvClientDataSet data;
    data.AddFieldDef(QStringLiteral("Bedrag"), TFieldType::ftUnknown);
    data.CreateDataSet();
    TDataSource source(nullptr, &data);
    TOrvDBSortGrid grid;
    grid.SetDataSource(&source);
    TOrvDBSortGridColumn& column =
        grid.Columns().Add(QStringLiteral("Bedrag"), QStringLiteral("Bedrag"), 80, QStringLiteral("#,##0.00"));
    grid.FetchAllRows();
    QVERIFY(grid.IsEmpty());
    data.ClearFields();
    data.AddFieldDef(QStringLiteral("Bedrag"), TFieldType::ftFloat);
    data.CreateDataSet();
    data.AppendRecord({1234.5});
    data.AppendRecord({99.0});
    grid.Refresh();
    QCOMPARE(column.DataType(), TFieldType::ftFloat);
    QCOMPARE(column.Alignment(), gaRight);
    QCOMPARE(grid.CellText(1, 0), QStringLiteral("1.234,50"));
    grid.Sort(QStringLiteral("Bedrag"), sdAscending);
    QCOMPARE(grid.CellText(1, 0), QStringLiteral("99,00"));
}

void TestOrvDBSortGrid::unknownFormatIsRefused() {
    TOrvClientDataSet data;
    data.AddFieldDef(QStringLiteral("Code"), TFieldType::ftString);
    data.CreateDataSet();
    data.AppendRecord({QStringLiteral("X")});
    TDataSource source(nullptr, &data);
    TOrvDBSortGrid grid;
    grid.SetDataSource(&source);
    grid.Columns().Add(QStringLiteral("Code"), QStringLiteral("Code"), 80, QStringLiteral("0.00"));
    QCOMPARE(CaughtError([&] { grid.FetchAllRows(); }),
             QStringLiteral("TOrvDBSortGrid.FetchAllRows: Not implemented format (0.00)"));
}

void TestOrvDBSortGrid::columnDeclaration_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("message");
    QTest::newRow("no caption") << ""
                                << "Nr"
                                << "Add: Caption is required.";
    QTest::newRow("same caption") << "Naam"
                                  << "Nr"
                                  << "Add: Caption should be unique.";
    QTest::newRow("no field") << "Nummer"
                              << ""
                              << "Add: FieldName is required.";
    QTest::newRow("same field other case") << "Nummer"
                                           << "naam"
                                           << "Add: Fieldname should be unique.";
    QTest::newRow("field not in dataset") << "Nummer"
                                          << "Onbekend"
                                          << "Add: Field 'Onbekend' not found";
}

void TestOrvDBSortGrid::columnDeclaration() {
    QFETCH(QString, caption);
    QFETCH(QString, field);
    QFETCH(QString, message);
    TOrvClientDataSet data;
    data.AddFieldDef(QStringLiteral("Naam"), TFieldType::ftString);
    data.AddFieldDef(QStringLiteral("Nr"), TFieldType::ftInteger);
    data.CreateDataSet();
    TDataSource source(nullptr, &data);
    TOrvDBSortGrid grid;
    grid.SetDataSource(&source);
    grid.Columns().Add(QStringLiteral("Naam"), QStringLiteral("Naam"), 100);
    QCOMPARE(CaughtError([&] { grid.Columns().Add(caption, field, 100); }), message);
    QCOMPARE(grid.Columns().Count(), 1);
    QCOMPARE(grid.Columns().Items(0).FieldName(), QStringLiteral("NAAM"));
    QVERIFY(!grid.Columns().FindColumn(QStringLiteral("Nr")));
    QCOMPARE(CaughtError([&] { grid.Columns().ColumnByFieldName(QStringLiteral("Nr")); }),
             QStringLiteral("Column \"Nr\" not found."));
}

void TestOrvDBSortGrid::minimumWidth() {
    TFixture f(Names({QStringLiteral("A")}));
    f.grid.Columns().Add(QStringLiteral("Smal"), QStringLiteral("Plaats"), 10);
    f.grid.FetchAllRows();
    QCOMPARE(f.grid.Columns().Items(4).ActualWidth(), 40);
    QCOMPARE(f.Header()->sectionSize(4), 40);
    QCOMPARE(f.grid.Columns().TotalColumnWidth(), 150 + 100 + 100 + 60 + 40);
    f.Header()->resizeSection(0, 12);  // a user drag below the minimum
    QCOMPARE(f.grid.Columns().Items(0).ActualWidth(), 40);
    f.Header()->resizeSection(0, 90);
    QCOMPARE(f.grid.Columns().Items(0).ActualWidth(), 90);
}

void TestOrvDBSortGrid::titleClicksSortAscendingThenDescending() {
    TFixture f(Names({QStringLiteral("beta"), QStringLiteral("Alfa"), QStringLiteral("gamma")}));
    f.ClickTitle(0);
    QCOMPARE(f.grid.SortDirection(), sdAscending);
    QCOMPARE(f.grid.SortFieldName(), QStringLiteral("NAAM"));
    QCOMPARE(f.Column(0), QStringList({"Alfa", "beta", "gamma"}));
    f.ClickTitle(0);
    QCOMPARE(f.grid.SortDirection(), sdDescending);
    QCOMPARE(f.Column(0), QStringList({"gamma", "beta", "Alfa"}));
    f.ClickTitle(1);  // another column starts ascending
    QCOMPARE(f.grid.SortFieldName(), QStringLiteral("BEDRAG"));
    QCOMPARE(f.grid.SortDirection(), sdAscending);
}

void TestOrvDBSortGrid::tiesOrderedByNextColumns() {
    TFixture f({{QStringLiteral("B"), 2.0, Day(2024, 1, 2), 1},
                {QStringLiteral("A"), 1.0, Day(2024, 1, 9), 2},
                {QStringLiteral("A"), 1.0, Day(2024, 1, 3), 3},
                {QStringLiteral("A"), 0.5, Day(2024, 1, 5), 4}});
    f.grid.Sort(QStringLiteral("Naam"), sdAscending);
    QCOMPARE(f.Column(3), QStringList({"4", "3", "2", "1"}));
    f.grid.Sort(QStringLiteral("Naam"), sdDescending);
    QCOMPARE(f.Column(3), QStringList({"1", "2", "3", "4"}));
}

void TestOrvDBSortGrid::findKeyAfterSort() {
    TFixture f(Names({QStringLiteral("Cees"), QStringLiteral("Bram"), QStringLiteral("Anna"), QStringLiteral("anna")}));
    f.grid.Sort(QStringLiteral("Naam"), sdDescending);
    QVERIFY(f.grid.FindKey(QStringLiteral("Nr"), 1));
    QCOMPARE(f.grid.Row(), 2);
    QCOMPARE(f.grid.DataSet()->FieldByName(QStringLiteral("Naam")).toString(), QStringLiteral("Bram"));
    QVERIFY(f.grid.FindKey(QStringLiteral("Naam"), QStringLiteral("anna")));  // case-sensitive
    QCOMPARE(f.grid.DataSet()->FieldByName(QStringLiteral("Nr")).toInt(), 3);
    QVERIFY(!f.grid.FindKey(QStringLiteral("Nr"), 99));
    QCOMPARE(f.grid.DataSet()->FieldByName(QStringLiteral("Nr")).toInt(), 3);
}

void TestOrvDBSortGrid::sortKeepsCurrentRecord() {
    int changes = 0;  // outlives the grid whose handler counts in it
    TFixture f(Names({QStringLiteral("Cees"), QStringLiteral("Bram"), QStringLiteral("Anna")}));
    f.grid.OnRowChange = [&](TOrvDBSortGrid*) { ++changes; };
    f.grid.Next();
    QCOMPARE(changes, 1);
    f.grid.Sort(QStringLiteral("Naam"), sdAscending);
    QCOMPARE(f.grid.Row(), 2);
    QCOMPARE(f.grid.DataSet()->FieldByName(QStringLiteral("Naam")).toString(), QStringLiteral("Bram"));
    f.grid.SetCursorHome();  // home state: a sort keeps row 1
    f.grid.Sort(QStringLiteral("Naam"), sdDescending);
    QCOMPARE(f.grid.Row(), 1);
    QCOMPARE(f.grid.CellText(1, 0), QStringLiteral("Cees"));
}

void TestOrvDBSortGrid::beginSortOnUnknownFieldFails() {
    TFixture f(Names({QStringLiteral("B"), QStringLiteral("A")}));
    f.grid.OnBeginSort = [](TOrvDBSortGrid*, QString& field) { field = QStringLiteral("Nr"); };
    f.grid.Sort(QStringLiteral("Naam"), sdDescending);
    QCOMPARE(f.Column(3), QStringList({"1", "0"}));
    f.grid.OnBeginSort = [](TOrvDBSortGrid*, QString& field) { field = QStringLiteral("Plaats"); };
    QCOMPARE(CaughtError([&] { f.grid.Sort(QStringLiteral("Naam"), sdAscending); }),
             QStringLiteral("TOrvDBSortGrid.Sort: Cannot modify the sort from \"NAAM\" to \"Plaats\" "
                            "because this field does not exists. Check BeginSort event."));
}

void TestOrvDBSortGrid::emptyList() {
    TFixture f({});
    QVERIFY(f.grid.IsEmpty());
    QCOMPARE(f.grid.RowCount(), 2);
    QCOMPARE(f.grid.Grid()->model()->rowCount(), 1);
    QCOMPARE(f.grid.CellText(1, 0), QString());
    QVERIFY(f.grid.IsRowEmpty(1));
    f.ClickTitle(0);
    QCOMPARE(f.grid.SortDirection(), sdNotSorted);
    QTest::keyClick(f.grid.Grid(), Qt::Key_Down);
    QCOMPARE(f.grid.Row(), 1);
}

void TestOrvDBSortGrid::searchDelayFollowsRowCount_data() {
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("delay");
    QTest::newRow("5000") << 5000 << 300;
    QTest::newRow("5001") << 5001 << 600;
    QTest::newRow("15000") << 15000 << 600;
    QTest::newRow("15001") << 15001 << 1200;
}

void TestOrvDBSortGrid::searchDelayFollowsRowCount() {
    QFETCH(int, rows);
    QFETCH(int, delay);
    TOrvClientDataSet data;
    data.AddFieldDef(QStringLiteral("Nr"), TFieldType::ftInteger);
    data.CreateDataSet();
    for (int i = 0; i < rows; ++i) data.AppendRecord({i});
    TDataSource source(nullptr, &data);
    TOrvDBSortGrid grid;
    grid.SetDataSource(&source);
    grid.Columns().Add(QStringLiteral("Nr"), QStringLiteral("Nr"), 60);
    grid.FetchAllRows();
    QCOMPARE(grid.IncrementalSearchDelay(), delay);
}

void TestOrvDBSortGrid::searchTextFiltersAndLocates() {
    TFixture f(Names({QStringLiteral("Pieters"), QStringLiteral("Jansen"), QStringLiteral("Johan"),
                      QStringLiteral("De Jan-Bakker"), QStringLiteral("Jaan"), QStringLiteral("Kees"),
                      QStringLiteral("Janus")}));
    f.Type(QStringLiteral("jan"));
    QCOMPARE(f.Search(), QStringLiteral("JAN"));
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.RowCount() - 1, 4, 2000);
    QCOMPARE(f.Column(0), QStringList({"De Jan-Bakker", "Jaan", "Jansen", "Janus"}));
    QCOMPARE(f.grid.SortFieldName(), QStringLiteral("NAAM"));
    QCOMPARE(f.grid.CellText(f.grid.Row(), 0), QStringLiteral("Jansen"));  // first row starting with JAN
    // Only a prefix found: the cursor stands where the text would sort.
    f.Type(QStringLiteral("o"));
    QTRY_COMPARE_WITH_TIMEOUT(f.Search(), QStringLiteral("JANO"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.CellText(f.grid.Row(), 0), QStringLiteral("Jansen"), 2000);
}

void TestOrvDBSortGrid::searchNarrowsFromFullList() {
    TFixture f(
        Names({QStringLiteral("Jansen"), QStringLiteral("Janssen"), QStringLiteral("Kees"), QStringLiteral("Jaap")}));
    f.Type(QStringLiteral("JANS"));
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.RowCount() - 1, 2, 2000);
    QTest::keyClick(f.grid.Grid(), Qt::Key_Backspace);
    QTest::keyClick(f.grid.Grid(), Qt::Key_Backspace);
    QCOMPARE(f.Search(), QStringLiteral("JA"));
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.RowCount() - 1, 4, 2000);  // two characters: no filter
    QCOMPARE(f.grid.CellText(f.grid.Row(), 0), QStringLiteral("Jaap"));
}

void TestOrvDBSortGrid::searchNumeric_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("search");
    QTest::addColumn<int>("nr");
    QTest::newRow("reached") << "2x5"
                             << "25" << 30;
    QTest::newRow("exact") << "10"
                           << "10" << 10;
    QTest::newRow("beyond all rows") << "99"
                                     << "99" << 40;
    QTest::newRow("letters only") << "ab"
                                  << "" << 0;
}

void TestOrvDBSortGrid::searchNumeric() {
    QFETCH(QString, typed);
    QFETCH(QString, search);
    QFETCH(int, nr);
    TFixture f({{QStringLiteral("A"), 1.0, Day(2024, 1, 1), 40},
                {QStringLiteral("B"), 1.0, Day(2024, 1, 1), 10},
                {QStringLiteral("C"), 1.0, Day(2024, 1, 1), 30},
                {QStringLiteral("D"), 1.0, Day(2024, 1, 1), 0}});
    f.grid.Grid()->setCurrentIndex(f.grid.Grid()->model()->index(1, 3));
    f.Type(typed);
    QCOMPARE(f.Search(), search);
    if (search.isEmpty()) return;  // nothing accepted: no run
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.SortFieldName(), QStringLiteral("NR"), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.DataSet()->FieldByName(QStringLiteral("Nr")).toInt(), nr, 2000);
    QCOMPARE(f.grid.RowCount() - 1, 4);
}

void TestOrvDBSortGrid::searchDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("naam");
    QTest::newRow("too short") << "2"
                               << "2019";
    QTest::newRow("year") << "2024"
                          << "2024-03";
    QTest::newRow("year and month") << "202404"
                                    << "2025-01";
    QTest::newRow("month above 12") << "202413"
                                    << "2025-01";
    QTest::newRow("day that does not exist") << "20240231"
                                             << "2024-03";
}

void TestOrvDBSortGrid::searchDate() {
    QFETCH(QString, typed);
    QFETCH(QString, naam);
    TFixture f({{QStringLiteral("2025-01"), 1.0, Day(2025, 1, 1), 1},
                {QStringLiteral("2019"), 1.0, Day(2019, 6, 1), 2},
                {QStringLiteral("2024-03"), 1.0, Day(2024, 3, 12), 3},
                {QStringLiteral("2023"), 1.0, Day(2023, 12, 31), 4}});
    f.grid.Grid()->setCurrentIndex(f.grid.Grid()->model()->index(0, 2));
    f.Type(typed + QStringLiteral("x"));
    QCOMPARE(f.Search(), typed);
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.DataSet()->FieldByName(QStringLiteral("Naam")).toString(), naam, 2000);
    QCOMPARE(f.grid.SortFieldName(), QStringLiteral("DATUM"));
}

void TestOrvDBSortGrid::navigationKeysClearSearch() {
    TFixture f(Names({QStringLiteral("Jansen"), QStringLiteral("Kees")}));
    f.Type(QStringLiteral("KE"));
    QCOMPARE(f.Search(), QStringLiteral("KE"));
    QTest::keyClick(f.grid.Grid(), Qt::Key_Escape);
    QCOMPARE(f.Search(), QString());
    f.Type(QStringLiteral("K"));
    QTest::keyClick(f.grid.Grid(), Qt::Key_Down);
    QCOMPARE(f.Search(), QString());
    f.Type(QStringLiteral("K"));
    f.grid.ClearIncrementalSearch();
    QCOMPARE(f.Search(), QString());
}

void TestOrvDBSortGrid::copyColumn() {
    TFixture f({{QStringLiteral("A"), 1234.5, Day(2024, 1, 1), 1},
                {QStringLiteral("B"), 0.0, Day(2024, 1, 1), 2},
                {QStringLiteral("C"), 7.0, Day(2024, 1, 1), 3}});
    f.grid.Next();
    QAction* copy = f.TitleMenuItem(1, "miWaardenInKolomKopieren");
    QVERIFY(copy);
    copy->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1.234,50\r\n7,00"));
    QCOMPARE(f.grid.Row(), 2);
}

void TestOrvDBSortGrid::copyEmptyColumnWarns() {
    TFixture f({{QStringLiteral("A"), 0.0, Day(2024, 1, 1), 1}, {QStringLiteral("B"), QVariant(), Day(2024, 1, 1), 2}});
    QGuiApplication::clipboard()->setText(QStringLiteral("eerder"));
    TScriptedPresenter presenter;
    presenter.Expect(mrOk);
    f.TitleMenuItem(1, "miWaardenInKolomKopieren")->trigger();
    QCOMPARE(presenter.Count(), 1);
    QCOMPARE(presenter.Last().Title, MessageTeksten.Warning);
    QCOMPARE(presenter.Last().Text, QStringLiteral("Alle waarden in de kolom zijn leeg."));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("eerder"));
    QVERIFY(!f.TitleMenuItem(1, "miSelectieOmdraaien")->isEnabled());
}

void TestOrvDBSortGrid::frozenColumnsStayInPlace() {
    TFixture f(Names({QStringLiteral("A"), QStringLiteral("B")}));
    f.grid.Columns().Add(QStringLiteral("Plaats"), QStringLiteral("Plaats"), 0);
    f.grid.FetchAllRows();
    f.grid.resize(300, 200);  // narrower than the columns
    QAction* freeze = f.TitleMenuItem(1, "miTitelsBlokkeren");
    QVERIFY(freeze->isEnabled());
    freeze->trigger();
    QVERIFY(f.grid.Columns().Items(0).FixedByUser() && f.grid.Columns().Items(1).FixedByUser());
    QVERIFY(!f.grid.Columns().Items(2).FixedByUser());
    QTest::keyClick(f.grid.Grid(), Qt::Key_End);
    QCOMPARE(f.grid.Grid()->currentIndex().column(), 4);
    QVERIFY(!f.grid.Grid()->isColumnHidden(0));
    QVERIFY(!f.grid.Grid()->isColumnHidden(1));
    QVERIFY(f.grid.Grid()->isColumnHidden(2));  // scrolled away behind the frozen columns
    QCOMPARE(f.Header()->sectionViewportPosition(0), 0);
    QCOMPARE(f.Header()->sectionViewportPosition(1), 150);
    QTest::keyClick(f.grid.Grid(), Qt::Key_Home);
    QVERIFY(!f.grid.Grid()->isColumnHidden(2));
    f.TitleMenuItem(1, "miTitelsBlokkeren")->trigger();  // unfreeze
    QVERIFY(!f.grid.Columns().Items(0).FixedByUser());
}

namespace {
// A grid of eight 80-pixel columns, narrower than four of them.
struct TWideFixture {
    TWideFixture() {
        for (int c = 0; c < 8; ++c) data.AddFieldDef(QStringLiteral("K%1").arg(c), TFieldType::ftString, 10);
        data.CreateDataSet();
        data.AppendRecord({"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7"});
        data.AppendRecord({"b0", "b1", "b2", "b3", "b4", "b5", "b6", "b7"});
        grid.SetDataSource(&source);
        for (int c = 0; c < 8; ++c)
            grid.Columns().Add(QStringLiteral("Kolom %1").arg(c), QStringLiteral("K%1").arg(c), 80);
        grid.resize(300, 200);
        grid.show();
        grid.FetchAllRows();
        grid.SetCursorHome();
        grid.SetFocus();
    }
    QTableView* View() const { return grid.Grid(); }
    int Current() const { return View()->currentIndex().column(); }
    // Shown whole in the view.
    bool InView(int column) const {
        const int left = View()->columnViewportPosition(column);
        return !View()->isColumnHidden(column) && left >= 0 &&
               left + View()->columnWidth(column) <= View()->viewport()->width();
    }
    void Freeze(int upTo) const {
        QHeaderView* header = View()->horizontalHeader();
        Q_EMIT header->customContextMenuRequested(QPoint(header->sectionViewportPosition(upTo) + 5, 5));
        grid.findChild<QAction*>(QStringLiteral("miTitelsBlokkeren"))->trigger();
    }

    TOrvClientDataSet data;
    TDataSource source{nullptr, &data};
    TOrvDBSortGrid grid;
};
}

void TestOrvDBSortGrid::leftRightBringColumnsIntoView_data() {
    QTest::addColumn<int>("frozen");
    QTest::newRow("nothing frozen") << 0;
    QTest::newRow("two columns frozen") << 2;
}

void TestOrvDBSortGrid::leftRightBringColumnsIntoView() {
    QFETCH(int, frozen);
    TWideFixture f;
    if (frozen > 0) f.Freeze(frozen - 1);
    const auto frozenInPlace = [&] {
        for (int c = 0; c < frozen; ++c)
            if (f.View()->columnViewportPosition(c) != 80 * c) return false;
        return true;
    };
    QVERIFY(!f.InView(4));
    for (int c = 1; c < 8; ++c) {
        QTest::keyClick(f.View(), Qt::Key_Right);
        QCOMPARE(f.Current(), c);
        QVERIFY2(f.InView(c), qPrintable(QStringLiteral("column %1").arg(c)));
        QVERIFY(frozenInPlace());
    }
    QVERIFY(!f.InView(frozen));  // scrolled away
    QTest::keyClick(f.View(), Qt::Key_Right);
    QCOMPARE(f.Current(), 7);
    for (int c = 6; c >= 0; --c) {
        QTest::keyClick(f.View(), Qt::Key_Left);
        QCOMPARE(f.Current(), c);
        QVERIFY2(f.InView(c), qPrintable(QStringLiteral("column %1").arg(c)));
        QVERIFY(frozenInPlace());
    }
    QCOMPARE(f.View()->columnViewportPosition(0), 0);
    QVERIFY(f.InView(1) && f.InView(2));
    QTest::keyClick(f.View(), Qt::Key_Left);
    QCOMPARE(f.Current(), 0);
    QCOMPARE(f.grid.Row(), 1);
}

void TestOrvDBSortGrid::searchThenSort_data() {
    // The search filter stays on the rows until the next search run, whatever sorts them.
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("sorted");
    QTest::newRow("title click") << "title" << QStringList({"De Bakker", "Bakkerij Zon", "Bakker"});
    QTest::newRow("Sort") << "sort" << QStringList({"Bakkerij Zon", "Bakker", "De Bakker"});
    QTest::newRow("typing in another column") << "type" << QStringList({"De Bakker", "Bakkerij Zon", "Bakker"});
}

void TestOrvDBSortGrid::searchThenSort() {
    QFETCH(QString, way);
    QFETCH(QStringList, sorted);
    TFixture f({{QStringLiteral("Smit"), 5.0, Day(2024, 1, 1), 5},
                {QStringLiteral("Bakker"), 3.0, Day(2024, 1, 1), 3},
                {QStringLiteral("Jansen"), 2.0, Day(2024, 1, 1), 0},
                {QStringLiteral("De Bakker"), 1.0, Day(2024, 1, 1), 1},
                {QStringLiteral("Bakkerij Zon"), 4.0, Day(2024, 1, 1), 2}});
    f.Type(QStringLiteral("bakk"));
    QTRY_COMPARE_WITH_TIMEOUT(f.Column(0), QStringList({"Bakker", "Bakkerij Zon", "De Bakker"}), 2000);
    if (way == u"title") {
        f.ClickTitle(3);
    } else if (way == u"sort") {
        f.grid.Sort(QStringLiteral("Bedrag"), sdDescending);
    } else {
        QTableView* view = f.grid.Grid();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          QPoint(view->columnViewportPosition(3) + 5, view->rowViewportPosition(0) + 5));
        QCOMPARE(f.Search(), QString());
        f.Type(QStringLiteral("2"));
    }
    QCOMPARE(f.Column(0), sorted);
    if (way != u"type") return;
    // The run in the other column starts again from all rows.
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.RowCount() - 1, 5, 2000);
    QCOMPARE(f.Column(0), QStringList({"Jansen", "De Bakker", "Bakkerij Zon", "Bakker", "Smit"}));
    QCOMPARE(f.grid.CellText(f.grid.Row(), 0), QStringLiteral("Bakkerij Zon"));
}

void TestOrvDBSortGrid::modelPassesTester() {
    TFixture f(
        Names({QStringLiteral("Jansen"), QStringLiteral("Kees"), QStringLiteral("Jaap"), QStringLiteral("Jan")}));
    QAbstractItemModelTester tester(f.grid.Grid()->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    f.grid.Sort(QStringLiteral("Naam"), sdDescending);
    f.Type(QStringLiteral("KEE"));
    QTRY_COMPARE_WITH_TIMEOUT(f.grid.RowCount() - 1, 1, 2000);
    f.data.EmptyDataSet();
    f.grid.FetchAllRows();
    QCOMPARE(f.grid.Grid()->model()->rowCount(), 1);
    f.data.AppendRecord({QStringLiteral("Nieuw"), 1.0, Day(2024, 1, 1), 9});
    f.grid.Refresh();
    QCOMPARE(f.grid.CellText(1, 0), QStringLiteral("Nieuw"));
}

QTEST_MAIN(TestOrvDBSortGrid)
#include "tst_OrvDBSortGrid.moc"
