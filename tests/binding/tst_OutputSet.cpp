// Output sets: the generated statements, typed parameters, the state rules with their messages, the
// one-row check, and what a failed post leaves behind; the value conversions of TDBValue.

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"

#include <QTest>

#include <functional>

namespace {
// Sets a value by the type of the variant; an invalid variant leaves it NULL.
void SetValue(TDBValue& target, const QVariant& value) {
    const int type = value.typeId();
    if (type == QMetaType::Bool)
        target.SetAsBoolean(value.toBool());
    else if (type == QMetaType::Int)
        target.SetAsInteger(value.toInt());
    else if (type == QMetaType::Double)
        target.SetAsFloat(value.toDouble());
    else if (type == QMetaType::QDateTime)
        target.SetAsDateTime(value.toDateTime());
    else if (type == QMetaType::QString)
        target.SetAsString(value.toString());
    else if (type == QMetaType::QByteArray)
        target.SetAsBinary(value.toByteArray());
    else
        target.Clear();
}

QString ParameterText(const TParameter& parameter) {
    return parameter.Name + u'=' + QString::fromLatin1(parameter.Value().typeName()) + u':' +
           parameter.Value().toString();
}
}

class tst_OutputSet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dbValue_data();
    void dbValue();
    void generatedStatements_data();
    void generatedStatements();
    void stateRules_data();
    void stateRules();
    void failedPost_data();
    void failedPost();
    void valuesReachTheDatabaseTyped();
    void connectionFlushesSchema();

private:
    void Step(const QString& step);
    QString Rows(const QString& sql);
    qint64 AddWerkgever(const QString& nummer, const QString& naam);
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
    std::unique_ptr<TOrvADOSQLOutputSet> FSet;
};

void tst_OutputSet::init() {
    FDatabase = std::make_unique<TTestDatabase>();
    FConnection = std::make_unique<TOrvADOConnection>();
    FDatabase->Open(*FConnection);
    FSet = std::make_unique<TOrvADOSQLOutputSet>();
    FSet->setObjectName(QStringLiteral("osOnderhoud"));
    FSet->SetConnection(FConnection.get());
    FSet->SetDataReference(QStringLiteral("Werkgevers"));
}

void tst_OutputSet::cleanup() {
    FSet.reset();
    FConnection.reset();
    FDatabase.reset();
}

// Every row of the statement's result, one line each, values separated by '|'.
QString tst_OutputSet::Rows(const QString& sql) {
    TOrvQuery query(nullptr, FConnection.get());
    query.SetSQL(sql);
    query.Open();
    QStringList lines;
    for (int r = 0; r < query.RecordCount(); ++r) {
        QStringList values;
        for (int f = 0; f < query.FieldCount(); ++f)
            values << (query.Value(r, f).isNull() ? QStringLiteral("NULL") : query.Value(r, f).toString());
        lines << values.join(u'|');
    }
    return lines.join(u'\n');
}

// One step of a scripted use of the output set.
void tst_OutputSet::Step(const QString& step) {
    QStringList names;
    const QHash<QString, std::function<void()>> steps = {
        {QStringLiteral("Open"), [&] { FSet->Open(); }},
        {QStringLiteral("Append"), [&] { FSet->Append(); }},
        {QStringLiteral("Edit"), [&] { FSet->Edit(); }},
        {QStringLiteral("Delete"), [&] { FSet->Delete(); }},
        {QStringLiteral("Cancel"), [&] { FSet->Cancel(); }},
        {QStringLiteral("Post"), [&] { FSet->Post(); }},
        {QStringLiteral("Naam"), [&] { FSet->FieldByName(QStringLiteral("Naam")).SetAsString(QStringLiteral("x")); }},
        {QStringLiteral("Unknown"), [&] { FSet->FieldByName(QStringLiteral("Bestaatniet")).SetAsInteger(1); }},
        {QStringLiteral("NoKey"), [&] { FSet->PrimaryKeyFieldByName(QStringLiteral("Naam")); }},
        {QStringLiteral("NoConnection"), [&] { FSet->SetConnection(nullptr); }},
        {QStringLiteral("Reconnect"), [&] { FSet->SetConnection(FConnection.get()); }},
        {QStringLiteral("FieldNames"), [&] { FSet->GetFieldNames(names); }},
        {QStringLiteral("InTransaction"), [&] { FSet->InTransaction(); }},
    };
    QVERIFY2(steps.contains(step), qPrintable(step));
    steps[step]();
}

qint64 tst_OutputSet::AddWerkgever(const QString& nummer, const QString& naam) {
    FSet->Open();
    FSet->Append();
    FSet->FieldByName(QStringLiteral("Loonheffingennummer")).SetAsString(nummer);
    FSet->FieldByName(QStringLiteral("Naam")).SetAsString(naam);
    FSet->FieldByName(QStringLiteral("AangifteTijdvak")).SetAsInteger(1);
    FSet->Post();
    return FConnection->LastInsertId();
}

void tst_OutputSet::dbValue_data() {
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<double>("asFloat");
    QTest::addColumn<int>("asInteger");
    QTest::addColumn<QString>("asString");
    QTest::addColumn<bool>("asBoolean");
    QTest::addColumn<QDateTime>("asDateTime");
    const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    QTest::newRow("true") << QVariant(true) << 1.0 << 1 << "Y" << true << zero.addDays(1);
    QTest::newRow("integer") << QVariant(-42) << -42.0 << -42 << "-42" << true << zero.addDays(-42);
    QTest::newRow("float truncates toward zero")
        << QVariant(-2.75) << -2.75 << -2 << "-2,75" << true << QDateTime(QDate(1899, 12, 28), QTime(18, 0));
    QTest::newRow("float below one is true")
        << QVariant(0.25) << 0.25 << 0 << "0,25" << true << QDateTime(zero.date(), QTime(6, 0));
    QTest::newRow("float without groups")
        << QVariant(1234567.5) << 1234567.5 << 1234567 << "1234567,5" << true << QDateTime();
    QTest::newRow("float keeps the low 32 bits")
        << QVariant(4294967298.9) << 4294967298.9 << 2 << "4294967298,9" << true << QDateTime();
    QTest::newRow("float beyond 64 bits") << QVariant(1e19) << 1e19 << 0 << "1e+19" << true << QDateTime();
    QTest::newRow("date") << QVariant(QDateTime(QDate(2024, 3, 15), QTime(12, 0))) << 45366.5 << 45366 << "15-03-2024"
                          << true << QDateTime(QDate(2024, 3, 15), QTime(12, 0));
    QTest::newRow("text with decimal comma")
        << QVariant(QStringLiteral(" 12,5 ")) << 12.5 << 12 << " 12,5 " << true << zero;
    QTest::newRow("text with point is no number")
        << QVariant(QStringLiteral("12.5")) << 0.0 << 0 << "12.5" << false << zero;
    QTest::newRow("text half is false") << QVariant(QStringLiteral("0,5")) << 0.5 << 0 << "0,5" << false << zero;
    QTest::newRow("text key") << QVariant(QStringLiteral("2")) << 2.0 << 2 << "2" << true << zero;
    QTest::newRow("text short date") << QVariant(QStringLiteral("5-3-2024")) << 0.0 << 0 << "5-3-2024" << false
                                     << QDateTime(QDate(2024, 3, 5), QTime(0, 0));
    QTest::newRow("text no date") << QVariant(QStringLiteral("31-02-2024")) << 0.0 << 0 << "31-02-2024" << false
                                  << zero;
    QTest::newRow("text line breaks") << QVariant(QStringLiteral("a\nb\r\nc\rd")) << 0.0 << 0 << "a\r\nb\r\nc\r\nd"
                                      << false << zero;
    QTest::newRow("bytes") << QVariant(QByteArray("12,5")) << 0.0 << 0 << "12,5" << false << zero;
}

void tst_OutputSet::dbValue() {
    QFETCH(QVariant, input);
    QFETCH(double, asFloat);
    QFETCH(int, asInteger);
    QFETCH(QString, asString);
    QFETCH(bool, asBoolean);
    QFETCH(QDateTime, asDateTime);
    TDBValue value;
    QVERIFY(value.IsNull());
    SetValue(value, input);
    QVERIFY(!value.IsNull());
    QCOMPARE(value.AsFloat(), asFloat);
    QCOMPARE(value.AsInteger(), asInteger);
    QCOMPARE(value.AsString(), asString);
    QCOMPARE(value.AsBoolean(), asBoolean);
    if (asDateTime.isValid()) QCOMPARE(value.AsDateTime(), asDateTime);
    if (input.typeId() == QMetaType::QString) QCOMPARE(value.AsBinary(), input.toString().toUtf8());

    TDBValue copy;
    copy.Assign(value);
    value.Clear();
    QVERIFY(value.IsNull() && value.AsString().isEmpty() && value.AsFloat() == 0 && !value.AsBoolean());
    QCOMPARE(copy.AsString(), asString);
    QVERIFY(!copy.IsNull());
}

void tst_OutputSet::generatedStatements_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QVariantList>("values");  // column, value, column, value, ...
    QTest::addColumn<QVariantList>("keys");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("parameters");
    const QVariant null;
    const QDateTime moment(QDate(2024, 3, 15), QTime(10, 30));
    QTest::newRow("insert all NULL") << "Concerns"
                                     << "Append" << QVariantList{"Naam", null, "AanmaakDatum", null} << QVariantList{}
                                     << "INSERT INTO Concerns(naam,aanmaakdatum)\nVALUES (NULL,NULL)" << QStringList{};
    QTest::newRow("insert, text typed by column")
        << "Loonsommen"
        << "Append" << QVariantList{"Periode", "3", "Proforma", null, "Bedrag", "1234,5"} << QVariantList{}
        << "INSERT INTO Loonsommen(periode,proforma,bedrag)\nVALUES (:periode,NULL,:bedrag)"
        << QStringList{"periode=int:3", "bedrag=double:1234.5"};
    QTest::newRow("insert first NULL, one entry per column")
        << "Kosten"
        << "Append"
        << QVariantList{"KostenTypeId", null, "Proforma", true, "AanmaakDatum", moment, "Bedrag", -5.0, "BEDRAG", 1.5}
        << QVariantList{}
        << "INSERT INTO Kosten(kostentypeid,proforma,aanmaakdatum,bedrag)\n"
           "VALUES (NULL,:proforma,:aanmaakdatum,:bedrag)"
        << QStringList{"proforma=bool:true", "aanmaakdatum=QDateTime:2024-03-15T10:30:00.000", "bedrag=double:1.5"};
    QTest::newRow("update") << "Werkgevers"
                            << "Edit" << QVariantList{"Naam", "Bakkerij", "ConcernId", null}
                            << QVariantList{"werkgeverid", 7}
                            << "UPDATE Werkgevers\nSET naam = :naam, concernid = NULL\nWHERE WerkgeverId = :WerkgeverId"
                            << QStringList{"naam=QString:Bakkerij", "WerkgeverId=int:7"};
    QTest::newRow("update first NULL")
        << "Werkgevers"
        << "Edit" << QVariantList{"ConcernId", null, "Naam", "Bakkerij"} << QVariantList{"WerkgeverId", 7}
        << "UPDATE Werkgevers\nSET concernid = NULL, naam = :naam\nWHERE WerkgeverId = :WerkgeverId"
        << QStringList{"naam=QString:Bakkerij", "WerkgeverId=int:7"};
    QTest::newRow("update all NULL")
        << "Werkgevers"
        << "Edit" << QVariantList{"ConcernId", null, "WijzigDatum", null} << QVariantList{"WerkgeverId", 7}
        << "UPDATE Werkgevers\nSET concernid = NULL, wijzigdatum = NULL\nWHERE WerkgeverId = :WerkgeverId"
        << QStringList{"WerkgeverId=int:7"};
    QTest::newRow("update with nothing changed runs nothing")
        << "Werkgevers"
        << "Edit" << QVariantList{} << QVariantList{"WerkgeverId", 7} << QString() << QStringList{};
    QTest::newRow("update, two-column key")
        << "Tarieven"
        << "Edit" << QVariantList{"Omschrijving", "Laag"} << QVariantList{"Jaar", 2024, "code", "L"}
        << "UPDATE Tarieven\nSET omschrijving = :omschrijving\nWHERE Jaar = :Jaar AND Code = :Code"
        << QStringList{"omschrijving=QString:Laag", "Jaar=int:2024", "Code=QString:L"};
    QTest::newRow("delete") << "Werkgevers"
                            << "Delete" << QVariantList{} << QVariantList{"WerkgeverId", 7}
                            << "DELETE FROM Werkgevers\nWHERE WerkgeverId = :WerkgeverId"
                            << QStringList{"WerkgeverId=int:7"};
    QTest::newRow("delete, two-column key")
        << "VergoedingKosten"
        << "Delete" << QVariantList{} << QVariantList{"vergoedingtypeid", 1, "KOSTENTYPEID", 3}
        << "DELETE FROM VergoedingKosten\nWHERE VergoedingTypeId = :VergoedingTypeId AND KostenTypeId = :KostenTypeId"
        << QStringList{"VergoedingTypeId=int:1", "KostenTypeId=int:3"};
}

void tst_OutputSet::generatedStatements() {
    QFETCH(QString, table);
    QFETCH(QString, operation);
    QFETCH(QVariantList, values);
    QFETCH(QVariantList, keys);
    QFETCH(QString, sql);
    QFETCH(QStringList, parameters);
    Exec(*FConnection, QStringLiteral("CREATE TABLE Tarieven (Jaar INTEGER NOT NULL, Code VARCHAR(10) NOT NULL, "
                                      "Omschrijving VARCHAR(50), PRIMARY KEY (Jaar, Code))"));
    FSet->SetDataReference(table);
    QString seen;
    QStringList bound;
    FSet->BeforeExecuteSQL = [&](TOrvSQLOutputSet* sender, QString& text, bool& execute) {
        QCOMPARE(sender, FSet.get());
        seen = text;
        for (const TParameter& parameter : FSet->Parameters()) bound << ParameterText(parameter);
        execute = false;  // the rows do not exist; no row check then
    };
    FSet->Open();
    Step(operation);
    for (int i = 0; i < values.size(); i += 2) SetValue(FSet->FieldByName(values[i].toString()), values[i + 1]);
    for (int i = 0; i < keys.size(); i += 2) SetValue(FSet->PrimaryKeyFieldByName(keys[i].toString()), keys[i + 1]);
    FSet->Post();
    QCOMPARE(seen, sql);
    QCOMPARE(bound, parameters);
    QCOMPARE(FSet->State(), osIdle);
    QCOMPARE(FSet->FieldList().Count(), 0);
    QCOMPARE(FSet->SQL(), QString());
}

