// The bound controls on a form with an output set on a test table: empty and changed per kind, texts cut
// to their column, the required look taken from NOT NULL, the message path of a missing value, Escape,
// copying from a disabled control, the key/description lists and the lookup list.

#include "binding/ADOOutSet.h"
#include "binding/OrvADOConnection.h"
#include "binding/OrvQuery.h"
#include "controls/OrvComp.h"
#include "controls/OrvNumed.h"
#include "controls/OrvSpell.h"
#include "dbcontrols/DbcompCombos.h"
#include "dbcontrols/DbcompEdits.h"
#include "dbcontrols/OrvDataGroup.h"
#include "forms/Dbcomp_hook.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/TestDatabase.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTemporaryDir>
#include <QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QMenu>
#include <QtWidgets/QVBoxLayout>

#include <memory>

namespace {
const char* const kProefTable =
    "CREATE TABLE Proef (ProefId INTEGER PRIMARY KEY AUTOINCREMENT, Naam VARCHAR(10) NOT NULL, "
    "Opmerking VARCHAR(10), Soort VARCHAR(10), Bedrag DOUBLE, Actief BOOLEAN NOT NULL, Tijdvak INTEGER, "
    "ConcernId INTEGER)";
}

class tst_BoundControls : public TWidgetTest {
    Q_OBJECT
private:
    std::unique_ptr<TTestDatabase> FDatabase;
    std::unique_ptr<TOrvADOConnection> FConnection;
    std::unique_ptr<QDialog> FForm;

    // A control of the form, writing column of the output set osProef.
    template <class Control> Control* Add(const char* name, const char* column) {
        auto* control = new Control(FForm.get());
        control->setObjectName(QLatin1String(name));
        control->SetSQLInputField(QLatin1String(column));
        control->SetSQLOutputSet(QStringLiteral("osProef"));
        control->SetSQLOutputField(QLatin1String(column));
        FForm->layout()->addWidget(control);
        return control;
    }
    TDBValue Text(const QString& text) {
        TDBValue value;
        value.SetAsString(text);
        return value;
    }
    void InitTest() override;
    void CleanupTest() override;

private Q_SLOTS:
    void emptyAndChanged_data();
    void emptyAndChanged();
    void textIsCutToItsColumn_data();
    void textIsCutToItsColumn();
    void requiredLookFollowsTheSchema_data();
    void requiredLookFollowsTheSchema();
    void missingValueReportsThroughOnePath_data();
    void missingValueReportsThroughOnePath();
    void boundMemoChecksItsSpelling();
    void escapeClosesTheWindow_data();
    void escapeClosesTheWindow();
    void disabledTextIsCopied_data();
    void disabledTextIsCopied();
    void addNewItemKeepsKeysAndDescriptionsUnique_data();
    void addNewItemKeepsKeysAndDescriptionsUnique();
    void lookupListIsFilledFromItsDataset();
    void programLookAppliesToEveryDropDown_data();
    void programLookAppliesToEveryDropDown();
    void leavingAChangedControlIsReported_data();
    void leavingAChangedControlIsReported();
};

void tst_BoundControls::InitTest() {
    FDatabase = std::make_unique<TTestDatabase>();
    FConnection = std::make_unique<TOrvADOConnection>();
    FDatabase->Open(*FConnection);
    Exec(*FConnection, QLatin1String(kProefTable));
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Zuid'), ('Noord')"));
    FForm = std::make_unique<QDialog>();
    new QVBoxLayout(FForm.get());
    auto* outputSet = new TOrvADOSQLOutputSet(FForm.get());
    outputSet->setObjectName(QStringLiteral("osProef"));
    outputSet->SetDataReference(QStringLiteral("Proef"));
    outputSet->SetConnection(FConnection.get());
}

void tst_BoundControls::CleanupTest() {
    FForm.reset();
    FConnection.reset();
    FDatabase.reset();
}

void tst_BoundControls::emptyAndChanged_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("loaded");  // null: a NULL value
    QTest::addColumn<QString>("action");   // "", "clear", "type:<text>", "click", "pick:<description>"
    QTest::addColumn<bool>("isNull");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<QString>("text");
    QTest::newRow("edit, NULL left alone") << "edit" << QVariant() << "" << true << false << "";
    QTest::newRow("edit, loaded text") << "edit" << QVariant("Bakker") << "" << false << false << "Bakker";
    QTest::newRow("edit, loaded text emptied") << "edit" << QVariant("Bakker") << "clear" << true << true << "";
    QTest::newRow("edit, NULL typed into") << "edit" << QVariant() << "type:x" << false << true << "x";
    QTest::newRow("memo, CR LF kept") << "memo" << QVariant("a\r\nb") << "" << false << false << "a\r\nb";
    QTest::newRow("memo, lone LF loaded as CR LF") << "memo" << QVariant("a\nb") << "" << false << false << "a\r\nb";
    QTest::newRow("amount 0,00 is a value") << "numeric" << QVariant(0.0) << "" << false << false << "0,00";
    QTest::newRow("amount NULL shows the template") << "numeric" << QVariant() << "" << true << false << ",";
    QTest::newRow("amount typed into NULL") << "numeric" << QVariant() << "type:12" << false << true << "12,";
    QTest::newRow("amount emptied") << "numeric" << QVariant(1234.5) << "clear" << true << true << ",";
    QTest::newRow("check box NULL is unchecked, unchanged") << "check" << QVariant() << "" << false << false << "FALSE";
    QTest::newRow("check box clicked") << "check" << QVariant() << "click" << false << true << "TRUE";
    QTest::newRow("check box loaded true") << "check" << QVariant(true) << "" << false << false << "TRUE";
    QTest::newRow("plain drop-down text") << "combo" << QVariant("Groot") << "" << false << false << "Groot";
    QTest::newRow("key list shows the key's description")
        << "comboex" << QVariant(2) << "" << false << false << "4-weken";
    QTest::newRow("key list, unknown key") << "comboex" << QVariant(9) << "" << true << true << "";
    QTest::newRow("key list, other description chosen")
        << "comboex" << QVariant(2) << "pick:Maand" << false << true << "Maand";
    QTest::newRow("lookup, blank line chosen") << "lookup" << QVariant(1) << "pick:" << true << true << "";
    QTest::newRow("lookup, NULL") << "lookup" << QVariant() << "" << true << false << "";
}

void tst_BoundControls::emptyAndChanged() {
    QFETCH(QString, kind);
    QFETCH(QVariant, loaded);
    QFETCH(QString, action);
    QFETCH(bool, isNull);
    QFETCH(bool, changed);
    QFETCH(QString, text);
    TOrvDBComponent* control = nullptr;
    QWidget* input = nullptr;
    TDBValue value;
    if (kind == QLatin1String("edit")) {
        control = Add<TOrvDBEdit>("edNaam", "Naam");
        input = static_cast<TOrvDBEdit*>(control)->Edit();
    } else if (kind == QLatin1String("memo")) {
        control = Add<TOrvDBMemo>("mmOpmerking", "Opmerking");
    } else if (kind == QLatin1String("numeric")) {
        control = Add<TOrvDBNumericEdit>("edBedrag", "Bedrag");
        input = static_cast<TOrvDBNumericEdit*>(control)->NumericEdit();
    } else if (kind == QLatin1String("check")) {
        control = Add<TOrvDBCheckbox>("chkActief", "Actief");
        input = static_cast<TOrvDBCheckbox*>(control)->CheckBox();
    } else if (kind == QLatin1String("combo")) {
        control = Add<TOrvDBCombobox>("cmbSoort", "Soort");
    } else if (kind == QLatin1String("comboex")) {
        auto* combo = Add<TOrvDBComboboxEx>("cmbTijdvak", "Tijdvak");
        combo->AssignItems({QStringLiteral("1=Maand"), QStringLiteral("2=4-weken")});
        control = combo;
    } else {
        auto* lookup = Add<TOrvDBLookupCombo>("cmbConcern", "ConcernId");
        lookup->AssignItems({QStringLiteral("NOVALUE="), QStringLiteral("1=Zuid"), QStringLiteral("2=Noord")});
        control = lookup;
    }
    if (!loaded.isNull()) control->ReadField(loaded, value);
    control->ForceDBValue(value);

    if (action == QLatin1String("clear")) {
        control->Clear();
    } else if (action.startsWith(QLatin1String("type:"))) {
        input->setFocus();
        QTest::keyClicks(input, action.mid(5));
    } else if (action == QLatin1String("click")) {
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(8, 8));
    } else if (action.startsWith(QLatin1String("pick:"))) {
        auto* combo = static_cast<TOrvDBCustomComboboxEx*>(control);
        combo->ComboBox()->setCurrentIndex(combo->ComboBox()->findText(action.mid(5)));
    }
    QCOMPARE(control->IsNull(), isNull);
    QCOMPARE(control->DataChanged(), changed);
    QCOMPARE(control->AsText(), text);
}

