// The month calendar's state and messages: the selection (one day, or a range with
// MCS_MULTISELECT), the months shown, today, the range of dates offered, bold days, colours
// and the first day of the week, and the notifications that tell the parent of a change.

#include "platform/controls/common/monthcal/MonthCalendar.h"

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/CommonControlClasses.h"
#include "platform/controls/common/monthcal/CalendarDate.h"
#include "platform/controls/common/monthcal/DateFormat.h"

#include <algorithm>
#include <cstddef>

namespace platform {

namespace {

int MonthIndex(const SYSTEMTIME& date) {
    return date.wYear * 12 + date.wMonth - 1;
}

SYSTEMTIME DateOnly(const SYSTEMTIME& date) {
    return MakeDate(date.wYear, date.wMonth, date.wDay);
}

SYSTEMTIME FirstOfMonth(const SYSTEMTIME& date) {
    return MakeDate(date.wYear, date.wMonth, 1);
}

SYSTEMTIME LocalToday() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return DateOnly(now);
}

// The oldest record MCM_HITTEST takes ends with its date.
constexpr UINT SmallestHitTestRecord = offsetof(MCHITTESTINFO, st) + sizeof(SYSTEMTIME);

} // namespace

MonthCalendar::MonthCalendar(HWND window) : m_window(window), m_firstDay(LocaleFirstDayOfWeek()) {
    m_today = LocalToday();
    m_selStart = m_selEnd = m_anchor = m_today;
    m_first = FirstOfMonth(m_today);
    m_colours = {GetSysColor(COLOR_WINDOW),        GetSysColor(COLOR_WINDOWTEXT),
                 GetSysColor(COLOR_ACTIVECAPTION), GetSysColor(COLOR_CAPTIONTEXT),
                 GetSysColor(COLOR_WINDOW),        GetSysColor(COLOR_GRAYTEXT)};
}

MonthCalendar::~MonthCalendar() {
    if (m_boldFont)
        DeleteObject(m_boldFont);
}

bool MonthCalendar::InRange(const SYSTEMTIME& date) const {
    if ((m_rangeFlags & GDTR_MIN) && CompareDates(date, m_min) < 0)
        return false;
    return !((m_rangeFlags & GDTR_MAX) && CompareDates(date, m_max) > 0);
}

SYSTEMTIME MonthCalendar::ClampToRange(const SYSTEMTIME& date) const {
    if ((m_rangeFlags & GDTR_MIN) && CompareDates(date, m_min) < 0)
        return DateOnly(m_min);
    if ((m_rangeFlags & GDTR_MAX) && CompareDates(date, m_max) > 0)
        return DateOnly(m_max);
    return date;
}

bool MonthCalendar::CanScroll(int months) const {
    int first = MonthIndex(m_first) + months;
    int last = first + VisibleMonths() - 1;
    if (first < FirstCalendarYear * 12 || last > LastCalendarYear * 12 + 11)
        return false;
    // The months shown must keep a day of the range.
    if ((m_rangeFlags & GDTR_MIN) && last < MonthIndex(m_min))
        return false;
    return !((m_rangeFlags & GDTR_MAX) && first > MonthIndex(m_max));
}

int MonthCalendar::MonthDelta() const {
    return m_monthDelta ? m_monthDelta : VisibleMonths();
}

void MonthCalendar::ScrollMonths(int months, bool byUser) {
    if (months == 0 || !CanScroll(months))
        return;
    m_first = AddMonths(m_first, months);
    InvalidateRect(m_window, nullptr, FALSE);
    AskForDayStates();
    if (byUser && !MultiSelect() && !(Style() & MCS_NOSELCHANGEONNAV)) {
        SYSTEMTIME moved = ClampToRange(AddMonths(m_selStart, months));
        m_selStart = m_selEnd = m_anchor = moved;
        Notify(MCN_SELCHANGE);
    }
}

