// The data group on a form with two output sets: a failed post leaves the database as it was, the group
// idle and the typed values in place; the consistency check; every message with its prefixes; an edit
// writes only what changed; the two text colours.

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QDialog>
#include <QtWidgets/QVBoxLayout>

#include <functional>
#include <map>
#include <memory>

namespace {
const char* const kSchema[] = {
    "CREATE TABLE Proef (ProefId INTEGER PRIMARY KEY AUTOINCREMENT, Naam VARCHAR(20) NOT NULL, Soort "
    "VARCHAR(10), "
    "Opmerking TEXT)",
    "CREATE TABLE Logboek (LogId INTEGER PRIMARY KEY AUTOINCREMENT, Regel VARCHAR(20))",
    "CREATE TRIGGER trLogboek BEFORE INSERT ON Logboek WHEN NEW.Regel = 'weiger' BEGIN SELECT RAISE(ABORT, "
    "'geweigerd'); END",
};
}

class tst_DataGroup : public TWidgetTest {
    Q_OBJECT
private:
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
    std::unique_ptr<QDialog> FForm;
    TOrvDataGroup* dgProef = nullptr;
    TOrvADOSQLOutputSet* osProef = nullptr;
    TOrvDBEdit* edNaam = nullptr;
    TOrvDBEdit* edSoort = nullptr;
    TOrvDBMemo* mmOpmerking = nullptr;
    TOrvDBEdit* edRegel = nullptr;

    TOrvADOSQLOutputSet* OutputSet(const char* name, const char* table) {
        auto* outputSet = new TOrvADOSQLOutputSet(FForm.get());
        outputSet->setObjectName(QLatin1String(name));
        outputSet->SetDataReference(QLatin1String(table));
        outputSet->SetConnection(FConnection.get());
        return outputSet;
    }
    template <class Control> Control* Add(const char* name, const char* outputSet, const char* column) {
        auto* control = new Control(FForm.get());
        control->setObjectName(QLatin1String(name));
        control->SetSQLInputField(QLatin1String(column));
        control->SetSQLOutputSet(QLatin1String(outputSet));
        control->SetSQLOutputField(QLatin1String(column));
        control->SetDataGroup(dgProef);
        FForm->layout()->addWidget(control);
        return control;
    }
    int Count(const QString& table) {
        TOrvQuery query(nullptr, FConnection.get());
        query.SetSQL(QStringLiteral("SELECT COUNT(*) AS n FROM ") + table);
        query.Open();
        return query.FieldByName(QStringLiteral("n")).toInt();
    }
    void Insert() {
        dgProef->OpenOutput();
        dgProef->Append();
        dgProef->SetFields();
        dgProef->Post();
    }
    void InitTest() override;
    void CleanupTest() override;

private Q_SLOTS:
    void failedPostLeavesTheDatabaseAsItWas_data();
    void failedPostLeavesTheDatabaseAsItWas();
    void postInsideAnOuterTransactionLeavesItToItsOwner();
    void controlsAreCheckedAgainstTheirColumns_data();
    void controlsAreCheckedAgainstTheirColumns();
    void misuseIsReportedWithItsPrefixes_data();
    void misuseIsReportedWithItsPrefixes();
    void editWritesOnlyWhatChanged_data();
    void editWritesOnlyWhatChanged();
    void disabledControlsTakeTheGroupsColour();
};

void tst_DataGroup::InitTest() {
    FDatabase = std::make_unique<TTestDatabase>();
    FConnection = std::make_unique<TOrvADOConnection>();
    FDatabase->Open(*FConnection);
    for (const char* statement : kSchema) Exec(*FConnection, QLatin1String(statement));
    FForm = std::make_unique<QDialog>();
    new QVBoxLayout(FForm.get());
    dgProef = new TOrvDataGroup(FForm.get());
    dgProef->setObjectName(QStringLiteral("dgProef"));
    dgProef->SetOutputSets({QStringLiteral("osProef"), QStringLiteral("osLogboek")});
    osProef = OutputSet("osProef", "Proef");
    OutputSet("osLogboek", "Logboek");
    edNaam = Add<TOrvDBEdit>("edNaam", "osProef", "Naam");
    edSoort = Add<TOrvDBEdit>("edSoort", "osProef", "Soort");
    mmOpmerking = Add<TOrvDBMemo>("mmOpmerking", "osProef", "Opmerking");
    edRegel = Add<TOrvDBEdit>("edRegel", "osLogboek", "Regel");
}

void tst_DataGroup::CleanupTest() {
    FForm.reset();
    FConnection.reset();
    FDatabase.reset();
}

