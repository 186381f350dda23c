#pragma once
// Dates of the Gregorian calendar as the month calendar and the date-time picker count them:
// checks, comparisons and steps by days and months on SYSTEMTIME values, within the years the
// controls offer (1601 to 9999).

#include "platform/sys/SystemTime.h"

namespace platform {

constexpr int FirstCalendarYear = 1601;
constexpr int LastCalendarYear = 9999;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// 0 for Sunday to 6 for Saturday.
int DayOfWeek(int year, int month, int day);
// Days counted from 1601-01-01 (day 0), and back.
long DayNumber(const SYSTEMTIME& date);
SYSTEMTIME DateFromDayNumber(long dayNumber);

// A day the controls can show: month and day exist, the year in range; the time of day is
// checked as well when asked.
bool IsValidDate(const SYSTEMTIME& date, bool checkTime = true);
// Negative, zero or positive as a lies before, on or after b: the date alone, or date and time.
int CompareDates(const SYSTEMTIME& a, const SYSTEMTIME& b);
int CompareDateTimes(const SYSTEMTIME& a, const SYSTEMTIME& b);

// The date moved by whole days or months (the day kept as far as the new month has it), its
// weekday set; the time of day is kept. Steps past the years offered stop at their end.
SYSTEMTIME AddDays(const SYSTEMTIME& date, long days);
SYSTEMTIME AddMonths(const SYSTEMTIME& date, int months);
// The same date with its weekday filled in.
SYSTEMTIME WithDayOfWeek(SYSTEMTIME date);
SYSTEMTIME MakeDate(int year, int month, int day);

} // namespace platform
