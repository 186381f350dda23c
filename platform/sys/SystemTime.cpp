#include "platform/sys/SystemTime.h"

#include <ctime>
#include <sys/time.h>

namespace {

void Fill(LPSYSTEMTIME time, bool local) {
    if (!time)
        return;
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm parts{};
    if (local)
        localtime_r(&now.tv_sec, &parts);
    else
        gmtime_r(&now.tv_sec, &parts);
    time->wYear = static_cast<WORD>(parts.tm_year + 1900);
    time->wMonth = static_cast<WORD>(parts.tm_mon + 1);
    time->wDayOfWeek = static_cast<WORD>(parts.tm_wday);
    time->wDay = static_cast<WORD>(parts.tm_mday);
    time->wHour = static_cast<WORD>(parts.tm_hour);
    time->wMinute = static_cast<WORD>(parts.tm_min);
    // A leap second shows as the last second of its minute.
    time->wSecond = static_cast<WORD>(parts.tm_sec > 59 ? 59 : parts.tm_sec);
    time->wMilliseconds = static_cast<WORD>(now.tv_usec / 1000);
}

} // namespace

void GetLocalTime(LPSYSTEMTIME time) {
    Fill(time, true);
}

void GetSystemTime(LPSYSTEMTIME time) {
    Fill(time, false);
}
