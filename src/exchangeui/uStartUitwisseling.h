#pragma once
// How a window starts an exchange run: it asks before, the frame runs, and the window shows the result
// through the message seam.

#include "exchange/uUitwisseling.h"

class TQueltUitwisseling;

// Shows what the program shows of a run: its result as information, why it could not run as an error;
// nothing when it was not confirmed or has nothing to say.
void ToonResultaat(const TUitwisselingResultaat& resultaat);

// A payroll run as the main window starts it: its question (only Ja goes on), the run, its result shown.
void StartQueltUitwisseling(TQueltUitwisseling& run);
