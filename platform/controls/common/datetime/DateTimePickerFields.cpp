// The picker's fields: where the check box, the text and the button lie, which part of the
// picture is under a point, and how the chosen field changes. A field steps within its own
// range and wraps (the day after the month's last is the 1st of the same month); digits are
// typed into it, moving on to the next field once it is full.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/datetime/DateTimePicker.h"
#include "platform/controls/common/monthcal/CalendarDate.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int CheckBoxSize = 13;

int Wrap(int value, int low, int high) {
    int span = high - low + 1;
    return low + ((value - low) % span + span) % span;
}

struct FieldRange {
    int low;
    int high;
};

// The values a numeric field takes, or nothing for a field without digits.
std::optional<FieldRange> DigitRange(const FormatPart& part, const SYSTEMTIME& value) {
    switch (part.field) {
    case DateField::Day:
        return FieldRange{1, DaysInMonth(value.wYear, value.wMonth)};
    case DateField::Month:
        return part.letters <= 2 ? std::optional(FieldRange{1, 12}) : std::nullopt;
    case DateField::Year:
        return FieldRange{FirstCalendarYear, LastCalendarYear};
    case DateField::Hour12:
        return FieldRange{1, 12};
    case DateField::Hour24:
        return FieldRange{0, 23};
    case DateField::Minute:
    case DateField::Second:
        return FieldRange{0, 59};
    default:
        return std::nullopt;
    }
}

// The value with one field set; the day is kept within the month.
SYSTEMTIME WithField(SYSTEMTIME value, DateField field, int number) {
    switch (field) {
    case DateField::Day:
        value.wDay = static_cast<WORD>(number);
        break;
    case DateField::Month:
        value.wMonth = static_cast<WORD>(number);
        break;
    case DateField::Year:
        value.wYear = static_cast<WORD>(number);
        break;
    case DateField::Hour12:
        value.wHour = static_cast<WORD>((value.wHour >= 12 ? 12 : 0) + number % 12);
        break;
    case DateField::Hour24:
        value.wHour = static_cast<WORD>(number);
        break;
    case DateField::Minute:
        value.wMinute = static_cast<WORD>(number);
        break;
    case DateField::Second:
        value.wSecond = static_cast<WORD>(number);
        break;
    default:
        break;
    }
    value.wDay = static_cast<WORD>(std::min<int>(value.wDay, DaysInMonth(value.wYear, value.wMonth)));
    return WithDayOfWeek(value);
}

int FieldNumber(const SYSTEMTIME& value, DateField field) {
    switch (field) {
    case DateField::Day:
        return value.wDay;
    case DateField::Month:
        return value.wMonth;
    case DateField::Year:
        return value.wYear;
    case DateField::Hour12:
        return value.wHour % 12 == 0 ? 12 : value.wHour % 12;
    case DateField::Hour24:
        return value.wHour;
    case DateField::Minute:
        return value.wMinute;
    case DateField::Second:
        return value.wSecond;
    default:
        return 0;
    }
}

int Parse(const std::u16string& digits) {
    int value = 0;
    for (char16_t c : digits)
        value = value * 10 + (c - u'0');
    return value;
}

} // namespace

RECT DateTimePicker::CheckBoxRect() const {
    if (!HasCheckBox())
        return {};
    RECT client{};
    GetClientRect(m_window, &client);
    int top = (client.bottom - CheckBoxSize) / 2;
    return {2, top, 2 + CheckBoxSize, top + CheckBoxSize};
}

RECT DateTimePicker::ButtonRect() const {
    RECT client{};
    GetClientRect(m_window, &client);
    int width = GetSystemMetrics(HasUpDown() ? SM_CXVSCROLL : SM_CXHSCROLL);
    return {std::max<LONG>(0, client.right - width), 0, client.right, client.bottom};
}

RECT DateTimePicker::TextArea() const {
    RECT client{};
    GetClientRect(m_window, &client);
    int left = HasCheckBox() ? CheckBoxRect().right + 4 : 2;
    return {left, 0, std::max<LONG>(left, ButtonRect().left - 1), client.bottom};
}

std::vector<RECT> DateTimePicker::PartRects() const {
    HFONT font = ControlFont(m_font);
    RECT area = TextArea();
    int height = LineHeight(font);
    int top = (area.bottom - height) / 2;
    std::vector<RECT> rects;
    int x = area.left;
    for (std::size_t i = 0; i < m_parts.size(); ++i) {
        int width = platform::TextWidth(font, PartDisplay(i));
        rects.push_back({x, top, x + width, top + height});
        x += width;
    }
    return rects;
}

