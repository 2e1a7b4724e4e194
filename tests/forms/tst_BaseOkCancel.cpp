// The OK/Cancel window: the button bar stays centred, with or without the help button, the buttons end
// the window with their results, and help asked for in the modal window can be used while it is open.

#include "controls/HelpViewer.h"
#include "controls/OrvComp.h"
#include "core/HelpFile.h"
#include "forms/fBaseOkCancel.h"
#include "support/OrvErrors.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QTimer>
#include <QtGui/QAction>
#include <QtGui/QWindow>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFrame>

// A window whose actions fail, as an edit window's saving can.
class TFailingWindow : public TBaseOkCancel {
    Q_OBJECT
protected:
    void acOkExecute() override { throw EOrvError(QStringLiteral("TFailingWindow.acOkExecute: Opslaan mislukt")); }
    void acCancelExecute() override {
        throw EOrvError(QStringLiteral("TFailingWindow.acCancelExecute: Sluiten mislukt"));
    }
    void acHelpExecute() override { throw EOrvError(QStringLiteral("TFailingWindow.acHelpExecute: Geen help")); }
};

namespace {
THelpViewer* OpenHelpViewer() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* viewer = qobject_cast<THelpViewer*>(w); viewer && viewer->isVisible()) return viewer;
    return nullptr;
}
}

class tst_BaseOkCancel : public TWidgetTest {
    Q_OBJECT
private Q_SLOTS:
    void buttonsAreCentredInTheBar_data();
    void buttonsAreCentredInTheBar();
    void buttonsEndTheWindow_data();
    void buttonsEndTheWindow();
    void disabledActionDisablesItsButton();
    void actionErrorsAreShownAndTheWindowStaysOpen_data();
    void actionErrorsAreShownAndTheWindowStaysOpen();
    void helpOverTheModalWindowTakesInput_data();
    void helpOverTheModalWindowTakesInput();
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

void tst_BaseOkCancel::actionErrorsAreShownAndTheWindowStaysOpen_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("message");
    QTest::newRow("Ok") << "btnOk"
                        << "TFailingWindow.acOkExecute: Opslaan mislukt";
    QTest::newRow("Annuleren") << "btnCancel"
                               << "TFailingWindow.acCancelExecute: Sluiten mislukt";
    QTest::newRow("Help") << "btnHelp"
                          << "TFailingWindow.acHelpExecute: Geen help";
}

void tst_BaseOkCancel::actionErrorsAreShownAndTheWindowStaysOpen() {
    QFETCH(QString, button);
    QFETCH(QString, message);
    TScriptedPresenter messages;
    messages.Expect();
    TFailingWindow window;
    window.Initialize();
    auto* clicked = window.findChild<TOrvButton*>(button);
    bool openAfterClick = false;
    QTimer::singleShot(0, clicked, [&] {
        QTest::mouseClick(clicked, Qt::LeftButton);
        openAfterClick = window.isVisible();
        window.done(mrCancelled);
    });
    window.exec();
    QVERIFY(openAfterClick);
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, message);
    QVERIFY(messages.Last().PlainErrorBox);
}

void tst_BaseOkCancel::helpOverTheModalWindowTakesInput_data() {
    QTest::addColumn<bool>("helpOpenedBefore");
    QTest::addColumn<bool>("helpButton");
    QTest::newRow("F1, first help") << false << false;
    QTest::newRow("F1, help opened before from the main window") << true << false;
    QTest::newRow("help button, help opened before from the main window") << true << true;
}

void tst_BaseOkCancel::helpOverTheModalWindowTakesInput() {
    QFETCH(bool, helpOpenedBefore);
    QFETCH(bool, helpButton);
    TScriptedPresenter messages;  // no message may come
    SetApplicationHelpFile(qEnvironmentVariable("ZEMLO_HELP_FILE"));
    TBaseForm main;
    main.SetHelpContext(3);
    main.Initialize();
    main.show();
    QApplication::setActiveWindow(&main);
    QVERIFY(QTest::qWaitForWindowActive(&main));
    if (helpOpenedBefore) {
        QTest::keyClick(&main, Qt::Key_F1);
        QVERIFY(OpenHelpViewer());
        OpenHelpViewer()->hide();
    }

    TBaseOkCancel window(&main);
    window.SetHelpContext(18);
    window.Initialize();
    QString page;
    bool modalStillFirst = false, viewerTookEscape = false, windowTookAlt = false;
    QTimer::singleShot(0, &window, [&] {
        QApplication::setActiveWindow(&window);
        if (QTest::qWaitForWindowActive(&window)) {
            if (helpButton)
                QTest::mouseClick(window.btnHelp, Qt::LeftButton);
            else
                QTest::keyClick(window.btnOk, Qt::Key_F1);
        }
        if (THelpViewer* viewer = OpenHelpViewer(); viewer && QTest::qWaitForWindowActive(viewer)) {
            QApplication::processEvents();  // the activation's focus changes, before the keys
            page = viewer->CurrentPage();
            modalStillFirst = QApplication::activeModalWidget() == &window;
            // Through the window system, where input for a window behind a modal one is dropped.
            QTest::keyPress(window.windowHandle(), Qt::Key_Alt, Qt::AltModifier);
            windowTookAlt = window.btnOk->ShowAccelerators();
            QTest::keyRelease(window.windowHandle(), Qt::Key_Alt);
            QTest::keyClick(viewer->windowHandle(), Qt::Key_Escape);
            viewerTookEscape = !viewer->isVisible();
        }
        window.done(mrCancelled);
    });
    window.exec();

    QCOMPARE(page, QStringLiteral("/topic18.htm"));
    QVERIFY(modalStillFirst);
    QVERIFY(windowTookAlt);
    QVERIFY(viewerTookEscape);
    QCOMPARE(messages.Count(), 0);
}

QTEST_MAIN(tst_BaseOkCancel)
#include "tst_BaseOkCancel.moc"
