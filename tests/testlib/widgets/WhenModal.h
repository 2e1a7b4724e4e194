#pragma once
// Drives a modal window from inside its own event loop: the action runs on the active modal window of the
// given type once one is shown. The waiting ends with this object, so an action that uses a test's locals
// can never run after the test, even when the window never came.

#include <QTest>
#include <QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QWidget>

#include <functional>
#include <memory>

template <class Window = QWidget> class TWhenModal {
public:
    explicit TWhenModal(std::function<void(Window*)> action) : FAction(std::move(action)) {
        QObject::connect(&FTimer, &QTimer::timeout, &FTimer, [this] {
            if (auto* window = qobject_cast<Window*>(QApplication::activeModalWidget())) {
                FTimer.stop();
                FAction(window);
            }
        });
        FTimer.start(0);
    }
    TWhenModal(const TWhenModal&) = delete;
    TWhenModal& operator=(const TWhenModal&) = delete;

private:
    std::function<void(Window*)> FAction;
    QTimer FTimer;
};

// Runs action on the next modal window of the type; the window is ended if the action left it open after a
// failure, so a failed check never leaves the test waiting on it.
template <class Window> std::unique_ptr<TWhenModal<Window>> OnModal(std::function<void(Window*)> action) {
    return std::make_unique<TWhenModal<Window>>([action](Window* window) {
        const auto end = qScopeGuard([window] {
            if (window->isVisible() && QTest::currentTestFailed()) window->done(0);
        });
        action(window);
    });
}
