#pragma once
// The program entry: look defaults, the quelt_start switch, the single running copy, the main window and
// the user-interface loop.

#include <QtWidgets/QApplication>

// Returns the process exit code: 0 after a normal close, 1 when start-up or the compaction at exit
// failed; a second running copy ends at once with 0.
int RunProgram(QApplication& application);
