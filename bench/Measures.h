// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks measure besides the clock: the process's peak memory, its processor
// time, and the median of repeated runs.
#include <sys/resource.h>

#include <algorithm>
#include <ctime>
#include <vector>

namespace measures {

// The most memory the process has held so far, in MB.
inline double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Processor time of the whole process so far (every thread, user and system), in seconds:
// on a busy machine it shows the cost of the work far more steadily than the clock.
inline double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace measures
