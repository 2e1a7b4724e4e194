#pragma once
// How far a long run is. Core code holds a TProgress while it works and moves it on; the UI installs the
// hook that shows a progress window. Without a hook nothing is shown. A run started inside another one
// stays silent, so the user sees one window per action.

#include <QString>

#include <functional>

struct TProgressState {
    QString Title;     // what the run does: "Loonsommen importeren"
    QString Step;      // where it is: "Maart"
    int Position = 0;  // done so far, out of Total
    int Total = 0;     // 0 while the size is not known: only the steps are reported then
    bool Finished = false;
};

class TProgress {
public:
    TProgress(const QString& title, int total = 0);
    ~TProgress();
    TProgress(const TProgress&) = delete;
    TProgress& operator=(const TProgress&) = delete;

    void SetTotal(int total);
    void SetStep(const QString& step);
    // Cheap enough to call for every row: the hook hears only of a visible change (a new step, a tenth of a
    // percent further), so a run of many thousands of rows reports about a thousand times.
    void Advance(int position);

    // The hook sees every reported state; the last of a run has Finished set.
    static void InstallHook(std::function<void(const TProgressState&)> hook);

private:
    void Report();

    TProgressState FState;
    int FReported = -1;  // the permille last reported
    bool FOutermost;
};