void tst_DataGroup::failedPostLeavesTheDatabaseAsItWas_data() {
    QTest::addColumn<QString>("naam");
    QTest::addColumn<QString>("regel");
    QTest::addColumn<QString>("error");
    QTest::newRow("the second output set refuses") << "Bakker"
                                                   << "weiger"
                                                   << "geweigerd";
    QTest::newRow("the first output set refuses") << "Bakker"
                                                  << "ok"
                                                  << "UNIQUE constraint failed: Proef.Naam";
}

void tst_DataGroup::failedPostLeavesTheDatabaseAsItWas() {
    QFETCH(QString, naam);
    QFETCH(QString, regel);
    QFETCH(QString, error);
    Exec(*FConnection, QStringLiteral("CREATE UNIQUE INDEX ixProefNaam ON Proef (Naam)"));
    if (regel == QLatin1String("ok")) Exec(*FConnection, QStringLiteral("INSERT INTO Proef (Naam) VALUES ('Bakker')"));
    const int before = Count(QStringLiteral("Proef"));
    edNaam->Edit()->setText(naam);
    edRegel->Edit()->setText(regel);
    const QString message = CaughtError([&] { Insert(); });
    QVERIFY2(
        message.startsWith(QLatin1String("TOrvDataGroup.Post: TOrvDataGroup.PostSQLBased: TOrvADOSQLOutputSet.Post: ")),
        qPrintable(message));
    QVERIFY2(message.contains(error), qPrintable(message));
    QCOMPARE(Count(QStringLiteral("Proef")), before);
    QCOMPARE(Count(QStringLiteral("Logboek")), 0);
    QVERIFY(!FConnection->InTransaction());
    QCOMPARE(dgProef->State(), dgsIdle);
    for (const TOrvOutputSet* outputSet : FForm->findChildren<TOrvOutputSet*>()) QCOMPARE(outputSet->State(), osIdle);
    QCOMPARE(edNaam->AsText(), naam);
    QCOMPARE(edRegel->AsText(), regel);

    // Corrected, the same values post again from the start.
    edNaam->Edit()->setText(QStringLiteral("Visser"));
    edRegel->Edit()->setText(QStringLiteral("goed"));
    Insert();
    QCOMPARE(Count(QStringLiteral("Proef")), before + 1);
    QCOMPARE(Count(QStringLiteral("Logboek")), 1);
}

void tst_DataGroup::postInsideAnOuterTransactionLeavesItToItsOwner() {
    edNaam->Edit()->setText(QStringLiteral("Bakker"));
    edRegel->Edit()->setText(QStringLiteral("weiger"));
    FConnection->BeginTrans();
    QVERIFY(!CaughtError([&] { Insert(); }).isEmpty());
    QVERIFY(FConnection->InTransaction());  // not rolled back by the group
    edRegel->Edit()->setText(QStringLiteral("goed"));
    Insert();
    QVERIFY(FConnection->InTransaction());  // nor committed
    FConnection->RollbackTrans();
    QCOMPARE(Count(QStringLiteral("Proef")), 0);
}

void tst_DataGroup::controlsAreCheckedAgainstTheirColumns_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("error");
    QTest::newRow("disabled empty control on a NOT NULL column")
        << "disabled"
        << "TOrvDataGroup.Post: TOrvDataGroup.CheckValuesConsistent: dgProef: Required field Naam may not be "
           "assigned NULL";
    QTest::newRow("control allowing longer texts than its column")
        << "longer"
        << "TOrvDataGroup.Post: TOrvDataGroup.CheckValuesConsistent: dgProef: edSoort.MaxLength is "
           "greater than field length.";
}

void tst_DataGroup::controlsAreCheckedAgainstTheirColumns() {
    QFETCH(QString, control);
    QFETCH(QString, error);
    edRegel->Edit()->setText(QStringLiteral("goed"));
    if (control == QLatin1String("disabled")) {
        edNaam->SetEnabled(false);
    } else {
        edNaam->Edit()->setText(QStringLiteral("Bakker"));
        edSoort->SetAutoFetch(false);
        edSoort->SetMaxLength(15);
    }
    QVERIFY(dgProef->ValidateControls());  // a disabled control is not validated
    bool componentError = false;
    const QString message = CaughtError([&] {
        try {
            Insert();
        } catch (const EDBComponentError&) {
            componentError = true;
            throw;
        }
    });
    QCOMPARE(message, error);
    QVERIFY(componentError);
    QCOMPARE(Count(QStringLiteral("Proef")), 0);
    QCOMPARE(Count(QStringLiteral("Logboek")), 0);
    QCOMPARE(dgProef->State(), dgsIdle);
}

