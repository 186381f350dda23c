#pragma once
// Date values: a TDateTime counts days since 30 December 1899, the time of day being the
// fraction. Dates are in the proleptic Gregorian calendar, years 1 to 9999.

#include <compare>
#include <string_view>

class TDateTime {
public:
    constexpr TDateTime() = default;
    constexpr explicit TDateTime(double days) : m_days(days) {}

    constexpr double Days() const { return m_days; }
    constexpr auto operator<=>(const TDateTime&) const = default;

private:
    double m_days = 0;
};

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
// Raises Exception ("Invalid argument to date encode") for a day that does not exist.
TDateTime EncodeDate(int year, int month, int day);
void DecodeDate(TDateTime date, int& year, int& month, int& day);
int YearOf(TDateTime date);
int MonthOf(TDateTime date);
int DayOf(TDateTime date);

// The date of a text holding year, month and day in that order separated by "-", such as
// "2005-3-9"; one "-" after the day and blanks around the text are accepted. Whatever the
// user's settings, the order is year, month, day. Raises Exception ("'%s' is not a valid
// date", quoting the text) when the text is no such date.
TDateTime StrToDate(std::string_view text);
