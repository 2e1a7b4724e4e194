// The edit window base through a small edit window with one bound control of each kind: the modes with
// their captions and tab order, the whole chain from the keyboard with the database read back after each
// step, bad input, a failed save, the close question, the validation messages and the insert-first rule.

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "forms/fBaseOnderhoud.h"
#include "platform/WaitCursor.h"
#include "support/OrvErrors.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WidgetTest.h"

#include <QSignalSpy>
#include <QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDateEdit>
#include <QtWidgets/QFormLayout>

#include <memory>

// An edit window of the program's kind on the test table Proefrecords.
class TfrmMutProef : public TBaseOnderhoud {
    Q_OBJECT
public:
    explicit TfrmMutProef(TOrvADOConnection* connection)
        : qryProef(new TOrvQuery(this, connection)), qryConcerns(new TOrvQuery(this, connection)) {
        setObjectName(QStringLiteral("frmMutProef"));
        qryProef->setObjectName(QStringLiteral("qryProef"));
        qryConcerns->setObjectName(QStringLiteral("qryConcerns"));
        auto* dsConcerns = new TDataSource(this, qryConcerns);
        dsConcerns->setObjectName(QStringLiteral("dsConcerns"));
        osOnderhoud->SetConnection(connection);
        osOnderhoud->SetDataReference(QStringLiteral("Proefrecords"));
        new QVBoxLayout(pnlBody);
        AddBoundControl<TOrvDBEdit>("edNaam", "Naam", "Naam:");
        AddBoundControl<TOrvDBMemo>("mmOpmerking", "Opmerking", "Opmerking:");
        AddBoundControl<TOrvDBNumericEdit>("edBedrag", "Bedrag", "Bedrag:");
        AddBoundControl<TOrvDBCheckbox>("chkActief", "Actief", "Actief:");
        AddBoundControl<TOrvDBCombobox>("cmbSoort", "Soort", "Soort:");
        AddBoundControl<TOrvDBComboboxEx>("cmbTijdvak", "Tijdvak", "Tijdvak:")
            ->AssignItems({QStringLiteral("1=Maand"), QStringLiteral("2=4-weken")});
        auto* concern = AddBoundControl<TOrvDBLookupCombo>("cmbConcern", "ConcernId", "Concern:");
        concern->SetLookupSource(dsConcerns);
        concern->SetLookupKeyField(QStringLiteral("ConcernId"));
        concern->SetLookupDisplayField(QStringLiteral("Naam"));
        concern->SetAddBlank(true);
    }

    void Initialize(TMode mode, int id, const QString& captionNaam = QStringLiteral("proefrecord")) {
        WithPrefix(ClassName() + QStringLiteral(".Initialize: "), [&] {
            TBaseForm::Initialize();
            const TWaitCursor wait;
            FMode = mode;
            FKeyVeldNaam = QStringLiteral("ProefId");
            FKeyWaarde = mode == mdInsert ? -1 : id;
            FCaptionNaam = captionNaam;
            SetCaption();
            qryConcerns->SetSQL(QStringLiteral("SELECT ConcernId, Naam FROM Concerns ORDER BY Naam"));
            qryProef->SetSQL(QStringLiteral("SELECT * FROM Proefrecords WHERE ProefId = :ProefId"));
            qryProef->ParamByName(QStringLiteral("ProefId")).SetAsInteger(id);
            LoadRecord(qryProef);
            EnableDisable();
        });
    }
    int ReInits = 0;

protected:
    void ReInit() override {
        ++ReInits;
        if (FKeyWaarde == -1) FKeyWaarde = int(qryProef->Connection()->LastInsertId());
        qryProef->ParamByName(QStringLiteral("ProefId")).SetAsInteger(FKeyWaarde);
        LoadRecord(qryProef);
    }

private:
    TOrvQuery* qryProef;
    TOrvQuery* qryConcerns;
};

