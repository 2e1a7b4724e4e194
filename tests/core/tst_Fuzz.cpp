// Random and adversarial texts against the functions that take user input: no crash, and no error other
// than the documented ones. The seed is fixed so a failure repeats.

#include "binding/OrvADOConnection.h"
#include "core/uUtils.h"
#include "support/FuzzyMatch.h"
#include "support/OrvErrors.h"
#include "testlib/TestDatabase.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
const QStringList kAdversarial = {
    "",
    " ",
    "L",
    "l",
    "LLLLLLLLLLLL",
    "TYDELYK",
    "TYDELYKL",
    "tydelyk99l99",
    "TYDELYK1234",
    "'",
    "''",
    "';--",
    "%",
    "*",
    "?",
    "0",
    "-",
    "+",
    "2",
    "4",
    "007",
    "-2147483648",
    "2147483648",
    "4294967296L01",
    "99999999999999999999L01",
    "000000000L00",
    "123456782L01",
    "٠١٢٣٤٥٦٧٨L01",
    QString(1000, u'9'),
    QString(500, u' '),
    QString(300, u'+'),
    QStringLiteral("A\u0301\u0308"),
    QStringLiteral("\U0001F600 \U0001F600"),
    QString(QChar(0xD800)),
    QString(QChar(0xDFFF)) + "x",
    QString(QChar(0xFFFF)),
    QString(QChar(u'\0')),
    QStringLiteral("EIJEIJEIJ"),
    QStringLiteral("CKXCKCK"),
    QStringLiteral("IYIYIYI"),
    QStringLiteral("(((())))[]"),
};

const QString kAlphabet = QStringLiteral("0123456789LlTYDEK AEIOUYHJCKX'\"%*?;,.-/+~()[]\t\n\r\x01éëïöüßÆ€ıİ");

QString RandomText(QRandomGenerator& random) {
    const int length = random.bounded(random.bounded(8) == 0 ? 200 : 16);
    QString text;
    for (int i = 0; i < length; ++i) {
        switch (random.bounded(10)) {
        case 0:  // any UTF-16 unit, lone surrogates included
            text.append(QChar(char16_t(random.bounded(0x10000))));
            break;
        case 1:
            text.append(kAdversarial[random.bounded(kAdversarial.size())]);
            break;
        default:
            text.append(kAlphabet[random.bounded(kAlphabet.size())]);
        }
    }
    return text;
}

bool HasLoneSurrogate(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return true;
    }
    return false;
}
}

class TestFuzz : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lhNummer();
    void fuzzyMatch();
    void settings();
};

void TestFuzz::lhNummer() {
    QRandomGenerator random(20240101);
    QStringList texts = kAdversarial;
    for (int i = 0; i < 20000; ++i) texts.append(RandomText(random));
    // Valid numbers with noise around them.
    for (int i = 0; i < 2000; ++i)
        texts.append(QString::number(100000000 + random.bounded(899999999)) + "L0" +
                     QString::number(random.bounded(10)));
    static const QRegularExpression plain(QStringLiteral("^[0-9Ll]+$"));
    for (const QString& text : texts) {
        const bool valid = IsValidLHNummer(text);
        if (valid) QVERIFY2(IsWerkgeverTijdelijk(text) || plain.match(text).hasMatch(), qPrintable(text));
        if (Elfproef(text)) QCOMPARE(text.size(), 9);
    }
}

void TestFuzz::fuzzyMatch() {
    QRandomGenerator random(7);
    const int levels[] = {-3, 0, 1, 2, 5, 9, 10, 1000};
    for (int i = 0; i < 20000; ++i) {
        const QString typed = RandomText(random);
        const QString stored = random.bounded(4) == 0 ? typed : RandomText(random);
        const int level = levels[random.bounded(8)];
        const bool allWords = random.bounded(2);
        const bool joined = random.bounded(2);
        const bool match = FuzzyMatch(typed, stored, level, allWords, joined);
        const QString t = FuzzyNormalize(typed);
        const int distance = GuthDistance(t, FuzzyNormalize(stored));
        QVERIFY2(distance == -1 || distance == 1 || distance >= 10, qPrintable(typed + " / " + stored));
        if (distance == 1) QVERIFY(match);
        if (t.isEmpty()) QVERIFY(!match);
        if (stored == typed && !t.isEmpty()) QVERIFY(match);
        QVERIFY(t.size() <= 120 * 6);
    }
}

void TestFuzz::settings() {
    TTestDatabase db;
    TOrvADOConnection connection;
    db.Open(connection);
    QRandomGenerator random(42);
    QHash<QString, QString> stored;  // lower-case key -> value
    connection.BeginTrans();
    for (int i = 0; i < 1500; ++i) {
        const QString key = RandomText(random);
        const QString value = random.bounded(10) == 0 ? QString() : RandomText(random);
        const bool hasNul = key.contains(QChar(u'\0')) || value.contains(QChar(u'\0'));
        try {
            switch (random.bounded(3)) {
            case 0:
            case 1:
                SetDBParamValue(&connection, key, value);
                QVERIFY2(!value.isEmpty(), "an empty value was stored");
                stored.insert(key.toLower(), value);
                break;
            default:
                DeleteDBParam(&connection, key);
                QVERIFY(!key.isEmpty());
                stored.remove(key.toLower());
            }
            const QString read = GetDBParamValue(&connection, key);
            if (!HasLoneSurrogate(key) && !HasLoneSurrogate(value) && stored.contains(key.toLower()))
                QCOMPARE(read, stored.value(key.toLower()));
        } catch (const EOrvError& e) {
            // Documented refusals: an empty value, an empty key to delete, and a NUL character the engine
            // cannot take in a statement.
            const bool documented = e.Message().endsWith(QLatin1String("Parameter waarde is een lege string")) ||
                                    e.Message().endsWith(QLatin1String("No param name specified")) || hasNul;
            QVERIFY2(documented, qPrintable(e.Message()));
        }
        QVERIFY(connection.InTransaction());
    }
    connection.CommitTrans();
}

QTEST_GUILESS_MAIN(TestFuzz)
#include "tst_Fuzz.moc"
