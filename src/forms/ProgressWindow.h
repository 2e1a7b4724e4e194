#pragma once
// The progress window of long runs (imports, export): what the run is doing and how far it is, shown once
// the run has lasted delayMs, so a run of a few milliseconds shows none. It is the UI side of the core's
// progress seam (platform/Progress.h), as the hourglass is of the wait cursor's.

// Installs the window as the progress hook; replaces an earlier one.
void InstallProgressWindow(int delayMs = 400);