void tst_OutputSet::stateRules_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("error");  // of the last step; the others succeed
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("active");
    const QString werkgevers = QStringLiteral("Werkgevers");
    const QString ado = QStringLiteral("TOrvADOSQLOutputSet.");
    const QString closed = QStringLiteral("osOnderhoud: Cannot perform this operation on a closed dataset");
    const QString busy = QStringLiteral("osOnderhoud: Dataset already in edit, insert or delete mode");
    const QString noConnection = QStringLiteral("osOnderhoud: Missing connection property");
    QTest::newRow("append on a closed set") << werkgevers << QStringList{"Append"}
                                            << ado + "Append: TOrvOutputSet.Append: " + closed << int(osIdle) << false;
    QTest::newRow("edit twice") << werkgevers << QStringList{"Open", "Edit", "Edit"}
                                << ado + "Edit: TOrvOutputSet.Edit: " + busy << int(osEdit) << true;
    QTest::newRow("cancel") << werkgevers << QStringList{"Open", "Append", "Naam", "Cancel"} << QString() << int(osIdle)
                            << true;
    QTest::newRow("cancel when idle")
        << werkgevers << QStringList{"Open", "Cancel"}
        << ado + "Cancel: TOrvOutputSet.Cancel: osOnderhoud: Dataset not in edit, insert or delete mode" << int(osIdle)
        << true;
    QTest::newRow("post when idle") << werkgevers << QStringList{"Open", "Post"}
                                    << ado + "Post: TOrvOutputSet.Post: Dataset not in edit or insert mode"
                                    << int(osIdle) << true;
    QTest::newRow("open without connection") << werkgevers << QStringList{"Open", "NoConnection", "Open"}
                                             << ado + "Open: " + noConnection << int(osIdle) << false;
    QTest::newRow("open an unknown table")
        << "Bestaatniet" << QStringList{"Open"}
        << ado + "Open: TOrvADOSQLOutputSet.GetPrimaryKeyFields: TableByName: DBDescription TableByName: Table "
                 "does not exists: Bestaatniet"
        << int(osIdle) << false;
    QTest::newRow("open a table without key")
        << "dbparams" << QStringList{"Open"}
        << ado + "Open: TOrvADOSQLOutputSet.GetPrimaryKeyFields: GetPrimaryKeyConstraint: Table \"dbparams\" "
                 "does not have a primary key, which is not supported."
        << int(osIdle) << false;
    QTest::newRow("delete without key columns") << werkgevers << QStringList{"Open", "Reconnect", "Delete"}
                                                << ado + "Delete: No primary key defined" << int(osIdle) << true;
    QTest::newRow("update without key columns")
        << werkgevers << QStringList{"Open", "Reconnect", "Edit", "Naam", "Post"}
        << ado + "Post: TOrvOutputSet.Post: TOrvADOSQLOutputSet.PostEdit: No primary key defined" << int(osIdle)
        << true;
    QTest::newRow("post without connection")
        << werkgevers << QStringList{"Open", "Append", "Naam", "NoConnection", "Post"} << ado + "Post: " + noConnection
        << int(osIdle) << true;
    QTest::newRow("no key column")
        << werkgevers << QStringList{"Open", "NoKey"}
        << ado + "PrimaryKeyFieldByName: TOrvSQLOutputSet.PrimaryKeyFieldByName: Invalid primary key field"
        << int(osIdle) << true;
    QTest::newRow("unknown column")
        << werkgevers << QStringList{"Open", "Append", "Unknown", "Post"}
        << ado + "Post: TOrvOutputSet.Post: TOrvADOSQLOutputSet.PostAppend: TOrvADOSQLOutputSet.GetFieldType: "
                 "DBDescription FieldByName: Field: bestaatniet does not exists in table: Werkgevers"
        << int(osIdle) << true;
    QTest::newRow("field names without table")
        << QString() << QStringList{"FieldNames"} << ado + "GetFieldNames: osOnderhoud: Missing DataReference property"
        << int(osIdle) << false;
    QTest::newRow("transaction without connection") << werkgevers << QStringList{"NoConnection", "InTransaction"}
                                                    << ado + "InTransaction: " + noConnection << int(osIdle) << false;
}

void tst_OutputSet::stateRules() {
    QFETCH(QString, table);
    QFETCH(QStringList, steps);
    QFETCH(QString, error);
    QFETCH(int, state);
    QFETCH(bool, active);
    FSet->SetDataReference(table);
    const QString last = steps.takeLast();
    for (const QString& step : steps) QCOMPARE(CaughtError([&] { Step(step); }), QString());
    QCOMPARE(CaughtError([&] { Step(last); }), error);
    QCOMPARE(int(FSet->State()), state);
    QCOMPARE(FSet->Active(), active);
    if (state == osIdle) {
        QCOMPARE(FSet->FieldList().Count(), 0);
        QCOMPARE(FSet->SQL(), QString());
    }
    QCOMPARE(Rows(QStringLiteral("SELECT COUNT(*) FROM Werkgevers")), QStringLiteral("0"));
}

