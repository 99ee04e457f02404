#pragma once

// Small helpers shared by the benchmark programs: medians of repeated timings and a
// table row printer. Figures only; nothing here asserts.

#include <QElapsedTimer>
#include <QString>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace bench
{

// Runs `work` `repeats` times (after one warm-up run) and returns the median in milliseconds.
inline double medianMs(int repeats, const std::function<void()> &work)
{
    work();
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// One line of the figures table: what, the figure, its unit and the goal.
inline void row(const QString &what, double value, const char *unit, const QString &goal = {})
{
    std::printf("%-58s %10.2f %-3s %s\n", qPrintable(what), value, unit, qPrintable(goal));
    std::fflush(stdout);
}

} // namespace bench
