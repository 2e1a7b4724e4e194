// The message dialog as the program shows it: the six operations, Escape, heights, copy and print.

#include "controls/OrvComp.h"
#include "controls/Orvmbox.h"
#include "core/ZemloMBox.h"
#include "platform/Clock.h"
#include "testlib/widgets/WhenModal.h"
#include "testlib/widgets/WidgetTest.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QScrollBar>
#include <QtWidgets/QTextEdit>

#include <functional>

namespace {
QStringList VisibleCaptions(TOrvMessageForm* form) {
    QStringList captions;
    for (int i = 1; i <= 3; ++i) {
        auto* button = form->findChild<TOrvButton*>(QStringLiteral("Button%1").arg(i));
        if (!button->isHidden()) captions << button->Caption();
    }
    return captions;
}

TOrvButton* Button(TOrvMessageForm* form, int number) {
    return form->findChild<TOrvButton*>(QStringLiteral("Button%1").arg(number));
}

struct TSeen {
    QString Caption, Title, Message;
    QStringList Buttons;
    bool Details = false;
    QColor MessageColor;
};
}

class TestOrvmbox : public TWidgetTest {
    Q_OBJECT
    void InitTest() override {
        InstallMessageDialogPresenter();
        MessageTeksten.Application = QStringLiteral("Pavenda");
    }

private Q_SLOTS:

    void operations_data() {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<int>("click");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<bool>("details");
        QTest::addColumn<int>("result");
        const QString prefixed = QStringLiteral("TdmMain.OpenWerkgevers: Syntax error in INSERT INTO statement.");
        const QString stripped = QStringLiteral("Syntax error in INSERT INTO statement.");
        const QStringList ok{"Ok"};
        QTest::newRow("ShowWarning") << "ShowWarning" << 1 << "Melding" << prefixed << ok << false << int(mrOk);
        QTest::newRow("ShowError") << "ShowError" << 1 << "Initialisatie" << stripped << ok << true << int(mrOk);
        QTest::newRow("AskQuestion with cancel") << "AskQuestion3" << 3 << "Afsluiten" << prefixed
                                                 << QStringList{"Ja", "Nee", "Annuleren"} << false << int(mrCancel);
        QTest::newRow("AskQuestion without cancel")
            << "AskQuestion4" << 2 << "Afsluiten" << prefixed << QStringList{"Ja", "Nee"} << false << int(mrNo);
        QTest::newRow("ZemloInfo") << "ZemloInfo" << 1 << "Info" << prefixed << ok << false << int(mrOk);
        QTest::newRow("ZemloError") << "ZemloError" << 1 << "De volgende fout is opgetreden:" << stripped << ok << true
                                    << int(mrOk);
        QTest::newRow("ZemloQuestion") << "ZemloQuestion" << 1 << "" << prefixed << QStringList{"Ja", "Nee"} << false
                                       << int(mrYes);
    }
    void operations() {
        QFETCH(QString, operation);
        QFETCH(int, click);
        QFETCH(QString, title);
        QFETCH(QString, message);
        QFETCH(QStringList, buttons);
        QFETCH(bool, details);
        QFETCH(int, result);
        const QString text = QStringLiteral("TdmMain.OpenWerkgevers: Syntax error in INSERT INTO statement.");
        TSeen seen;
        const TWhenModal<TOrvMessageForm> whenShown([&seen, click](TOrvMessageForm* form) {
            seen = {form->HeaderTxt(),
                    form->TitleTxt(),
                    form->MessageTxt(),
                    VisibleCaptions(form),
                    form->findChild<QLabel*>(QStringLiteral("lblDetails"))->isVisibleTo(form),
                    form->findChild<QTextEdit*>(QStringLiteral("memoMessage"))->palette().color(QPalette::Text)};
            QTest::mouseClick(Button(form, click), Qt::LeftButton);
        });
        int answer = mrOk;
        if (operation == "ShowWarning")
            ShowWarning(text);
        else if (operation == "ShowError")
            ShowError(QStringLiteral("Initialisatie"), text);
        else if (operation == "AskQuestion3")
            answer = AskQuestion(QStringLiteral("Afsluiten"), text, true);
        else if (operation == "AskQuestion4")
            answer = AskQuestion(QStringLiteral("Afsluiten"), text, false);
        else if (operation == "ZemloInfo")
            ZemloInfo(text);
        else if (operation == "ZemloError")
            ZemloError(text);
        else
            answer = ZemloQuestion(text, false);
        const bool zemlo = operation.startsWith(QStringLiteral("Zemlo"));
        QCOMPARE(seen.Caption, zemlo ? QStringLiteral("Pavenda") : MessageTeksten.Application);
        QCOMPARE(seen.Title, title);
        QCOMPARE(seen.Message, message);
        QCOMPARE(seen.Buttons, buttons);
        QCOMPARE(seen.Details, details);
        QCOMPARE(seen.MessageColor,
                 operation.endsWith(QStringLiteral("Error")) ? QColor(255, 0, 0) : QColor(Qt::black));
        QCOMPARE(answer, result);
    }

