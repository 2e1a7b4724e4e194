// The database engine adapter: the Jet dialect on SQLite, typed parameters, transactions and the schema
// description.

#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/uUtils.h"
#include "testlib/CaughtError.h"
#include "testlib/TestDatabase.h"

#include <QTest>

class tst_DatabaseAdapter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void dialect_data();
    void dialect();
    void jetTranslation_data();
    void jetTranslation();
    void jetTextsAreStoredAsWritten_data();
    void jetTextsAreStoredAsWritten();
    void datesBindAndCompare();
    void typedValuesComeBackTyped();
    void parametersMatchWithoutCase();
    void missingParameterValueIsAnError();
    void affectedRowsAndLastCounter();
    void transactions();
    void schemaDescription_data();
    void schemaDescription();
    void schemaDescriptionErrors();

private:
    QVariant Scalar(const QString& sql);
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
};

void tst_DatabaseAdapter::init() {
    FDatabase = std::make_unique<TTestDatabase>();
    FConnection = std::make_unique<TOrvADOConnection>();
    FDatabase->Open(*FConnection);
}

void tst_DatabaseAdapter::cleanup() {
    FConnection.reset();
    FDatabase.reset();
}

QVariant tst_DatabaseAdapter::Scalar(const QString& sql) {
    TOrvQuery query(nullptr, FConnection.get());
    query.SetSQL(sql);
    query.Open();
    return query.RecordCount() > 0 ? query.Value(0, 0) : QVariant(QStringLiteral("<no row>"));
}

void tst_DatabaseAdapter::dialect_data() {
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariant>("expected");
    QTest::newRow("SWITCH first true pair")
        << "SELECT SWITCH(1 = 2, 'a', 2 = 2, 'b', True, 'c')" << QVariant(QStringLiteral("b"));
    QTest::newRow("SWITCH no pair true is NULL") << "SELECT SWITCH(1 = 2, 'a') IS NULL" << QVariant(qint64(1));
    QTest::newRow("IIF") << "SELECT IIF(5 > 4, 'ja', 'nee')" << QVariant(QStringLiteral("ja"));
    QTest::newRow("True and False") << "SELECT COUNT(*) FROM KostenTypen WHERE TeltMee = True" << QVariant(qint64(1));
    QTest::newRow("False in VALUES") << "SELECT COUNT(*) FROM KostenTypen WHERE TeltMee = False" << QVariant(qint64(3));
    QTest::newRow("text compares without case")
        << "SELECT COUNT(*) FROM Vergoedingtypen WHERE Omschrijving = 'VERGOEDING'" << QVariant(qint64(1));
    QTest::newRow("table names without case") << "SELECT COUNT(*) FROM KOSTENCATEGORIEEN" << QVariant(qint64(27));
    QTest::newRow("TOP 1") << "SELECT TOP 1 KostenTypeId FROM KostenTypen ORDER BY KostenTypeId DESC"
                           << QVariant(qint64(4));
    QTest::newRow("decimal constants with a point") << "SELECT 400000 * 0.0192" << QVariant(7680.0);
}

void tst_DatabaseAdapter::dialect() {
    QFETCH(QString, sql);
    QFETCH(QVariant, expected);
    const QVariant actual = Scalar(sql);
    if (expected.typeId() == QMetaType::Double)
        QCOMPARE(actual.toDouble(), expected.toDouble());
    else
        QCOMPARE(actual.toString(), expected.toString());
}

