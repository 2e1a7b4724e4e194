#include "testlib/widgets/Keyboard.h"

#include "dbcontrols/Dbcomp.h"

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
    QTest::qWaitFor(
        [&] { return std::none_of(buttons.begin(), buttons.end(), [](QAbstractButton* b) { return b->isDown(); }); });
    QTest::qWaitFor([&] { return !window->isVisible() || QApplication::activeWindow() == window; });
}

bool Activated(QWidget* window) {
    QApplication::setActiveWindow(window);
    return QTest::qWaitFor(
        [&] { return QApplication::focusWidget() && window->isAncestorOf(QApplication::focusWidget()); });
}

QString FocusedControl() {
    for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget())
        if (qobject_cast<TOrvDBComponent*>(w)) return w->objectName();
    return QString();
}