    void escape_data() {
        QTest::addColumn<int>("buttonSet");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<bool>("escapeCancels");
        const int nl = int(TOrvMessagesLanguage::mlNL), uk = int(TOrvMessagesLanguage::mlUk);
        QTest::newRow("0 Ok") << 0 << nl << QStringList{"Ok"} << false;
        QTest::newRow("1 Ok Annuleren") << 1 << nl << QStringList{"Ok", "Annuleren"} << true;
        QTest::newRow("1 English") << 1 << uk << QStringList{"Ok", "Cancel"} << true;
        QTest::newRow("3 Ja Nee Annuleren") << 3 << nl << QStringList{"Ja", "Nee", "Annuleren"} << true;
        QTest::newRow("3 English") << 3 << uk << QStringList{"Yes", "No", "Cancel"} << true;
        QTest::newRow("4 Ja Nee") << 4 << nl << QStringList{"Ja", "Nee"} << false;
        QTest::newRow("high bits have no effect") << 0x34 << nl << QStringList{"Ja", "Nee"} << false;
    }
    void escape() {
        QFETCH(int, buttonSet);
        QFETCH(int, language);
        QFETCH(QStringList, buttons);
        QFETCH(bool, escapeCancels);
        QStringList seen;
        bool openAfterEscape = false;
        const TWhenModal<TOrvMessageForm> whenShown([&](TOrvMessageForm* form) {
            seen = VisibleCaptions(form);
            QTest::keyClick(form->focusWidget(), Qt::Key_Escape);
            openAfterEscape = form->isVisible();
            if (openAfterEscape) form->close();
        });
        const int result = ShowMessageForm(TOrvMessageType::mtQuestion, "Pavenda", "Vraag", "Doorgaan?", buttonSet,
                                           Qt::black, 1, TOrvMessagesLanguage(language));
        QCOMPARE(seen, buttons);
        QCOMPARE(openAfterEscape, !escapeCancels);
        // Escape where allowed and the close box both answer 2.
        QCOMPARE(result, int(mrCancel));
    }

    void keysAnswerWithTheFocusedButton_data() {
        QTest::addColumn<int>("activeButton");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("result");
        const int none = int(Qt::NoModifier), keypad = int(Qt::KeypadModifier);
        QTest::newRow("return on Nee") << 2 << int(Qt::Key_Return) << none << "Button2" << int(mrNo);
        QTest::newRow("enter on Nee") << 2 << int(Qt::Key_Enter) << none << "Button2" << int(mrNo);
        QTest::newRow("keypad enter on Nee") << 2 << int(Qt::Key_Enter) << keypad << "Button2" << int(mrNo);
        QTest::newRow("space on Nee") << 2 << int(Qt::Key_Space) << none << "Button2" << int(mrNo);
        QTest::newRow("keypad enter on Ja") << 1 << int(Qt::Key_Enter) << keypad << "Button1" << int(mrYes);
        QTest::newRow("keypad enter on Annuleren") << 3 << int(Qt::Key_Enter) << keypad << "Button3" << int(mrCancel);
        QTest::newRow("active button out of range: Ja") << 4 << int(Qt::Key_Enter) << keypad << "Button1" << int(mrYes);
    }
    void keysAnswerWithTheFocusedButton() {
        QFETCH(int, activeButton);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, focused);
        QFETCH(int, result);
        QString seenFocus;
        bool answered = false;
        const TWhenModal<TOrvMessageForm> whenShown([&](TOrvMessageForm* form) {
            seenFocus = form->focusWidget()->objectName();
            QTest::keyClick(form->focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
            answered = !form->isVisible();
            if (!answered) form->done(0);
        });
        const int answer = ShowMessageForm(TOrvMessageType::mtQuestion, "Pavenda", "", "Opslaan?", 3, Qt::black,
                                           activeButton, TOrvMessagesLanguage::mlNL);
        QCOMPARE(seenFocus, focused);
        QVERIFY(answered);
        QCOMPARE(answer, result);
    }