void tst_DatabaseAdapter::jetTranslation_data() {
    QTest::addColumn<QString>("jet");
    QTest::addColumn<QString>("sqlite");
    QTest::newRow("identity") << " SELECT @@Identity AS MaxNummer from  Werkgevers"
                              << " SELECT last_insert_rowid() AS MaxNummer from  Werkgevers";
    QTest::newRow("top") << "SELECT TOP 1 Werkgeversnummer   FROM Werkgever   WHERE Bericht_TijdvakSoort = :Tijdvak "
                         << "SELECT Werkgeversnummer   FROM Werkgever   WHERE Bericht_TijdvakSoort = :Tijdvak LIMIT 1";
    QTest::newRow("no change") << "SELECT Naam FROM Werkgevers"
                               << "SELECT Naam FROM Werkgevers";
    // Quoted text is kept as written; around it the statement is still translated.
    QTest::newRow("identity in a text") << "UPDATE dbparams SET param_value = 'x @@Identity y' WHERE param_cd = 'k'"
                                        << "UPDATE dbparams SET param_value = 'x @@Identity y' WHERE param_cd = 'k'";
    QTest::newRow("identity in a quoted name") << "SELECT 1 AS \"@@identity\""
                                               << "SELECT 1 AS \"@@identity\"";
    QTest::newRow("identity after a doubled quote") << "SELECT 'it''s @@Identity', @@Identity"
                                                    << "SELECT 'it''s @@Identity', last_insert_rowid()";
    QTest::newRow("identity after a doubled double quote")
        << "SELECT \"a\"\"@@Identity\" FROM T WHERE x = @@IDENTITY"
        << "SELECT \"a\"\"@@Identity\" FROM T WHERE x = last_insert_rowid()";
    QTest::newRow("identity between texts") << "SELECT 'a', @@Identity, 'b'"
                                            << "SELECT 'a', last_insert_rowid(), 'b'";
    QTest::newRow("unterminated text") << "SELECT @@Identity, 'open @@Identity"
                                       << "SELECT last_insert_rowid(), 'open @@Identity";
    QTest::newRow("top only at the start") << "SELECT Naam FROM Werkgevers WHERE Naam = 'SELECT TOP 5 x'"
                                           << "SELECT Naam FROM Werkgevers WHERE Naam = 'SELECT TOP 5 x'";
    QTest::newRow("top with a text at the end") << "SELECT TOP 2 Naam FROM Werkgevers WHERE Naam = ' TOP 3 ;  ';"
                                                << "SELECT Naam FROM Werkgevers WHERE Naam = ' TOP 3 ;  ' LIMIT 2";
    QTest::newRow("top with a text ending in ;") << "SELECT TOP 1 Naam FROM Werkgevers WHERE Naam = ';'"
                                                 << "SELECT Naam FROM Werkgevers WHERE Naam = ';' LIMIT 1";
}

void tst_DatabaseAdapter::jetTranslation() {
    QFETCH(QString, jet);
    QFETCH(QString, sqlite);
    QCOMPARE(TranslateJetSql(jet), sqlite);
}

// Stored as written, read back as written: the translation never reaches into the text.
void tst_DatabaseAdapter::jetTextsAreStoredAsWritten_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("identity") << "@@Identity";
    QTest::newRow("identity and quotes") << "Bij 't @@identity \"x\"";
    QTest::newRow("top") << "SELECT TOP 5 ;";
}

void tst_DatabaseAdapter::jetTextsAreStoredAsWritten() {
    QFETCH(QString, value);
    SetDBParamValue(FConnection.get(), QStringLiteral("Tekst"), value);
    QCOMPARE(GetDBParamValue(FConnection.get(), QStringLiteral("Tekst")), value);
}

void tst_DatabaseAdapter::datesBindAndCompare() {
    TOrvQuery insert(nullptr, FConnection.get());
    insert.SetSQL(QStringLiteral("INSERT INTO Concerns (Naam, AanmaakDatum) VALUES (:Naam, :Datum)"));
    const QList<QDateTime> moments = {QDateTime(QDate(2024, 1, 31), QTime(23, 59, 59, 999)),
                                      QDateTime(QDate(2024, 2, 1), QTime(0, 0)),
                                      QDateTime(QDate(2024, 2, 29), QTime(12, 30, 15))};
    for (int i = 0; i < moments.size(); ++i) {
        insert.ParamByName(QStringLiteral("Naam")).SetAsString(QStringLiteral("C%1").arg(i));
        insert.ParamByName(QStringLiteral("Datum")).SetAsDateTime(moments[i]);
        insert.ExecSQL();
    }
    // Stored as plain text without 'T' or milliseconds, so text order is time order.
    QCOMPARE(Scalar(QStringLiteral("SELECT AanmaakDatum FROM Concerns WHERE Naam = 'C0'")).toDateTime(),
             QDateTime(QDate(2024, 1, 31), QTime(23, 59, 59)));
    TOrvQuery between(nullptr, FConnection.get());
    between.SetSQL(QStringLiteral("SELECT Naam FROM Concerns WHERE AanmaakDatum BETWEEN :Van AND :Tot ORDER BY Naam"));
    between.ParamByName(QStringLiteral("Van")).SetAsDateTime(QDateTime(QDate(2024, 2, 1), QTime(0, 0)));
    between.ParamByName(QStringLiteral("Tot")).SetAsDateTime(QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)));
    between.Open();
    QCOMPARE(between.RecordCount(), 2);
    QCOMPARE(between.Value(0, 0).toString(), QStringLiteral("C1"));
    QCOMPARE(between.FieldDef(0).DataType, TFieldType::ftString);
}

