#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "core/uUtils.h"
#include "platform/ProgramDirectory.h"
#include "support/OrvErrors.h"
#include "testlib/TestDatabase.h"

#include <QtTest>

namespace {
// The settings rows besides the delivered database version.
int ParamRows(TOrvADOConnection& connection) {
    TOrvQuery query(nullptr, &connection);
    query.SetSQL("select count(*) from dbparams where param_cd <> 'db_versie'");
    query.Open();
    return query.FieldValue(0).toInt();
}

// The message of the EOrvError that body raises; fails the test when it raises none.
template <class Body> QString ErrorOf(Body&& body) {
    try {
        body();
    } catch (const EOrvError& e) {
        return e.Message();
    }
    return QStringLiteral("<no error>");
}
}

class TestUtils : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void lhNummer_data();
    void lhNummer();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void settingsKeysIgnoreCase();
    void emptyValueRefusedAndNothingStored();
    void emptyValueInsideCallersTransaction();
    void settingsWithoutConnection();
    void deleteParam();
    void dateParams();
    void checkValueExists();
    void checkLoonsomUniek();
    void lookUps();
    void concernGegevens();
    void queltKoppeling();
    void laatsteKeyWaarde();
    void tempDirectory();

private:
    TTestDatabase* FDb = nullptr;
    TOrvADOConnection* FConnection = nullptr;
};

void TestUtils::init() {
    FDb = new TTestDatabase;
    FConnection = new TOrvADOConnection;
    FDb->Open(*FConnection);
}

void TestUtils::cleanup() {
    delete FConnection;
    delete FDb;
    SetProgramDirectory(QString());
}

void TestUtils::lhNummer_data() {
    QTest::addColumn<QString>("nummer");
    QTest::addColumn<bool>("lhValid");
    QTest::addColumn<bool>("elfproef");  // Elfproef of the same text
    QTest::newRow("normal") << "123456782L01" << true << false;
    QTest::newRow("lower l") << "123456782l01" << true << false;
    QTest::newRow("one-digit sequence shifts") << "123456782L1" << false << false;
    QTest::newRow("without L") << "12345678201" << true << false;
    QTest::newRow("bad check digit") << "123456789L01" << false << false;
    QTest::newRow("temporary short") << "TYDELYKL01" << true << false;
    QTest::newRow("temporary lower") << "tydelykL01" << true << false;
    QTest::newRow("temporary long") << "TYDELYK12L34" << true << false;
    QTest::newRow("temporary alone") << "TYDELYK" << false << false;
    QTest::newRow("temporary sign") << "TYDELYKL-1" << false << false;
    QTest::newRow("temporary letters") << "TYDELYKAAL34" << false << false;
    QTest::newRow("nine digits padded") << "123456782" << false << true;
    QTest::newRow("eight digits") << "12345678" << false << false;
    QTest::newRow("too long") << "1234567820101" << false << false;
    QTest::newRow("letters") << "12345678XL01" << false << false;
    QTest::newRow("arabic digits") << QString::fromUtf8("١٢٣٤٥٦٧٨٢L01") << false << false;
    QTest::newRow("signed") << "+23456782L01" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("elfproef below a million") << "000123457" << false << false;
    QTest::newRow("elfproef remainder 10") << "100000008" << false << false;
    QTest::newRow("nine digits padded, both valid") << "111222333" << true << true;
}

void TestUtils::lhNummer() {
    QFETCH(QString, nummer);
    QFETCH(bool, lhValid);
    QFETCH(bool, elfproef);
    QCOMPARE(IsValidLHNummer(nummer), lhValid);
    QCOMPARE(Elfproef(nummer), elfproef);
}

void TestUtils::settingsRoundTrip_data() {
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "12345";
    QTest::newRow("quotes") << "O'Brien's ''dir'' \"x\"";
    QTest::newRow("path") << "C:\\Programma's\\Quelt\\";
    QTest::newRow("statement-like") << "x'); delete from dbparams; --";
    QTest::newRow("unicode") << QString::fromUtf8("café ☕ 𝄞");
}

