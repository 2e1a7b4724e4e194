#include "forms/ProgressWindow.h"

#include "platform/Progress.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QProgressDialog>

#include <memory>

namespace {
class TProgressWindow {
public:
    explicit TProgressWindow(int delayMs) : FDelayMs(delayMs) {}

    void Report(const TProgressState& state) {
        if (state.Finished) {
            delete FDialog.data();
            FRunning = false;
            return;
        }
        if (!FRunning) {
            FRunning = true;
            FSince.start();
        }
        if (!FDialog && FSince.elapsed() >= FDelayMs) Open();
        if (!FDialog) return;
        FDialog->setWindowTitle(state.Title);
        FDialog->setLabelText(state.Step.isEmpty() ? state.Title : state.Title + QStringLiteral(": ") + state.Step);
        FDialog->setMaximum(state.Total);
        FDialog->setValue(state.Total > 0 ? qMin(state.Position, state.Total) : 0);
        // The run holds the event loop; the window is painted here, without taking the user's input.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

private:
    void Open() {
        FDialog = new QProgressDialog(QApplication::activeWindow());
        FDialog->setObjectName(QStringLiteral("dlgVoortgang"));
        FDialog->setCancelButton(nullptr);
        FDialog->setWindowModality(Qt::ApplicationModal);
        FDialog->setAutoClose(false);
        FDialog->setAutoReset(false);
        FDialog->setMinimumDuration(0);
        FDialog->setMinimumWidth(420);
        FDialog->show();
    }

    int FDelayMs;
    bool FRunning = false;
    QElapsedTimer FSince;
    QPointer<QProgressDialog> FDialog;  // its owner window may go first
};
}

void InstallProgressWindow(int delayMs) {
    auto window = std::make_shared<TProgressWindow>(delayMs);
    TProgress::InstallHook([window](const TProgressState& state) { window->Report(state); });
}