void tst_DatabaseAdapter::typedValuesComeBackTyped() {
    Exec(*FConnection, QStringLiteral("INSERT INTO Werkgevers (Loonheffingennummer, Naam, AangifteTijdvak, "
                                      "AanmaakDatum) VALUES ('123456782L01', 'Bakkerij', 1, '2024-03-01 08:00:00')"));
    Exec(*FConnection,
         QStringLiteral("INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES (1, 1, 1, 1000)"));
    TOrvQuery query(nullptr, FConnection.get());
    query.SetSQL(QStringLiteral("SELECT L.Proforma, L.Bedrag, L.Periode, W.Naam, W.AanmaakDatum FROM Loonsommen L "
                                "INNER JOIN Werkgevers W ON W.WerkgeverId = L.WerkgeverId"));
    query.Open();
    QCOMPARE(query.FieldDef(0).DataType, TFieldType::ftBoolean);
    QCOMPARE(query.Value(0, 0), QVariant(true));
    QCOMPARE(query.FieldDef(1).DataType, TFieldType::ftFloat);
    QCOMPARE(query.Value(0, 1).typeId(), QMetaType::Double);
    QCOMPARE(query.FieldDef(2).DataType, TFieldType::ftInteger);
    QCOMPARE(query.FieldDef(3).DataType, TFieldType::ftString);
    QCOMPARE(query.FieldDef(3).Size, 100);
    QCOMPARE(query.FieldDef(4).DataType, TFieldType::ftDateTime);
    QCOMPARE(query.Value(0, 4).toDateTime(), QDateTime(QDate(2024, 3, 1), QTime(8, 0)));
    QCOMPARE(query.FieldByName(QStringLiteral("naam")).toString(), QStringLiteral("Bakkerij"));
}

void tst_DatabaseAdapter::parametersMatchWithoutCase() {
    TOrvQuery query(nullptr, FConnection.get());
    query.SetSQL(
        QStringLiteral("SELECT COUNT(*) FROM KostenTypen WHERE KostenTypeId >= :Vanaf AND TeltMee = :TeltMee"));
    QCOMPARE(int(query.Params().size()), 2);
    query.ParamByName(QStringLiteral("VANAF")).SetAsInteger(1);
    query.ParamByName(QStringLiteral("teltmee")).SetAsBoolean(false);
    query.Open();
    QCOMPARE(query.Value(0, 0).toInt(), 3);
    QCOMPARE(CaughtError([&] { query.ParamByName(QStringLiteral("Onbekend")); }),
             QStringLiteral("Parameter 'Onbekend' not found"));
}

void tst_DatabaseAdapter::missingParameterValueIsAnError() {
    TOrvQuery query(nullptr, FConnection.get());
    query.SetSQL(QStringLiteral("SELECT Omschrijving FROM KostenTypen WHERE KostenTypeId = :Id"));
    QCOMPARE(CaughtError([&] { query.Open(); }), QStringLiteral("No value given for parameter 'Id'"));
    query.ParamByName(QStringLiteral("Id")).Clear();  // an explicit NULL is a value
    query.Open();
    QCOMPARE(query.RecordCount(), 0);
}

void tst_DatabaseAdapter::affectedRowsAndLastCounter() {
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Eerste')"));
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Tweede')"));
    QCOMPARE(FConnection->LastInsertId(), qint64(2));
    QCOMPARE(Scalar(QStringLiteral(" SELECT @@Identity AS MaxNummer from  Concerns")).toLongLong(), qint64(2));
    QCOMPARE(FConnection->Execute(QStringLiteral("UPDATE Concerns SET Naam = Naam || '!'")), 2);
    QCOMPARE(FConnection->Execute(QStringLiteral("DELETE FROM Concerns WHERE ConcernId = 99")), 0);
}