void tst_BoundControls::textIsCutToItsColumn_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("edit") << "edit";
    QTest::newRow("memo") << "memo";
    QTest::newRow("plain drop-down") << "combo";
}

void tst_BoundControls::textIsCutToItsColumn() {
    QFETCH(QString, kind);
    TOrvDBComponent* control = nullptr;
    QWidget* input = nullptr;
    if (kind == QLatin1String("edit")) {
        control = Add<TOrvDBEdit>("edNaam", "Naam");
        input = static_cast<TOrvDBEdit*>(control)->Edit();
    } else if (kind == QLatin1String("memo")) {
        control = Add<TOrvDBMemo>("mmOpmerking", "Opmerking");
        input = static_cast<TOrvDBMemo*>(control)->Memo();
    } else {
        control = Add<TOrvDBCombobox>("cmbSoort", "Soort");
        input = static_cast<TOrvDBCombobox*>(control)->ComboBox();
    }
    control->Initialize();
    QCOMPARE(control->MaxLength(), 10);  // VARCHAR(10)

    control->ForceDBValue(Text(QStringLiteral("Vijftien tekens")));
    QCOMPARE(control->AsText(), QStringLiteral("Vijftien t"));
    QVERIFY(control->DataChanged());  // the cut text is what a save writes

    control->Clear();
    input->setFocus();
    QTest::keyClicks(input, QStringLiteral("0123456789abc"));
    QCOMPARE(control->AsText(), QStringLiteral("0123456789"));

    control->Clear();
    QGuiApplication::clipboard()->setText(QString(10000, u'x'));
    QTest::keySequence(input, QKeySequence::Paste);
    QCOMPARE(control->AsText(), QString(10, u'x'));
}

void tst_BoundControls::requiredLookFollowsTheSchema_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("autoFetch");
    QTest::addColumn<bool>("required");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("NOT NULL column") << "Naam" << true << true << 10;
    QTest::newRow("nullable column") << "Soort" << true << false << 10;
    QTest::newRow("without AutoFetch the control's own settings") << "Naam" << false << false << 0;
}

void tst_BoundControls::requiredLookFollowsTheSchema() {
    QFETCH(QString, column);
    QFETCH(bool, autoFetch);
    QFETCH(bool, required);
    QFETCH(int, maxLength);
    auto* edit = Add<TOrvDBEdit>("edProef", "Soort");
    edit->SetAutoFetch(autoFetch);
    edit->SetRequiredColor(Qt::darkRed);
    edit->SetSQLOutputField(column);
    FForm->show();  // the first size change initialises the control
    QVERIFY(edit->AlreadyInitialized());
    QCOMPARE(edit->LabelCaption(), QStringLiteral("Soort"));  // taken from the first field name
    QCOMPARE(edit->Required(), required);
    QCOMPARE(edit->MaxLength(), maxLength);
    auto* label = Child<TOrvLabel>(edit, "ComponentLabel");
    QCOMPARE(label->font().bold(), required);
    QCOMPARE(label->palette().color(QPalette::WindowText),
             required ? QColor(Qt::darkRed) : QApplication::palette().color(QPalette::WindowText));
}

void tst_BoundControls::missingValueReportsThroughOnePath_data() {
    QTest::addColumn<QString>("handler");
    QTest::newRow("the group's handler") << "group";
    QTest::newRow("the control's handler") << "control";
    QTest::newRow("no handler: a message box") << "none";
}

