// The payroll link window: it shows the stored link, OK stores what is typed (an empty link is refused and
// the window stays open), Bladeren finds Quelt2024.exe with the file dialog.

#include "binding/OrvADOConnection.h"
#include "controls/OrvComp.h"
#include "core/uUtils.h"
#include "exchangeui/fQueltKoppeling.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QLabel>

class tst_QueltKoppeling : public TWidgetTest {
    Q_OBJECT
    void InitTest() override {
        FDatabase = std::make_unique<TTestDatabase>();
        FConnection = std::make_unique<TOrvADOConnection>();
        FDatabase->Open(*FConnection);
    }
    void CleanupTest() override {
        FConnection.reset();
        FDatabase.reset();
    }
private Q_SLOTS:
    void opensWithTheStoredLink_data();
    void opensWithTheStoredLink();
    void okStoresWhatIsTyped_data();
    void okStoresWhatIsTyped();
    void cancelStoresNothing();
    void browse_data();
    void browse();

private:
    QString StoredLink() { return GetDBParamValue(FConnection.get(), QStringLiteral("QueltKoppeling")); }
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
};

void tst_QueltKoppeling::opensWithTheStoredLink_data() {
    QTest::addColumn<QString>("stored");
    QTest::newRow("none") << "";
    QTest::newRow("a folder") << "/opt/quelt/";
}

void tst_QueltKoppeling::opensWithTheStoredLink() {
    QFETCH(QString, stored);
    if (!stored.isEmpty()) SetDBParamValue(FConnection.get(), QStringLiteral("QueltKoppeling"), stored);
    TfrmQueltKoppeling window;
    window.SetADOConnection(FConnection.get());
    window.Initialize();
    QCOMPARE(window.windowTitle(), QStringLiteral("Quelt koppeling"));
    QCOMPARE(window.size(), QSize(705, 207));
    QCOMPARE(window.HelpContext(), 11);
    QLabel* label = Child<QLabel>(&window, "lblSelectQueltDir");
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Selecteer Quelt2024 programmadirectory"));
    TOrvEdit* edit = Child<TOrvEdit>(&window, "edQueltMap");
    QVERIFY(edit);
    QCOMPARE(edit->text(), stored);
    QCOMPARE(edit->width(), 542);
    TOrvButton* browse = Child<TOrvButton>(&window, "btnBladeren");
    QVERIFY(browse);
    QCOMPARE(browse->Caption(), QStringLiteral("Bladeren..."));
}

void tst_QueltKoppeling::okStoresWhatIsTyped_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("error");  // empty: stored and closed with OK
    QTest::newRow("a folder") << "/opt/quelt/"
                              << "";
    QTest::newRow("without a trailing separator: as typed") << "/opt/quelt"
                                                            << "";
    QTest::newRow("empty") << ""
                           << "TfrmQueltKoppeling.acOkExecute: SaveQueltKoppeling: SetDBParamValue (QueltKoppeling): "
                              "Parameter waarde is een lege string";
}

void tst_QueltKoppeling::okStoresWhatIsTyped() {
    QFETCH(QString, typed);
    QFETCH(QString, error);
    SetDBParamValue(FConnection.get(), QStringLiteral("QueltKoppeling"), QStringLiteral("/oud/"));
    TScriptedPresenter messages;
    if (!error.isEmpty()) messages.Expect(mrOk);
    TfrmQueltKoppeling window;
    window.SetADOConnection(FConnection.get());
    window.Initialize();
    bool openAfterOk = false;
    const TWhenModal<TfrmQueltKoppeling> drive([&](TfrmQueltKoppeling* w) {
        auto* edit = Child<TOrvEdit>(w, "edQueltMap");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, typed);
        QTest::mouseClick(Child<TOrvButton>(w, "btnOk"), Qt::LeftButton);
        openAfterOk = w->isVisible();
        if (openAfterOk) QTest::mouseClick(Child<TOrvButton>(w, "btnCancel"), Qt::LeftButton);
    });
    const int result = window.exec();
    if (error.isEmpty()) {
        QCOMPARE(result, 1);
        QCOMPARE(messages.Count(), 0);
        QCOMPARE(StoredLink(), typed);
    } else {
        QVERIFY(openAfterOk);
        QCOMPARE(messages.Count(), 1);
        QCOMPARE(messages.Last().Text, error);
        QCOMPARE(StoredLink(), QStringLiteral("/oud/"));
    }
}

void tst_QueltKoppeling::cancelStoresNothing() {
    TfrmQueltKoppeling window;
    window.SetADOConnection(FConnection.get());
    window.Initialize();
    const TWhenModal<TfrmQueltKoppeling> drive([&](TfrmQueltKoppeling* w) {
        QTest::keyClicks(Child<TOrvEdit>(w, "edQueltMap"), QStringLiteral("/opt/quelt/"));
        QTest::mouseClick(Child<TOrvButton>(w, "btnCancel"), Qt::LeftButton);
    });
    QCOMPARE(window.exec(), 2);
    QCOMPARE(StoredLink(), QString());
}

void tst_QueltKoppeling::browse_data() {
    QTest::addColumn<QString>("typed");  // %1: an existing folder holding Quelt2024.exe
    QTest::addColumn<bool>("startsThere");
    QTest::newRow("the link's folder") << "%1/" << true;
    QTest::newRow("a file in it") << "%1/Quelt2024.exe" << true;
    QTest::newRow("a folder that does not exist") << "%1/weg/" << false;
    QTest::newRow("nothing typed") << "" << false;
}

void tst_QueltKoppeling::browse() {
    QFETCH(QString, typed);
    QFETCH(bool, startsThere);
    const QString folder = ProgramDir() + QStringLiteral("Quelt");
    QVERIFY(QDir().mkpath(folder));
    QFile exe(folder + QStringLiteral("/Quelt2024.exe"));
    QVERIFY(exe.open(QIODevice::WriteOnly));
    exe.close();
    TfrmQueltKoppeling window;
    window.SetADOConnection(FConnection.get());
    window.Initialize();
    window.show();
    auto* edit = Child<TOrvEdit>(&window, "edQueltMap");
    edit->setText(typed.isEmpty() ? typed : typed.arg(folder));
    QString title, startFolder;
    const TWhenModal<QFileDialog> pick([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        startFolder = dialog->directory().absolutePath();
        QCOMPARE(dialog->objectName(), QStringLiteral("odQuelt"));
        QVERIFY(dialog->nameFilters().contains(QStringLiteral("Quelt2024 (Quelt2024.exe)")));
        dialog->setDirectory(folder);
        dialog->selectFile(QStringLiteral("Quelt2024.exe"));
        static_cast<QDialog*>(dialog)->accept();  // as its Open button does
    });
    QTest::mouseClick(Child<TOrvButton>(&window, "btnBladeren"), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Quelt2024 locatie"));
    QCOMPARE(startFolder == QDir(folder).absolutePath(), startsThere);
    QCOMPARE(edit->text(), QDir(folder).absolutePath() + u'/');
    window.hide();
}

QTEST_MAIN(tst_QueltKoppeling)
#include "tst_QueltKoppeling.moc"