class tst_BaseOnderhoud : public TWidgetTest {
    Q_OBJECT
private:
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
    std::unique_ptr<TfrmMutProef> FWindow;

    TfrmMutProef& Open(TMode mode, int id = 1, const QString& captionNaam = QStringLiteral("proefrecord")) {
        FWindow = std::make_unique<TfrmMutProef>(FConnection.get());
        FWindow->Initialize(mode, id, captionNaam);
        FWindow->show();
        QApplication::setActiveWindow(FWindow.get());
        if (!QTest::qWaitForWindowActive(FWindow.get()))
            QTest::qFail("The edit window did not become active", __FILE__, __LINE__);
        return *FWindow;
    }
    QWidget* Input(const char* control) {
        auto* bound = Child<TOrvDBComponent>(FWindow.get(), QLatin1String(control));
        bound->SetFocus();
        return QApplication::focusWidget();
    }
    void Type(const char* control, const QString& text) { QTest::keyClicks(Input(control), text); }
    void Key(const char* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Input(control), key, modifiers);
    }
    void Paste(const char* control, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        QTest::keySequence(Input(control), QKeySequence::Paste);
    }
    // Alt + the button's letter, as the user presses it; the button clicks a moment later.
    void PressButton(const char* button, Qt::Key letter) {
        QSignalSpy clicked(Child<TOrvButton>(FWindow.get(), QLatin1String(button)), &QAbstractButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), letter, Qt::AltModifier);
        if (clicked.isEmpty() && !clicked.wait(2000))
            QTest::qFail("Alt+letter did not click the button", __FILE__, __LINE__);
    }
    // The table's rows, each as column=value texts.
    QStringList Rows() {
        TOrvQuery query(nullptr, FConnection.get());
        query.SetSQL(
            QStringLiteral("SELECT Naam, length(Opmerking) AS Lengte, Bedrag, Actief, Soort, Tijdvak, ConcernId "
                           "FROM Proefrecords ORDER BY ProefId"));
        query.Open();
        QStringList rows;
        for (; !query.Eof(); query.Next()) {
            QStringList row;
            for (int f = 0; f < query.FieldCount(); ++f) row << query.FieldValue(f).toString();
            rows << row.join(u'|');
        }
        return rows;
    }
    void InitTest() override;
    void CleanupTest() override;

private Q_SLOTS:
    void modesShowTheRecord_data();
    void modesShowTheRecord();
    void wholeChainFromTheKeyboard();
    void badInputIsStoredSafelyOrRefused_data();
    void badInputIsStoredSafelyOrRefused();
    void failedSaveKeepsTheTypedValues();
    void closingAsksBeforeNewInputIsLost_data();
    void closingAsksBeforeNewInputIsLost();
    void validationMessagesKeepTheWindowOpen_data();
    void validationMessagesKeepTheWindowOpen();
    void insertAlsNodigStoresFirst_data();
    void insertAlsNodigStoresFirst();
};

void tst_BaseOnderhoud::InitTest() {
    FDatabase = std::make_unique<TTestDatabase>();
    FConnection = std::make_unique<TOrvADOConnection>();
    FDatabase->Open(*FConnection);
    Exec(*FConnection,
         QStringLiteral("CREATE TABLE Proefrecords (ProefId INTEGER PRIMARY KEY AUTOINCREMENT, "
                        "Naam VARCHAR(40) COLLATE NOCASE NOT NULL, Opmerking TEXT, Bedrag DOUBLE NOT NULL, "
                        "Actief BOOLEAN NOT NULL, Soort VARCHAR(10), Tijdvak INTEGER NOT NULL, ConcernId INTEGER)"));
    Exec(*FConnection, QStringLiteral("CREATE UNIQUE INDEX ixProefrecordsNaam ON Proefrecords (Naam)"));
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Zuid'), ('Noord')"));
    Exec(*FConnection,
         QStringLiteral("INSERT INTO Proefrecords (Naam, Opmerking, Bedrag, Actief, Soort, Tijdvak, ConcernId) "
                        "VALUES ('Bakker', 'regel 1\r\nregel 2', 1500.25, 1, 'Groot', 2, 1)"));
}