void tst_DataGroup::misuseIsReportedWithItsPrefixes_data() {
    QTest::addColumn<QString>("misuse");
    QTest::addColumn<QString>("error");
    const QString fields = QStringLiteral("TOrvDataGroup.GetFields: TOrvDataGroup.GetFieldsSQLBased ");
    const QString setFields = QStringLiteral("TOrvDataGroup.SetFields: TOrvDataGroup.SetFieldsSQLBased: ");
    const QString check = QStringLiteral("TOrvDataGroup.Append: TOrvDataGroup.CheckSQLOutputConnections: dgProef: ");
    QTest::newRow("Post while idle") << "post"
                                     << "TOrvDataGroup.Post: dgProef: Datagroup not in edit, insert or delete mode";
    QTest::newRow("Cancel while idle") << "cancel"
                                       << "TOrvDataGroup.Cancel: dgProef: Datagroup not in edit, insert or delete mode";
    QTest::newRow("SetFields while idle") << "setfields" << setFields + "dgProef: Datagroup not in edit or insert mode";
    QTest::newRow("Append twice") << "append2"
                                  << "TOrvDataGroup.Append: dgProef: Datagroup already in edit, insert or delete mode";
    QTest::newRow("no output sets") << "nosets" << check + "No outputsets defined";
    QTest::newRow("unknown output set") << "unknownset" << check + "Could not find outputset osWeg";
    QTest::newRow("not an output set") << "notaset" << check + "edNaam is not a valid outputset";
    QTest::newRow("no input set") << "noinput" << fields + "(): dgProef: Missing inputset property";
    QTest::newRow("closed input set") << "closedinput"
                                      << fields + "(): dgProef: Cannot perform this operation on a closed dataset";
    QTest::newRow("control without input field")
        << "noinputfield" << fields + "(ComponentName:edSoort): edSoort: Missing inputfield property";
    QTest::newRow("unknown input field")
        << "unknownfield" << fields + "(ComponentName:edSoort InputField:Onbekend): Field 'Onbekend' not found";
    QTest::newRow("control naming an unlisted output set")
        << "unlisted" << setFields + "edSoort: Invalid outputset name";
    QTest::newRow("control without output field")
        << "nooutputfield" << setFields + "edSoort: Missing outputfield property";
    QTest::newRow("key not in the input set")
        << "nokey"
        << "TOrvDataGroup.Edit: TOrvDataGroup.SetPrimaryKeys: dgProef: Primary key not found in inputset";
    QTest::newRow("owner is no form") << "owner"
                                      << "TOrvDataGroup.Create: : Owner must be of type TForm";
    QTest::newRow("table-based handling") << "tablebased"
                                          << "TableBased Handling is no longer supported";
}

void tst_DataGroup::misuseIsReportedWithItsPrefixes() {
    QFETCH(QString, misuse);
    QFETCH(QString, error);
    TOrvQuery input(nullptr, FConnection.get());
    input.SetSQL(QStringLiteral("SELECT Naam, Soort, Opmerking, Regel FROM Proef, Logboek"));
    const std::map<QString, std::function<void()>> misuses{
        {"post", [&] { dgProef->Post(); }},
        {"cancel", [&] { dgProef->Cancel(); }},
        {"setfields", [&] { dgProef->SetFields(); }},
        {"append2",
         [&] {
             dgProef->OpenOutput();
             dgProef->Append();
             dgProef->Append();
         }},
        {"nosets",
         [&] {
             dgProef->SetOutputSets({});
             dgProef->Append();
         }},
        {"unknownset",
         [&] {
             dgProef->SetOutputSets({QStringLiteral("osWeg")});
             dgProef->Append();
         }},
        {"notaset",
         [&] {
             dgProef->SetOutputSets({QStringLiteral("edNaam")});
             dgProef->Append();
         }},
        {"noinput", [&] { dgProef->GetFields(); }},
        {"closedinput",
         [&] {
             dgProef->SetInputSet(&input);
             dgProef->GetFields();
         }},
        {"noinputfield",
         [&] {
             input.Open();
             dgProef->SetInputSet(&input);
             edSoort->SetSQLInputField({});
             dgProef->GetFields();
         }},
        {"unknownfield",
         [&] {
             input.Open();
             dgProef->SetInputSet(&input);
             edSoort->SetSQLInputField(QStringLiteral("Onbekend"));
             dgProef->GetFields();
         }},
        {"unlisted",
         [&] {
             dgProef->OpenOutput();
             dgProef->Append();
             edSoort->SetSQLOutputSet(QStringLiteral("osLogboekX"));
             dgProef->SetFields();
         }},
        {"nooutputfield",
         [&] {
             dgProef->OpenOutput();
             dgProef->Append();
             edSoort->SetSQLOutputField({});
             dgProef->SetFields();
         }},
        {"nokey",
         [&] {
             input.Open();
             dgProef->SetInputSet(&input);
             dgProef->OpenOutput();
             dgProef->Edit();
         }},
        {"owner", [&] { TOrvDataGroup group(edNaam); }},
        {"tablebased", [&] { dgProef->SetDataHandling(dhTableBased); }},
    };
    QCOMPARE(CaughtError(misuses.at(misuse)), error);
    QCOMPARE(dgProef->DataHandling(), dhSQLBased);
}

