// The base window: the initialisation guard, embedded child windows, Escape, Alt, F1, the control styling
// and setting a check box silently.

#include "controls/HelpViewer.h"
#include "controls/OrvComp.h"
#include "controls/OrvDBSortGrid.h"
#include "core/HelpFile.h"
#include "forms/fBaseChild.h"
#include "forms/fBaseForm.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QVBoxLayout>

// An embedded list as the program's windows embed them: an edit and a button.
class TTestChild : public TBaseChild {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TTestChild(QWidget* owner = nullptr) : TBaseChild(owner) {
        setObjectName(QStringLiteral("frmTestChild"));
        auto* layout = new QVBoxLayout(this);
        edChild = new TOrvEdit(this);
        edChild->setObjectName(QStringLiteral("edChild"));
        btnChild = new TOrvButton(this);
        btnChild->setObjectName(QStringLiteral("btnChild"));
        btnChild->SetCaption(QStringLiteral("&Toevoegen"));
        layout->addWidget(edChild);
        layout->addWidget(btnChild);
    }
    void EnableDisable() override {}
    TOrvEdit* edChild;
    TOrvButton* btnChild;
};

// A window class that may not be embedded.
class TNotAChild : public TBaseForm {
    Q_OBJECT
public:
    Q_INVOKABLE explicit TNotAChild(QWidget* owner = nullptr) : TBaseForm(owner) {}
};

// A window with its own controls and two hosts for embedded windows.
class TfrmHost : public TBaseForm {
    Q_OBJECT
public:
    TfrmHost() {
        setObjectName(QStringLiteral("frmHost"));
        auto* layout = new QVBoxLayout(this);
        edName = new TOrvEdit(this);
        edName->setObjectName(QStringLiteral("edName"));
        btnSave = new TOrvButton(this);
        btnSave->setObjectName(QStringLiteral("btnSave"));
        btnSave->SetCaption(QStringLiteral("&Opslaan"));
        tsKosten = new QWidget(this);
        tsKosten->setObjectName(QStringLiteral("tsKosten"));
        tsLoonsommen = new QWidget(this);
        tsLoonsommen->setObjectName(QStringLiteral("tsLoonsommen"));
        for (QWidget* w : {static_cast<QWidget*>(edName), static_cast<QWidget*>(btnSave), tsKosten, tsLoonsommen})
            layout->addWidget(w);
    }
    TOrvEdit* edName;
    TOrvButton* btnSave;
    QWidget* tsKosten;
    QWidget* tsLoonsommen;
};

namespace {
void ShowActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
}

QString VisibleHelpPage() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* viewer = qobject_cast<THelpViewer*>(w); viewer && viewer->isVisible()) return viewer->CurrentPage();
    return QString();
}
}

class tst_BaseForm : public TWidgetTest {
    Q_OBJECT
private Q_SLOTS:
    void showingWithoutInitializeFails_data();
    void showingWithoutInitializeFails();
    void childFormIsEmbeddedHiddenUntilInitialized();
    void createChildFormRefuses_data();
    void createChildFormRefuses();
    void escapeClosesTheWindow_data();
    void escapeClosesTheWindow();
    void closeBoxCancels();
    void altShowsAcceleratorsUntilAKeyIsReleased_data();
    void altShowsAcceleratorsUntilAKeyIsReleased();
    void f1ShowsTheTopicOfTheFocusedWindow_data();
    void f1ShowsTheTopicOfTheFocusedWindow();
    void fixControlsStylesOnlyTheWindowsOwnControls();
    void checkboxIsSetWithoutClickHandlers_data();
    void checkboxIsSetWithoutClickHandlers();
    void checkboxIsRequired();
};

void tst_BaseForm::showingWithoutInitializeFails_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("raisedToCaller");
    // The toolkit's own ways of showing run the check inside the toolkit, where no error may pass.
    QTest::newRow("show") << "show" << false;
    QTest::newRow("open") << "open" << false;
    QTest::newRow("maximised") << "maximised" << false;
    QTest::newRow("exec") << "exec" << true;
}

void tst_BaseForm::showingWithoutInitializeFails() {
    QFETCH(QString, how);
    QFETCH(bool, raisedToCaller);
    TScriptedPresenter messages;
    if (!raisedToCaller) messages.Expect();
    TfrmHost window;
    const QString error = CaughtError([&] {
        if (how == QLatin1String("exec"))
            window.exec();
        else if (how == QLatin1String("open"))
            window.open();
        else if (how == QLatin1String("maximised"))
            window.showMaximized();
        else
            window.show();
    });
    const QString expected = QStringLiteral("Het scherm is niet initialized.");
    QCOMPARE(error, raisedToCaller ? expected : QString());
    QCOMPARE(messages.Count(), raisedToCaller ? 0 : 1);
    if (!raisedToCaller) {
        QCOMPARE(messages.Last().Text, expected);
        QVERIFY(messages.Last().PlainErrorBox);
    }
    QVERIFY(!window.isVisible());
    if (how == QLatin1String("exec")) QVERIFY(!window.testAttribute(Qt::WA_ShowModal));

    window.Initialize();
    window.show();
    QVERIFY(window.isVisible());
}