void tst_BaseOnderhoud::CleanupTest() {
    FWindow.reset();
    FConnection.reset();
    FDatabase.reset();
}

void tst_BaseOnderhoud::modesShowTheRecord_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("noun");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("naam");
    QTest::newRow("add") << int(mdInsert) << "proefrecord"
                         << "Toevoegen -  proefrecord" << true << "ComponentEdit"
                         << "";
    QTest::newRow("add without a noun") << int(mdInsert) << ""
                                        << "Toevoegen -  gegevens" << true << "ComponentEdit"
                                        << "";
    QTest::newRow("change") << int(mdEdit) << "proefrecord"
                            << "Wijzigen -  proefrecord" << true << "ComponentEdit"
                            << "Bakker";
    QTest::newRow("delete") << int(mdDelete) << "proefrecord"
                            << "Verwijderen -  proefrecord" << false << "btnOk"
                            << "Bakker";
    QTest::newRow("view") << int(mdView) << "proefrecord"
                          << "Bekijken -  proefrecord" << false << "btnOk"
                          << "Bakker";
    QTest::newRow("run: shown as viewing") << int(mdRun) << "proefrecord"
                                           << "Bekijken -  proefrecord" << true << "btnOk"
                                           << "Bakker";
}

void tst_BaseOnderhoud::modesShowTheRecord() {
    QFETCH(int, mode);
    QFETCH(QString, noun);
    QFETCH(QString, caption);
    QFETCH(bool, enabled);
    QFETCH(QString, focus);
    QFETCH(QString, naam);
    TfrmMutProef& window = Open(TMode(mode), 1, noun);
    QCOMPARE(window.windowTitle(), caption);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(Child<TOrvDBComponent>(&window, "edNaam")->AsText(), naam);
    for (TOrvDBComponent* control : Child<TOrvDataGroup>(&window, "dgOnderhoud")->Controls())
        QCOMPARE(control->Enabled(), enabled);
    if (mode != mdView) return;
    // View: OK closes at once and writes nothing.
    const QStringList before = Rows();
    PressButton("btnOk", Qt::Key_O);
    QCOMPARE(window.result(), 1);
    QVERIFY(!window.isVisible());
    QCOMPARE(Rows(), before);
}

