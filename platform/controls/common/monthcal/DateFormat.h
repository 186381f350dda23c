#pragma once
// Date and time format pictures as the date-time picker takes them ("yyyy'年'M'月'd'日'",
// "H:mm:ss"): the fields a picture holds, each field's text for a date, and the names of
// days, months and halves of the day in the program's locale (Simplified Chinese), which also
// gives the default pictures.

#include "platform/sys/SystemTime.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {

enum class DateField { Literal, Day, DayName, Month, Year, Hour12, Hour24, Minute, Second, AmPm };

struct FormatPart {
    DateField field = DateField::Literal;
    int letters = 0;     // how many times the field's letter stood ("dd": 2)
    std::u16string text; // a literal's text
};

// The parts of a picture. Letters of fields repeat ("MMMM"); text in single quotes is taken
// as it stands ('' is one quote); any other character stands for itself.
std::vector<FormatPart> ParseDateFormat(std::u16string_view picture);
std::u16string PartText(const FormatPart& part, const SYSTEMTIME& date);
std::u16string FormatDate(std::u16string_view picture, const SYSTEMTIME& date);

// The locale's pictures.
std::u16string ShortDatePicture();
std::u16string LongDatePicture();
std::u16string TimePicture();
std::u16string MonthTitlePicture(); // the month calendar's title: "2010年5月"

// Names: months 1 to 12, weekdays 0 (Sunday) to 6.
std::u16string MonthName(int month, bool abbreviated);
std::u16string DayName(int dayOfWeek, bool abbreviated);
// The one-character weekday of the calendar's header ("日", "一").
std::u16string ShortestDayName(int dayOfWeek);
// The weekday the locale's weeks start on, counted as the month calendar counts: 0 Monday.
int LocaleFirstDayOfWeek();

} // namespace platform
