// The numeric edit driven by keys as a user types.

#include "controls/OrvNumed.h"
#include "support/OrvErrors.h"
#include "testlib/CaughtError.h"
#include "testlib/ScriptedPresenter.h"
#include "testlib/widgets/WidgetTest.h"

#include <QTest>
#include <QtGui/QClipboard>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>
#include <QtWidgets/QWidget>

namespace {
// "_" stands for a blank so the template positions are visible in the tables.
QString Blanks(QString text) { return text.replace(u'_', u' '); }

// Whether anything is drawn inside the edit's frame: a field showing nothing is one colour there.
bool DrawsInside(QWidget* edit) {
    const QImage image = edit->grab().toImage();
    const QRect inside = image.rect().adjusted(4, 4, -4, -4);
    const QRgb background = image.pixel(inside.topLeft());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (image.pixel(x, y) != background) return true;
    return false;
}
}

class TestOrvNumed : public TWidgetTest {
    Q_OBJECT
private:
    QWidget* FWindow = nullptr;
    TOrvNumericEdit* FEdit = nullptr;
    QLineEdit* FNext = nullptr;

    // Runs a key script: plain characters are typed, {NAME} are keys, {PASTE:text} pastes text,
    // {LEAVE} moves the focus away.
    void Play(const QString& script) {
        static const QHash<QString, QPair<int, Qt::KeyboardModifiers>> keys{
            {"BS", {Qt::Key_Backspace, Qt::NoModifier}},     {"DEL", {Qt::Key_Delete, Qt::NoModifier}},
            {"LEFT", {Qt::Key_Left, Qt::NoModifier}},        {"RIGHT", {Qt::Key_Right, Qt::NoModifier}},
            {"HOME", {Qt::Key_Home, Qt::NoModifier}},        {"END", {Qt::Key_End, Qt::NoModifier}},
            {"S-HOME", {Qt::Key_Home, Qt::ShiftModifier}},   {"S-END", {Qt::Key_End, Qt::ShiftModifier}},
            {"C-LEFT", {Qt::Key_Left, Qt::ControlModifier}}, {"C-RIGHT", {Qt::Key_Right, Qt::ControlModifier}},
            {"ENTER", {Qt::Key_Return, Qt::NoModifier}},
        };
        for (qsizetype i = 0; i < script.size(); ++i) {
            if (script.at(i) != u'{') {
                QTest::keyClick(FEdit, script.at(i).toLatin1());
                continue;
            }
            const qsizetype close = script.indexOf(u'}', i);
            const QString token = script.mid(i + 1, close - i - 1);
            i = close;
            if (token.startsWith(QStringLiteral("PASTE:"))) {
                QApplication::clipboard()->setText(token.mid(6));
                QTest::keySequence(FEdit, QKeySequence::Paste);
            } else if (token == QStringLiteral("LEAVE")) {
                FNext->setFocus();
            } else {
                QVERIFY2(keys.contains(token), qPrintable(token));
                QTest::keyClick(FEdit, Qt::Key(keys[token].first), keys[token].second);
            }
        }
    }

    void InitTest() override {
        FWindow = new QWidget;
        auto* layout = new QVBoxLayout(FWindow);
        FEdit = new TOrvNumericEdit(FWindow);
        FNext = new QLineEdit(FWindow);
        layout->addWidget(FEdit);
        layout->addWidget(FNext);
        FWindow->show();
        QApplication::setActiveWindow(FWindow);
        QVERIFY(QTest::qWaitForWindowActive(FWindow));
        FEdit->setFocus();
        QVERIFY(FEdit->hasFocus());
    }
    void CleanupTest() override { delete FWindow; }

private Q_SLOTS:

    void typing_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        const QString f = QStringLiteral("1.000,00");
        QTest::newRow("one digit") << f << "1"
                                   << "__________1,__" << 1.0;
        QTest::newRow("two digits fill from the right") << f << "12"
                                                        << "_________12,__" << 12.0;
        QTest::newRow("three digits") << f << "123"
                                      << "________123,__" << 123.0;
        QTest::newRow("group placed") << f << "1234"
                                      << "______1.234,__" << 1234.0;
        QTest::newRow("comma into the decimals") << f << "1234,5"
                                                 << "______1.234,5_" << 1234.5;
        QTest::newRow("point also into the decimals") << f << "7.25"
                                                      << "__________7,25" << 7.25;
        QTest::newRow("normalised on leaving") << f << "1234,5{LEAVE}"
                                               << "______1.234,50" << 1234.5;
        QTest::newRow("leading zeros dropped on leaving") << f << "0012{LEAVE}"
                                                          << "_________12,00" << 12.0;
        QTest::newRow("sign without digits becomes -0") << f << "-,5{LEAVE}"
                                                        << "_________-0,50" << -0.5;
        QTest::newRow("third decimal ignored") << f << "1,234"
                                               << "__________1,23" << 1.23;
        QTest::newRow("tenth digit refused") << f << "1234567890"
                                             << "123.456.789,__" << 123456789.0;
        QTest::newRow("minus toggles on") << f << "12-"
                                          << "________-12,__" << -12.0;
        QTest::newRow("minus toggles off") << f << "12--"
                                           << "_________12,__" << 12.0;
        QTest::newRow("plus removes the sign") << f << "12-+"
                                               << "_________12,__" << 12.0;
        QTest::newRow("minus on eight digits") << f << "12345678-"
                                               << "-12.345.678,__" << -12345678.0;
        QTest::newRow("minus refused at nine digits") << f << "123456789-"
                                                      << "123.456.789,__" << 123456789.0;
        QTest::newRow("minus in the decimals") << f << "5,2-"
                                               << "_________-5,2_" << -5.2;
        QTest::newRow("backspace last digit") << f << "1234{BS}"
                                              << "________123,__" << 123.0;
        QTest::newRow("backspace across a group") << f << "1234{LEFT}{LEFT}{LEFT}{BS}"
                                                  << "________234,__" << 234.0;
        QTest::newRow("backspace removes the sign") << f << "12-{HOME}{BS}"
                                                    << "_________12,__" << 12.0;
        QTest::newRow("backspace in the decimals") << f << "1,56{BS}"
                                                   << "__________1,5_" << 1.5;
        QTest::newRow("backspace at first decimal returns") << f << "1,5{BS}{BS}2"
                                                            << "_________12,__" << 12.0;
        QTest::newRow("delete before the separator") << f << "1234,56{HOME}{END}{DEL}"
                                                     << "______1.234,6_" << 1234.6;
        QTest::newRow("delete first digit") << f << "1234{HOME}{DEL}"
                                            << "________234,__" << 234.0;
        QTest::newRow("delete across a group") << f << "1234{HOME}{RIGHT}{DEL}"
                                               << "________134,__" << 134.0;
        QTest::newRow("insert in the middle") << f << "14{LEFT}{LEFT}{RIGHT}23"
                                              << "______1.234,__" << 1234.0;
        QTest::newRow("left stops at the first digit") << f << "12{LEFT}{LEFT}{LEFT}{LEFT}9"
                                                       << "________912,__" << 912.0;
        QTest::newRow("ctrl+left is home") << f << "12{C-LEFT}3"
                                           << "________312,__" << 312.0;
        QTest::newRow("second end goes over the decimals") << f << "12,3{END}{END}4"
                                                           << "_________12,34" << 12.34;
        QTest::newRow("right stops at a blank decimal") << f << "12,3{END}{RIGHT}{RIGHT}{RIGHT}{RIGHT}9"
                                                        << "_________12,39" << 12.39;
        QTest::newRow("shift+home selection replaced") << f << "1234{S-HOME}5"
                                                       << "__________5,__" << 5.0;
        QTest::newRow("shift+end selection of decimals") << f << "1,23{HOME}{END}{S-END}4"
                                                         << "_________14,__" << 14.0;
        QTest::newRow("typing replaces the auto-selection") << f << "12{LEAVE}{TAB}"
                                                            << "_________12,00" << 12.0;
        QTest::newRow("paste a formatted amount") << f << "{PASTE:1.234,56}"
                                                  << "______1.234,56" << 1234.56;
        QTest::newRow("paste of text ignored") << f << "12{PASTE:abc}"
                                               << "_________12,__" << 12.0;
        QTest::newRow("paste negative") << f << "{PASTE:-7,5}"
                                        << "_________-7,50" << -7.5;
        QTest::newRow("no groups, comma") << "1000,00"
                                          << "1234,5{LEAVE}"
                                          << "_____1234,50" << 1234.5;
        QTest::newRow("no groups, point") << "1000.00"
                                          << "1234.5{LEAVE}"
                                          << "_____1234.50" << 1234.5;
        QTest::newRow("comma groups") << "1,000.00"
                                      << "1234567.8{LEAVE}"
                                      << "__1,234,567.80" << 1234567.8;
        QTest::newRow("comma groups paste") << "1,000.00"
                                            << "{PASTE:1,234.5}"
                                            << "______1,234.50" << 1234.5;
    }
    void typing() {
        QFETCH(QString, format);
        QFETCH(QString, keys);
        QFETCH(QString, text);
        QFETCH(double, value);
        FEdit->SetNumericFormat(format);
        Play(keys.replace(QStringLiteral("{TAB}"), QString()));
        QCOMPARE(FEdit->text(), Blanks(text));
        QCOMPARE(FEdit->AsFloat(), value);
    }

    void shownValue_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("labelShown");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("empty without the focus shows nothing") << "{LEAVE}" << true << "" << false;
        QTest::newRow("emptied again shows nothing") << "12{BS}{BS}{LEAVE}" << true << "" << false;
        QTest::newRow("a lone minus is empty") << "-{LEAVE}" << true << "" << false;
        QTest::newRow("amount") << "1234,5{LEAVE}" << true << "1.234,50" << true;
        QTest::newRow("negative amount") << "12-{LEAVE}" << true << "-12,00" << true;
        QTest::newRow("focused empty field shows the template") << "" << false << "" << true;
        QTest::newRow("focused field shows what is typed") << "12" << false << "" << true;
    }
    void shownValue() {
        QFETCH(QString, keys);
        QFETCH(bool, labelShown);
        QFETCH(QString, shown);
        QFETCH(bool, drawn);
        FEdit->SetAlignment(Qt::AlignRight);
        Play(keys);
        QCOMPARE(DrawsInside(FEdit), drawn);
        const auto* label = FEdit->findChild<QLabel*>(QStringLiteral("lblDisplay"));
        QVERIFY(label);
        QCOMPARE(label->isVisible(), labelShown);
        QCOMPARE(label->isVisible() ? label->text() : QString(), shown);
    }

    void typingReplacesTheSelectedValue() {
        FEdit->SetAsFloat(88);
        FNext->setFocus();
        FEdit->setFocus();
        QVERIFY(FEdit->hasSelectedText());
        Play(QStringLiteral("5"));
        QCOMPARE(FEdit->text(), Blanks("__________5,__"));
    }

    void writing_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("largest") << 999999999.99 << "999.999.999,99" << QString();
        QTest::newRow("rounded") << 1.005001 << "__________1,01" << QString();
        QTest::newRow("negative largest") << -99999999.99 << "-99.999.999,99" << QString();
        QTest::newRow("tiny negative shown as zero") << -0.001 << "__________0,00" << QString();
        QTest::newRow("one billion") << 1e9 << ""
                                     << "Value is too large to be displayed";
        QTest::newRow("negative nine digits") << -999999999.0 << ""
                                              << "Value is too large to be displayed";
        QTest::newRow("infinite") << qInf() << ""
                                  << "Value is too large to be displayed";
        QTest::newRow("not a number") << qQNaN() << ""
                                      << "Invalid numeric value";
    }
    void writing() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QFETCH(QString, error);
        FEdit->SetAsFloat(42);
        const QString before = FEdit->text();
        QCOMPARE(CaughtError([&] { FEdit->SetAsFloat(value); }), error);
        QCOMPARE(FEdit->text(), error.isEmpty() ? Blanks(text) : before);
    }

    void integers() {
        FEdit->SetAsInteger(-12345678);
        QCOMPARE(FEdit->text(), Blanks("-12.345.678,00"));
        QCOMPARE(FEdit->AsInteger(), -12345678);
        QCOMPARE(CaughtError([&] { FEdit->SetAsInteger(1000000000); }),
                 QStringLiteral("AsInteger: value is too large to be displayed"));
        FEdit->setText(QStringLiteral("12x4,00"));
        QVERIFY_THROWS_EXCEPTION(ENumericError, FEdit->AsInteger());
        QVERIFY_THROWS_EXCEPTION(ENumericError, FEdit->AsFloat());
    }

    void settings_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<int>("argument");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("negative decimals") << "Decimals" << -1 << "______1.234,56"
                                           << "value must be greather than or equal to 0";
        QTest::newRow("too many decimals") << "Decimals" << 11 << "______1.234,56"
                                           << "too many decimals for the specified number of digits";
        QTest::newRow("no decimals rounds") << "Decimals" << 0 << "__________1.235" << QString();
        QTest::newRow("three decimals") << "Decimals" << 3 << "_____1.234,560" << QString();
        QTest::newRow("too few digits") << "Digits" << 3 << "______1.234,56"
                                        << "too many decimals for the specified number of digits";
        QTest::newRow("value no longer fits") << "Digits" << 6 << "______1.234,56"
                                              << "Value is too large to be displayed";
        QTest::newRow("more digits") << "Digits" << 15 << "__________1.234,56" << QString();
    }
    void settings() {
        QFETCH(QString, setting);
        QFETCH(int, argument);
        QFETCH(QString, text);
        QFETCH(QString, error);
        FEdit->SetAsFloat(1234.56);
        const int digits = FEdit->Digits(), decimals = FEdit->Decimals();
        QCOMPARE(CaughtError([&] {
                     setting == QStringLiteral("Digits") ? FEdit->SetDigits(argument) : FEdit->SetDecimals(argument);
                 }),
                 error);
        if (!error.isEmpty()) {
            QCOMPARE(FEdit->Digits(), digits);
            QCOMPARE(FEdit->Decimals(), decimals);
        }
        QCOMPARE(FEdit->text(), Blanks(text));
    }

    void formatChangeKeepsTheValue() {
        FEdit->SetAsFloat(1234.56);
        FEdit->SetNumericFormat(QStringLiteral("1,000.00"));
        QCOMPARE(FEdit->text(), Blanks("______1,234.56"));
        QVERIFY_THROWS_EXCEPTION(ENumericError, FEdit->SetNumericFormat(QStringLiteral("1 000,00")));
        QCOMPARE(FEdit->NumericFormat(), QStringLiteral("1,000.00"));
    }

    void withoutNegatives() {
        FEdit->SetAllowNegative(false);
        Play(QStringLiteral("12-{PASTE:-5}"));
        QCOMPARE(FEdit->AsFloat(), 12.0);
        QVERIFY_THROWS_EXCEPTION(ENumericError, FEdit->SetAsFloat(-1));
    }

    void readOnlyIgnoresEditing() {
        FEdit->SetAsFloat(5);
        FEdit->setReadOnly(true);
        Play(QStringLiteral("{END}7{BS}{DEL}{PASTE:9}"));
        QCOMPARE(FEdit->AsFloat(), 5.0);
    }

    void copyAndCut() {
        Play(QStringLiteral("1234,5"));
        QTest::keySequence(FEdit, QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("1.234,5"));
        QTest::keySequence(FEdit, QKeySequence::Cut);
        QVERIFY(FEdit->IsEmpty());
        Play(QStringLiteral("{PASTE:1.234,5}"));
        QCOMPARE(FEdit->AsFloat(), 1234.5);
    }

    void enterMovesToTheNextControl() {
        Play(QStringLiteral("3{ENTER}"));
        QVERIFY(FNext->hasFocus());
        QCOMPARE(FEdit->text(), Blanks("__________3,00"));
    }

    void pastingTooLargeReportsTheError() {
        TScriptedPresenter presenter;
        presenter.Expect();
        Play(QStringLiteral("12{PASTE:1000000000}"));
        QCOMPARE(presenter.Last().Text, QStringLiteral("Value is too large to be displayed"));
        QVERIFY(presenter.Last().PlainErrorBox);
        QCOMPARE(FEdit->AsFloat(), 12.0);
    }
};

QTEST_MAIN(TestOrvNumed)
#include "tst_OrvNumed.moc"