void tst_BaseOnderhoud::wholeChainFromTheKeyboard() {
    TScriptedPresenter messages;
    Open(mdInsert);
    Type("edNaam", QStringLiteral("Visser & Zn."));
    Type("mmOpmerking", QStringLiteral("eerste"));
    Key("mmOpmerking", Qt::Key_Return, Qt::ShiftModifier);
    Type("mmOpmerking", QStringLiteral("tweede"));
    Type("edBedrag", QStringLiteral("1234,5"));
    Key("chkActief", Qt::Key_Space);
    Type("cmbSoort", QStringLiteral("Klein"));
    Key("cmbTijdvak", Qt::Key_Down);
    for (int i = 0; i < 3; ++i) Key("cmbConcern", Qt::Key_Down);  // past the blank line and Noord
    PressButton("btnOk", Qt::Key_O);
    QCOMPARE(FWindow->result(), 1);
    QCOMPARE(Rows().last(), QStringLiteral("Visser & Zn.|14|1234.5|true|Klein|1|1"));

    // Change: the record is shown as stored, one field is changed.
    Open(mdEdit, 2);
    QCOMPARE(Child<TOrvDBComponent>(FWindow.get(), "mmOpmerking")->AsText(), QStringLiteral("eerste\r\ntweede"));
    QCOMPARE(Child<TOrvDBComponent>(FWindow.get(), "edBedrag")->AsText(), QStringLiteral("1.234,50"));
    QCOMPARE(Child<TOrvDBComponent>(FWindow.get(), "cmbConcern")->AsText(), QStringLiteral("Zuid"));
    Key("cmbConcern", Qt::Key_Home);           // the blank line: no concern
    Type("edBedrag", QStringLiteral("1234"));  // over the selected amount
    PressButton("btnOk", Qt::Key_O);
    QCOMPARE(Rows().last(), QStringLiteral("Visser & Zn.|14|1234|true|Klein|1|"));

    // Cancel after a change: closes without a question and writes nothing.
    Open(mdEdit, 2);
    Type("edNaam", QStringLiteral(" BV"));
    PressButton("btnCancel", Qt::Key_A);
    QCOMPARE(FWindow->result(), 2);
    QCOMPARE(Rows().last(), QStringLiteral("Visser & Zn.|14|1234|true|Klein|1|"));

    // Delete: "Nee" keeps the window and the record, "Ja" deletes.
    Open(mdDelete, 2);
    messages.Expect(mrNo);
    PressButton("btnOk", Qt::Key_O);
    QCOMPARE(messages.Last().Title, QStringLiteral("Verwijderen"));
    QCOMPARE(messages.Last().Text, QStringLiteral("Weet u zeker dat u de gegevens wilt verwijderen?"));
    QCOMPARE(messages.Last().ButtonSet, 4);
    QVERIFY(FWindow->isVisible());
    QCOMPARE(Rows().size(), 2);
    messages.Expect(mrYes);
    PressButton("btnOk", Qt::Key_O);
    QVERIFY(!FWindow->isVisible());
    QCOMPARE(Rows().size(), 1);
    QVERIFY(!FConnection->InTransaction());
    QCOMPARE(messages.Count(), 2);
}

void tst_BaseOnderhoud::badInputIsStoredSafelyOrRefused_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("stored");  // the new row; empty: nothing stored
    QTest::addColumn<QString>("message");
    const QString name = QStringLiteral("'); DELETE FROM Proefrecords; --\"");
    QTest::newRow("name with quotes and semicolons") << "edNaam" << name << name + "||12|false||1|"
                                                     << "";
    QTest::newRow("10,000-character remark") << "mmOpmerking" << QString(10000, u'o') << "Nieuw|10000|12|false||1|"
                                             << "";
    QTest::newRow("name longer than its column")
        << "edNaam" << QString(10000, u'x') << QString(40, u'x') + "||12|false||1|"
        << "";
    QTest::newRow("amount with letters is refused") << "edBedrag"
                                                    << "12a4,00"
                                                    << ""
                                                    << "U dient het veld \"Bedrag:\" in te vullen.";
}

void tst_BaseOnderhoud::badInputIsStoredSafelyOrRefused() {
    QFETCH(QString, control);
    QFETCH(QString, pasted);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    TScriptedPresenter messages;
    if (!message.isEmpty()) messages.Expect();
    Open(mdInsert);
    if (control != QLatin1String("edNaam")) Type("edNaam", QStringLiteral("Nieuw"));
    if (control != QLatin1String("edBedrag")) Type("edBedrag", QStringLiteral("12"));
    Key("cmbTijdvak", Qt::Key_Down);
    Paste(qPrintable(control), pasted);
    PressButton("btnOk", Qt::Key_O);
    QCOMPARE(Rows().size(), stored.isEmpty() ? 1 : 2);
    if (!stored.isEmpty()) QCOMPARE(Rows().last(), stored);
    if (!message.isEmpty()) {
        QCOMPARE(messages.Last().Text, message);
        QVERIFY(FWindow->isVisible());
    }
}