void tst_DatabaseAdapter::transactions() {
    QVERIFY(!FConnection->InTransaction());
    FConnection->BeginTrans();
    QVERIFY(FConnection->InTransaction());
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Weg')"));
    FConnection->RollbackTrans();
    QVERIFY(!FConnection->InTransaction());
    QCOMPARE(Scalar(QStringLiteral("SELECT COUNT(*) FROM Concerns")).toInt(), 0);

    // RunInTransaction rolls back its own transaction on an error and leaves an outer one to its owner.
    QVERIFY(!CaughtError([&] {
                 RunInTransaction(*FConnection, [&] {
                     Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Dubbel')"));
                     Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('dubbel')"));
                 });
             }).isEmpty());
    QCOMPARE(Scalar(QStringLiteral("SELECT COUNT(*) FROM Concerns")).toInt(), 0);
    FConnection->BeginTrans();
    RunInTransaction(*FConnection,
                     [&] { Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Binnen')")); });
    QVERIFY(FConnection->InTransaction());
    FConnection->CommitTrans();
    QCOMPARE(Scalar(QStringLiteral("SELECT COUNT(*) FROM Concerns")).toInt(), 1);
}

void tst_DatabaseAdapter::schemaDescription_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<TFieldType>("type");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<bool>("nullable");
    QTest::newRow("counter key") << "Werkgevers"
                                 << "WerkgeverId" << TFieldType::ftAutoInc << 0 << false;
    QTest::newRow("required text") << "werkgevers"
                                   << "LOONHEFFINGENNUMMER" << TFieldType::ftString << 20 << false;
    QTest::newRow("optional integer") << "Werkgevers"
                                      << "ConcernId" << TFieldType::ftInteger << 0 << true;
    QTest::newRow("date") << "Werkgevers"
                          << "WijzigDatum" << TFieldType::ftDateTime << 0 << true;
    QTest::newRow("boolean") << "Loonsommen"
                             << "Proforma" << TFieldType::ftBoolean << 0 << false;
    QTest::newRow("amount") << "Kosten"
                            << "Bedrag" << TFieldType::ftFloat << 0 << false;
    QTest::newRow("memo") << "KostenCategorieen"
                          << "Opmerkingen" << TFieldType::ftMemo << 0 << true;
}

void tst_DatabaseAdapter::schemaDescription() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(TFieldType, type);
    QFETCH(int, maxLength);
    QFETCH(bool, nullable);
    const TFieldDescription& field = FConnection->ConnectionInfo().TableByName(table).FieldByName(column);
    QCOMPARE(field.FieldType, type);
    QCOMPARE(field.MaxLength, maxLength);
    QCOMPARE(field.Nullable, nullable);
}

void tst_DatabaseAdapter::schemaDescriptionErrors() {
    TDBDescription& info = FConnection->ConnectionInfo();
    const TTableDescription& kosten = info.TableByName(QStringLiteral("kosten"));
    QCOMPARE(kosten.TableName, QStringLiteral("Kosten"));
    QCOMPARE(kosten.PrimaryKeyConstraint().Columns, QStringList{QStringLiteral("KostenId")});
    QCOMPARE(info.TableByName(QStringLiteral("VergoedingKosten")).PrimaryKeyConstraint().Columns,
             (QStringList{QStringLiteral("VergoedingTypeId"), QStringLiteral("KostenTypeId")}));
    QCOMPARE(CaughtError([&] { info.TableByName(QStringLiteral("Bestaatniet")); }),
             QStringLiteral("TableByName: DBDescription TableByName: Table does not exists: Bestaatniet"));
    QCOMPARE(CaughtError([&] { kosten.FieldByName(QStringLiteral("Bestaatniet")); }),
             QStringLiteral("DBDescription FieldByName: Field: Bestaatniet does not exists in table: Kosten"));
    QCOMPARE(CaughtError([&] { info.TableByName(QStringLiteral("dbparams")).PrimaryKeyConstraint(); }),
             QStringLiteral("GetPrimaryKeyConstraint: Table \"dbparams\" does not have a primary key, which is not "
                            "supported."));
}

QTEST_GUILESS_MAIN(tst_DatabaseAdapter)
#include "tst_DatabaseAdapter.moc"
