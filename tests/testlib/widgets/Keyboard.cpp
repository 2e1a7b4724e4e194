#include "testlib/widgets/Keyboard.h"

#include "controls/OrvComp.h"
#include "dbcontrols/Dbcomp.h"

#include <QSignalSpy>
#include <QTest>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QApplication>

#include <algorithm>

bool TypeText(const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    if (focus) QTest::keyClicks(focus, text);
    return focus;
}

bool PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    if (focus) QTest::keyClick(focus, key, modifiers);
    return focus;
}

void PressAlt(QWidget* window, Qt::Key letter) {
    QTest::keyClick(window, letter, Qt::AltModifier);
    const QList<QAbstractButton*> buttons = window->findChildren<QAbstractButton*>();
    if (!QTest::qWaitFor([&] {
            return std::none_of(buttons.begin(), buttons.end(), [](QAbstractButton* b) { return b->isDown(); });
        }))
        QTest::qFail("A button stayed pressed after Alt+letter", __FILE__, __LINE__);
    if (!QTest::qWaitFor([&] { return !window->isVisible() || QApplication::activeWindow() == window; }))
        QTest::qFail("The activation did not come back to the window", __FILE__, __LINE__);
}

bool Activated(QWidget* window) {
    QApplication::setActiveWindow(window);
    return QTest::qWaitFor(
        [&] { return QApplication::focusWidget() && window->isAncestorOf(QApplication::focusWidget()); });
}

void Activate(QWidget* window) {
    if (!Activated(window)) QTest::qFail("The window did not come up", __FILE__, __LINE__);
}

void Key(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    Activate(window);
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window, key, modifiers);
}

void PressButton(QWidget* window, const char* button, Qt::Key letter) {
    QSignalSpy clicked(window->findChild<TOrvButton*>(QLatin1String(button)), &QAbstractButton::clicked);
    Key(window, letter, Qt::AltModifier);
    if (clicked.isEmpty() && !clicked.wait(2000)) QTest::qFail("Alt+letter did not click", __FILE__, __LINE__);
}

QString FocusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<TOrvDBComponent*>(w)) return w->objectName();
    return QString();
}
