#include "support/GridText.h"
#include "support/OrvErrors.h"

#include <QtTest>

class TestGridText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void actualFormat_data();
    void actualFormat();
    void displayText_data();
    void displayText();
    void unknownFormatIsRefused();
    void searchForm_data();
    void searchForm();
    void textFilter_data();
    void textFilter();
    void preparedTextFollowsTheRow();
    void searchDate_data();
    void searchDate();
};

namespace {
QDateTime Day(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0)); }
const QString kStandard = QString::fromLatin1(kDefaultForDataType);
const QString kAmount = QStringLiteral("#,##0.00");
}

void TestGridText::actualFormat_data() {
    QTest::addColumn<QString>("declared");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("actual");
    QTest::newRow("boolean by default") << kStandard << int(TFieldType::ftBoolean) << "BOOLEAN_NL";
    QTest::newRow("boolean with a format") << kAmount << int(TFieldType::ftBoolean) << "BOOLEAN_NL";
    QTest::newRow("date by default") << kStandard << int(TFieldType::ftDate) << "dd-mm-yyyy";
    QTest::newRow("time by default") << kStandard << int(TFieldType::ftTime) << "dd-mm-yyyy";
    QTest::newRow("date-time own format") << "hh:nn" << int(TFieldType::ftDateTime) << "hh:nn";
    QTest::newRow("amount by default") << kStandard << int(TFieldType::ftFloat) << "";
    QTest::newRow("amount with a format") << kAmount << int(TFieldType::ftCurrency) << kAmount;
    QTest::newRow("text with a format") << "0" << int(TFieldType::ftString) << "0";
}

void TestGridText::actualFormat() {
    QFETCH(QString, declared);
    QFETCH(int, type);
    QFETCH(QString, actual);
    QCOMPARE(GridActualFormat(declared, TFieldType(type)), actual);
}

void TestGridText::displayText_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("expected");
    const int flt = int(TFieldType::ftFloat), str = int(TFieldType::ftString), bln = int(TFieldType::ftBoolean);
    const QString booleanNL = QString::fromLatin1(kBooleanNL);
    QTest::newRow("amount") << flt << kAmount << QVariant(1234.5) << "1.234,50";
    QTest::newRow("millions negative") << flt << kAmount << QVariant(-1234567.891) << "-1.234.567,89";
    QTest::newRow("small amount") << flt << kAmount << QVariant(0.5) << "0,50";
    QTest::newRow("rounds to zero, no minus") << flt << kAmount << QVariant(-0.001) << "0,00";
    QTest::newRow("zero amount empty") << flt << kAmount << QVariant(0.0) << "";
    QTest::newRow("null amount empty") << flt << kAmount << QVariant() << "";
    QTest::newRow("zero without format") << flt << kStandard << QVariant(0.0) << "0";
    const QString group = QLocale::system().groupSeparator();
    QTest::newRow("integer with a format, system separators")
        << int(TFieldType::ftInteger) << "#,##0" << QVariant(1234567) << "1" + group + "234" + group + "567";
    QTest::newRow("true") << bln << kStandard << QVariant(true) << "Ja";
    QTest::newRow("false") << bln << kAmount << QVariant(false) << "Nee";
    QTest::newRow("date") << int(TFieldType::ftDate) << kStandard << QVariant(Day(2024, 3, 5)) << "05-03-2024";
    QTest::newRow("date-time own format")
        << int(TFieldType::ftDateTime) << QStringLiteral("dd-mm-yyyy hh:nn")
        << QVariant(QDateTime(QDate(2024, 12, 31), QTime(8, 7))) << "31-12-2024 08:07";
    QTest::newRow("text") << str << kStandard << QVariant(QStringLiteral("Smit")) << "Smit";
    QTest::newRow("long text cut") << str << kStandard << QVariant(QString(2500, u'x')) << QString(1997, u'x') + "...";
    QTest::newRow("2000 characters kept") << str << kStandard << QVariant(QString(2000, u'x')) << QString(2000, u'x');
    QTest::newRow("text read as yes") << str << booleanNL << QVariant(QStringLiteral("waar")) << "Ja";
    QTest::newRow("minus one is yes") << str << booleanNL << QVariant(QStringLiteral("-1")) << "Ja";
    QTest::newRow("text read as no") << str << booleanNL << QVariant(QStringLiteral("N")) << "Nee";
    QTest::newRow("empty text is no") << str << booleanNL << QVariant(QString()) << "Nee";
}