void TestUtils::settingsRoundTrip() {
    QFETCH(QString, value);
    SetDBParamValue(FConnection, "Sleutel", value);
    QCOMPARE(GetDBParamValue(FConnection, "Sleutel"), value);
    SetDBParamValue(FConnection, "Sleutel", value + "2");
    QCOMPARE(GetDBParamValue(FConnection, "sleutel"), value + "2");
    QCOMPARE(ParamRows(*FConnection), 1);
}

void TestUtils::settingsKeysIgnoreCase() {
    SetDBParamValue(FConnection, "SelSysColor", "255");
    SetDBParamValue(FConnection, "SELSYSCOLOR", "256");
    QCOMPARE(GetDBParamValue(FConnection, "selsyscolor"), QStringLiteral("256"));
    QCOMPARE(ParamRows(*FConnection), 1);
    TOrvQuery query(nullptr, FConnection);
    query.SetSQL("select param_cd from dbparams where param_cd like 'sel%'");
    query.Open();
    QCOMPARE(query.FieldValue(0).toString(), QStringLiteral("selsyscolor"));
    QCOMPARE(GetDBParamValue(FConnection, "absent"), QString());
}

void TestUtils::emptyValueRefusedAndNothingStored() {
    QCOMPARE(ErrorOf([&] { SetDBParamValue(FConnection, "Leeg", QString()); }),
             QStringLiteral("SetDBParamValue (Leeg): Parameter waarde is een lege string"));
    QCOMPARE(ParamRows(*FConnection), 0);
    QVERIFY(!FConnection->InTransaction());
    SetDBParamValue(FConnection, "Leeg", "a");
    QVERIFY(ErrorOf([&] { SetDBParamValue(FConnection, "Leeg", ""); }).endsWith("lege string"));
    QCOMPARE(GetDBParamValue(FConnection, "Leeg"), QStringLiteral("a"));
}

void TestUtils::emptyValueInsideCallersTransaction() {
    FConnection->BeginTrans();
    SetDBParamValue(FConnection, "Eerst", "1");
    QVERIFY(ErrorOf([&] { SetDBParamValue(FConnection, "Tweede", ""); }).endsWith("lege string"));
    // The caller's transaction stays open and keeps its work.
    QVERIFY(FConnection->InTransaction());
    FConnection->CommitTrans();
    QCOMPARE(GetDBParamValue(FConnection, "Eerst"), QStringLiteral("1"));
}

void TestUtils::settingsWithoutConnection() {
    QCOMPARE(ErrorOf([] { GetDBParamValue(nullptr, "K"); }),
             QStringLiteral("GetDBParamValue (K): No DB connection specified"));
    QCOMPARE(ErrorOf([] { SetDBParamValue(nullptr, "K", "v"); }),
             QStringLiteral("SetDBParamValue (K): No DB connection specified"));
    QCOMPARE(ErrorOf([] { DeleteDBParam(nullptr, "K"); }), QStringLiteral("DeleteDBParam No DB connection specified"));
    QCOMPARE(ErrorOf([] { GetZemloWerkgeverId(nullptr, "K"); }),
             QStringLiteral("GetZemloWerkgeverId: No DB connection specified"));
}

void TestUtils::deleteParam() {
    SetDBParamValue(FConnection, "Zemlo_Conversie", "Y");
    DeleteDBParam(FConnection, "ZEMLO_CONVERSIE");
    QCOMPARE(ParamRows(*FConnection), 0);
    DeleteDBParam(FConnection, "Zemlo_Conversie");
    QCOMPARE(ErrorOf([&] { DeleteDBParam(FConnection, ""); }), QStringLiteral("DeleteDBParam No param name specified"));
}