void tst_BaseOnderhoud::failedSaveKeepsTheTypedValues() {
    TScriptedPresenter messages;
    Open(mdInsert);
    Type("edNaam", QStringLiteral("BAKKER"));  // the name is unique without regard to case
    Type("edBedrag", QStringLiteral("99"));
    Key("cmbTijdvak", Qt::Key_Down);
    messages.Expect();
    PressButton("btnOk", Qt::Key_O);
    QVERIFY(messages.Last().Text.startsWith(
        QLatin1String("Opslaan mislukt. TBaseOnderhoud.StoreData: TOrvDataGroup.Post: TOrvDataGroup.PostSQLBased: ")));
    QVERIFY(messages.Last().Text.contains(QLatin1String("UNIQUE constraint failed: Proefrecords.Naam")));
    QVERIFY(FWindow->isVisible());
    QCOMPARE(Rows().size(), 1);
    QVERIFY(!FConnection->InTransaction());
    QCOMPARE(Child<TOrvDataGroup>(FWindow.get(), "dgOnderhoud")->State(), dgsIdle);
    QCOMPARE(Child<TOrvDBComponent>(FWindow.get(), "edBedrag")->AsText(), QStringLiteral("99,00"));

    Key("edNaam", Qt::Key_Backspace);  // BAKKE
    PressButton("btnOk", Qt::Key_O);
    QVERIFY(!FWindow->isVisible());
    QCOMPARE(Rows().last(), QStringLiteral("BAKKE||99|false||1|"));
}

void tst_BaseOnderhoud::closingAsksBeforeNewInputIsLost_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");  // 0: no question expected
    QTest::addColumn<bool>("closed");
    QTest::newRow("new input, Escape in a field, Nee") << int(mdInsert) << true << "field" << int(mrNo) << false;
    QTest::newRow("new input, Escape in a field, Ja") << int(mdInsert) << true << "field" << int(mrYes) << true;
    QTest::newRow("new input, Escape on a button, Nee") << int(mdInsert) << true << "button" << int(mrNo) << false;
    QTest::newRow("new input, close box, Nee") << int(mdInsert) << true << "closebox" << int(mrNo) << false;
    QTest::newRow("new input, Annuleren, Ja") << int(mdInsert) << true << "cancel" << int(mrYes) << true;
    QTest::newRow("nothing typed, Escape") << int(mdInsert) << false << "field" << 0 << true;
    QTest::newRow("changed record, Escape") << int(mdEdit) << true << "field" << 0 << true;
}

void tst_BaseOnderhoud::closingAsksBeforeNewInputIsLost() {
    QFETCH(int, mode);
    QFETCH(bool, typed);
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(bool, closed);
    TScriptedPresenter messages;
    if (answer != 0) messages.Expect(answer);
    Open(TMode(mode));
    if (typed) Type("edNaam", QStringLiteral("x"));
    if (how == QLatin1String("field"))
        Key("edNaam", Qt::Key_Escape);
    else if (how == QLatin1String("button"))
        QTest::keyClick(Child<TOrvButton>(FWindow.get(), "btnHelp"), Qt::Key_Escape);
    else if (how == QLatin1String("closebox"))
        FWindow->close();
    else
        PressButton("btnCancel", Qt::Key_A);
    QCOMPARE(messages.Count(), answer != 0 ? 1 : 0);
    if (answer != 0) {
        QCOMPARE(messages.Last().Title, QStringLiteral("Afbreken"));
        QCOMPARE(messages.Last().Text, QStringLiteral("De ingevoerde gegevens zijn nog niet opgeslagen. Wilt u het "
                                                      "invoeren afbreken?"));
    }
    QCOMPARE(FWindow->isVisible(), !closed);
    if (closed) QCOMPARE(FWindow->result(), 2);
    QCOMPARE(Rows().size(), 1);
}

void tst_BaseOnderhoud::validationMessagesKeepTheWindowOpen_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("message");
    QTest::newRow("required field empty") << "empty"
                                          << "U dient het veld \"Naam:\" in te vullen.";
    QTest::newRow("format not valid") << "format"
                                      << "Het formaat van het veld \"Naam:\" is niet geldig.";
    QTest::newRow("date before 1880") << "date"
                                      << "De ingevoerde datum is ongeldig";
    QTest::newRow("change without key") << "nokey"
                                        << "Opslaan mislukt. TBaseOnderhoud.StoreData: FKeyVeldNaam en / "
                                           "of FKeyWaarde waarde ontbreekt.";
}

void tst_BaseOnderhoud::validationMessagesKeepTheWindowOpen() {
    QFETCH(QString, cause);
    QFETCH(QString, message);
    TScriptedPresenter messages;
    messages.Expect();
    Open(cause == QLatin1String("nokey") ? mdEdit : mdInsert, -1);
    auto* group = Child<TOrvDataGroup>(FWindow.get(), "dgOnderhoud");
    auto* naam = Child<TOrvDBComponent>(FWindow.get(), "edNaam");
    if (cause != QLatin1String("empty")) {
        Type("edNaam", QStringLiteral("Nieuw"));
        Type("edBedrag", QStringLiteral("1"));
        Key("cmbTijdvak", Qt::Key_Down);
    }
    if (cause == QLatin1String("format")) {
        group->OnInternalValidateMessage(naam, 2);
    } else {
        if (cause == QLatin1String("date")) {
            auto* date = new QDateEdit(QDate(1879, 12, 31), FWindow->pnlBody);
            date->setMinimumDate(QDate(1800, 1, 1));
        }
        Input("mmOpmerking");
        PressButton("btnOk", Qt::Key_O);
    }
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, message);
    QVERIFY(FWindow->isVisible());
    QCOMPARE(FWindow->result(), 0);
    if (cause == QLatin1String("empty")) QVERIFY(naam->Focused());
    QCOMPARE(Rows().size(), 1);
}

void tst_BaseOnderhoud::insertAlsNodigStoresFirst_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("answer");  // 0: no question expected
    QTest::addColumn<bool>("result");
    QTest::addColumn<int>("rows");
    QTest::newRow("new record, Ja: stored, now changing it") << int(mdInsert) << int(mrYes) << true << 2;
    QTest::newRow("new record, Nee: nothing stored") << int(mdInsert) << int(mrNo) << false << 1;
    QTest::newRow("changed record: stored without a question") << int(mdEdit) << 0 << true << 1;
}

void tst_BaseOnderhoud::insertAlsNodigStoresFirst() {
    QFETCH(int, mode);
    QFETCH(int, answer);
    QFETCH(bool, result);
    QFETCH(int, rows);
    TScriptedPresenter messages;
    if (answer != 0) messages.Expect(answer);
    TfrmMutProef& window = Open(TMode(mode));
    if (mode == mdInsert) {
        Type("edBedrag", QStringLiteral("5"));
        Key("cmbTijdvak", Qt::Key_Down);
    }
    Type("edNaam", QStringLiteral("Nieuw"));  // over the loaded name, selected as the window opened
    QCOMPARE(window.InsertOfUpdateAlsNodig(), result);
    QCOMPARE(messages.Count(), answer != 0 ? 1 : 0);
    if (answer != 0)
        QCOMPARE(messages.Last().Text, QStringLiteral("De gegevens worden eerst opgeslagen.\rWilt u doorgaan?"));
    QCOMPARE(Rows().size(), rows);
    QCOMPARE(window.ReInits, result ? 1 : 0);
    QCOMPARE(window.Mode(), result ? mdEdit : TMode(mode));
    if (!result) return;
    QCOMPARE(window.KeyWaarde(), mode == mdInsert ? 2 : 1);
    QVERIFY(!window.GetFormDataChanged());  // reloaded
    // From now on OK changes the stored record.
    Type("edNaam", QStringLiteral("2"));
    PressButton("btnOk", Qt::Key_O);
    QCOMPARE(Rows().size(), rows);
    QVERIFY(Rows().last().startsWith(QLatin1String("Nieuw2|")));
}

QTEST_MAIN(tst_BaseOnderhoud)
#include "tst_BaseOnderhoud.moc"
