// The month calendar's classic look: each month with its title band (year and month in bold,
// the arrow buttons in the outer titles), the weekday names over a line, the days with the
// selection filled in the title colours, today circled in red, bold days from the day states
// and neighbouring months' days greyed; "today" and its date under the months.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/monthcal/CalendarDate.h"
#include "platform/controls/common/monthcal/DateFormat.h"
#include "platform/controls/common/monthcal/MonthCalendar.h"

namespace platform {

namespace {

constexpr COLORREF TodayColour = RGB(255, 0, 0);
constexpr UINT CentredText = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

// An unfilled ellipse inside the rectangle, drawn in the colour.
void Circle(HDC dc, const RECT& rect, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Ellipse(dc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void DrawText16(HDC dc, const std::u16string& text, RECT rect, UINT format, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &rect, format);
}

// The week of the year a day belongs to, weeks starting on Monday: the week holding the
// year's first Thursday is the first.
int WeekOfYear(const SYSTEMTIME& date) {
    int fromMonday = (date.wDayOfWeek + 6) % 7;
    SYSTEMTIME thursday = AddDays(date, 3 - fromMonday);
    long firstOfYear = DayNumber(MakeDate(thursday.wYear, 1, 1));
    return static_cast<int>((DayNumber(thursday) - firstOfYear) / 7 + 1);
}

std::u16string Number(int value) {
    std::u16string digits;
    for (; value > 0 || digits.empty(); value /= 10)
        digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    return digits;
}

} // namespace

HFONT MonthCalendar::BoldFont() const {
    HFONT font = ControlFont(m_font);
    if (m_boldFont && m_boldFontFor == font)
        return m_boldFont;
    if (m_boldFont)
        DeleteObject(m_boldFont);
    LOGFONTW description{};
    GetObjectW(font, sizeof description, &description);
    description.lfWeight = FW_BOLD;
    m_boldFont = CreateFontIndirectW(&description);
    m_boldFontFor = font;
    return m_boldFont ? m_boldFont : font;
}

void MonthCalendar::Paint(HDC dc) {
    RECT client{};
    GetClientRect(m_window, &client);
    Fill(dc, client, m_colours[MCSC_BACKGROUND]);
    FontSelection font(dc, m_font);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    CalendarLayout layout = Layout();
    for (int index = 0; index < layout.Months(); ++index)
        PaintMonth(dc, layout, index);
    PaintToday(dc, layout);
    SetBkMode(dc, oldMode);
}

void MonthCalendar::PaintMonth(HDC dc, const CalendarLayout& layout, int index) {
    Fill(dc, layout.Month(index), m_colours[MCSC_MONTHBK]);
    PaintTitle(dc, layout, index);
    RECT names = layout.DayNames(index);
    for (int column = 0; column < 7; ++column) {
        RECT cell{names.left + column * layout.cellWidth, names.top,
                  names.left + (column + 1) * layout.cellWidth, names.bottom};
        DrawText16(dc, ShortestDayName(m_firstDay + 1 + column), cell, CentredText, m_colours[MCSC_TITLEBK]);
    }
    RECT line{names.left, names.bottom, names.right, names.bottom + 1};
    Fill(dc, line, m_colours[MCSC_TRAILINGTEXT]);
    for (int week = 0; week < 6; ++week) {
        if (layout.weekColumn && CellShown(index, week, 6)) {
            RECT number = layout.WeekNumber(index, week);
            std::u16string text = Number(WeekOfYear(CellDate(index, week, 0, nullptr)));
            DrawText16(dc, text, number, CentredText, m_colours[MCSC_TITLEBK]);
        }
        for (int column = 0; column < 7; ++column)
            PaintDay(dc, layout, index, week, column);
    }
    if (layout.weekColumn) {
        RECT first = layout.WeekNumber(index, 0);
        RECT separator{first.right - 1, first.top, first.right, layout.WeekNumber(index, 5).bottom};
        Fill(dc, separator, m_colours[MCSC_TRAILINGTEXT]);
    }
}

void MonthCalendar::PaintTitle(HDC dc, const CalendarLayout& layout, int index) {
    Fill(dc, layout.Title(index), m_colours[MCSC_TITLEBK]);
    RECT year{};
    RECT month{};
    TitleParts(layout, index, year, month);
    HGDIOBJ old = SelectObject(dc, BoldFont());
    SYSTEMTIME start = MonthStart(index);
    DrawText16(dc, FormatDate(u"yyyy'年'", start), year, CentredText, m_colours[MCSC_TITLETEXT]);
    DrawText16(dc, FormatDate(u"M'月'", start), month, CentredText, m_colours[MCSC_TITLETEXT]);
    SelectObject(dc, old);
    UINT disabled = IsWindowEnabled(m_window) ? 0 : DFCS_INACTIVE;
    if (index == 0) {
        RECT button = layout.PreviousButton();
        UINT state = (m_press == Press::Previous ? DFCS_PUSHED : 0) | (CanScroll(-1) ? 0 : DFCS_INACTIVE);
        DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLLEFT | state | disabled);
    }
    if (index == layout.columns - 1) {
        RECT button = layout.NextButton();
        UINT state = (m_press == Press::Next ? DFCS_PUSHED : 0) | (CanScroll(1) ? 0 : DFCS_INACTIVE);
        DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLRIGHT | state | disabled);
    }
}

void MonthCalendar::PaintDay(HDC dc, const CalendarLayout& layout, int index, int week, int column) {
    if (!CellShown(index, week, column))
        return;
    bool trailing = false;
    SYSTEMTIME date = CellDate(index, week, column, &trailing);
    RECT cell = layout.Cell(index, week, column);
    bool selected = !trailing && CompareDates(date, m_selStart) >= 0 && CompareDates(date, m_selEnd) <= 0;
    COLORREF colour = m_colours[MCSC_TEXT];
    if (trailing)
        colour = m_colours[MCSC_TRAILINGTEXT];
    else if (!InRange(date) || !IsWindowEnabled(m_window))
        colour = GetSysColor(COLOR_GRAYTEXT);
    if (selected) {
        RECT fill = cell;
        InflateRect(&fill, -1, -1);
        Fill(dc, fill, m_colours[MCSC_TITLEBK]);
        colour = m_colours[MCSC_TITLETEXT];
    }
    HGDIOBJ old = IsBold(date) ? SelectObject(dc, BoldFont()) : nullptr;
    DrawText16(dc, FormatDate(u"d", date), cell, CentredText, colour);
    if (old)
        SelectObject(dc, old);
    if (!trailing && !(Style() & MCS_NOTODAYCIRCLE) && CompareDates(date, m_today) == 0)
        Circle(dc, cell, TodayColour);
    if (m_focused && !trailing && CompareDates(date, m_selEnd) == 0) {
        RECT focus = cell;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

void MonthCalendar::PaintToday(HDC dc, const CalendarLayout& layout) {
    if (!layout.todayHeight)
        return;
    RECT line = layout.Today();
    HGDIOBJ old = SelectObject(dc, BoldFont());
    DrawText16(dc, TodayText(), line, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
               m_colours[MCSC_TEXT]);
    SelectObject(dc, old);
}

} // namespace platform
