#include "framework/comctrls/SystemTimes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double MillisecondsPerDay = 86400000.0;

} // namespace

TDateTime DateOf(TDateTime value) {
    return TDateTime(std::floor(value.Days()));
}

SYSTEMTIME ToSystemTime(TDateTime value) {
    SYSTEMTIME time{};
    int year = 0;
    int month = 0;
    int day = 0;
    DecodeDate(value, year, month, day);
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    double fraction = value.Days() - std::floor(value.Days());
    auto milliseconds = static_cast<long>(std::lround(fraction * MillisecondsPerDay));
    milliseconds = std::min(milliseconds, static_cast<long>(MillisecondsPerDay) - 1);
    time.wHour = static_cast<WORD>(milliseconds / 3600000);
    time.wMinute = static_cast<WORD>(milliseconds / 60000 % 60);
    time.wSecond = static_cast<WORD>(milliseconds / 1000 % 60);
    time.wMilliseconds = static_cast<WORD>(milliseconds % 1000);
    // 30 December 1899, day 0 of TDateTime, was a Saturday.
    long days = static_cast<long>(std::floor(value.Days()));
    time.wDayOfWeek = static_cast<WORD>(((days + 6) % 7 + 7) % 7);
    return time;
}

TDateTime FromSystemTime(const SYSTEMTIME& time) {
    TDateTime date;
    if (!TryEncodeDate(time.wYear, time.wMonth, time.wDay, date))
        return TDateTime();
    double milliseconds =
        ((time.wHour * 60.0 + time.wMinute) * 60.0 + time.wSecond) * 1000.0 + time.wMilliseconds;
    return TDateTime(date.Days() + milliseconds / MillisecondsPerDay);
}