void TestUtils::dateParams() {
    const QDate fallback(2000, 1, 1);
    QCOMPARE(GetDBParamDateValue(FConnection, "Datum", fallback), fallback);
    SetDBParamDateOnlyValue(FConnection, "Datum", QDateTime(QDate(2024, 2, 29), QTime(0, 0)));
    QCOMPARE(GetDBParamValue(FConnection, "Datum"), QStringLiteral("20240229"));
    QCOMPARE(GetDBParamDateValue(FConnection, "Datum", fallback), QDate(2024, 2, 29));
    QCOMPARE(ErrorOf([&] { SetDBParamDateOnlyValue(FConnection, "Datum", QDateTime(QDate(2024, 1, 1), QTime(8, 0))); }),
             QStringLiteral("SetDBParamDateOnlyValue (Datum): Datum met tijdsinformatie is niet ondersteund"));
    SetDBParamValue(FConnection, "Datum", "2024011");
    QCOMPARE(ErrorOf([&] { GetDBParamDateValue(FConnection, "Datum", fallback); }),
             QStringLiteral("GetDBParamDateValue (Datum): Waarde niet geldig: 2024011"));
    SetDBParamValue(FConnection, "Datum", "2024AB01");
    QVERIFY(
        ErrorOf([&] { GetDBParamDateValue(FConnection, "Datum", fallback); }).endsWith("Waarde niet geldig: 2024AB01"));
    SetDBParamValue(FConnection, "Datum", "20230229");
    QVERIFY(ErrorOf([&] {
                GetDBParamDateValue(FConnection, "Datum", fallback);
            }).startsWith("GetDBParamDateValue (Datum): "));
}

void TestUtils::checkValueExists() {
    Exec(*FConnection, "INSERT INTO Concerns (ConcernId, Naam) VALUES (7, 'O''Neill Groep')");
    Exec(*FConnection, "INSERT INTO Werkgevers (WerkgeverId, Loonheffingennummer, Naam, AangifteTijdvak, ConcernId) "
                       "VALUES (3, '123456782L01', 'A', 1, 7)");
    QVERIFY(
        CheckValueExists(FConnection, "concerns", "naam", QString(), -1, "concernid", QStringLiteral("o'neill groep")));
    // The concern being edited does not collide with itself.
    QVERIFY(
        !CheckValueExists(FConnection, "concerns", "naam", QString(), 7, "concernid", QStringLiteral("O'Neill Groep")));
    QVERIFY(
        CheckValueExists(FConnection, "concerns", "naam", QString(), 8, "concernid", QStringLiteral("O'Neill Groep")));
    QVERIFY(
        !CheckValueExists(FConnection, "concerns", "naam", QString(), -1, "concernid", QStringLiteral("x' or '1'='1")));
    QVERIFY(CheckValueExists(FConnection, "werkgevers", "concernid", QString(), -1, "werkgeverid", qint64(7)));
    QVERIFY(!CheckValueExists(FConnection, "werkgevers", "concernid", QString(), 3, "werkgeverid", qint64(7)));
    QVERIFY(
        !CheckValueExists(FConnection, "werkgevers", "concernid", "AangifteTijdvak = 2", -1, "werkgeverid", qint64(7)));
    QVERIFY(
        CheckValueExists(FConnection, "werkgevers", "concernid", "AangifteTijdvak = 1", -1, "werkgeverid", qint64(7)));
    QVERIFY(ErrorOf([&] {
                CheckValueExists(FConnection, "geen_tabel", "x", QString(), -1, "y", qint64(1));
            }).startsWith("CheckValueExists: "));
}

void TestUtils::checkLoonsomUniek() {
    Exec(*FConnection,
         "INSERT INTO Loonsommen (LoonsomId, WerkgeverId, Periode, Proforma, Bedrag) VALUES (1, 5, 3, 0, 100)");
    // A new provisional wage sum beside a definitive one is unique; a second definitive one is not.
    QVERIFY(CheckLoonsomUniek(FConnection, 5, -1, true, 3));
    QVERIFY(!CheckLoonsomUniek(FConnection, 5, -1, false, 3));
    QVERIFY(CheckLoonsomUniek(FConnection, 5, 1, false, 3));
    QVERIFY(CheckLoonsomUniek(FConnection, 5, -1, false, 4));
    QVERIFY(!CheckLoonsomUniek(FConnection, 5, -1, false, 0));  // all periods
    QVERIFY(CheckLoonsomUniek(FConnection, 6, -1, false, 0));
    Exec(*FConnection,
         "INSERT INTO Loonsommen (LoonsomId, WerkgeverId, Periode, Proforma, Bedrag) VALUES (2, 5, 4, 1, 50)");
    QVERIFY(!CheckLoonsomUniek(FConnection, 5, -1, true, 4));
}