void tst_BoundControls::missingValueReportsThroughOnePath() {
    QFETCH(QString, handler);
    TScriptedPresenter messages;
    auto* group = new TOrvDataGroup(FForm.get());
    auto* edit = Add<TOrvDBEdit>("edNaam", "Naam");
    Add<TOrvDBEdit>("edSoort", "Soort")->SetDataGroup(group);
    edit->SetLabelCaption(QStringLiteral("Naam:"));
    edit->SetDataGroup(group);
    QStringList reported;
    if (handler == QLatin1String("group"))
        group->OnInternalValidateMessage = [&](TOrvDBComponent* c, int code) {
            reported << c->objectName() + QString::number(code);
        };
    else if (handler == QLatin1String("control"))
        edit->OnInternalValidateMessage = [&](TOrvDBComponent* c, int code) {
            reported << c->objectName() + QString::number(code);
        };
    else
        messages.Expect();
    FForm->show();
    QApplication::setActiveWindow(FForm.get());
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));

    QVERIFY(!group->ValidateControls());
    QVERIFY(edit->Edit()->hasFocus());
    if (handler == QLatin1String("none")) {
        QCOMPARE(messages.Count(), 1);
        QCOMPARE(messages.Last().Title, QStringLiteral("edNaam"));
        QCOMPARE(messages.Last().Text, QStringLiteral("Naam: is required"));
        QCOMPARE(messages.Last().Kind, TOrvMessageType::mtError);
    } else {
        QCOMPARE(reported, QStringList{QStringLiteral("edNaam1")});
    }
    QTest::keyClicks(edit->Edit(), QStringLiteral("Bakker"));
    QVERIFY(group->ValidateControls());
}

void tst_BoundControls::boundMemoChecksItsSpelling() {
    const QTemporaryDir noDictionary;
    SetSpellDictionaryDirectory(noDictionary.path());
    TScriptedPresenter messages;
    messages.Expect();
    auto* memo = Add<TOrvDBMemo>("mmOpmerking", "Opmerking");
    memo->Memo()->SetRaiseException(true);
    memo->ForceDBValue(Text(QStringLiteral("tekst")));
    QTest::keyClick(memo->Memo(), Qt::Key_F2, Qt::ControlModifier);
    SetSpellDictionaryDirectory(QString());
    QCOMPARE(messages.Count(), 1);
    QCOMPARE(messages.Last().Text, QStringLiteral("TSpelCheckMemo.CheckSpelling: Word is niet aanwezig"));
    QVERIFY(!memo->DataChanged());
}

void tst_BoundControls::escapeClosesTheWindow_data() {
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("closed");
    QTest::newRow("Escape") << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+Escape") << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Escape") << int(Qt::ControlModifier) << false;
}

void tst_BoundControls::escapeClosesTheWindow() {
    QFETCH(int, modifiers);
    QFETCH(bool, closed);
    auto* edit = Add<TOrvDBNumericEdit>("edBedrag", "Bedrag");
    int escapesSeen = 0;
    connect(edit, &TOrvDBComponent::KeyDown, this,
            [&](QKeyEvent* key) { escapesSeen += key->key() == Qt::Key_Escape; });
    FForm->show();
    QTest::keyClick(edit->NumericEdit(), Qt::Key_Escape, Qt::KeyboardModifiers(modifiers));
    QCOMPARE(escapesSeen, 1);  // a modifier held down is a key press of its own
    QCOMPARE(FForm->isVisible(), !closed);
}

void tst_BoundControls::disabledTextIsCopied_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QVariant>("loaded");
    QTest::addColumn<bool>("menu");
    QTest::addColumn<QString>("copied");
    QTest::newRow("edit") << "edit" << QVariant("Bakker") << true << "Bakker";
    QTest::newRow("amount, without the template's blanks") << "numeric" << QVariant(1234.5) << true << "1.234,50";
    QTest::newRow("empty edit offers nothing") << "edit" << QVariant() << false << "";
    QTest::newRow("check box takes no part") << "check" << QVariant(true) << false << "";
    QTest::newRow("key list takes no part") << "comboex" << QVariant(1) << false << "";
}