void tst_BaseForm::childFormIsEmbeddedHiddenUntilInitialized() {
    TfrmHost window;
    TBaseForm* child = window.CreateChildForm(&TTestChild::staticMetaObject, window.tsKosten);
    QVERIFY(qobject_cast<TTestChild*>(child));
    QCOMPARE(child->parentWidget(), window.tsKosten);
    QVERIFY(!child->isWindow());
    QVERIFY(window.ChildFormExists(window.tsKosten));
    QVERIFY(!window.ChildFormExists(window.tsLoonsommen));

    window.Initialize();
    window.show();
    QVERIFY(!child->isVisible());
    child->Initialize();
    QVERIFY(child->isVisible());
    window.tsKosten->layout()->activate();
    QCOMPARE(child->geometry(), window.tsKosten->rect());
}

void tst_BaseForm::createChildFormRefuses_data() {
    QTest::addColumn<QString>("childClass");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no class") << QString() << "tsLoonsommen"
                              << "TfrmHost.CreateChildForm: No ChildFormClass specified";
    QTest::newRow("no host") << "TTestChild" << QString() << "TfrmHost.CreateChildForm: No ParentControl specified";
    QTest::newRow("not a child window") << "TNotAChild"
                                        << "tsLoonsommen"
                                        << "TfrmHost.CreateChildForm: No instance of TNotAChild allowed.";
    QTest::newRow("host taken")
        << "TTestChild"
        << "tsKosten"
        << "TfrmHost.CreateChildForm: WinControl \"tskosten\" already has a child form assigned.";
}

void tst_BaseForm::createChildFormRefuses() {
    QFETCH(QString, childClass);
    QFETCH(QString, host);
    QFETCH(QString, expected);
    TfrmHost window;
    window.CreateChildForm(&TTestChild::staticMetaObject, window.tsKosten);
    const QMetaObject* classes[] = {&TTestChild::staticMetaObject, &TNotAChild::staticMetaObject};
    const QMetaObject* metaObject = nullptr;
    for (const QMetaObject* candidate : classes)
        if (childClass == QLatin1String(candidate->className())) metaObject = candidate;
    QWidget* hostControl = host.isEmpty() ? nullptr : window.findChild<QWidget*>(host);

    QCOMPARE(CaughtError([&] { window.CreateChildForm(metaObject, hostControl); }), expected);
    QCOMPARE(window.findChildren<TBaseForm*>().size(), 1);
}

void tst_BaseForm::escapeClosesTheWindow_data() {
    QTest::addColumn<bool>("inChild");
    QTest::newRow("focus in the window") << false;
    QTest::newRow("focus in an embedded window") << true;
}

void tst_BaseForm::escapeClosesTheWindow() {
    QFETCH(bool, inChild);
    TfrmHost window;
    auto* child = static_cast<TTestChild*>(window.CreateChildForm(&TTestChild::staticMetaObject, window.tsKosten));
    child->Initialize();
    window.Initialize();
    QWidget* focus = inChild ? static_cast<QWidget*>(child->edChild) : window.edName;
    QTimer::singleShot(0, focus, [focus] {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_Escape);
    });
    QCOMPARE(window.exec(), int(mrCancelled));
    QVERIFY(child->isVisibleTo(&window));
}

void tst_BaseForm::closeBoxCancels() {
    TfrmHost window;
    window.Initialize();
    QTimer::singleShot(0, &window, [&window] { window.close(); });
    QCOMPARE(window.exec(), int(mrCancelled));
}

void tst_BaseForm::altShowsAcceleratorsUntilAKeyIsReleased_data() {
    QTest::addColumn<bool>("inChild");
    QTest::newRow("the window's button") << false;
    QTest::newRow("a button of an embedded window") << true;
}

