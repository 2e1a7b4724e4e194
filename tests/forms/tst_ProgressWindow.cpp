// The progress window of long runs: shown once a run has lasted its delay, with what the run does and how
// far it is; gone when the run ends; never for a run that ends before the delay.

#include "forms/ProgressWindow.h"
#include "platform/Progress.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressDialog>

namespace {
QProgressDialog* OpenProgressWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(w); dialog && dialog->isVisible()) return dialog;
    return nullptr;
}
}

class tst_ProgressWindow : public TWidgetTest {
    Q_OBJECT
    void CleanupTest() override { TProgress::InstallHook(nullptr); }
private Q_SLOTS:
    void showsWhatAndHowFar_data();
    void showsWhatAndHowFar();
    void noneBeforeTheDelay();
};

void tst_ProgressWindow::showsWhatAndHowFar_data() {
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("label");
    QTest::newRow("a step of a known total") << 25 << "Maart"
                                             << "Loonsommen importeren: Maart";
    QTest::newRow("no step yet") << 25 << ""
                                 << "Loonsommen importeren";
    QTest::newRow("size not known: busy") << 0 << "Boekingen lezen"
                                          << "Loonsommen importeren: Boekingen lezen";
}

void tst_ProgressWindow::showsWhatAndHowFar() {
    QFETCH(int, total);
    QFETCH(QString, step);
    QFETCH(QString, label);
    InstallProgressWindow(0);
    {
        TProgress progress(QStringLiteral("Loonsommen importeren"), total);
        if (!step.isEmpty()) progress.SetStep(step);
        progress.Advance(3);
        {
            // A run inside the run does not take the window over.
            TProgress inner(QStringLiteral("Werkgevers importeren"), 7);
            inner.Advance(6);
        }
        QProgressDialog* window = OpenProgressWindow();
        QVERIFY(window);
        QCOMPARE(window->objectName(), QStringLiteral("dlgVoortgang"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Loonsommen importeren"));
        QCOMPARE(window->labelText(), label);
        QCOMPARE(window->maximum(), total);
        QCOMPARE(window->value(), total > 0 ? 3 : 0);
        QVERIFY(window->isModal());
    }
    QVERIFY(!OpenProgressWindow());
}

void tst_ProgressWindow::noneBeforeTheDelay() {
    InstallProgressWindow(60000);
    TProgress progress(QStringLiteral("Kosten exporteren"), 10);
    for (int i = 1; i <= 10; ++i) progress.Advance(i);
    QVERIFY(!OpenProgressWindow());
}

QTEST_MAIN(tst_ProgressWindow)
#include "tst_ProgressWindow.moc"
