#include "platform/Progress.h"

namespace {
std::function<void(const TProgressState&)> progressHook;
TProgress* outermost = nullptr;

int Permille(int position, int total) { return total > 0 ? int(qint64(position) * 1000 / total) : 0; }
}

TProgress::TProgress(const QString& title, int total) : FOutermost(outermost == nullptr) {
    FState.Title = title;
    FState.Total = total;
    if (FOutermost) {
        outermost = this;
        Report();
    }
}

TProgress::~TProgress() {
    if (!FOutermost) return;
    outermost = nullptr;
    FState.Finished = true;
    if (progressHook) progressHook(FState);
}

void TProgress::SetTotal(int total) {
    FState.Total = total;
    Report();
}

void TProgress::SetStep(const QString& step) {
    FState.Step = step;
    Report();
}

void TProgress::Advance(int position) {
    FState.Position = position;
    if (Permille(position, FState.Total) != FReported) Report();
}

void TProgress::Report() {
    FReported = Permille(FState.Position, FState.Total);
    if (!FOutermost) return;
    if (progressHook) progressHook(FState);
}

void TProgress::InstallHook(std::function<void(const TProgressState&)> hook) { progressHook = std::move(hook); }