void tst_BoundControls::disabledTextIsCopied() {
    QFETCH(QString, kind);
    QFETCH(QVariant, loaded);
    QFETCH(bool, menu);
    QFETCH(QString, copied);
    const TRightMouseClickOnDisabledControlHandler handler;
    QGuiApplication::clipboard()->setText(QString());
    TOrvDBComponent* control = nullptr;
    if (kind == QLatin1String("edit"))
        control = Add<TOrvDBEdit>("edNaam", "Naam");
    else if (kind == QLatin1String("numeric"))
        control = Add<TOrvDBNumericEdit>("edBedrag", "Bedrag");
    else if (kind == QLatin1String("check"))
        control = Add<TOrvDBCheckbox>("chkActief", "Actief");
    else
        control = Add<TOrvDBComboboxEx>("cmbTijdvak", "Tijdvak");
    if (auto* combo = qobject_cast<TOrvDBComboboxEx*>(control)) combo->AssignItems({QStringLiteral("1=Maand")});
    TDBValue value;
    if (!loaded.isNull()) control->ReadField(loaded, value);
    control->ForceDBValue(value);
    control->SetEnabled(false);
    FForm->resize(300, 100);
    FForm->show();
    QVERIFY(QTest::qWaitForWindowExposed(FForm.get()));

    // On the label as well as on the inner control.
    QWidget* inner = control->findChildren<QWidget*>().last();
    QTest::mousePress(inner, Qt::RightButton, {}, QPoint(5, 5));
    QTest::mouseRelease(inner, Qt::RightButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    QCOMPARE(handler.pmDisabled->isVisible(), menu);
    if (!menu) return;
    handler.pmDisabled->actions().first()->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), copied);
}

void tst_BoundControls::addNewItemKeepsKeysAndDescriptionsUnique_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("added");
    QTest::newRow("new pair, trimmed") << " 3 "
                                       << " Kwartaal " << true;
    QTest::newRow("key taken") << "2"
                               << "Kwartaal" << false;
    QTest::newRow("description taken") << "3"
                                       << "Maand" << false;
    QTest::newRow("description taken after trimming") << "3"
                                                      << " 4-weken " << false;
}

void tst_BoundControls::addNewItemKeepsKeysAndDescriptionsUnique() {
    QFETCH(QString, key);
    QFETCH(QString, description);
    QFETCH(bool, added);
    TScriptedPresenter messages;
    if (!added) messages.Expect();
    auto* combo = Add<TOrvDBComboboxEx>("cmbTijdvak", "Tijdvak");
    combo->AssignItems({QStringLiteral("1=Maand"), QStringLiteral("2=4-weken")});
    combo->SetValue(QStringLiteral("2"));
    combo->AddNewItem(key, description);
    QCOMPARE(combo->KeyList().size(), added ? 3 : 2);
    QCOMPARE(combo->ComboBox()->count(), added ? 3 : 2);
    QCOMPARE(combo->Value(), QStringLiteral("2"));
    if (added) {
        QCOMPARE(combo->KeyList().last(), QStringLiteral("3=Kwartaal"));
    } else {
        QCOMPARE(messages.Last().Title, QStringLiteral("Error"));
        QCOMPARE(messages.Last().Text, QStringLiteral("cmbTijdvak: Key and Description are not unique"));
    }
}

void tst_BoundControls::lookupListIsFilledFromItsDataset() {
    TOrvQuery concerns(nullptr, FConnection.get());
    concerns.SetSQL(QStringLiteral("SELECT ConcernId, Naam FROM Concerns ORDER BY Naam"));
    TDataSource source(nullptr, &concerns);
    auto* lookup = Add<TOrvDBLookupCombo>("cmbConcern", "ConcernId");
    lookup->SetLookupSource(&source);
    lookup->SetLookupKeyField(QStringLiteral("ConcernId"));
    lookup->SetLookupDisplayField(QStringLiteral("Naam"));
    lookup->SetAddBlank(true);
    lookup->Initialize();
    QCOMPARE(lookup->KeyList(),
             (QStringList{QStringLiteral("NOVALUE="), QStringLiteral("2=Noord"), QStringLiteral("1=Zuid")}));
    QVERIFY(!concerns.Active());  // opened for the fill and closed again

    lookup->ForceDBValue(Text(QStringLiteral("1")));
    concerns.Open();
    Exec(*FConnection, QStringLiteral("INSERT INTO Concerns (Naam) VALUES ('Midden')"));
    concerns.Open();
    lookup->Refresh();
    QCOMPARE(lookup->ComboBox()->count(), 4);
    QCOMPARE(lookup->AsText(), QStringLiteral("Zuid"));  // the chosen key stays chosen
    QVERIFY(concerns.Active());
    QVERIFY(concerns.Eof());  // an open dataset is left after its last row

    lookup->SetLookupDisplayField(QStringLiteral("Omschrijving"));
    QCOMPARE(CaughtError([&] { lookup->Refresh(); }),
             QStringLiteral("TOrvDBLookupCombo.Refresh: TOrvDBLookupCombo.FillCombo: Field 'Omschrijving' not found"));
}