void TestUtils::lookUps() {
    Exec(*FConnection, "INSERT INTO Concerns (ConcernId, Naam) VALUES (4, 'Groep')");
    Exec(*FConnection, "INSERT INTO Werkgevers (WerkgeverId, Loonheffingennummer, Naam, AangifteTijdvak) "
                       "VALUES (9, '123456782L01', 'A', 1)");
    QCOMPARE(GetZemloWerkgeverId(FConnection, "123456782L01"), qint64(9));
    QCOMPARE(GetZemloWerkgeverId(FConnection, "111222333L01"), qint64(-1));
    QCOMPARE(GetZemloConcernId(FConnection, "Groep"), qint64(4));
    QCOMPARE(GetZemloConcernId(FConnection, "Ander"), qint64(-1));

    TTestDatabase payroll(QStringLiteral("QueltX2024.mdb"), true);
    TOrvADOConnection quelt;
    payroll.Open(quelt);
    Exec(quelt, "INSERT INTO Werkgever (Werkgeversnummer, Ingangsdatum, Loonbelastingnummer) "
                "VALUES (12, '2024-01-01 00:00:00', '123456782L01')");
    QCOMPARE(GetQueltWerkgeverId(&quelt, "123456782L01"), qint64(12));
    QCOMPARE(GetQueltWerkgeverId(&quelt, "x"), qint64(-1));
    QVERIFY(ErrorOf([&] { GetQueltWerkgeverId(FConnection, "x"); }).startsWith("GetQueltWerkgeverId: "));
}

void TestUtils::concernGegevens() {
    Exec(*FConnection,
         "INSERT INTO Werkgevers (WerkgeverId, Loonheffingennummer, Naam, AangifteTijdvak, ConcernId) VALUES "
         "(1, '111222333L01', 'Klein', 1, 2), (2, '123456782L01', 'Groot', 1, 2), "
         "(3, '999999990L01', 'Zonder loonsom', 1, 2), (4, '100000009L01', 'Ander concern', 1, 5)");
    Exec(*FConnection, "INSERT INTO Loonsommen (WerkgeverId, Periode, Proforma, Bedrag) VALUES "
                       "(1, 1, 0, 1000), (1, 2, 1, 500), (2, 1, 0, 2000), (4, 1, 0, 99999)");
    QString nummer = "oud";
    double totaal = -1;
    GetConcernGegevens(FConnection, 2, nummer, totaal);
    QCOMPARE(nummer, QStringLiteral("123456782L01"));
    QCOMPARE(totaal, 3500.0);
    GetConcernGegevens(FConnection, 77, nummer, totaal);
    QCOMPARE(nummer, QString());
    QCOMPARE(totaal, 0.0);
}

void TestUtils::queltKoppeling() {
    QTemporaryDir programDir;
    SetProgramDirectory(programDir.path() + '/');
    QCOMPARE(GetQueltKoppeling(FConnection), QString());
    QCOMPARE(ParamRows(*FConnection), 0);

    QFile exe(programDir.filePath("Quelt2024.exe"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.close();
    QCOMPARE(GetQueltKoppeling(FConnection), ProgramDirectory());
    QCOMPARE(GetDBParamValue(FConnection, "QueltKoppeling"), ProgramDirectory());

    // A stored link wins over the file.
    SetDBParamValue(FConnection, "QueltKoppeling", "/elders/");
    QCOMPARE(GetQueltKoppeling(FConnection), QStringLiteral("/elders/"));
}

void TestUtils::laatsteKeyWaarde() {
    Exec(*FConnection, "INSERT INTO Concerns (Naam) VALUES ('Een')");
    Exec(*FConnection, "INSERT INTO Concerns (Naam) VALUES ('Twee')");
    const qint64 last = FConnection->LastInsertId();
    QCOMPARE(GetLaatsteKeyWaarde(FConnection, "Concerns"), last);
    QCOMPARE(GetLaatsteKeyWaarde(FConnection, "Kosten"), qint64(0));
}

void TestUtils::tempDirectory() {
    const QString temp = GetWindowsTempDirectory();
    QVERIFY(temp.endsWith(QDir::separator()));
    QVERIFY(QFileInfo(temp).isDir());
}

QTEST_GUILESS_MAIN(TestUtils)
#include "tst_Utils.moc"