void tst_OutputSet::failedPost_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QVariantList>("values");
    // "delete": another connection deletes the rows first; "widen": a handler widens the statement to every row
    QTest::addColumn<QString>("meanwhile");
    QTest::addColumn<bool>("outer");  // the caller has a transaction open
    QTest::addColumn<QString>("error");
    const QString post = QStringLiteral("TOrvADOSQLOutputSet.Post: TOrvOutputSet.Post: TOrvADOSQLOutputSet.");
    const QString notOne = QStringLiteral("osOnderhoud: More or less than one row is selected");
    QTest::newRow("duplicate wage tax number")
        << "Append" << QVariantList{"Loonheffingennummer", "123456782L01", "Naam", "Nieuw", "AangifteTijdvak", 1} << ""
        << false
        << post + "PostAppend: TOrvADOSQLOutputSet.ExecSQL: UNIQUE constraint failed: "
                  "Werkgevers.Loonheffingennummer";
    QTest::newRow("required column NULL")
        << "Append" << QVariantList{"Loonheffingennummer", "999999990L01", "Naam", QVariant(), "AangifteTijdvak", 1}
        << "" << false << post + "PostAppend: TOrvADOSQLOutputSet.ExecSQL: NOT NULL constraint failed: Werkgevers.Naam";
    QTest::newRow("update to NULL")
        << "Edit" << QVariantList{"Naam", QVariant()} << "" << false
        << post + "PostEdit: TOrvADOSQLOutputSet.ExecSQL: NOT NULL constraint failed: Werkgevers.Naam";
    QTest::newRow("update of a row deleted meanwhile")
        << "Edit" << QVariantList{"Naam", "Nieuw"} << "delete" << false << post + "PostEdit: " + notOne;
    QTest::newRow("delete of a row deleted meanwhile")
        << "Delete" << QVariantList{} << "delete" << false << post + "PostDelete: " + notOne;
    QTest::newRow("update of two rows") << "Edit" << QVariantList{"Naam", "Overal"} << "widen" << false
                                        << post + "PostEdit: " + notOne;
    QTest::newRow("update of two rows, caller's transaction")
        << "Edit" << QVariantList{"Naam", "Overal"} << "widen" << true << post + "PostEdit: " + notOne;
}

void tst_OutputSet::failedPost() {
    QFETCH(QString, operation);
    QFETCH(QVariantList, values);
    QFETCH(QString, meanwhile);
    QFETCH(bool, outer);
    QFETCH(QString, error);
    const qint64 id = AddWerkgever(QStringLiteral("123456782L01"), QStringLiteral("Bakkerij"));
    AddWerkgever(QStringLiteral("111111110L01"), QStringLiteral("Slagerij"));
    if (meanwhile == QLatin1String("delete")) {
        TOrvADOConnection other;
        FDatabase->Open(other);
        Exec(other, QStringLiteral("DELETE FROM Werkgevers"));
    }
    if (meanwhile == QLatin1String("widen"))
        FSet->BeforeExecuteSQL = [](TOrvSQLOutputSet*, QString& sql, bool&) {
            sql.replace(QStringLiteral(" = :Werk"), QStringLiteral(" >= :Werk"));
        };
    const QString before = Rows(QStringLiteral("SELECT * FROM Werkgevers ORDER BY WerkgeverId"));
    if (outer) FSet->BeginTrans();
    Step(operation);
    for (int i = 0; i < values.size(); i += 2) SetValue(FSet->FieldByName(values[i].toString()), values[i + 1]);
    if (operation != QLatin1String("Append"))
        FSet->PrimaryKeyFieldByName(QStringLiteral("WerkgeverId")).SetAsInteger(int(id));
    QCOMPARE(CaughtError([&] { FSet->Post(); }), error);
    QCOMPARE(FSet->InTransaction(), outer);  // the caller's transaction is the caller's to end
    if (outer) FSet->RollbackTrans();
    QCOMPARE(Rows(QStringLiteral("SELECT * FROM Werkgevers ORDER BY WerkgeverId")), before);
    QCOMPARE(FSet->State(), osIdle);
    QCOMPARE(FSet->FieldList().Count(), 0);

    FSet->BeforeExecuteSQL = nullptr;
    AddWerkgever(QStringLiteral("222222220L01"), QStringLiteral("Bloemist"));
    QCOMPARE(Rows(QStringLiteral("SELECT COUNT(*) FROM Werkgevers WHERE Naam = 'Bloemist'")), QStringLiteral("1"));
}

