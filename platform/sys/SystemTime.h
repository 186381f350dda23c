#pragma once
// The date and time of day: SYSTEMTIME and the calls that read the clock into it.

#include "platform/base/WinTypes.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;     // 1 to 12
    WORD wDayOfWeek; // 0 (Sunday) to 6
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

// The time in the machine's time zone, and in UTC. A null pointer is left alone.
void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);
