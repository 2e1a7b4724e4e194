// What the message dialog shows of a text: identifiers dropped from errors, database errors shortened.

#include "core/OrvMessageText.h"

#include <QTest>

class TestOrvMessageText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void stripIdentifierWords_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("method prefix") << "TdmMain.OpenWerkgevers: Syntax error in INSERT INTO statement."
                                       << "Syntax error in INSERT INTO statement.";
        QTest::newRow("chain of prefixes") << "TfrmMain.Init: TdmMain.ConnectDatabase: Bestand niet gevonden"
                                           << "Bestand niet gevonden";
        QTest::newRow("identifier at the end") << "Fout in ConnectToDatabase"
                                               << "Fout in ";
        QTest::newRow("kept words") << "Fout SQL ORA-01017 Werkgever-mutatiescherm 123 Melding"
                                    << "Fout SQL ORA-01017 Werkgever-mutatiescherm 123 Melding";
        QTest::newRow("identifier before a line break") << "TdmMain.Open:\r\nTabel ontbreekt"
                                                        << "Tabel ontbreekt";
        QTest::newRow("empty") << ""
                               << "";
    }
    void stripIdentifierWords() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(StripIdentifierWords(text), expected);
    }

    void processing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("details");
        const int error = int(TOrvMessageType::mtError);
        const int message = int(TOrvMessageType::mtMessage);
        QTest::newRow("database error") << error << "Fout: ORA-00942: table or view does not exist"
                                        << "Database foutmelding: ORA-00942: table or view does not exist" << true;
        QTest::newRow("plain error") << error << "Het bestand is niet gevonden."
                                     << "Het bestand is niet gevonden." << false;
        QTest::newRow("prefixed error") << error << "TdmMain.OpenWerkgevers: Syntax error in INSERT INTO statement."
                                        << "Syntax error in INSERT INTO statement." << true;
        QTest::newRow("warning untouched")
            << message << "TdmMain.OpenWerkgevers: Syntax error in INSERT INTO statement."
            << "TdmMain.OpenWerkgevers: Syntax error in INSERT INTO statement." << false;
        QTest::newRow("line breaks made CR LF") << message << "een\ntwee\rdrie\r\nvier"
                                                << "een\r\ntwee\r\ndrie\r\nvier" << false;
    }
    void processing() {
        QFETCH(int, kind);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, details);
        const TMessageText result = ProcessMessageText(TOrvMessageType(kind), text);
        QCOMPARE(result.Message, message);
        QCOMPARE(result.HasDetails(), details);
        QCOMPARE(result.Detail, NormaliseLineBreaks(text));
    }
};

QTEST_GUILESS_MAIN(TestOrvMessageText)
#include "tst_OrvMessageText.moc"
