// The copy menu of disabled input controls: a right click on a disabled edit, memo or numeric edit offers
// "Kopiëren", which puts the control's whole text on the clipboard; enabled controls get no such menu.

#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "forms/Dbcomp_hook.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QMenu>
#include <QtWidgets/QVBoxLayout>

class tst_DisabledControlCopy : public TWidgetTest {
    Q_OBJECT
private:
    QWidget* FWindow = nullptr;
    TRightMouseClickOnDisabledControlHandler* FHandler = nullptr;

    template <class Control> Control* Add(const char* name) {
        auto* control = new Control(FWindow);
        control->setObjectName(QLatin1String(name));
        FWindow->layout()->addWidget(control);
        return control;
    }
    // A right press on the control, then the events that follow it.
    void RightClick(QWidget* control) {
        QTest::mousePress(control, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseRelease(control, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
        QCoreApplication::processEvents();
    }
    QAction* CopyItem() const { return FHandler->pmDisabled->actions().value(0); }
    void InitTest() override;
    void CleanupTest() override;

private Q_SLOTS:
    void disabledControlTextIsCopied_data();
    void disabledControlTextIsCopied();
    void noMenuWhereCopyingDoesNotApply_data();
    void noMenuWhereCopyingDoesNotApply();
    void copyFailureIsShown();
};

void tst_DisabledControlCopy::InitTest() {
    FWindow = new QWidget;
    new QVBoxLayout(FWindow);
    FHandler = new TRightMouseClickOnDisabledControlHandler;
    QGuiApplication::clipboard()->setText(QStringLiteral("vorige inhoud"));
}

void tst_DisabledControlCopy::CleanupTest() {
    delete FHandler;
    delete FWindow;
}

void tst_DisabledControlCopy::disabledControlTextIsCopied_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("expected");
    QTest::newRow("edit") << "edit"
                          << "Bakkerij de Vries";
    QTest::newRow("memo, clicked in its text area") << "memo"
                                                    << "regel 1\nregel 2";
    QTest::newRow("numeric edit, without the blanks of its template") << "numeric"
                                                                      << "1.234,50";
    QTest::newRow("control that states it takes part") << "marked"
                                                       << "Concern Noord";
}

void tst_DisabledControlCopy::disabledControlTextIsCopied() {
    QFETCH(QString, kind);
    QFETCH(QString, expected);
    QWidget* control = nullptr;
    QWidget* clicked = nullptr;
    if (kind == QLatin1String("edit")) {
        auto* edit = Add<TOrvEdit>("edNaam");
        edit->setText(expected);
        control = clicked = edit;
    } else if (kind == QLatin1String("memo")) {
        auto* memo = Add<TOrvMemo>("mmOpmerking");
        memo->setPlainText(expected);
        control = memo;
        clicked = memo->viewport();
    } else if (kind == QLatin1String("numeric")) {
        auto* numeric = Add<TOrvNumericEdit>("edBedrag");
        numeric->SetAsFloat(1234.5);
        control = clicked = numeric;
    } else {
        auto* label = Add<QLabel>("dbConcern");
        label->setText(expected);
        label->setProperty("CopyWhenDisabled", true);
        control = clicked = label;
    }
    control->setEnabled(false);
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow));

    RightClick(clicked);
    QVERIFY(FHandler->pmDisabled->isVisible());
    QCOMPARE(FHandler->pmDisabled->actions().size(), 1);
    QCOMPARE(CopyItem()->text(), QStringLiteral("Kopiëren"));
    CopyItem()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), expected);
}

void tst_DisabledControlCopy::noMenuWhereCopyingDoesNotApply_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("enabled edit") << "enabled";
    QTest::newRow("disabled control that takes no part") << "label";
    QTest::newRow("disabled edit inside a control that refuses copying") << "refused";
}

void tst_DisabledControlCopy::noMenuWhereCopyingDoesNotApply() {
    QFETCH(QString, kind);
    QWidget* clicked = nullptr;
    if (kind == QLatin1String("enabled")) {
        auto* edit = Add<TOrvEdit>("edNaam");
        edit->setText(QStringLiteral("Bakkerij de Vries"));
        clicked = edit;
    } else if (kind == QLatin1String("label")) {
        auto* label = Add<QLabel>("lblNaam");
        label->setText(QStringLiteral("Naam"));
        label->setEnabled(false);
        clicked = label;
    } else {
        auto* bound = Add<QWidget>("dbNaam");
        bound->setProperty("CopyWhenDisabled", false);
        auto* inner = new TOrvEdit(bound);
        inner->setText(QStringLiteral("Bakkerij de Vries"));
        (new QVBoxLayout(bound))->addWidget(inner);
        bound->setEnabled(false);
        clicked = inner;
    }
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow));

    RightClick(clicked);
    QVERIFY(!FHandler->pmDisabled->isVisible());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("vorige inhoud"));
}

void tst_DisabledControlCopy::copyFailureIsShown() {
    TScriptedPresenter messages;
    messages.Expect();
    auto* control = Add<QWidget>("pnlZonderTekst");
    control->setMinimumSize(40, 20);
    control->setProperty("CopyWhenDisabled", true);
    control->setEnabled(false);
    FWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(FWindow));

    RightClick(control);
    QVERIFY(FHandler->pmDisabled->isVisible());
    CopyItem()->trigger();
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, QStringLiteral("TRightMouseClickOnDisabledControlHandler.mnCopyClick: "
                                                  "Control pnlZonderTekst has no text to copy."));
    QVERIFY(messages.Last().PlainErrorBox);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("vorige inhoud"));
}

QTEST_MAIN(tst_DisabledControlCopy)
#include "tst_DisabledControlCopy.moc"