void tst_BaseForm::altShowsAcceleratorsUntilAKeyIsReleased() {
    QFETCH(bool, inChild);
    TfrmHost window;
    auto* child = static_cast<TTestChild*>(window.CreateChildForm(&TTestChild::staticMetaObject, window.tsKosten));
    child->Initialize();
    window.Initialize();
    ShowActive(&window);
    TOrvButton* button = inChild ? child->btnChild : window.btnSave;
    TOrvEdit* edit = inChild ? window.edName : child->edChild;  // the key may be typed anywhere in the window
    edit->setFocus();

    QTest::keyPress(edit, Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(button->ShowAccelerators());
    QTest::keyRelease(edit, Qt::Key_Alt);
    QVERIFY(!button->ShowAccelerators());

    // A key held with Alt also counts; the release of any key hides the letters.
    QTest::keyPress(edit, Qt::Key_X, Qt::AltModifier);
    QVERIFY(button->ShowAccelerators());
    QTest::keyRelease(edit, Qt::Key_X);
    QVERIFY(!button->ShowAccelerators());

    // Another window's keys leave this window alone.
    TfrmHost other;
    other.Initialize();
    ShowActive(&other);
    QTest::keyPress(other.edName, Qt::Key_Alt, Qt::AltModifier);
    QVERIFY(!button->ShowAccelerators());
    QVERIFY(other.btnSave->ShowAccelerators());
    QTest::keyRelease(other.edName, Qt::Key_Alt);
}

void tst_BaseForm::f1ShowsTheTopicOfTheFocusedWindow_data() {
    QTest::addColumn<bool>("inChild");
    QTest::addColumn<int>("childTopic");
    QTest::addColumn<QString>("page");
    QTest::newRow("window's own control") << false << 0 << "/topic05.htm";
    QTest::newRow("embedded window without topic: the host control's") << true << 0 << "/topic18.htm";
    QTest::newRow("embedded window with a topic of its own") << true << 19 << "/topic19.htm";
}

void tst_BaseForm::f1ShowsTheTopicOfTheFocusedWindow() {
    QFETCH(bool, inChild);
    QFETCH(int, childTopic);
    QFETCH(QString, page);
    TScriptedPresenter messages;
    SetApplicationHelpFile(qEnvironmentVariable("ZEMLO_HELP_FILE"));
    TfrmHost window;
    window.SetHelpContext(5);
    window.tsKosten->setProperty("HelpContext", 18);
    auto* child = static_cast<TTestChild*>(window.CreateChildForm(&TTestChild::staticMetaObject, window.tsKosten));
    child->SetHelpContext(childTopic);
    child->Initialize();
    window.Initialize();
    ShowActive(&window);
    QWidget* focus = inChild ? static_cast<QWidget*>(child->edChild) : window.edName;
    focus->setFocus();

    QTest::keyClick(focus, Qt::Key_F1);
    QCOMPARE(VisibleHelpPage(), page);
}

void tst_BaseForm::fixControlsStylesOnlyTheWindowsOwnControls() {
    TfrmHost window;
    auto* grid = new TOrvDBSortGrid(&window);
    auto* memo = new TOrvMemo(&window);
    const QColor memoColour = memo->FocusedColor();
    window.btnSave->SetHoverFontColor(Qt::black);
    auto* child = static_cast<TTestChild*>(window.CreateChildForm(&TTestChild::staticMetaObject, window.tsKosten));
    const QColor childEditColour = child->edChild->FocusedColor();
    QVERIFY(childEditColour != QColor(Qt::white));

    window.FixControls();

    QCOMPARE(window.btnSave->HoverFontColor(), QColor(Qt::white));
    QCOMPARE(window.edName->FocusedColor(), QColor(Qt::white));
    QCOMPARE(grid->Grid()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(grid->Grid()->font().pointSize(), 10);
    QCOMPARE(grid->Grid()->verticalHeader()->defaultSectionSize(), 21);
    QCOMPARE(memo->FocusedColor(), memoColour);
    QCOMPARE(child->edChild->FocusedColor(), childEditColour);

    // The embedded window styles its own controls when it is shown.
    child->Initialize();
    window.Initialize();
    window.show();
    QCOMPARE(child->edChild->FocusedColor(), QColor(Qt::white));
}

void tst_BaseForm::checkboxIsSetWithoutClickHandlers_data() {
    QTest::addColumn<bool>("initial");
    QTest::addColumn<bool>("value");
    QTest::newRow("check") << false << true;
    QTest::newRow("uncheck") << true << false;
}

void tst_BaseForm::checkboxIsSetWithoutClickHandlers() {
    QFETCH(bool, initial);
    QFETCH(bool, value);
    TfrmHost window;
    auto* checkBox = new TOrvCheckBox(&window);
    checkBox->setChecked(initial);
    int handlerRuns = 0;
    connect(checkBox, &QCheckBox::toggled, &window, [&handlerRuns] { ++handlerRuns; });

    window.SetCheckboxCheckedWithoutOnClickEvent(checkBox, value);
    QCOMPARE(checkBox->isChecked(), value);
    QCOMPARE(handlerRuns, 0);

    // The handlers are back afterwards.
    checkBox->setChecked(initial);
    QCOMPARE(handlerRuns, 1);
}

void tst_BaseForm::checkboxIsRequired() {
    TfrmHost window;
    QCOMPARE(CaughtError([&] { window.SetCheckboxCheckedWithoutOnClickEvent(nullptr, true); }),
             QStringLiteral("TfrmHost.SetCheckboxCheckedWithoutOnClickEvent: No checkbox specified"));
}

QTEST_MAIN(tst_BaseForm)
#include "tst_BaseForm.moc"
