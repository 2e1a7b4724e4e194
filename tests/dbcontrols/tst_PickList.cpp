// The pick list on an in-memory table of its own: how a loaded key and typed texts find their row (numbers
// by value, strict text matching with case and accents forgiven), when the window opens and with which rows,
// and what the control refuses.

#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "dbcontrols/DbcompPickList.h"
#include "dbcontrols/fPickList.h"
#include "support/OrvClientDataSet.h"
#include "testlib/CaughtError.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

#include <memory>

class tst_PickList : public TWidgetTest {
    Q_OBJECT
    std::unique_ptr<QDialog> FForm;
    TOrvClientDataSet* FRows = nullptr;
    TOrvDBPickList* FPick = nullptr;
    int FShown = 0;         // rows the window showed, -1 when it did not open
    QString FWindowAction;  // "ok" or "cancel"

    void InitTest() override {
        FForm = std::make_unique<QDialog>();
        new QVBoxLayout(FForm.get());
        FRows = new TOrvClientDataSet(FForm.get());
        FRows->AddFieldDef(QStringLiteral("Id"), TFieldType::ftInteger, 0, true);
        FRows->AddFieldDef(QStringLiteral("Omschrijving"), TFieldType::ftString, 50, true);
        FRows->AddFieldDef(QStringLiteral("Soort"), TFieldType::ftString, 50);
        FRows->CreateDataSet();
        const QList<std::tuple<int, const char*, const char*>> rows = {
            {3, "Kerstpakket", "Verstrekking"},
            {31, "Reiskosten woon-werk", "Vergoeding"},
            {4, "Consumpties op de werkplek", "Verstrekking"},
            {5, "Parkeren bij de werkplek", "Vergoeding"},
            {6, "Cursus Excel", "Vergoeding"},
            {7, "Fiets van de zaak", "Terbeschikkingstelling"}};
        for (const auto& [id, text, soort] : rows)
            FRows->AppendRecord({id, QString::fromUtf8(text), QString::fromUtf8(soort)});
        auto* source = new TDataSource(FForm.get(), FRows);
        FPick = new TOrvDBPickList(FForm.get());
        FPick->setObjectName(QStringLiteral("plProef"));
        FPick->SetKeyField(QStringLiteral("Id"));
        FPick->SetDisplayField(QStringLiteral("Omschrijving"));
        FPick->SetSearchField(QStringLiteral("Omschrijving"));
        FPick->PickListOptions().DataSource = source;
        FForm->layout()->addWidget(FPick);
        FForm->show();
        QApplication::setActiveWindow(FForm.get());
        FShown = -1;
    }
    void CleanupTest() override { FForm.reset(); }

    QString Description(const QString& key) const {
        for (int r = 0; r < FRows->RecordCount(); ++r)
            if (FRows->Value(r, 0).toString() == key) return FRows->Value(r, 1).toString();
        return QString();
    }

    // Answers the window, when it opens, after noting how many rows it shows.
    std::unique_ptr<TWhenModal<TfrmPickList>> AnswerWindow(const QString& action) {
        return std::make_unique<TWhenModal<TfrmPickList>>([this, action](TfrmPickList* window) {
            FShown = window->Grid()->RowCount() - 1;
            if (action == u"ok")
                QTest::keyClick(window->Grid()->Grid(), Qt::Key_Return);
            else
                window->reject();
        });
    }

private Q_SLOTS:
    void typedText_data();
    void typedText();
    void loadedKey_data();
    void loadedKey();
    void unchangedTextIsNotSearchedAgain();
    void refusals();
};

