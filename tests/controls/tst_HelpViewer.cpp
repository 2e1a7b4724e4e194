// The built-in help viewer shows a topic of the compiled help file and follows its links.

#include "controls/HelpViewer.h"
#include "core/HelpFile.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QTextBrowser>

class tst_HelpViewer : public TWidgetTest {
    Q_OBJECT
private Q_SLOTS:
    void showsTopicAndFollowsLinks();
    void missingHelpFileIsReported();
};

void tst_HelpViewer::showsTopicAndFollowsLinks() {
    THelpViewer viewer;
    QVERIFY(viewer.OpenHelpFile(qEnvironmentVariable("ZEMLO_HELP_FILE")));
    viewer.ShowTopic(3);
    QCOMPARE(viewer.CurrentPage(), QStringLiteral("/topic03.htm"));
    auto* browser = viewer.findChild<QTextBrowser*>(QStringLiteral("tbHelp"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Het hoofdscherm")));
    browser->setSource(QUrl(QStringLiteral("topic01.htm")));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("Onderwerpen")));
}

void tst_HelpViewer::missingHelpFileIsReported() {
    TScriptedPresenter messages;
    messages.Expect();
    SetApplicationHelpFile(QString());
    ShowHelpTopic(1);
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, QStringLiteral("Het helpbestand Zemlo2024.CHM is niet aanwezig."));
}

QTEST_MAIN(tst_HelpViewer)
#include "tst_HelpViewer.moc"
