#include "support/FuzzyMatch.h"

#include <QtTest>

class TestFuzzyMatch : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void workedTable_data();
    void workedTable();
    void normalize_data();
    void normalize();
    void preGuthOptimizer_data();
    void preGuthOptimizer();
    void edgeDistances_data();
    void edgeDistances();
    void thresholdBoundaries_data();
    void thresholdBoundaries();
    void emptyNeverMatches();
    void allWordsSwitch();
    void joinedWords();
    void fiveLetterRule();
    void simplificationIsTheReplacementsInTheirOrder();
};

void TestFuzzyMatch::workedTable_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("distance");
    QTest::addColumn<bool>("level1");
    QTest::addColumn<bool>("level5");
    QTest::addColumn<bool>("level10");
    QTest::newRow("JAN/JAAN") << "JAN"
                              << "JAAN" << 15 << false << true << true;
    QTest::newRow("JANSEN/JANSSEN") << "JANSEN"
                                    << "JANSSEN" << 15 << false << true << true;
    QTest::newRow("PIETERS/PETERS") << "PIETERS"
                                    << "PETERS" << 15 << false << true << true;
    QTest::newRow("HOLDING/HOLDNG") << "HOLDING"
                                    << "HOLDNG" << 25 << false << true << true;
    QTest::newRow("MULDER/MOLDER") << "MULDER"
                                   << "MOLDER" << 20 << false << true << true;
    QTest::newRow("WILLEMS/WILLEMSEN") << "WILLEMS"
                                       << "WILLEMSEN" << 22 << false << true << true;
    QTest::newRow("SMIT/SMID") << "SMIT"
                               << "SMID" << 1 << true << true << true;
    QTest::newRow("VAN DIJK/VAN DYK") << "VAN DIJK"
                                      << "VAN DYK" << 1 << true << true << true;
    QTest::newRow("Reiskosten/REISKOSTEN") << "Reiskosten"
                                           << "REISKOSTEN" << 1 << true << true << true;
    QTest::newRow("JAN/JOHAN") << "JAN"
                               << "JOHAN" << -1 << false << false << false;
    QTest::newRow("SMITH/SMIT") << "SMITH"
                                << "SMIT" << -1 << false << false << false;
    QTest::newRow("VRIES/DE VRIES") << "VRIES"
                                    << "DE VRIES" << -1 << true << true << true;
    QTest::newRow("DE VRIES/VRIES") << "DE VRIES"
                                    << "VRIES" << -1 << false << false << false;
    QTest::newRow("HOLDING NOORD/NOORD HOLDING BV") << "HOLDING NOORD"
                                                    << "NOORD HOLDING BV" << -1 << true << true << true;
    QTest::newRow("JANSSEN BV/JANSEN") << "JANSSEN BV"
                                       << "JANSEN" << 55 << false << false << false;
}

void TestFuzzyMatch::workedTable() {
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(int, distance);
    QFETCH(bool, level1);
    QFETCH(bool, level5);
    QFETCH(bool, level10);
    QCOMPARE(GuthDistance(FuzzyNormalize(typed), FuzzyNormalize(stored)), distance);
    QCOMPARE(FuzzyMatch(typed, stored, 1, true, false), level1);
    QCOMPARE(FuzzyMatch(typed, stored, 5, true, false), level5);
    QCOMPARE(FuzzyMatch(typed, stored, 10, true, true), level10);
}