void tst_PickList::typedText_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");  // to the window, when it opens
    QTest::addColumn<int>("shown");       // rows in the window; -1: no window
    QTest::addColumn<QString>("key");
    QTest::newRow("a whole description") << "Kerstpakket"
                                         << "" << -1 << "3";
    QTest::newRow("other case and accents") << "kérstpakket"
                                            << "" << -1 << "3";
    QTest::newRow("all words, any order") << "werk woon reiskosten"
                                          << "" << -1 << "31";
    QTest::newRow("a word of several rows") << "werkplek"
                                            << "ok" << 2 << "4";
    QTest::newRow("another column, one row") << "Terbeschikkingstelling"
                                             << "" << -1 << "7";
    QTest::newRow("another column, several rows") << "vergoeding"
                                                  << "cancel" << 3 << "";
    QTest::newRow("part of a word: all rows") << "reis"
                                              << "ok" << 6 << "31";
    QTest::newRow("nothing, cancelled") << "xyz"
                                        << "cancel" << 6 << "";
}

void tst_PickList::typedText() {
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(int, shown);
    QFETCH(QString, key);
    const auto window = AnswerWindow(answer);
    FPick->SetFocus();
    FPick->Edit()->insert(typed);  // as typed; the key simulation knows no accented letters
    QTest::keyClick(FPick->Edit(), Qt::Key_Tab);
    QCOMPARE(FShown, shown);
    QCOMPARE(FPick->Value(), key);
    QCOMPARE(FPick->Edit()->text(), Description(key));
}

// A loaded key finds its row by number, also when a longer number that begins with it follows; a key the
// rows do not hold leaves the field empty after the window opened on all rows.
void tst_PickList::loadedKey_data() {
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("text");
    QTest::newRow("3 before 31") << "3" << -1 << "Kerstpakket";
    QTest::newRow("31") << "31" << -1 << "Reiskosten woon-werk";
    QTest::newRow("unknown key") << "99" << 6 << "";
}

void tst_PickList::loadedKey() {
    QFETCH(QString, loaded);
    QFETCH(int, shown);
    QFETCH(QString, text);
    const auto window = AnswerWindow(QStringLiteral("cancel"));
    TDBValue value;
    value.SetAsString(loaded);
    FPick->ForceDBValue(value);
    QCOMPARE(FShown, shown);
    QCOMPARE(FPick->Edit()->text(), text);
    QCOMPARE(FPick->DataChanged(), text.isEmpty());
}

void tst_PickList::unchangedTextIsNotSearchedAgain() {
    TDBValue value;
    value.SetAsString(QStringLiteral("6"));
    FPick->ForceDBValue(value);
    // The description would match nothing once a row is removed; an unchanged text is not searched.
    FRows->DeleteRecord(4);
    const auto window = AnswerWindow(QStringLiteral("cancel"));
    FPick->SetFocus();
    QTest::keyClick(FPick->Edit(), Qt::Key_Tab);
    QCOMPARE(FShown, -1);
    QCOMPARE(FPick->Value(), QStringLiteral("6"));
}

void tst_PickList::refusals() {
    TDataSource noRows(nullptr, nullptr);
    FPick->PickListOptions().DataSource = &noRows;
    QCOMPARE(CaughtError([&] { FPick->CheckDataSet(true); }),
             QStringLiteral("CheckDataSet (plProef): No picklist dataset defined"));
    class TNotInMemory : public TDataSet {
    public:
        bool Active() const override { return true; }
        int FieldCount() const override { return 0; }
        const TFieldDef& FieldDef(int) const override {
            static TFieldDef none;
            return none;
        }
        int RecordCount() const override { return 0; }
        QVariant Value(int, int) const override { return {}; }
    } query;
    noRows.SetDataSet(&query);
    QCOMPARE(CaughtError([&] { FPick->CheckDataSet(true); }),
             QStringLiteral("CheckDataSet (plProef): non TIASDataSet support."));
    FPick->PickListOptions().DataSource = nullptr;
    QCOMPARE(CaughtError([&] { FPick->CheckDataSet(true); }),
             QStringLiteral("CheckDataSet (plProef): No picklist datasource defined"));
}

QTEST_MAIN(tst_PickList)
#include "tst_PickList.moc"
