#include "core/DateTime.h"

#include "core/Exception.h"
#include "core/Format.h"

#include <cmath>
#include <cstdint>

namespace {

// Days from 1 March of year 0 in the proleptic Gregorian calendar, counted so that leap days
// fall at the end of each year of the cycle.
std::int64_t DaysFromCivil(int year, int month, int day) {
    std::int64_t y = month <= 2 ? year - 1 : year;
    std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    std::int64_t yearOfEra = y - era * 400;
    std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    std::int64_t dayOfEra = days - era * 146097;
    std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

const std::int64_t DayZero = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Reads a run of decimal digits; false when there is none or it is too long to be a date part.
bool ReadNumber(std::string_view text, std::size_t& position, int& value) {
    std::size_t start = position;
    value = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
        if (position - start == 9)
            return false;
        value = value * 10 + (text[position] - '0');
        ++position;
    }
    return position > start;
}

bool ParseDate(std::string_view text, int& year, int& month, int& day) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
        return false;
    text = text.substr(begin, text.find_last_not_of(' ') - begin + 1);
    std::size_t position = 0;
    int* parts[3] = {&year, &month, &day};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (position >= text.size() || text[position] != '-')
                return false;
            ++position;
        }
        if (!ReadNumber(text, position, *parts[i]))
            return false;
    }
    if (position < text.size() && text[position] == '-')
        ++position;
    return position == text.size();
}

} // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    date = TDateTime(static_cast<double>(DaysFromCivil(year, month, day) - DayZero));
    return true;
}

TDateTime EncodeDate(int year, int month, int day) {
    TDateTime date;
    if (!TryEncodeDate(year, month, day, date))
        throw Exception("Invalid argument to date encode");
    return date;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
    CivilFromDays(static_cast<std::int64_t>(std::floor(date.Days())) + DayZero, year, month, day);
}

int YearOf(TDateTime date) {
    int year, month, day;
    DecodeDate(date, year, month, day);
    return year;
}

int MonthOf(TDateTime date) {
    int year, month, day;
    DecodeDate(date, year, month, day);
    return month;
}

int DayOf(TDateTime date) {
    int year, month, day;
    DecodeDate(date, year, month, day);
    return day;
}

TDateTime StrToDate(std::string_view text) {
    int year = 0, month = 0, day = 0;
    TDateTime date;
    if (!ParseDate(text, year, month, day) || !TryEncodeDate(year, month, day, date))
        throw Exception(Format("'%.*s' is not a valid date", static_cast<int>(text.size()), text.data()));
    return date;
}
