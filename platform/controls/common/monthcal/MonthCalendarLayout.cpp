// Where the month calendar's parts lie: as many months as the client area holds (at most a
// year), centred, each with its title, weekday names and six weeks, and today's line below;
// and which part, which day, lies under a point.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/monthcal/CalendarDate.h"
#include "platform/controls/common/monthcal/DateFormat.h"
#include "platform/controls/common/monthcal/MonthCalendar.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int Margin = 4; // between a month's edge and its days
constexpr int Gap = 6;    // between months
constexpr int MostMonths = 12;

bool Inside(const RECT& rect, POINT point) {
    return PtInRect(&rect, point) != FALSE;
}

} // namespace

RECT CalendarLayout::Month(int index) const {
    int left = origin.x + (index % columns) * (monthWidth + Gap);
    int top = origin.y + (index / columns) * (monthHeight + Gap);
    return {left, top, left + monthWidth, top + monthHeight};
}

RECT CalendarLayout::Title(int index) const {
    RECT month = Month(index);
    return {month.left, month.top, month.right, month.top + titleHeight};
}

RECT CalendarLayout::PreviousButton() const {
    RECT title = Title(0);
    int height = titleHeight - 6;
    int top = title.top + 3;
    return {title.left + Margin, top, title.left + Margin + height + 2, top + height};
}

RECT CalendarLayout::NextButton() const {
    RECT title = Title(columns - 1);
    int height = titleHeight - 6;
    int top = title.top + 3;
    return {title.right - Margin - height - 2, top, title.right - Margin, top + height};
}

RECT CalendarLayout::DayNames(int index) const {
    RECT month = Month(index);
    int left = month.left + Margin + weekColumn;
    int top = month.top + titleHeight + 2;
    return {left, top, left + 7 * cellWidth, top + cellHeight};
}

RECT CalendarLayout::Cell(int index, int week, int column) const {
    RECT names = DayNames(index);
    int left = names.left + column * cellWidth;
    int top = names.bottom + 2 + week * cellHeight;
    return {left, top, left + cellWidth, top + cellHeight};
}

RECT CalendarLayout::WeekNumber(int index, int week) const {
    RECT cell = Cell(index, week, 0);
    return {cell.left - weekColumn, cell.top, cell.left, cell.bottom};
}

RECT CalendarLayout::Today() const {
    int top = origin.y + rows * monthHeight + (rows - 1) * Gap;
    return {origin.x + Margin, top, origin.x + columns * monthWidth + (columns - 1) * Gap, top + todayHeight};
}

SIZE CalendarLayout::MinimumSize() const {
    return {monthWidth, monthHeight + todayHeight};
}

CalendarLayout MonthCalendar::Layout() const {
    HFONT font = ControlFont(m_font);
    int line = LineHeight(font);
    CalendarLayout layout;
    layout.cellWidth = std::max({platform::TextWidth(font, u"88"), platform::TextWidth(font, u"日"),
                                 platform::TextWidth(BoldFont(), u"88")}) +
                       10;
    layout.cellHeight = line + 4;
    layout.titleHeight = line + 10;
    layout.weekColumn = (Style() & MCS_WEEKNUMBERS) ? layout.cellWidth : 0;
    layout.monthWidth = layout.weekColumn + 7 * layout.cellWidth + 2 * Margin;
    layout.monthHeight = layout.titleHeight + 2 + layout.cellHeight + 2 + 6 * layout.cellHeight + Margin;
    layout.todayHeight = (Style() & MCS_NOTODAY) ? 0 : line + 6;
    RECT client{};
    GetClientRect(m_window, &client);
    int clientWidth = client.right;
    int clientHeight = client.bottom;
    layout.columns = std::clamp((clientWidth + Gap) / (layout.monthWidth + Gap), 1, MostMonths);
    layout.rows = std::clamp((clientHeight - layout.todayHeight + Gap) / (layout.monthHeight + Gap), 1,
                             MostMonths / layout.columns);
    int width = layout.columns * layout.monthWidth + (layout.columns - 1) * Gap;
    int height = layout.rows * layout.monthHeight + (layout.rows - 1) * Gap + layout.todayHeight;
    layout.origin = {std::max(0, (clientWidth - width) / 2), std::max(0, (clientHeight - height) / 2)};
    return layout;
}

int MonthCalendar::TodayWidth() const {
    return Margin + platform::TextWidth(BoldFont(), TodayText()) + Margin;
}

SYSTEMTIME MonthCalendar::MonthStart(int index) const {
    return AddMonths(m_first, index);
}

