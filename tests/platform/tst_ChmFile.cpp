// The compiled help file that the build puts next to the program: every topic can be read from it.

#include "platform/ChmFile.h"

#include <QCoreApplication>
#include <QTest>

class tst_ChmFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyTopicIsThere();
    void missingFileAndPage();
};

void tst_ChmFile::everyTopicIsThere() {
    TChmFile help;
    QVERIFY(help.Open(qEnvironmentVariable("ZEMLO_HELP_FILE")));
    for (int topic = 1; topic <= 21; ++topic) {
        const QString page = QString::fromUtf8(help.Page(TChmFile::TopicPage(topic)));
        QVERIFY2(page.contains(QStringLiteral("<h1>")), qPrintable(TChmFile::TopicPage(topic)));
        QVERIFY2(page.contains(QStringLiteral("lang=\"nl\"")), qPrintable(TChmFile::TopicPage(topic)));
    }
}

void tst_ChmFile::missingFileAndPage() {
    TChmFile help;
    QVERIFY(!help.Open(QStringLiteral("/nonexistent/Zemlo2024.CHM")));
    QVERIFY(help.Page(TChmFile::TopicPage(1)).isEmpty());
    QVERIFY(help.Open(qEnvironmentVariable("ZEMLO_HELP_FILE")));
    QVERIFY(help.Page(QStringLiteral("/topic99.htm")).isEmpty());
}

QTEST_GUILESS_MAIN(tst_ChmFile)
#include "tst_ChmFile.moc"
