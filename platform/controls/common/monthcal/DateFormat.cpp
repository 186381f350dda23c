#include "platform/controls/common/monthcal/DateFormat.h"

#include <array>

namespace platform {

namespace {

DateField FieldOf(char16_t letter) {
    switch (letter) {
    case u'd':
        return DateField::Day;
    case u'M':
        return DateField::Month;
    case u'y':
        return DateField::Year;
    case u'h':
        return DateField::Hour12;
    case u'H':
        return DateField::Hour24;
    case u'm':
        return DateField::Minute;
    case u's':
        return DateField::Second;
    case u't':
        return DateField::AmPm;
    default:
        return DateField::Literal;
    }
}

std::u16string Number(int value, int minimumDigits) {
    std::u16string digits;
    for (int n = value < 0 ? -value : value; n > 0 || digits.empty(); n /= 10)
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + n % 10));
    while (static_cast<int>(digits.size()) < minimumDigits)
        digits.insert(digits.begin(), u'0');
    return digits;
}

void AddLiteral(std::vector<FormatPart>& parts, std::u16string_view text) {
    if (text.empty())
        return;
    if (!parts.empty() && parts.back().field == DateField::Literal)
        parts.back().text += text;
    else
        parts.push_back({DateField::Literal, 0, std::u16string(text)});
}

} // namespace

std::vector<FormatPart> ParseDateFormat(std::u16string_view picture) {
    std::vector<FormatPart> parts;
    std::size_t i = 0;
    while (i < picture.size()) {
        char16_t c = picture[i];
        if (c == u'\'') {
            // '' stands for a quote, inside quoted text or outside it.
            if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                AddLiteral(parts, u"'");
                i += 2;
                continue;
            }
            std::u16string quoted;
            for (++i; i < picture.size(); ++i) {
                if (picture[i] != u'\'') {
                    quoted += picture[i];
                } else if (i + 1 < picture.size() && picture[i + 1] == u'\'') {
                    quoted += u'\'';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            AddLiteral(parts, quoted);
            continue;
        }
        DateField field = FieldOf(c);
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        if (field == DateField::Literal) {
            AddLiteral(parts, picture.substr(i, run));
        } else {
            int letters = static_cast<int>(run);
            if (field == DateField::Day && letters >= 3)
                field = DateField::DayName;
            parts.push_back({field, letters, {}});
        }
        i += run;
    }
    return parts;
}

std::u16string PartText(const FormatPart& part, const SYSTEMTIME& date) {
    int twoDigits = part.letters >= 2 ? 2 : 1;
    switch (part.field) {
    case DateField::Literal:
        return part.text;
    case DateField::Day:
        return Number(date.wDay, twoDigits);
    case DateField::DayName:
        return DayName(date.wDayOfWeek % 7, part.letters == 3);
    case DateField::Month:
        if (part.letters >= 3)
            return MonthName(date.wMonth, part.letters == 3);
        return Number(date.wMonth, twoDigits);
    case DateField::Year:
        // "y" and "yy" show the year in the century; "yyy" and more the whole year.
        if (part.letters <= 2)
            return Number(date.wYear % 100, twoDigits);
        return Number(date.wYear, part.letters >= 5 ? 5 : 4);
    case DateField::Hour12:
        return Number(date.wHour % 12 == 0 ? 12 : date.wHour % 12, twoDigits);
    case DateField::Hour24:
        return Number(date.wHour, twoDigits);
    case DateField::Minute:
        return Number(date.wMinute, twoDigits);
    case DateField::Second:
        return Number(date.wSecond, twoDigits);
    case DateField::AmPm: {
        std::u16string half = date.wHour < 12 ? u"上午" : u"下午";
        return part.letters == 1 ? half.substr(0, 1) : half;
    }
    }
    return {};
}

std::u16string FormatDate(std::u16string_view picture, const SYSTEMTIME& date) {
    std::u16string text;
    for (const FormatPart& part : ParseDateFormat(picture))
        text += PartText(part, date);
    return text;
}

std::u16string ShortDatePicture() {
    return u"yyyy/M/d";
}

std::u16string LongDatePicture() {
    return u"yyyy'年'M'月'd'日'";
}

std::u16string TimePicture() {
    return u"H:mm:ss";
}

std::u16string MonthTitlePicture() {
    return u"yyyy'年'M'月'";
}

std::u16string MonthName(int month, bool abbreviated) {
    static const std::array<const char16_t*, 12> Full = {u"一月", u"二月", u"三月",   u"四月",
                                                         u"五月", u"六月", u"七月",   u"八月",
                                                         u"九月", u"十月", u"十一月", u"十二月"};
    if (month < 1 || month > 12)
        return {};
    if (abbreviated)
        return Number(month, 1) + u"月";
    return Full[static_cast<std::size_t>(month - 1)];
}

std::u16string DayName(int dayOfWeek, bool abbreviated) {
    std::u16string shortest = ShortestDayName(dayOfWeek);
    return (abbreviated ? u"周" : u"星期") + shortest;
}

std::u16string ShortestDayName(int dayOfWeek) {
    static const std::array<const char16_t*, 7> Names = {u"日", u"一", u"二", u"三", u"四", u"五", u"六"};
    return Names[static_cast<std::size_t>(((dayOfWeek % 7) + 7) % 7)];
}

int LocaleFirstDayOfWeek() {
    return 0;
}

} // namespace platform
