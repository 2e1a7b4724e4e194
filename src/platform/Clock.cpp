#include "platform/Clock.h"

namespace {
QDateTime fixedMoment;
}

QDateTime Clock::Now() {
    if (fixedMoment.isValid()) return fixedMoment;
    const QDateTime now = QDateTime::currentDateTime();
    // Stored times have whole seconds; the same value must come back when read again.
    return now.addMSecs(-now.time().msec());
}

void Clock::SetFixed(const QDateTime& moment) { fixedMoment = moment; }
