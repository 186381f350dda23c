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
