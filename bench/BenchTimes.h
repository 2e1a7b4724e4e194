#pragma once
// The benchmarks' measures: the median of several runs, and a timer's reading in milliseconds.

#include <QElapsedTimer>
#include <algorithm>
#include <vector>

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double Milliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }
