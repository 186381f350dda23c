#pragma once
// The clock of the benchmarks that time their steps themselves (a whole program, one sort).
// <chrono> cannot be compiled with the GBK execution character set (its "µs" literal), so it
// reads clock_gettime.

#include <time.h>

inline double MonotonicSeconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// CPU time of the calling thread, for a step measured against a peer in the same run.
inline double ThreadCpuMicroseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}