void TestFuzzyMatch::normalize_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no trigger keeps brackets") << "A(B)"
                                               << "A(B)";
    QTest::newRow("blank makes brackets blanks") << "A (B)"
                                                 << "A B";
    QTest::newRow("trimmed and upper") << "  jansen\t"
                                       << "JANSEN";
    QTest::newRow("accents removed") << QString::fromUtf8("Café Müller") << "CAFE MULLER";
    QTest::newRow("accent alone triggers") << QString::fromUtf8("één") << "EEN";
    QTest::newRow("plus") << "A+B"
                          << "A PLUS B";
    QTest::newRow("punctuation runs") << "B.V.,  Holding--Noord;"
                                      << "B V HOLDING NOORD";
    QTest::newRow("only a to z upper cased") << QString::fromUtf8("straße") << QString::fromUtf8("STRAßE");
    QTest::newRow("non-Latin-1 without trigger stays") << QString::fromUtf8("ő") << QString::fromUtf8("ő");
    QTest::newRow("non-Latin-1 with trigger loses accent") << QString::fromUtf8("ő x") << "O X";
    QTest::newRow("120 characters kept") << QString(130, u'a') << QString(120, u'A');
    QTest::newRow("punctuation only") << ".-/;"
                                      << "";
}

void TestFuzzyMatch::normalize() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(FuzzyNormalize(text), expected);
}

void TestFuzzyMatch::preGuthOptimizer_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("EIJ") << "MEIJER"
                         << "MYER";
    QTest::newRow("IJ") << "DIJK"
                        << "DYK";
    QTest::newRow("EI") << "REIS"
                        << "RYS";
    QTest::newRow("CKX") << "DUCKX"
                         << "DUKS";
    QTest::newRow("CK") << "BECKER"
                        << "BEKER";
    QTest::newRow("final D") << "SMID"
                             << "SMIT";
    QTest::newRow("Y between vowels") << "MEYER"
                                      << "MEJER";
    QTest::newRow("J counts as non-vowel") << "AIIA"
                                           << "AJIA";
    QTest::newRow("first and last stay") << "YAY"
                                         << "YAY";
    QTest::newRow("2") << "2"
                       << "TO";
    QTest::newRow("4") << "4"
                       << "FOR";
    QTest::newRow("22 stays") << "22"
                              << "22";
}

void TestFuzzyMatch::preGuthOptimizer() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(PreGuthOptimizer(text), expected);
}

void TestFuzzyMatch::edgeDistances_data() {
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<int>("distance");
    QTest::newRow("007/7") << "007"
                           << "7" << 1;
    QTest::newRow("negative numbers") << "-07"
                                      << "-7" << 1;
    QTest::newRow("long zeros in range") << "0000000000007"
                                         << "7" << 1;
    QTest::newRow("beyond 32 bits not numeric") << "4294967303"
                                                << "7" << -1;
    QTest::newRow("2/TO") << "2"
                          << "TO" << 1;
    QTest::newRow("MEIJER/MEYER") << "MEIJER"
                                  << "MEYER" << 35;
    QTest::newRow("empty x") << ""
                             << "A" << -1;
    QTest::newRow("empty y") << "A"
                             << "" << -1;
    QTest::newRow("first letters differ, vowel first") << "ARIE"
                                                       << "ERIE" << 20;
    QTest::newRow("double letter missing") << "BAAS"
                                           << "BOOS" << -1;
}

void TestFuzzyMatch::edgeDistances() {
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(int, distance);
    QCOMPARE(GuthDistance(x, y), distance);
}

void TestFuzzyMatch::thresholdBoundaries_data() {
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("passes");
    QTest::newRow("strict equal") << 1 << 3 << 1 << true;
    QTest::newRow("strict level 0") << 1 << 3 << 0 << true;
    QTest::newRow("strict 15") << 15 << 3 << 1 << false;
    QTest::newRow("no match never") << -1 << 3 << 10 << false;
    QTest::newRow("level 5, 4 chars, 20") << 20 << 4 << 5 << true;
    QTest::newRow("level 5, 4 chars, 21") << 21 << 4 << 5 << false;
    QTest::newRow("level 9, 5 chars, 25") << 25 << 5 << 9 << true;
    QTest::newRow("level 9, 5 chars, 26") << 26 << 5 << 9 << false;
    QTest::newRow("level 10, 4 chars, 24") << 24 << 4 << 10 << true;
    QTest::newRow("level 10, 4 chars, 25") << 25 << 4 << 10 << false;
    QTest::newRow("level 10, 5 chars, 29") << 29 << 5 << 10 << true;
    QTest::newRow("level 10, 5 chars, 30") << 30 << 5 << 10 << false;
}

