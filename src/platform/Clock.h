#pragma once
// The one clock of the program: every "now" (creation and change times, printed dates) comes from here,
// so tests can fix it.

#include <QDateTime>

namespace Clock {
QDateTime Now();
// Fixes Now() at the given moment; an invalid moment returns to the system clock.
void SetFixed(const QDateTime& moment);
}