    void heights_data() {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("messageHeight");
        QTest::addColumn<bool>("scrollBar");
        QTest::addColumn<bool>("details");
        QTest::newRow("five lines") << 5 << 5 * 17 << false << true;
        QTest::newRow("twenty-five lines") << 25 << 25 * 17 << false << true;
        QTest::newRow("thirty lines scroll") << 30 << 25 * 17 << true << true;
    }
    void heights() {
        QFETCH(int, lines);
        QFETCH(int, messageHeight);
        QFETCH(bool, scrollBar);
        QStringList text{QStringLiteral("TdmMain.Open: regel")};
        for (int i = 2; i <= lines; ++i) text << QStringLiteral("regel %1").arg(i);
        TOrvMessageForm form;
        form.Prepare(TOrvMessageType::mtError, "Pavenda", "Fout", text.join(u'\n'), 0, Qt::red, 1,
                     TOrvMessagesLanguage::mlNL);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* memo = form.findChild<QTextEdit*>(QStringLiteral("memoMessage"));
        QCOMPARE(memo->height(), messageHeight);
        QCOMPARE(memo->verticalScrollBar()->isVisible(), scrollBar);
        const int closed = form.height();
        QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("lblDetails")), Qt::LeftButton);
        QCOMPARE(form.height(), closed + 150);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("lblDetails"))->text(), QStringLiteral("Details <<"));
        QCOMPARE(memo->height(), messageHeight);
        QTest::mouseClick(form.findChild<QLabel*>(QStringLiteral("lblDetails")), Qt::LeftButton);
        QCOMPARE(form.height(), closed);
        QCOMPARE(form.findChild<QLabel*>(QStringLiteral("lblDetails"))->text(), QStringLiteral("Details >>"));
    }

    void buttonPositions_data() {
        QTest::addColumn<int>("buttonSet");
        QTest::addColumn<QList<int>>("lefts");
        // The bar is 373 wide: centre 186.
        QTest::newRow("one centred") << 0 << QList<int>{186 - 55};
        QTest::newRow("two around the centre") << 4 << QList<int>{186 - 1 - 110, 187};
        QTest::newRow("three") << 3 << QList<int>{131 - 118, 131, 131 + 118};
    }
    void buttonPositions() {
        QFETCH(int, buttonSet);
        QFETCH(QList<int>, lefts);
        TOrvMessageForm form;
        form.Prepare(TOrvMessageType::mtQuestion, "Pavenda", "", "Vraag", buttonSet, Qt::black, 1,
                     TOrvMessagesLanguage::mlNL);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.findChild<QWidget*>(QStringLiteral("pnlButtons"))->width(), 373);
        for (int i = 0; i < lefts.size(); ++i) QCOMPARE(Button(&form, i + 1)->x(), lefts.at(i));
    }

    void copyPutsTheFullText() {
        TOrvMessageForm form;
        form.Prepare(TOrvMessageType::mtError, "Pavenda", "Fout", "Fout: ORA-00942: table or view does not exist", 0,
                     Qt::red, 1, TOrvMessagesLanguage::mlNL);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Fout: ORA-00942: table or view does not exist"));
    }

    void printWritesTheLines() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("melding.pdf"));
        SetMessagePrintFile(pdf);
        const QDateTime moment(QDate(2024, 3, 5), QTime(14, 7, 9));
        Clock::SetFixed(moment);
        const QString longLine = QString(80, u'a') + QString(20, u'b');
        TOrvMessageForm form;
        form.Prepare(TOrvMessageType::mtError, "Pavenda", "Opslaan mislukt", "TdmBeheer.Save: " + longLine + "\nEinde",
                     0, Qt::red, 1, TOrvMessagesLanguage::mlNL);
        form.Print();
        Clock::SetFixed(QDateTime());
        SetMessagePrintFile(QString());

        QProcess pdftotext;
        pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(pdftotext.waitForFinished());
        QStringList printed;
        for (const QString& line : QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\n'))
            if (!line.trimmed().isEmpty()) printed << line.trimmed();
        const QLocale locale = QLocale::system();
        const QString full = QStringLiteral("TdmBeheer.Save: ") + longLine;
        const QString pieceOne = full.left(80);
        const QString pieceTwo = full.mid(80);
        QCOMPARE(printed, (QStringList{"Pavenda " + locale.toString(moment.date(), QLocale::ShortFormat) + u' ' +
                                           locale.toString(moment.time(), QLocale::LongFormat),
                                       "Opslaan mislukt", pieceOne, pieceTwo, "Einde"}));
    }

    void plainErrorBoxForTheDefaultHandler() {
        QString title, text;
        const TWhenModal<QMessageBox> whenShown([&](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            box->accept();
        });
        ShowUnhandledError(QStringLiteral("TfrmMain.acOpen: Bestand ontbreekt"));
        QCOMPARE(title, QStringLiteral("Pavenda"));
        QCOMPARE(text, QStringLiteral("TfrmMain.acOpen: Bestand ontbreekt"));
    }
};

QTEST_MAIN(TestOrvmbox)
#include "tst_Orvmbox.moc"
