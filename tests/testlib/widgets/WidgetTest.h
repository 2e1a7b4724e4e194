#pragma once
// The base of every widget test: each test function starts from the program's state at start-up (globals,
// an empty program directory of its own, the application palette) and finds controls and actions by name,
// so windows keep their members private.

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtGui/QPalette>
#include <memory>
#include <stdexcept>

class QAction;

// Raised by the helpers below when a control or action is missing or unusable; the test function fails
// with the message.
class EWidgetTestError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class TWidgetTest : public QObject {
    Q_OBJECT
protected:
    // What a test class adds before and after each test function.
    virtual void InitTest() {}
    virtual void CleanupTest() {}

    // The test function's own program directory (empty at the start), with a trailing separator.
    QString ProgramDir() const;
    QString ProgramFile(const QString& name) const;

    // The descendant of owner with this objectName and type; fails the test when there is none.
    template <class T>
    static T* Child(const QObject* owner, const QString& name) {
        T* found = owner->findChild<T*>(name);
        if (!found) Fail(QStringLiteral("No %1 named \"%2\"").arg(QString::fromLatin1(T::staticMetaObject.className()), name));
        return found;
    }
    // Triggers the window's action of this name, as the menu or its shortcut would; fails the test when the
    // action is missing, disabled or hidden.
    static void TriggerAction(const QObject* window, const QString& name);
    [[noreturn]] static void Fail(const QString& message);

private Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<QTemporaryDir> FProgramDir;
    QPalette FPalette;
};