void TestFuzzyMatch::thresholdBoundaries() {
    QFETCH(int, distance);
    QFETCH(int, length);
    QFETCH(int, level);
    QFETCH(bool, passes);
    QCOMPARE(GuthPasses(distance, length, level), passes);
}

void TestFuzzyMatch::emptyNeverMatches() {
    for (int level : {1, 5, 10}) {
        QVERIFY(!FuzzyMatch(QString(), QStringLiteral("JAN"), level, true, true));
        QVERIFY(!FuzzyMatch(QStringLiteral("JAN"), QString(), level, true, true));
        QVERIFY(!FuzzyMatch(QStringLiteral(" .;"), QStringLiteral(" - "), level, false, true));
    }
}

void TestFuzzyMatch::allWordsSwitch() {
    // Without the switch one matching word suffices.
    QVERIFY(FuzzyMatch(QStringLiteral("JANSEN XQZ"), QStringLiteral("JANSEN BV"), 1, false, false));
    QVERIFY(!FuzzyMatch(QStringLiteral("JANSEN XQZ"), QStringLiteral("JANSEN BV"), 1, true, false));
}

void TestFuzzyMatch::joinedWords() {
    // "VAN DER BERG" typed as separate words against a stored joined name.
    QVERIFY(!FuzzyMatch(QStringLiteral("VAN DERBERG"), QStringLiteral("VANDERBERG"), 1, true, false));
    QVERIFY(FuzzyMatch(QStringLiteral("VAN DERBERG"), QStringLiteral("VANDERBERG"), 10, true, true));
    // The joined-words switch alone joins both sides, word by word.
    QVERIFY(FuzzyMatch(QStringLiteral("VAN DERBERG"), QStringLiteral("VAN DER BERG"), 1, false, true));
}

void TestFuzzyMatch::fiveLetterRule() {
    // Same first five letters: alike from level 5 on, even when the distance says otherwise.
    QCOMPARE(GuthDistance(QStringLiteral("BAKKERIJ"), QStringLiteral("BAKKERSGILDE")), -1);
    QVERIFY(!FuzzyMatch(QStringLiteral("BAKKERIJ X"), QStringLiteral("BAKKERSGILDE"), 2, false, false));
    QVERIFY(FuzzyMatch(QStringLiteral("BAKKERIJ X"), QStringLiteral("BAKKERSGILDE"), 5, false, false));
}

// The simplification replaces in one pass; it must equal replacing every EIJ, then IJ, then EI by Y and then
// CKX by KS and CK by K, one after the other, on any text of the letters involved.
void TestFuzzyMatch::simplificationIsTheReplacementsInTheirOrder() {
    const QString letters = QStringLiteral("EIJCKXDAY");
    QRandomGenerator random(20240101);
    for (int n = 0; n < 20000; ++n) {
        QString text;
        for (int length = 1 + random.bounded(9); length > 0; --length) text += letters[random.bounded(letters.size())];
        QString expected = text;
        for (const auto& [from, to] : {std::pair{"EIJ", "Y"}, {"IJ", "Y"}, {"EI", "Y"}, {"CKX", "KS"}, {"CK", "K"}})
            expected.replace(QLatin1String(from), QLatin1String(to));
        if (expected.endsWith(u'D')) expected[expected.size() - 1] = u'T';
        for (qsizetype i = 1; i + 1 < expected.size(); ++i) {
            const auto vowel = [](QChar c) { return QStringLiteral("AEIOUY").contains(c); };
            if ((expected[i] == u'I' || expected[i] == u'Y') && vowel(expected[i - 1]) && vowel(expected[i + 1]))
                expected[i] = u'J';
        }
        QCOMPARE(PreGuthOptimizer(text), expected);
    }
}

QTEST_GUILESS_MAIN(TestFuzzyMatch)
#include "tst_FuzzyMatch.moc"
