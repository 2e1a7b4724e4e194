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
    if (!FProgramDir->isValid()) Fail(QStringLiteral("No temporary program directory: ") + FProgramDir->errorString());
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

void TWidgetTest::TriggerAction(const QObject* window, const QString& name) {
    QAction* action = Child<QAction>(window, name);
    if (!action->isEnabled()) Fail(QStringLiteral("Action \"%1\" is disabled").arg(name));
    if (!action->isVisible()) Fail(QStringLiteral("Action \"%1\" is hidden").arg(name));
    action->trigger();
}

void TWidgetTest::Fail(const QString& message) {
    QTest::qFail(qPrintable(message), __FILE__, __LINE__);
    throw EWidgetTestError(message.toStdString());
}
