// The basic controls: picture button input, Enter and focus colours of the edits, the character picker
// and the memo's spelling check.

#include "controls/OrvComp.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QDialog>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QVBoxLayout>

#include <functional>
#include <optional>

namespace {
// The keys that a focused button answers, by the name the tables use.
const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>>& FocusedButtonKeys() {
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys{
        {QStringLiteral("return"), {Qt::Key_Return, Qt::NoModifier}},
        {QStringLiteral("enter"), {Qt::Key_Enter, Qt::NoModifier}},
        {QStringLiteral("keypad enter"), {Qt::Key_Enter, Qt::KeypadModifier}},
        {QStringLiteral("space"), {Qt::Key_Space, Qt::NoModifier}},
        {QStringLiteral("ctrl+return"), {Qt::Key_Return, Qt::ControlModifier}},
    };
    return keys;
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
}

class TestOrvComp : public TWidgetTest {
    Q_OBJECT
private:
    QDialog* FWindow = nullptr;
    TOrvButton* FOk = nullptr;
    TOrvButton* FCancel = nullptr;
    TOrvEdit* FEdit = nullptr;
    int FOkClicks = 0;
    int FCancelClicks = 0;

    void InitTest() override {
        FWindow = new QDialog;
        auto* layout = new QVBoxLayout(FWindow);
        FEdit = new TOrvEdit(FWindow);
        FOk = new TOrvButton(FWindow);
        FOk->SetCaption(QStringLiteral("&Ok"));
        FCancel = new TOrvButton(FWindow);
        FCancel->SetCaption(QStringLiteral("&Annuleren"));
        FCancel->SetCancel(true);
        layout->addWidget(FEdit);
        layout->addWidget(FOk);
        layout->addWidget(FCancel);
        FOkClicks = FCancelClicks = 0;
        connect(FOk, &TOrvButton::clicked, this, [this] { ++FOkClicks; });
        connect(FCancel, &TOrvButton::clicked, this, [this] { ++FCancelClicks; });
        FWindow->show();
        QApplication::setActiveWindow(FWindow);
        QVERIFY(QTest::qWaitForWindowActive(FWindow));
        FEdit->setFocus();
    }
    void CleanupTest() override { delete FWindow; }

private Q_SLOTS:

    void buttonInput_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("okClicks");
        QTest::addColumn<int>("cancelClicks");
        QTest::newRow("mouse") << true << "mouse" << 1 << 0;
        QTest::newRow("disabled ignores the mouse") << false << "mouse" << 0 << 0;
        QTest::newRow("return on the focused button") << true << "return" << 1 << 0;
        QTest::newRow("enter on the focused button") << true << "enter" << 1 << 0;
        QTest::newRow("keypad enter on the focused button") << true << "keypad enter" << 1 << 0;
        QTest::newRow("space on the focused button") << true << "space" << 1 << 0;
        QTest::newRow("ctrl+return does not") << true << "ctrl+return" << 0 << 0;
        QTest::newRow("alt+accelerator") << true << "alt+o" << 1 << 0;
        QTest::newRow("escape clicks the cancel button") << true << "escape" << 0 << 1;
        QTest::newRow("shift+escape does not") << true << "shift+escape" << 0 << 0;
        QTest::newRow("escape on a disabled cancel button") << false << "escape" << 0 << 0;
    }
    void buttonInput() {
        QFETCH(bool, enabled);
        QFETCH(QString, input);
        QFETCH(int, okClicks);
        QFETCH(int, cancelClicks);
        FOk->setEnabled(enabled);
        FCancel->setEnabled(enabled);
        if (input == "mouse") {
            QTest::mouseClick(FOk, Qt::LeftButton);
        } else if (const auto key = FocusedButtonKeys().find(input); key != FocusedButtonKeys().end()) {
            FOk->setFocus();
            QTest::keyClick(FOk, key->first, key->second);
        } else if (input == "alt+o") {
            QTest::keyClick(FEdit, Qt::Key_O, Qt::AltModifier);
        } else {
            QTest::keyClick(FEdit, Qt::Key_Escape, input == "escape" ? Qt::NoModifier : Qt::ShiftModifier);
        }
        // Accelerators click with a short animation.
        QTRY_COMPARE(FOkClicks, okClicks);
        QTRY_COMPARE(FCancelClicks, cancelClicks);
        QTest::qWait(150);
        QCOMPARE(FOkClicks, okClicks);
    }

    void modalResultClosesTheWindow() {
        FCancel->SetModalResult(2);
        QTest::mouseClick(FCancel, Qt::LeftButton);
        QCOMPARE(FWindow->result(), 2);
        QVERIFY(!FWindow->isVisible());
        QCOMPARE(FCancelClicks, 1);
    }

