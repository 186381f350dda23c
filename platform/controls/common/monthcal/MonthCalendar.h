#pragma once
// The month calendar control ("SysMonthCal32"): one or more months in a grid with a title,
// arrows to the months before and after, the weekdays, the days with today marked and the
// selection, and today's date below. A day is chosen by mouse or keyboard; the parent hears
// of each change (MCN_SELCHANGE) and of each day clicked (MCN_SELECT).

#include "platform/controls/common/monthcal/CommCtrlMonthCal.h"

#include <array>
#include <string_view>
#include <vector>

namespace platform {

// Sent by the date-time picker to the calendar it drops down: notifications go to the window
// in wParam instead of the calendar's owner.
constexpr UINT MonthCalendarNotifyTarget = MCM_FIRST + 0x70;

// Where the parts of the calendar lie in its client area.
struct CalendarLayout {
    int cellWidth = 0;
    int cellHeight = 0;
    int titleHeight = 0;
    int weekColumn = 0; // the width of the week numbers, 0 without them
    int monthWidth = 0;
    int monthHeight = 0;
    int todayHeight = 0;
    int columns = 1;
    int rows = 1;
    POINT origin{}; // the top-left corner of the first month

    int Months() const { return columns * rows; }
    RECT Month(int index) const;
    RECT Title(int index) const;
    RECT PreviousButton() const;
    RECT NextButton() const;
    RECT DayNames(int index) const;
    // The cell of a week (0 to 5) and weekday column (0 to 6) of a month.
    RECT Cell(int index, int week, int column) const;
    RECT WeekNumber(int index, int week) const;
    RECT Today() const;
    // The size of one month with today's line: what MCM_GETMINREQRECT answers.
    SIZE MinimumSize() const;
};

class MonthCalendar {
public:
    explicit MonthCalendar(HWND window);
    ~MonthCalendar();
    MonthCalendar(const MonthCalendar&) = delete;
    MonthCalendar& operator=(const MonthCalendar&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    // What the held button pressed. A day of the month before or after turns the calendar to
    // that month; the pointer is not followed after it, the days having moved under it.
    enum class Press { None, Previous, Next, Day, OtherMonthDay, Today };

    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    bool MultiSelect() const { return (Style() & MCS_MULTISELECT) != 0; }

    // Geometry and what lies under a point (MonthCalendarLayout.cpp).
    CalendarLayout Layout() const;
    SYSTEMTIME MonthStart(int index) const;
    // The date of a cell, and whether the cell shows a day of another month.
    SYSTEMTIME CellDate(int index, int week, int column, bool* trailing) const;
    bool CellShown(int index, int week, int column) const;
    MCHITTESTINFO HitTest(POINT point) const;
    int VisibleMonths() const { return Layout().Months(); }
    // The days from the first to the last one shown, and the months they touch.
    void ShownDays(SYSTEMTIME& first, SYSTEMTIME& last) const;

    // State (MonthCalendar.cpp).
    bool InRange(const SYSTEMTIME& date) const;
    SYSTEMTIME ClampToRange(const SYSTEMTIME& date) const;
    bool CanScroll(int months) const;
    // Moves the first month shown; the selection follows unless MCS_NOSELCHANGEONNAV.
    void ScrollMonths(int months, bool byUser);
    void ShowMonthOf(const SYSTEMTIME& date);
    // Selects one day or, with multiple selection, the range from the anchor.
    void Select(const SYSTEMTIME& date, bool extend, bool notify);
    bool SetSelection(SYSTEMTIME start, SYSTEMTIME end);
    void Notify(UINT code);
    void AskForDayStates();
    bool IsBold(const SYSTEMTIME& date) const;
    std::u16string TodayText() const;
    // The width the "today" line needs, its margins included.
    int TodayWidth() const;
    HWND NotifyWindow() const;
    int MonthDelta() const;

    // Messages with records (MonthCalendar.cpp).
    LRESULT GetSelection(SYSTEMTIME* date) const;
    LRESULT SetCurrent(const SYSTEMTIME* date);
    LRESULT GetSelectionRange(SYSTEMTIME* range) const;
    LRESULT SetSelectionRange(const SYSTEMTIME* range);
    LRESULT GetMonthRange(DWORD which, SYSTEMTIME* range) const;
    LRESULT SetDayStates(int count, const MONTHDAYSTATE* states);
    LRESULT GetRange(SYSTEMTIME* range) const;
    LRESULT SetRange(DWORD which, const SYSTEMTIME* range);
    LRESULT SetToday(const SYSTEMTIME* today);
    LRESULT SetFirstDayOfWeek(int day);
    LRESULT HitTestRecord(MCHITTESTINFO* info) const;

    // Input (MonthCalendarInput.cpp).
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnButtonUp(POINT point);
    void OnTimer();
    bool OnKeyDown(WPARAM key);
    void ChooseFromTitleMenu(const SYSTEMTIME& shown, bool year);

    // Painting (MonthCalendarPainting.cpp).
    void PaintMonth(HDC dc, const CalendarLayout& layout, int index);
    void PaintTitle(HDC dc, const CalendarLayout& layout, int index);
    void PaintDay(HDC dc, const CalendarLayout& layout, int index, int week, int column);
    void PaintToday(HDC dc, const CalendarLayout& layout);
    HFONT BoldFont() const;
    // The parts of a month's title: the year and the month, as drawn (bold) and centred.
    void TitleParts(const CalendarLayout& layout, int index, RECT& year, RECT& month) const;

    HWND m_window;
    HFONT m_font = nullptr;
    mutable HFONT m_boldFont = nullptr;
    mutable HFONT m_boldFontFor = nullptr; // the font the bold one was made from
    SYSTEMTIME m_first{};                  // the first day of the first month shown
    SYSTEMTIME m_selStart{};
    SYSTEMTIME m_selEnd{};
    SYSTEMTIME m_anchor{}; // where a range selected with Shift starts
    SYSTEMTIME m_today{};
    SYSTEMTIME m_min{};
    SYSTEMTIME m_max{};
    DWORD m_rangeFlags = 0;
    int m_maxSelection = 7;
    int m_monthDelta = 0; // 0: as many months as are shown
    int m_firstDay;       // 0 Monday to 6 Sunday
    std::array<COLORREF, 6> m_colours{};
    // Bold days from MCN_GETDAYSTATE or MCM_SETDAYSTATE, one entry per month from the first
    // shown day's month.
    std::vector<MONTHDAYSTATE> m_dayStates;
    SYSTEMTIME m_dayStateStart{};
    HWND m_notify = nullptr;
    Press m_press = Press::None;
    bool m_ownCapture = false;
    bool m_focused = false;
};

void RegisterMonthCalendarClass();

} // namespace platform
