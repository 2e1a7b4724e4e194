#pragma once
// The benchmarks' measures: the median of several runs, a timer's reading in milliseconds, and the median
// time of a body run several times.

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline double Milliseconds(const QElapsedTimer& timer) { return timer.nsecsElapsed() / 1e6; }

template <class Body> double MedianMs(int runs, Body&& body) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(Milliseconds(timer));
    }
    return Median(times);
}