void tst_DataGroup::editWritesOnlyWhatChanged_data() {
    QTest::addColumn<QString>("keyField");  // the input set's name of the key column
    QTest::addColumn<QString>("typed");     // into edSoort; empty: nothing changed
    QTest::addColumn<QString>("statement");
    QTest::newRow("joined query, one change") << "Proef.ProefId"
                                              << "Groot"
                                              << "UPDATE Proef\nSET soort = :soort\nWHERE ProefId = :ProefId";
    QTest::newRow("plain key, one change") << "ProefId"
                                           << "Groot"
                                           << "UPDATE Proef\nSET soort = :soort\nWHERE ProefId = :ProefId";
    QTest::newRow("nothing changed: no statement") << "ProefId"
                                                   << ""
                                                   << "";
}

void tst_DataGroup::editWritesOnlyWhatChanged() {
    QFETCH(QString, keyField);
    QFETCH(QString, typed);
    QFETCH(QString, statement);
    Exec(*FConnection, QStringLiteral("INSERT INTO Proef (Naam, Soort, Opmerking) VALUES ('O''Neil; DROP Proef', "
                                      "'Klein', 'regel 1\r\nregel 2')"));
    dgProef->SetOutputSets({QStringLiteral("osProef")});
    edRegel->SetSQLOutputSet({});
    edRegel->SetSQLInputField(QStringLiteral("Naam"));
    mmOpmerking->SetReadOnly(true);
    TOrvQuery input(nullptr, FConnection.get());
    input.SetSQL(QStringLiteral("SELECT ProefId AS \"%1\", Naam, Soort, Opmerking FROM Proef").arg(keyField));
    input.Open();
    dgProef->SetInputSet(&input);
    dgProef->GetFields();
    QCOMPARE(edNaam->AsText(), QStringLiteral("O'Neil; DROP Proef"));
    QVERIFY(!dgProef->IsChanged());
    QStringList statements;
    osProef->BeforeExecuteSQL = [&](TOrvSQLOutputSet*, QString& sql, bool&) { statements << sql; };

    if (!typed.isEmpty()) edSoort->Edit()->setText(typed);
    mmOpmerking->Memo()->setPlainText(QStringLiteral("read-only: never written"));
    QCOMPARE(dgProef->IsChanged(), true);
    dgProef->OpenOutput();
    dgProef->Edit();
    dgProef->SetFields();
    dgProef->Post();
    QCOMPARE(statements, statement.isEmpty() ? QStringList() : QStringList{statement});
    input.Open();
    QCOMPARE(input.FieldByName(QStringLiteral("Soort")).toString(), typed.isEmpty() ? QStringLiteral("Klein") : typed);
    QCOMPARE(input.FieldByName(QStringLiteral("Opmerking")).toString(), QStringLiteral("regel 1\r\nregel 2"));
}

void tst_DataGroup::disabledControlsTakeTheGroupsColour() {
    dgProef->SetEnabledColor(Qt::darkBlue);
    dgProef->SetDisabledColor(QColor(96, 96, 96));
    dgProef->DisableControls();
    for (TOrvDBComponent* control : dgProef->Controls()) QVERIFY(!control->Enabled());
    QVERIFY(!edNaam->Edit()->isEnabled());
    QCOMPARE(edNaam->Edit()->palette().color(QPalette::Disabled, QPalette::Text), QColor(96, 96, 96));
    // The memo stays scrollable: read-only, not disabled.
    QVERIFY(mmOpmerking->Memo()->isEnabled());
    QVERIFY(mmOpmerking->Memo()->isReadOnly());
    QCOMPARE(mmOpmerking->Memo()->palette().color(QPalette::Text), QColor(96, 96, 96));

    dgProef->EnableControls();
    QVERIFY(edNaam->Edit()->isEnabled());
    QCOMPARE(edNaam->Edit()->palette().color(QPalette::Text), QColor(Qt::darkBlue));
    QVERIFY(!mmOpmerking->Memo()->isReadOnly());
}

QTEST_MAIN(tst_DataGroup)
#include "tst_DataGroup.moc"