void tst_BoundControls::programLookAppliesToEveryDropDown_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("programLook");
    for (const char* kind : {"combo", "comboex", "lookup"}) {
        QTest::addRow("%s, library look", kind) << kind << false;
        QTest::addRow("%s, program look", kind) << kind << true;
    }
}

void tst_BoundControls::programLookAppliesToEveryDropDown() {
    QFETCH(QString, kind);
    QFETCH(bool, programLook);
    QPalette yellow = FForm->palette();
    yellow.setColor(QPalette::Base, Qt::yellow);
    FForm->setPalette(yellow);
    const TOrvDBComboboxLook libraryLook = OrvDBComboboxLook;
    if (programLook) UseProgramComboboxLook();
    TOrvDBComponent* control = nullptr;
    if (kind == QLatin1String("combo"))
        control = Add<TOrvDBCombobox>("cmbSoort", "Soort");
    else if (kind == QLatin1String("comboex"))
        control = Add<TOrvDBComboboxEx>("cmbTijdvak", "Tijdvak");
    else
        control = Add<TOrvDBLookupCombo>("cmbConcern", "ConcernId");
    OrvDBComboboxLook = libraryLook;
    auto* combo = Child<TOrvCombobox>(control, "ComponentCombobox");
    combo->addItems({QStringLiteral("Maand"), QStringLiteral("4-weken")});
    QFont large = combo->font();
    large.setPixelSize(40);
    combo->setItemData(1, large, Qt::FontRole);
    QCOMPARE(combo->palette().color(QPalette::Base), programLook ? QColor(Qt::white) : QColor(Qt::yellow));
    // Owner-drawn items all have the same height, whatever their own font.
    QCOMPARE(combo->view()->sizeHintForRow(1) == combo->view()->sizeHintForRow(0), programLook);
}

void tst_BoundControls::leavingAChangedControlIsReported_data() {
    QTest::addColumn<bool>("validateOnExit");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("changes");
    QTest::addColumn<int>("messages");
    QTest::newRow("changed") << false << "Bakker" << 1 << 0;
    QTest::newRow("unchanged") << false << "" << 0 << 0;
    QTest::newRow("validated on leaving, empty required") << true << "" << 0 << 1;
    QTest::newRow("validated on leaving, given") << true << "Bakker" << 1 << 0;
}

void tst_BoundControls::leavingAChangedControlIsReported() {
    QFETCH(bool, validateOnExit);
    QFETCH(QString, typed);
    QFETCH(int, changes);
    QFETCH(int, messages);
    TScriptedPresenter presenter;
    for (int i = 0; i < messages; ++i) presenter.Expect();
    auto* edit = Add<TOrvDBEdit>("edNaam", "Naam");
    auto* next = Add<TOrvDBEdit>("edSoort", "Soort");
    edit->SetValidateOnExit(validateOnExit);
    int reported = 0;
    connect(edit, &TOrvDBComponent::DataChange, this, [&] { ++reported; });
    FForm->show();
    QApplication::setActiveWindow(FForm.get());
    QVERIFY(QTest::qWaitForWindowActive(FForm.get()));
    edit->SetFocus();
    QTest::keyClicks(edit->Edit(), typed);
    next->SetFocus();
    QCOMPARE(reported, changes);
    QCOMPARE(presenter.Count(), messages);
}

QTEST_MAIN(tst_BoundControls)
#include "tst_BoundControls.moc"