bool DateTimePicker::IsEditable(std::size_t part) const {
    return part < m_parts.size() && m_parts[part].field != DateField::Literal;
}

int DateTimePicker::NeighbourField(int from, bool forward) const {
    int count = static_cast<int>(m_parts.size());
    for (int i = forward ? from + 1 : from - 1; i >= 0 && i < count; i += forward ? 1 : -1) {
        if (IsEditable(static_cast<std::size_t>(i)))
            return i;
    }
    return from;
}

void DateTimePicker::ChooseField(int part) {
    if (part != m_field)
        CommitTyping();
    m_field = part;
    m_typed.clear();
    InvalidateRect(m_window, nullptr, FALSE);
}

void DateTimePicker::StepField(int delta) {
    if (m_field < 0 || !IsEditable(static_cast<std::size_t>(m_field)))
        return;
    CommitTyping();
    const FormatPart& part = m_parts[static_cast<std::size_t>(m_field)];
    SYSTEMTIME value = m_value;
    switch (part.field) {
    case DateField::DayName:
        value = AddDays(value, delta);
        break;
    case DateField::AmPm:
        value.wHour = static_cast<WORD>((value.wHour + 12) % 24);
        break;
    case DateField::Hour12:
        value.wHour = static_cast<WORD>((value.wHour >= 12 ? 12 : 0) + Wrap(value.wHour % 12 + delta, 0, 11));
        break;
    case DateField::Year:
        value = WithField(value, DateField::Year,
                          std::clamp(value.wYear + delta, FirstCalendarYear, LastCalendarYear));
        break;
    default: {
        FieldRange range = DigitRange(part, value).value_or(FieldRange{1, 12});
        value =
            WithField(value, part.field, Wrap(FieldNumber(value, part.field) + delta, range.low, range.high));
        break;
    }
    }
    Change(value, false);
}

void DateTimePicker::SetFieldToEnd(bool last) {
    if (m_field < 0)
        return;
    const FormatPart& part = m_parts[static_cast<std::size_t>(m_field)];
    std::optional<FieldRange> range = DigitRange(part, m_value);
    if (!range)
        return;
    m_typed.clear();
    Change(WithField(m_value, part.field, last ? range->high : range->low), false);
}

void DateTimePicker::TypeDigit(int digit) {
    if (m_field < 0)
        return;
    const FormatPart& part = m_parts[static_cast<std::size_t>(m_field)];
    std::optional<FieldRange> range = DigitRange(part, m_value);
    if (!range)
        return;
    m_typed += static_cast<char16_t>(u'0' + digit);
    if (part.field == DateField::Year) {
        // A year shows as typed until it has four digits or the field is left.
        if (m_typed.size() >= 4) {
            CommitTyping();
            ChooseField(NeighbourField(m_field, true));
        } else {
            m_none = false;
            InvalidateRect(m_window, nullptr, FALSE);
        }
        return;
    }
    int value = Parse(m_typed);
    if (value > range->high) {
        m_typed.assign(1, static_cast<char16_t>(u'0' + digit));
        value = digit;
    }
    if (value >= range->low)
        Change(WithField(m_value, part.field, value), false);
    // Full when no further digit could stay in range.
    if (m_typed.size() >= 2 || value * 10 > range->high) {
        m_typed.clear();
        ChooseField(NeighbourField(m_field, true));
    }
}

void DateTimePicker::CommitTyping() {
    if (m_typed.empty() || m_field < 0)
        return;
    std::u16string typed = std::move(m_typed);
    m_typed.clear();
    if (m_parts[static_cast<std::size_t>(m_field)].field != DateField::Year) {
        InvalidateRect(m_window, nullptr, FALSE);
        return;
    }
    // One or two digits name a year of the current century.
    int year = Parse(typed);
    if (typed.size() <= 2)
        year += m_value.wYear / 100 * 100;
    if (year >= FirstCalendarYear && year <= LastCalendarYear)
        Change(WithField(m_value, DateField::Year, year), false);
    else
        InvalidateRect(m_window, nullptr, FALSE);
}

std::u16string DateTimePicker::PartDisplay(std::size_t part) const {
    if (static_cast<int>(part) == m_field && !m_typed.empty())
        return m_typed;
    return PartText(m_parts[part], m_value);
}

} // namespace platform
