#include "platform/controls/common/monthcal/CalendarDate.h"

#include <algorithm>

namespace platform {

namespace {

// Days from 0000-03-01 of the proleptic calendar to the date: the year counted from March, so
// the leap day ends it.
long CivilDays(int year, int month, int day) {
    long y = month <= 2 ? year - 1 : year;
    long era = y / 400;
    long yearOfEra = y - era * 400;
    long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

const long FirstDay = CivilDays(FirstCalendarYear, 1, 1);
const long LastDay = CivilDays(LastCalendarYear, 12, 31);

} // namespace

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int Days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : Days[month - 1];
}

int DayOfWeek(int year, int month, int day) {
    // 0000-03-01 was a Wednesday.
    long days = CivilDays(year, month, day);
    return static_cast<int>(((days + 3) % 7 + 7) % 7);
}

long DayNumber(const SYSTEMTIME& date) {
    return CivilDays(date.wYear, date.wMonth, date.wDay) - FirstDay;
}

SYSTEMTIME DateFromDayNumber(long dayNumber) {
    long days = std::clamp(dayNumber + FirstDay, FirstDay, LastDay);
    long era = days / 146097;
    long dayOfEra = days - era * 146097;
    long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    long monthIndex = (5 * dayOfYear + 2) / 153;
    int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    return MakeDate(year, month, day);
}

bool IsValidDate(const SYSTEMTIME& date, bool checkTime) {
    if (date.wYear < FirstCalendarYear || date.wYear > LastCalendarYear || date.wMonth < 1 ||
        date.wMonth > 12 || date.wDay < 1 || date.wDay > DaysInMonth(date.wYear, date.wMonth))
        return false;
    return !checkTime ||
           (date.wHour < 24 && date.wMinute < 60 && date.wSecond < 60 && date.wMilliseconds < 1000);
}

int CompareDates(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    if (a.wYear != b.wYear)
        return a.wYear < b.wYear ? -1 : 1;
    if (a.wMonth != b.wMonth)
        return a.wMonth < b.wMonth ? -1 : 1;
    if (a.wDay != b.wDay)
        return a.wDay < b.wDay ? -1 : 1;
    return 0;
}

int CompareDateTimes(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    if (int dates = CompareDates(a, b))
        return dates;
    const WORD left[] = {a.wHour, a.wMinute, a.wSecond, a.wMilliseconds};
    const WORD right[] = {b.wHour, b.wMinute, b.wSecond, b.wMilliseconds};
    for (int i = 0; i < 4; ++i) {
        if (left[i] != right[i])
            return left[i] < right[i] ? -1 : 1;
    }
    return 0;
}

SYSTEMTIME AddDays(const SYSTEMTIME& date, long days) {
    SYSTEMTIME moved = DateFromDayNumber(DayNumber(date) + days);
    moved.wHour = date.wHour;
    moved.wMinute = date.wMinute;
    moved.wSecond = date.wSecond;
    moved.wMilliseconds = date.wMilliseconds;
    return moved;
}

SYSTEMTIME AddMonths(const SYSTEMTIME& date, int months) {
    long index = static_cast<long>(date.wYear) * 12 + (date.wMonth - 1) + months;
    index = std::clamp<long>(index, FirstCalendarYear * 12L, LastCalendarYear * 12L + 11);
    int year = static_cast<int>(index / 12);
    int month = static_cast<int>(index % 12) + 1;
    SYSTEMTIME moved = MakeDate(year, month, std::min<int>(date.wDay, DaysInMonth(year, month)));
    moved.wHour = date.wHour;
    moved.wMinute = date.wMinute;
    moved.wSecond = date.wSecond;
    moved.wMilliseconds = date.wMilliseconds;
    return moved;
}

SYSTEMTIME WithDayOfWeek(SYSTEMTIME date) {
    date.wDayOfWeek = static_cast<WORD>(DayOfWeek(date.wYear, date.wMonth, date.wDay));
    return date;
}

SYSTEMTIME MakeDate(int year, int month, int day) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    return WithDayOfWeek(date);
}

} // namespace platform
