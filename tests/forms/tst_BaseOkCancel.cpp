// The OK/Cancel window: the button bar stays centred, with or without the help button, and the buttons end
// the window with their results.

#include "controls/OrvComp.h"
#include "forms/fBaseOkCancel.h"

#include <QTest>
#include <QTimer>
#include <QtGui/QAction>
#include <QtWidgets/QFrame>

class tst_BaseOkCancel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buttonsAreCentredInTheBar_data();
    void buttonsAreCentredInTheBar();
    void buttonsEndTheWindow_data();
    void buttonsEndTheWindow();
    void disabledActionDisablesItsButton();
};

void tst_BaseOkCancel::buttonsAreCentredInTheBar_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("withHelp");
    QTest::addColumn<int>("okLeft");
    QTest::addColumn<int>("cancelLeft");
    QTest::addColumn<int>("helpLeft");
    // Three buttons 110 wide take 334 pixels, two take 222.
    QTest::newRow("design width") << 600 << true << 133 << 245 << 357;
    QTest::newRow("odd width rounds down") << 601 << true << 133 << 245 << 357;
    QTest::newRow("wide") << 799 << true << 232 << 344 << 456;
    QTest::newRow("narrower than the buttons") << 300 << true << -17 << 95 << 207;
    QTest::newRow("design width, no help") << 600 << false << 189 << 301 << 0;
    QTest::newRow("odd width, no help") << 601 << false << 189 << 301 << 0;
    QTest::newRow("wide, no help") << 799 << false << 288 << 400 << 0;
    QTest::newRow("narrow, no help") << 201 << false << -11 << 101 << 0;
}

void tst_BaseOkCancel::buttonsAreCentredInTheBar() {
    QFETCH(int, width);
    QFETCH(bool, withHelp);
    QFETCH(int, okLeft);
    QFETCH(int, cancelLeft);
    QFETCH(int, helpLeft);
    TBaseOkCancel window;
    window.Initialize();
    window.btnHelp->setVisible(withHelp);
    window.show();
    window.resize(width, 462);
    QCOMPARE(window.pnlOkCancel->geometry(), QRect(0, 462 - 51, width, 51));
    QCOMPARE(window.btnOk->geometry(), QRect(okLeft, 8, 110, 34));
    QCOMPARE(window.btnCancel->geometry(), QRect(cancelLeft, 8, 110, 34));
    if (withHelp) QCOMPARE(window.btnHelp->geometry(), QRect(helpLeft, 8, 110, 34));
}

void tst_BaseOkCancel::buttonsEndTheWindow_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Ok") << "btnOk" << 1;
    QTest::newRow("Annuleren") << "btnCancel" << 2;
}

void tst_BaseOkCancel::buttonsEndTheWindow() {
    QFETCH(QString, button);
    QFETCH(int, result);
    TBaseOkCancel window;
    window.Initialize();
    auto* clicked = window.findChild<TOrvButton*>(button);
    QTimer::singleShot(0, clicked, [clicked] { QTest::mouseClick(clicked, Qt::LeftButton); });
    QCOMPARE(window.exec(), result);
}

void tst_BaseOkCancel::disabledActionDisablesItsButton() {
    TBaseOkCancel window;
    window.acOk->setEnabled(false);
    QVERIFY(!window.btnOk->isEnabled());
    QVERIFY(window.btnCancel->isEnabled());
    window.acOk->setEnabled(true);
    QVERIFY(window.btnOk->isEnabled());
}

QTEST_MAIN(tst_BaseOkCancel)
#include "tst_BaseOkCancel.moc"