void MonthCalendar::ShowMonthOf(const SYSTEMTIME& date) {
    int month = MonthIndex(date);
    int first = MonthIndex(m_first);
    int shown = VisibleMonths();
    int target = first;
    if (month < first)
        target = month;
    else if (month >= first + shown)
        target = month - shown + 1;
    if (target == first)
        return;
    m_first = FirstOfMonth(AddMonths(m_first, target - first));
    InvalidateRect(m_window, nullptr, FALSE);
    AskForDayStates();
}

void MonthCalendar::Select(const SYSTEMTIME& picked, bool extend, bool notify) {
    SYSTEMTIME date = DateOnly(picked);
    if (!InRange(date))
        return;
    SYSTEMTIME start = date;
    SYSTEMTIME end = date;
    if (MultiSelect() && extend) {
        long anchor = DayNumber(m_anchor);
        long chosen = DayNumber(date);
        long span = m_maxSelection - 1;
        long first = chosen < anchor ? std::max(chosen, anchor - span) : anchor;
        long last = chosen < anchor ? anchor : std::min(chosen, anchor + span);
        start = DateFromDayNumber(first);
        end = DateFromDayNumber(last);
    } else {
        m_anchor = date;
    }
    bool changed = CompareDates(start, m_selStart) != 0 || CompareDates(end, m_selEnd) != 0;
    m_selStart = start;
    m_selEnd = end;
    ShowMonthOf(date);
    if (!changed)
        return;
    InvalidateRect(m_window, nullptr, FALSE);
    if (notify)
        Notify(MCN_SELCHANGE);
}

bool MonthCalendar::SetSelection(SYSTEMTIME start, SYSTEMTIME end) {
    if (!IsValidDate(start, false) || !IsValidDate(end, false))
        return false;
    start = DateOnly(start);
    end = DateOnly(end);
    if (CompareDates(start, end) > 0)
        std::swap(start, end);
    if (!InRange(start) || !InRange(end) || DayNumber(end) - DayNumber(start) >= m_maxSelection)
        return false;
    m_selStart = m_anchor = start;
    m_selEnd = end;
    ShowMonthOf(start);
    InvalidateRect(m_window, nullptr, FALSE);
    return true;
}

HWND MonthCalendar::NotifyWindow() const {
    return m_notify && IsWindow(m_notify) ? m_notify : GetParent(m_window);
}