void tst_OutputSet::valuesReachTheDatabaseTyped() {
    const QString omschrijving = QStringLiteral("O'Brien; DROP TABLE Werkgevers; --");
    QString statement;
    FSet->BeforeExecuteSQL = [&](TOrvSQLOutputSet*, QString& sql, bool&) { statement += sql; };
    FSet->SetDataReference(QStringLiteral("Kostencategorieen"));
    FSet->Open();
    FSet->Append();
    FSet->FieldByName(QStringLiteral("Omschrijving")).SetAsString(omschrijving);
    FSet->FieldByName(QStringLiteral("Opmerkingen")).SetAsString(QStringLiteral("Regel 1\nRegel \"2\"; 'drie'"));
    FSet->FieldByName(QStringLiteral("VergoedingtypeId")).SetAsString(QStringLiteral("2"));
    FSet->FieldByName(QStringLiteral("KostengroepId")).Clear();
    FSet->FieldByName(QStringLiteral("AanmaakDatum")).SetAsDateTime(QDateTime(QDate(2024, 3, 31), QTime(2, 30, 15)));
    FSet->Post();
    FSet->SetDataReference(QStringLiteral("Loonsommen"));
    FSet->Open();
    FSet->Append();
    FSet->FieldByName(QStringLiteral("WerkgeverId")).SetAsInteger(1);
    FSet->FieldByName(QStringLiteral("Periode")).SetAsFloat(3.0);
    FSet->FieldByName(QStringLiteral("Proforma")).SetAsBoolean(true);
    FSet->FieldByName(QStringLiteral("Bedrag")).SetAsString(QStringLiteral("1234,56"));
    FSet->Post();
    QVERIFY2(!statement.contains(u'\'') && !statement.contains(QLatin1String("1234")), qPrintable(statement));
    QCOMPARE(Rows(QStringLiteral("SELECT Omschrijving, Opmerkingen, typeof(VergoedingtypeId), VergoedingtypeId, "
                                 "KostengroepId, AanmaakDatum || '' FROM Kostencategorieen WHERE KostencategorieId = "
                                 "(SELECT MAX(KostencategorieId) FROM Kostencategorieen)")),
             omschrijving + QStringLiteral("|Regel 1\r\nRegel \"2\"; 'drie'|integer|2|NULL|2024-03-31 02:30:15"));
    QCOMPARE(Rows(QStringLiteral("SELECT typeof(Periode), Periode, typeof(Bedrag), Bedrag, typeof(Proforma), Proforma "
                                 "FROM Loonsommen")),
             QStringLiteral("integer|3|real|1234.56|integer|true"));
}

void tst_OutputSet::connectionFlushesSchema() {
    FSet->Open();
    QCOMPARE(FSet->PrimaryKeyFields().Names(), QStringList{QStringLiteral("WerkgeverId")});
    QStringList names;
    FSet->GetFieldNames(names);
    QCOMPARE(names, (QStringList{"WerkgeverId", "Loonheffingennummer", "Naam", "AangifteTijdvak", "ConcernId",
                                 "AanmaakDatum", "WijzigDatum"}));
    QVERIFY(!FSet->GetFieldRequired(QStringLiteral("ConcernId")));

    Exec(*FConnection, QStringLiteral("ALTER TABLE Werkgevers ADD COLUMN Extra VARCHAR(5) NOT NULL DEFAULT ''"));
    QCOMPARE(CaughtError([&] { FSet->GetFieldLength(QStringLiteral("Extra")); }),
             QStringLiteral("TOrvADOSQLOutputSet.GetFieldLength: DBDescription FieldByName: Field: Extra does not "
                            "exists in table: Werkgevers"));
    FConnection->Close();
    QCOMPARE(CaughtError([&] { FSet->GetFieldLength(QStringLiteral("Naam")); }),
             QStringLiteral("TOrvADOSQLOutputSet.GetFieldLength: TableByName: Connection is not open"));
    FDatabase->Open(*FConnection);
    QCOMPARE(FSet->GetFieldLength(QStringLiteral("Extra")), 5);
    QVERIFY(FSet->GetFieldRequired(QStringLiteral("Extra")));
}

QTEST_GUILESS_MAIN(tst_OutputSet)
#include "tst_OutputSet.moc"