void TestGridText::displayText() {
    QFETCH(int, type);
    QFETCH(QString, format);
    QFETCH(QVariant, value);
    QFETCH(QString, expected);
    QCOMPARE(GridDisplayText(value, TFieldType(type), GridActualFormat(format, TFieldType(type))), expected);
}

void TestGridText::unknownFormatIsRefused() {
    try {
        GridDisplayText(QStringLiteral("X"), TFieldType::ftString, QStringLiteral("0.00"));
        QFAIL("a number format on a text was accepted");
    } catch (const EOrvError& e) {
        QCOMPARE(e.Message(), QStringLiteral("Not implemented format (0.00)"));
    }
}

void TestGridText::searchForm_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("form");
    QTest::newRow("upper case") << "Jansen"
                                << "JANSEN";
    QTest::newRow("separators as blanks") << "a(b),c-d.e/f;g[h]i"
                                          << "A B  C D E F G H I";
    QTest::newRow("other marks stay") << "B&B 'Zon'"
                                      << "B&B 'ZON'";
    QTest::newRow("250 characters read") << QString(251, u'x') << QString(250, u'X');
}

void TestGridText::searchForm() {
    QFETCH(QString, text);
    QFETCH(QString, form);
    QCOMPARE(GridSearchForm(text), form);
}

void TestGridText::textFilter_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("kept");
    QTest::newRow("starts with") << "JAN"
                                 << "Jansen" << true;
    QTest::newRow("a word starts with") << "JAN"
                                        << "De Jan-Bakker" << true;
    QTest::newRow("after a separator") << "JAN"
                                       << "Bakker(Jan)" << true;
    QTest::newRow("inside a word") << "JAN"
                                   << "Hajanes" << false;
    QTest::newRow("spelled alike") << "JAN"
                                   << "Jaan" << true;
    QTest::newRow("other name") << "JAN"
                                << "Pieters" << false;
    QTest::newRow("first typed word with its blank") << "VAN D"
                                                     << "Van Dam" << true;
    QTest::newRow("first typed word without the blank") << "VAN D"
                                                        << "Vandaag" << false;
    QTest::newRow("typed separator ends the word") << "JAN-"
                                                   << "Jan Smit" << true;
    QTest::newRow("word at character 247") << "JAN" << QString(246, u'x') + " JAN" << true;
    QTest::newRow("word past character 250") << "JAN" << QString(247, u'x') + " JAN" << false;
}

void TestGridText::textFilter() {
    QFETCH(QString, typed);
    QFETCH(QString, row);
    QFETCH(bool, kept);
    TGridSearchTexts texts;
    QCOMPARE(TGridTextFilter(typed).Accepts(texts.Of(0, row)), kept);
}

void TestGridText::preparedTextFollowsTheRow() {
    TGridSearchTexts texts;
    const TGridTextFilter filter(QStringLiteral("KEES"));
    QVERIFY(filter.Accepts(texts.Of(0, QStringLiteral("Kees"))));
    QCOMPARE(texts.Of(0, QStringLiteral("Kees")).Form, QStringLiteral("KEES"));
    QVERIFY(!filter.Accepts(texts.Of(0, QStringLiteral("Pieters"))));       // same record, new text
    QVERIFY(filter.Accepts(texts.Of(7, QStringLiteral("Kees de Vries"))));  // a record added later
    QCOMPARE(texts.Of(0, QStringLiteral("Pieters")).Form, QStringLiteral("PIETERS"));
}

void TestGridText::searchDate_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("from");  // invalid: no date
    QTest::newRow("one digit") << "2" << QDate();
    QTest::newRow("three digits") << "202" << QDate();
    QTest::newRow("year") << "2024" << QDate(2024, 1, 1);
    QTest::newRow("year and half a month") << "20244" << QDate(2024, 4, 1);
    QTest::newRow("year and month") << "202404" << QDate(2024, 4, 1);
    QTest::newRow("month above 12") << "202413" << QDate(2025, 1, 1);
    QTest::newRow("month above 12 with a day") << "20241305" << QDate(2025, 1, 1);
    QTest::newRow("month 0") << "202400" << QDate();
    QTest::newRow("day") << "20240229" << QDate(2024, 2, 29);
    QTest::newRow("day the month lacks") << "20230229" << QDate(2023, 2, 1);
    QTest::newRow("day 0") << "20240400" << QDate(2024, 4, 1);
    QTest::newRow("year 0") << "0000" << QDate();
}

void TestGridText::searchDate() {
    QFETCH(QString, typed);
    QFETCH(QDate, from);
    QCOMPARE(GridSearchDate(typed).value_or(QDate()), from);
}

QTEST_GUILESS_MAIN(TestGridText)
#include "tst_GridText.moc"
