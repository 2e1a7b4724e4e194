#pragma once
// The base of every widget test: each test function starts from the program's state at start-up (globals,
// an empty program directory of its own, the application palette) and finds controls and actions by name,
// so windows keep their members private.

#include <QDebug>
#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <QtGui/QPalette>

#include <memory>

class TWidgetTest : public QObject {
    Q_OBJECT
protected:
    // What a test class adds before and after each test function.
    virtual void InitTest() {}
    virtual void CleanupTest() {}

    // The test function's own program directory (empty at the start), with a trailing separator.
    QString ProgramDir() const;
    QString ProgramFile(const QString& name) const;

    // The descendant of owner with this objectName and type; nullptr (and a warning naming it) when there is
    // none: QVERIFY(Child<TOrvEdit>(&window, "edNaam")).
    template <class T> static T* Child(const QObject* owner, const QString& name) {
        T* found = owner->findChild<T*>(name);
        if (!found) qWarning().noquote() << "No" << T::staticMetaObject.className() << "named" << name;
        return found;
    }
    // Triggers the window's action of this name, as the menu or its shortcut would. Returns why it could not
    // (missing, disabled, hidden), empty when it ran: QCOMPARE(TriggerAction(&window, "acFilterUit"), QString()).
    [[nodiscard]] static QString TriggerAction(const QObject* window, const QString& name);

private Q_SLOTS:
    void init();
    void cleanup();

private:
    std::unique_ptr<QTemporaryDir> FProgramDir;
    QPalette FPalette;
};
