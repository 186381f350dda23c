// The month calendar's mouse and keyboard: a day pressed (and the pointer dragged over others)
// is selected and its release reported as chosen; the arrows step through the months, again
// and again while held; the title's month and year open a list to jump to; the keys move the
// selection by days, weeks, months and years.

#include "platform/controls/common/monthcal/CalendarDate.h"
#include "platform/controls/common/monthcal/DateFormat.h"
#include "platform/controls/common/monthcal/MonthCalendar.h"

namespace platform {

namespace {

constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT FirstRepeatDelay = 500;
constexpr UINT RepeatDelay = 150;
// The title's year list reaches this many years either side.
constexpr int YearsAround = 5;

bool IsDateHit(UINT hit) {
    return (hit & 0x00FF0000) == MCHT_CALENDAR && (hit & 0xFFFF) == (MCHT_CALENDARDATE & 0xFFFF);
}

bool ShiftDown() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

} // namespace

void MonthCalendar::OnButtonDown(POINT point) {
    HWND window = m_window;
    if ((Style() & WS_CHILD) && GetFocus() != window)
        SetFocus(window);
    if (!IsWindow(window) || !IsWindowEnabled(window))
        return;
    MCHITTESTINFO hit = HitTest(point);
    if (hit.uHit == MCHT_TITLEMONTH || hit.uHit == MCHT_TITLEYEAR) {
        ChooseFromTitleMenu(hit.st, hit.uHit == MCHT_TITLEYEAR);
        return;
    }
    if (hit.uHit == MCHT_TITLEBTNPREV || hit.uHit == MCHT_TITLEBTNNEXT) {
        m_press = hit.uHit == MCHT_TITLEBTNPREV ? Press::Previous : Press::Next;
        SetTimer(m_window, RepeatTimer, FirstRepeatDelay, nullptr);
    } else if (hit.uHit == MCHT_TODAYLINK) {
        m_press = Press::Today;
    } else if (IsDateHit(hit.uHit)) {
        m_press = (hit.uHit & (MCHT_NEXT | MCHT_PREV)) ? Press::OtherMonthDay : Press::Day;
    } else {
        return;
    }
    if (!GetCapture()) {
        SetCapture(m_window);
        m_ownCapture = true;
    }
    InvalidateRect(m_window, nullptr, FALSE);
    switch (m_press) {
    case Press::Previous:
        ScrollMonths(-MonthDelta(), true);
        break;
    case Press::Next:
        ScrollMonths(MonthDelta(), true);
        break;
    case Press::Today:
        Select(m_today, false, true);
        break;
    default:
        Select(hit.st, MultiSelect() && ShiftDown(), true);
        break;
    }
}

void MonthCalendar::OnMouseMove(POINT point) {
    if (m_press != Press::Day)
        return;
    MCHITTESTINFO hit = HitTest(point);
    if (IsDateHit(hit.uHit))
        Select(hit.st, MultiSelect(), true);
}

void MonthCalendar::OnButtonUp(POINT point) {
    Press press = m_press;
    if (press == Press::None)
        return;
    m_press = Press::None;
    KillTimer(m_window, RepeatTimer);
    InvalidateRect(m_window, nullptr, FALSE);
    if (m_ownCapture) {
        m_ownCapture = false;
        ReleaseCapture();
    }
    MCHITTESTINFO hit = HitTest(point);
    // Last: the one who hears of the choice may close and destroy the calendar.
    if ((press == Press::Day && IsDateHit(hit.uHit)) || press == Press::OtherMonthDay ||
        (press == Press::Today && hit.uHit == MCHT_TODAYLINK))
        Notify(MCN_SELECT);
}

void MonthCalendar::OnTimer() {
    if (m_press != Press::Previous && m_press != Press::Next) {
        KillTimer(m_window, RepeatTimer);
        return;
    }
    SetTimer(m_window, RepeatTimer, RepeatDelay, nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(m_window, &cursor);
    UINT hit = HitTest(cursor).uHit;
    // Held but moved off its arrow, the button waits until the pointer comes back.
    if (m_press == Press::Previous && hit == MCHT_TITLEBTNPREV)
        ScrollMonths(-MonthDelta(), true);
    else if (m_press == Press::Next && hit == MCHT_TITLEBTNNEXT)
        ScrollMonths(MonthDelta(), true);
}

bool MonthCalendar::OnKeyDown(WPARAM key) {
    bool extend = MultiSelect() && ShiftDown();
    // A range grows or shrinks at the end away from its anchor.
    SYSTEMTIME from = extend && CompareDates(m_selStart, m_anchor) == 0 ? m_selEnd : m_selStart;
    bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    SYSTEMTIME target{};
    switch (key) {
    case VK_LEFT:
        target = AddDays(from, -1);
        break;
    case VK_RIGHT:
        target = AddDays(from, 1);
        break;
    case VK_UP:
        target = AddDays(from, -7);
        break;
    case VK_DOWN:
        target = AddDays(from, 7);
        break;
    case VK_PRIOR:
        target = AddMonths(from, control ? -12 : -1);
        break;
    case VK_NEXT:
        target = AddMonths(from, control ? 12 : 1);
        break;
    case VK_HOME:
        target = MakeDate(from.wYear, from.wMonth, 1);
        break;
    case VK_END:
        target = MakeDate(from.wYear, from.wMonth, DaysInMonth(from.wYear, from.wMonth));
        break;
    default:
        return false;
    }
    Select(ClampToRange(target), extend, true);
    return true;
}

void MonthCalendar::ChooseFromTitleMenu(const SYSTEMTIME& shown, bool year) {
    HMENU menu = CreatePopupMenu();
    int first = year ? shown.wYear - YearsAround : 1;
    int count = year ? 2 * YearsAround + 1 : 12;
    for (int i = 0; i < count; ++i) {
        int value = first + i;
        bool current = year ? value == shown.wYear : value == shown.wMonth;
        if (year && (value < FirstCalendarYear || value > LastCalendarYear))
            continue;
        std::u16string text = year ? FormatDate(u"yyyy'年'", MakeDate(value, 1, 1)) : MonthName(value, false);
        AppendMenuW(menu, MF_STRING | (current ? MF_CHECKED : 0), static_cast<UINT_PTR>(i + 1), text.c_str());
    }
    CalendarLayout layout = Layout();
    RECT yearPart{};
    RECT monthPart{};
    int index = (shown.wYear * 12 + shown.wMonth) - (m_first.wYear * 12 + m_first.wMonth);
    TitleParts(layout, index, yearPart, monthPart);
    POINT at{year ? yearPart.left : monthPart.left, yearPart.bottom};
    ClientToScreen(m_window, &at);
    HWND window = m_window;
    HWND captured = GetCapture();
    int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_LEFTALIGN, at.x, at.y, 0, window, nullptr));
    DestroyMenu(menu);
    if (!IsWindow(window))
        return;
    if (captured == window && GetCapture() != window)
        SetCapture(window);
    if (chosen <= 0)
        return;
    int value = first + chosen - 1;
    int months = year ? (value - shown.wYear) * 12 : value - shown.wMonth;
    ScrollMonths(months, true);
}

} // namespace platform