    void acceleratorsShownOnRequest() {
        TOrvButton::ShowButtonAccelerators(FWindow, true);
        QVERIFY(FOk->ShowAccelerators() && FCancel->ShowAccelerators());
        FOk->setFocus();
        FEdit->setFocus();
        QVERIFY(!FOk->ShowAccelerators());
    }

    void greyPicture() {
        QImage image(1, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(200, 100, 50, 255));
        const QImage grey = GreyPicture(QPixmap::fromImage(image)).toImage();
        QCOMPARE(QColor(grey.pixel(0, 0)), QColor(125, 125, 125));
    }

    void enterMovesOnAndFocusColours() {
        auto* memo = new TOrvMemo(FWindow);
        auto* check = new TOrvCheckBox(FWindow);
        auto* combo = new TOrvCombobox(FWindow);
        auto* last = new QLineEdit(FWindow);
        for (QWidget* w : std::initializer_list<QWidget*>{memo, check, combo, last}) w->show();
        QWidget::setTabOrder(FEdit, memo);
        QWidget::setTabOrder(memo, check);
        QWidget::setTabOrder(check, combo);
        QWidget::setTabOrder(combo, last);
        FEdit->setFocus();
        QCOMPARE(FEdit->palette().color(QPalette::Base), QColor(255, 255, 223));
        QTest::keyClick(FEdit, Qt::Key_Return);
        QVERIFY(memo->hasFocus());
        QCOMPARE(FEdit->palette().color(QPalette::Base), QPalette().color(QPalette::Base));
        QTest::keyClick(memo, Qt::Key_Return);
        QVERIFY(check->hasFocus());
        QCOMPARE(check->palette().color(QPalette::Base), QColor(255, 255, 191));
        QTest::keyClick(check, Qt::Key_Return);
        QVERIFY(combo->hasFocus());
        QTest::keyClick(combo, Qt::Key_Return);
        QVERIFY(last->hasFocus());
        QVERIFY(memo->toPlainText().isEmpty());

        memo->SetTabOnEnter(false);
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("a"));
        QTest::keyClick(memo, Qt::Key_Return);
        QVERIFY(memo->hasFocus());
        QCOMPARE(memo->toPlainText(), QStringLiteral("a\n"));
    }

    void readOnlyComboKeepsItsValue() {
        auto* combo = new TOrvCombobox(FWindow);
        combo->addItems({QStringLiteral("Maand"), QStringLiteral("Vier weken")});
        combo->SetReadOnly(true);
        combo->show();
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QTest::keyClicks(combo, QStringLiteral("V"));
        combo->showPopup();
        QCOMPARE(combo->currentIndex(), 0);
        QVERIFY(!combo->view()->isVisible());
    }

    void characterPickerInsertsAtTheCaret() {
        FEdit->setText(QStringLiteral("Cafe"));
        FEdit->setCursorPosition(3);
        const TWhenModal<> whenModal([](QWidget* picker) {
            QCOMPARE(picker->windowTitle(), QStringLiteral("Character keuze"));
            picker->findChild<QAbstractButton*>(QStringLiteral("chr233"))->click();
        });
        QTest::keyClick(FEdit, Qt::Key_F11);
        QCOMPARE(FEdit->text(), QStringLiteral("Cafée"));
        FEdit->setReadOnly(true);
        QTest::keyClick(FEdit, Qt::Key_F11);  // a read-only edit opens no picker
        QCOMPARE(FEdit->text(), QStringLiteral("Cafée"));
    }

    void beforePasteRaised() {
        int raised = 0;
        connect(FEdit, &TOrvEdit::BeforePaste, this, [&] { ++raised; });
        QApplication::clipboard()->setText(QStringLiteral("plak"));
        QTest::keySequence(FEdit, QKeySequence::Paste);
        QCOMPARE(raised, 1);
        QCOMPARE(FEdit->text(), QStringLiteral("plak"));
    }

    void spelling_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("correct text") << "de kosten van de werkgever"
                                      << ""
                                      << "de kosten van de werkgever"
                                      << "De spelling van de tekst is correct.";
        QTest::newRow("misspelt word replaced") << "de kostne van de werkgever"
                                                << "kosten"
                                                << "de kosten van de werkgever"
                                                << "De spelling van de tekst is niet correct.";
    }
    void spelling() {
        QFETCH(QString, text);
        QFETCH(QString, replacement);
        QFETCH(QString, result);
        QFETCH(QString, message);
        QTemporaryDir dictionaries;
        WriteFile(dictionaries.filePath(QStringLiteral("nl.aff")), "SET UTF-8\nTRY esianrtolcdugmphbyfvkwz\n");
        WriteFile(dictionaries.filePath(QStringLiteral("nl.dic")), "4\nde\nkosten\nvan\nwerkgever\n");
        SetSpellDictionaryDirectory(dictionaries.path());
        auto* memo = new TOrvMemo(FWindow);
        memo->setPlainText(text);
        memo->setFocus();
        QString offered;
        QStringList suggestions;
        std::optional<TWhenModal<>> whenModal;
        if (!replacement.isEmpty())
            whenModal.emplace([&](QWidget* dialog) {
                offered = dialog->findChild<QLabel*>(QStringLiteral("lblWord"))->text();
                auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstSuggestions"));
                for (int i = 0; i < list->count(); ++i) suggestions << list->item(i)->text();
                dialog->findChild<QLineEdit*>(QStringLiteral("edReplacement"))->setText(replacement);
                dialog->findChild<QPushButton*>(QStringLiteral("btnReplace"))->click();
            });
        TScriptedPresenter presenter;
        presenter.Expect();
        QTest::keyClick(memo, Qt::Key_F2, Qt::ControlModifier);
        SetSpellDictionaryDirectory(QString());
        QCOMPARE(memo->toPlainText(), result);
        QCOMPARE(presenter.Last().Text, message);
        if (!replacement.isEmpty()) {
            QCOMPARE(offered, QStringLiteral("kostne"));
            QVERIFY(suggestions.contains(QStringLiteral("kosten")));
        }
        QCOMPARE(presenter.Count(), 1);
        QCOMPARE(memo->LastError(), QString());
    }

    // As the windows set the memo up: errors raised, with the installed Dutch dictionary.
    void spellingOnlyWithTheDutchDictionary_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("messageAfterSpelling");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QStringList>("messages");
        const QString correct = QStringLiteral("De werkgever vergoedt de reiskosten van zijn werknemers.");
        const QString misspelt = QStringLiteral("De werkgevr vergoedt de reiskosten van zijn werknemers.");
        QTest::newRow("correct, no message asked") << correct << false << "" << QStringList();
        QTest::newRow("correct, message asked")
            << correct << true << "" << QStringList{"De spelling van de tekst is correct."};
        QTest::newRow("misspelt, no message asked") << misspelt << false << "werkgevr" << QStringList();
        QTest::newRow("misspelt, message asked")
            << misspelt << true << "werkgevr" << QStringList{"De spelling van de tekst is niet correct."};
    }
    void spellingOnlyWithTheDutchDictionary() {
        QFETCH(QString, text);
        QFETCH(bool, messageAfterSpelling);
        QFETCH(QString, offered);
        QFETCH(QStringList, messages);
        SetSpellDictionaryDirectory(QString());
        QVERIFY2(QFile::exists(SpellDictionaryDirectory() + QStringLiteral("/nl.dic")),
                 "the Dutch dictionary (hunspell-nl) is not installed");
        auto* memo = new TOrvMemo(FWindow);
        memo->setPlainText(text);
        memo->SetRaiseException(true);
        memo->SetShowMessageAfterSpelling(messageAfterSpelling);
        memo->setFocus();
        QString seenWord;
        std::optional<TWhenModal<>> whenModal;
        if (!offered.isEmpty())
            whenModal.emplace([&](QWidget* dialog) {
                seenWord = dialog->findChild<QLabel*>(QStringLiteral("lblWord"))->text();
                dialog->findChild<QPushButton*>(QStringLiteral("btnIgnore"))->click();
            });
        TScriptedPresenter presenter;  // any message beyond the expected ones fails the test
        for (qsizetype i = 0; i < messages.size(); ++i) presenter.Expect();
        QTest::keyClick(memo, Qt::Key_F2, Qt::ControlModifier);
        QStringList shown;
        for (const TMessageRequest& request : presenter.Messages()) shown << request.Text;
        QCOMPARE(shown, messages);
        QCOMPARE(seenWord, offered);
        QCOMPARE(memo->LastError(), QString());
        QCOMPARE(memo->toPlainText(), text);
    }

    void spellingWithoutDictionary() {
        QTemporaryDir empty;
        SetSpellDictionaryDirectory(empty.path());
        auto* memo = new TOrvMemo(FWindow);
        memo->setPlainText(QStringLiteral("tekst"));
        memo->SetRaiseException(true);
        TScriptedPresenter presenter;
        presenter.Expect();
        QTest::keyClick(memo, Qt::Key_F2, Qt::ControlModifier);
        SetSpellDictionaryDirectory(QString());
        QCOMPARE(presenter.Count(), 1);
        QVERIFY(presenter.Last().PlainErrorBox);
        QCOMPARE(presenter.Last().Text, QStringLiteral("TSpelCheckMemo.CheckSpelling: Word is niet aanwezig"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("tekst"));
    }
};

QTEST_MAIN(TestOrvComp)
#include "tst_OrvComp.moc"
