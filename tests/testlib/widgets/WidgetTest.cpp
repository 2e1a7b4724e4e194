#include "testlib/widgets/WidgetTest.h"

#include "core/HelpFile.h"
#include "core/OrvMessages.h"
#include "core/uGlobals.h"
#include "platform/Clock.h"
#include "platform/ProgramDirectory.h"

#include <QDir>
#include <QTest>
#include <QtGui/QAction>
#include <QtWidgets/QApplication>

void TWidgetTest::init() {
    FPalette = QApplication::palette();
    FProgramDir = std::make_unique<QTemporaryDir>();
    QVERIFY2(FProgramDir->isValid(), qPrintable(FProgramDir->errorString()));
    SetProgramDirectory(FProgramDir->path());
    QueltStart = false;
    SluitZonderVraag = false;
    ShutdownExitCode = 0;
    MessageTeksten = TMessageTeksten{};
    SetApplicationHelpFile(QString());
    InitTest();
}

void TWidgetTest::cleanup() {
    CleanupTest();
    // Windows a failed test left open must not receive the next test's keys.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible()) window->hide();
    Clock::SetFixed(QDateTime());
    SetProgramDirectory(QString());
    FProgramDir.reset();
    QApplication::setPalette(FPalette);
}

QString TWidgetTest::ProgramDir() const { return QDir(FProgramDir->path()).absolutePath() + QDir::separator(); }

QString TWidgetTest::ProgramFile(const QString& name) const { return ProgramDir() + name; }

QString TWidgetTest::TriggerAction(const QObject* window, const QString& name) {
    QAction* action = window->findChild<QAction*>(name);
    if (!action) return QStringLiteral("no action named ") + name;
    if (!action->isEnabled()) return name + QStringLiteral(" is disabled");
    if (!action->isVisible()) return name + QStringLiteral(" is hidden");
    action->trigger();
    return QString();
}