SYSTEMTIME MonthCalendar::CellDate(int index, int week, int column, bool* trailing) const {
    SYSTEMTIME start = MonthStart(index);
    int firstColumnDay = (m_firstDay + 1) % 7; // the calendar counts from Monday, weekdays from Sunday
    int lead = (start.wDayOfWeek - firstColumnDay + 7) % 7;
    SYSTEMTIME date = AddDays(start, week * 7 + column - lead);
    if (trailing)
        *trailing = date.wMonth != start.wMonth || date.wYear != start.wYear;
    return date;
}

bool MonthCalendar::CellShown(int index, int week, int column) const {
    bool trailing = false;
    SYSTEMTIME date = CellDate(index, week, column, &trailing);
    if (!trailing)
        return true;
    if (Style() & MCS_NOTRAILINGDATES)
        return false;
    // Days of the neighbouring months show only before the first month and after the last.
    bool before = CompareDates(date, MonthStart(index)) < 0;
    return before ? index == 0 : index == VisibleMonths() - 1;
}

void MonthCalendar::ShownDays(SYSTEMTIME& first, SYSTEMTIME& last) const {
    int months = VisibleMonths();
    first = CellShown(0, 0, 0) ? CellDate(0, 0, 0, nullptr) : MonthStart(0);
    last =
        CellShown(months - 1, 5, 6) ? CellDate(months - 1, 5, 6, nullptr) : AddDays(MonthStart(months), -1);
}

void MonthCalendar::TitleParts(const CalendarLayout& layout, int index, RECT& year, RECT& month) const {
    SYSTEMTIME start = MonthStart(index);
    std::u16string yearText = FormatDate(u"yyyy'年'", start);
    std::u16string monthText = FormatDate(u"M'月'", start);
    HFONT bold = BoldFont();
    int yearWidth = platform::TextWidth(bold, yearText);
    int monthWidth = platform::TextWidth(bold, monthText);
    RECT title = layout.Title(index);
    int left = (title.left + title.right - yearWidth - monthWidth) / 2;
    year = {left, title.top, left + yearWidth, title.bottom};
    month = {year.right, title.top, year.right + monthWidth, title.bottom};
}

MCHITTESTINFO MonthCalendar::HitTest(POINT point) const {
    MCHITTESTINFO info{};
    info.cbSize = sizeof info;
    info.pt = point;
    info.uHit = MCHT_NOWHERE;
    CalendarLayout layout = Layout();
    if (Inside(layout.PreviousButton(), point)) {
        info.uHit = MCHT_TITLEBTNPREV;
        return info;
    }
    if (Inside(layout.NextButton(), point)) {
        info.uHit = MCHT_TITLEBTNNEXT;
        return info;
    }
    for (int index = 0; index < layout.Months(); ++index) {
        if (!Inside(layout.Month(index), point))
            continue;
        info.uHit = MCHT_CALENDARBK;
        info.st = MonthStart(index);
        if (Inside(layout.Title(index), point)) {
            RECT year{};
            RECT month{};
            TitleParts(layout, index, year, month);
            info.uHit = Inside(year, point)    ? MCHT_TITLEYEAR
                        : Inside(month, point) ? MCHT_TITLEMONTH
                                               : MCHT_TITLEBK;
            return info;
        }
        if (Inside(layout.DayNames(index), point)) {
            int column = (point.x - layout.DayNames(index).left) / layout.cellWidth;
            info.uHit = MCHT_CALENDARDAY;
            info.st.wDayOfWeek = static_cast<WORD>((m_firstDay + 1 + column) % 7);
            return info;
        }
        for (int week = 0; week < 6; ++week) {
            if (layout.weekColumn && Inside(layout.WeekNumber(index, week), point)) {
                info.uHit = MCHT_CALENDARWEEKNUM;
                info.st = CellDate(index, week, 0, nullptr);
                return info;
            }
            for (int column = 0; column < 7; ++column) {
                if (!Inside(layout.Cell(index, week, column), point))
                    continue;
                if (!CellShown(index, week, column))
                    return info;
                bool trailing = false;
                info.st = CellDate(index, week, column, &trailing);
                info.uHit = MCHT_CALENDARDATE;
                if (trailing)
                    info.uHit |= CompareDates(info.st, MonthStart(index)) < 0 ? MCHT_PREV : MCHT_NEXT;
                return info;
            }
        }
        return info;
    }
    if (layout.todayHeight && Inside(layout.Today(), point)) {
        info.uHit = MCHT_TODAYLINK;
        info.st = m_today;
    }
    return info;
}

} // namespace platform