void MonthCalendar::Notify(UINT code) {
    HWND target = NotifyWindow();
    if (!target)
        return;
    NMSELCHANGE change{};
    change.nmhdr = {m_window, static_cast<UINT_PTR>(GetDlgCtrlID(m_window)), code};
    change.stSelStart = m_selStart;
    change.stSelEnd = m_selEnd;
    SendMessageW(target, WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

void MonthCalendar::AskForDayStates() {
    if (!(Style() & MCS_DAYSTATE))
        return;
    SYSTEMTIME first{};
    SYSTEMTIME last{};
    ShownDays(first, last);
    m_dayStateStart = FirstOfMonth(first);
    std::vector<MONTHDAYSTATE> states(static_cast<std::size_t>(MonthIndex(last) - MonthIndex(first) + 1), 0);
    HWND target = NotifyWindow();
    if (target) {
        NMDAYSTATE ask{};
        ask.nmhdr = {m_window, static_cast<UINT_PTR>(GetDlgCtrlID(m_window)), MCN_GETDAYSTATE};
        ask.stStart = m_dayStateStart;
        ask.cDayState = static_cast<int>(states.size());
        ask.prgDayState = states.data();
        SendMessageW(target, WM_NOTIFY, ask.nmhdr.idFrom, reinterpret_cast<LPARAM>(&ask));
    }
    m_dayStates = std::move(states);
}

bool MonthCalendar::IsBold(const SYSTEMTIME& date) const {
    int index = MonthIndex(date) - MonthIndex(m_dayStateStart);
    if (index < 0 || index >= static_cast<int>(m_dayStates.size()))
        return false;
    return (m_dayStates[static_cast<std::size_t>(index)] >> (date.wDay - 1)) & 1;
}

std::u16string MonthCalendar::TodayText() const {
    return u"今天: " + FormatDate(ShortDatePicture(), m_today);
}

LRESULT MonthCalendar::GetSelection(SYSTEMTIME* date) const {
    if (MultiSelect() || !date)
        return FALSE;
    *date = m_selStart;
    return TRUE;
}

LRESULT MonthCalendar::SetCurrent(const SYSTEMTIME* date) {
    if (MultiSelect() || !date || !IsValidDate(*date, false) || !InRange(*date))
        return FALSE;
    Select(*date, false, false);
    return TRUE;
}

LRESULT MonthCalendar::GetSelectionRange(SYSTEMTIME* range) const {
    if (!MultiSelect() || !range)
        return FALSE;
    range[0] = m_selStart;
    range[1] = m_selEnd;
    return TRUE;
}

LRESULT MonthCalendar::SetSelectionRange(const SYSTEMTIME* range) {
    if (!MultiSelect() || !range)
        return FALSE;
    return SetSelection(range[0], range[1]) ? TRUE : FALSE;
}

LRESULT MonthCalendar::GetMonthRange(DWORD which, SYSTEMTIME* range) const {
    SYSTEMTIME first = MonthStart(0);
    SYSTEMTIME last = AddDays(MonthStart(VisibleMonths()), -1);
    if (which == GMR_DAYSTATE)
        ShownDays(first, last);
    if (range) {
        range[0] = first;
        range[1] = last;
    }
    return MonthIndex(last) - MonthIndex(first) + 1;
}

LRESULT MonthCalendar::SetDayStates(int count, const MONTHDAYSTATE* states) {
    SYSTEMTIME first{};
    SYSTEMTIME last{};
    ShownDays(first, last);
    if (!states || count != MonthIndex(last) - MonthIndex(first) + 1)
        return FALSE;
    m_dayStateStart = FirstOfMonth(first);
    m_dayStates.assign(states, states + count);
    InvalidateRect(m_window, nullptr, FALSE);
    return TRUE;
}

LRESULT MonthCalendar::GetRange(SYSTEMTIME* range) const {
    if (range) {
        range[0] = (m_rangeFlags & GDTR_MIN) ? m_min : SYSTEMTIME{};
        range[1] = (m_rangeFlags & GDTR_MAX) ? m_max : SYSTEMTIME{};
    }
    return m_rangeFlags;
}

LRESULT MonthCalendar::SetRange(DWORD which, const SYSTEMTIME* range) {
    if ((which & (GDTR_MIN | GDTR_MAX)) && !range)
        return FALSE;
    if (((which & GDTR_MIN) && !IsValidDate(range[0], false)) ||
        ((which & GDTR_MAX) && !IsValidDate(range[1], false)))
        return FALSE;
    if ((which & GDTR_MIN) && (which & GDTR_MAX) && CompareDates(range[0], range[1]) > 0)
        return FALSE;
    m_rangeFlags = which & (GDTR_MIN | GDTR_MAX);
    if (which & GDTR_MIN)
        m_min = DateOnly(range[0]);
    if (which & GDTR_MAX)
        m_max = DateOnly(range[1]);
    m_selStart = ClampToRange(m_selStart);
    m_selEnd = ClampToRange(m_selEnd);
    m_anchor = m_selStart;
    ShowMonthOf(m_selStart);
    InvalidateRect(m_window, nullptr, FALSE);
    return TRUE;
}

LRESULT MonthCalendar::SetToday(const SYSTEMTIME* today) {
    if (today && !IsValidDate(*today, false))
        return 0;
    m_today = today ? DateOnly(*today) : LocalToday();
    InvalidateRect(m_window, nullptr, FALSE);
    return 0;
}

LRESULT MonthCalendar::SetFirstDayOfWeek(int day) {
    int previous = m_firstDay;
    m_firstDay = day >= 0 && day <= 6 ? day : LocaleFirstDayOfWeek();
    InvalidateRect(m_window, nullptr, FALSE);
    AskForDayStates();
    return MAKELONG(previous, previous != LocaleFirstDayOfWeek() ? 1 : 0);
}

LRESULT MonthCalendar::HitTestRecord(MCHITTESTINFO* info) const {
    if (!info || info->cbSize < SmallestHitTestRecord)
        return -1;
    MCHITTESTINFO found = HitTest(info->pt);
    info->uHit = found.uHit;
    info->st = found.st;
    return static_cast<LRESULT>(found.uHit);
}

LRESULT MonthCalendar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* date = reinterpret_cast<SYSTEMTIME*>(lParam);
    switch (message) {
    case WM_CREATE:
        AskForDayStates();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m_focused = message == WM_SETFOCUS;
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_SIZE:
        InvalidateRect(m_window, nullptr, FALSE);
        AskForDayStates();
        return 0;
    case WM_ENABLE:
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_TIMER:
        OnTimer();
        return 0;
    case WM_CAPTURECHANGED:
        m_ownCapture = false;
        m_press = Press::None;
        KillTimer(m_window, 1);
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_KEYDOWN:
        if (OnKeyDown(wParam))
            return 0;
        break;
    case MCM_GETCURSEL:
        return GetSelection(date);
    case MCM_SETCURSEL:
        return SetCurrent(date);
    case MCM_GETMAXSELCOUNT:
        return m_maxSelection;
    case MCM_SETMAXSELCOUNT:
        if (!MultiSelect() || static_cast<int>(wParam) < 1)
            return FALSE;
        m_maxSelection = static_cast<int>(wParam);
        if (DayNumber(m_selEnd) - DayNumber(m_selStart) >= m_maxSelection)
            m_selEnd = AddDays(m_selStart, m_maxSelection - 1);
        InvalidateRect(m_window, nullptr, FALSE);
        return TRUE;
    case MCM_GETSELRANGE:
        return GetSelectionRange(date);
    case MCM_SETSELRANGE:
        return SetSelectionRange(date);
    case MCM_GETMONTHRANGE:
        return GetMonthRange(static_cast<DWORD>(wParam), date);
    case MCM_SETDAYSTATE:
        return SetDayStates(static_cast<int>(wParam), reinterpret_cast<const MONTHDAYSTATE*>(lParam));
    case MCM_GETMINREQRECT: {
        auto* rect = reinterpret_cast<RECT*>(lParam);
        if (!rect)
            return FALSE;
        SIZE size = Layout().MinimumSize();
        *rect = {0, 0, size.cx, size.cy};
        return TRUE;
    }
    case MCM_SETCOLOR:
    case MCM_GETCOLOR: {
        if (wParam >= m_colours.size())
            return -1;
        COLORREF previous = m_colours[wParam];
        if (message == MCM_SETCOLOR) {
            m_colours[wParam] = static_cast<COLORREF>(lParam);
            InvalidateRect(m_window, nullptr, FALSE);
        }
        return previous;
    }
    case MCM_SETTODAY:
        return SetToday(date);
    case MCM_GETTODAY:
        if (!date)
            return FALSE;
        *date = m_today;
        return TRUE;
    case MCM_HITTEST:
        return HitTestRecord(reinterpret_cast<MCHITTESTINFO*>(lParam));
    case MCM_SETFIRSTDAYOFWEEK:
        return SetFirstDayOfWeek(static_cast<int>(lParam));
    case MCM_GETFIRSTDAYOFWEEK:
        return MAKELONG(m_firstDay, m_firstDay != LocaleFirstDayOfWeek() ? 1 : 0);
    case MCM_GETRANGE:
        return GetRange(date);
    case MCM_SETRANGE:
        return SetRange(static_cast<DWORD>(wParam), date);
    case MCM_GETMONTHDELTA:
        return MonthDelta();
    case MCM_SETMONTHDELTA: {
        int previous = m_monthDelta;
        m_monthDelta = std::max(0, static_cast<int>(wParam));
        return previous;
    }
    case MCM_GETMAXTODAYWIDTH:
        return TodayWidth();
    case MonthCalendarNotifyTarget:
        m_notify = reinterpret_cast<HWND>(wParam);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterMonthCalendarClass() {
    RegisterCommonControlClass(MONTHCAL_CLASSW, CommonControlProc<MonthCalendar>, CS_DBLCLKS);
}

} // namespace platform
