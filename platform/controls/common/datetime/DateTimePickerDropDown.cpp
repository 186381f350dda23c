// The calendar a picker drops down: a month calendar in a pop-up window below the picker
// (above it when the screen has no room below), holding the mouse until a day is chosen, a
// press lands outside it, Escape or Enter; the parent hears DTN_DROPDOWN once the calendar
// exists (DTM_GETMONTHCAL then finds it) and DTN_CLOSEUP when it goes.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/datetime/DateTimePicker.h"
#include "platform/controls/common/monthcal/MonthCalendar.h"
#include "platform/display/Display.h"

#include <algorithm>

namespace platform {

namespace {

// The calendar's own procedure and its picker, kept on the calendar while it is dropped.
constexpr const WCHAR* CalendarProcProperty = u"QuillmerePickerCalendarProc";
constexpr const WCHAR* CalendarOwnerProperty = u"QuillmerePickerCalendarOwner";

LRESULT CALLBACK DroppedCalendarProc(HWND calendar, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(calendar, CalendarProcProperty));
    HWND picker = static_cast<HWND>(GetPropW(calendar, CalendarOwnerProperty));
    if (message == WM_NCDESTROY) {
        RemovePropW(calendar, CalendarProcProperty);
        RemovePropW(calendar, CalendarOwnerProperty);
        SetWindowLongPtrW(calendar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    } else if (auto* owner = IsWindow(picker) ? GetControlState<DateTimePicker>(picker) : nullptr) {
        if (auto handled = owner->CalendarMessage(calendar, message, wParam, lParam))
            return *handled;
    }
    return previous ? CallWindowProcW(previous, calendar, message, wParam, lParam)
                    : DefWindowProcW(calendar, message, wParam, lParam);
}

// Below the picker, or above it when the screen has no room below; aligned with its left
// edge, or its right edge with DTS_RIGHTALIGN; kept on the screen.
RECT DropPlace(HWND picker, SIZE size, bool rightAligned) {
    RECT anchor{};
    GetWindowRect(picker, &anchor);
    RECT screen = Display().WorkArea();
    int left = rightAligned ? anchor.right - size.cx : anchor.left;
    int top = anchor.bottom;
    if (top + size.cy > screen.bottom && anchor.top - size.cy >= screen.top)
        top = anchor.top - size.cy;
    left = std::clamp<int>(left, screen.left, std::max<int>(screen.left, screen.right - size.cx));
    return {left, top, left + size.cx, top + size.cy};
}

} // namespace

void DateTimePicker::DropDown() {
    if (m_calendar || HasUpDown() || !IsWindowEnabled(m_window))
        return;
    CommitTyping();
    HWND calendar = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, MONTHCAL_CLASSW, nullptr,
                                    WS_POPUP | WS_BORDER | m_calendarStyle, 0, 0, 0, 0, m_window, nullptr,
                                    nullptr, nullptr);
    if (!calendar)
        return;
    m_calendar = calendar;
    SendMessageW(calendar, MonthCalendarNotifyTarget, reinterpret_cast<WPARAM>(m_window), 0);
    SendMessageW(calendar, WM_SETFONT, reinterpret_cast<WPARAM>(m_calendarFont ? m_calendarFont : m_font),
                 FALSE);
    for (std::size_t i = 0; i < m_calendarColours.size(); ++i) {
        if (m_calendarColourSet[i])
            SendMessageW(calendar, MCM_SETCOLOR, i, static_cast<LPARAM>(m_calendarColours[i]));
    }
    SYSTEMTIME range[2] = {m_min, m_max};
    SendMessageW(calendar, MCM_SETRANGE, m_rangeFlags, reinterpret_cast<LPARAM>(range));
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&m_value));
    RECT needed{};
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&needed));
    AdjustWindowRectEx(&needed, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
    SIZE size{needed.right - needed.left, needed.bottom - needed.top};
    RECT place = DropPlace(m_window, size, (Style() & DTS_RIGHTALIGN) != 0);
    SetWindowPos(calendar, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);

    HWND window = m_window;
    NMHDR header{};
    NotifyParent(window, DTN_DROPDOWN, header);
    if (!IsWindow(window) || !IsWindow(calendar) || m_calendar != calendar)
        return;
    SetPropW(calendar, CalendarOwnerProperty, window);
    SetPropW(calendar, CalendarProcProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrW(calendar, GWLP_WNDPROC)));
    SetWindowLongPtrW(calendar, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DroppedCalendarProc));
    SetWindowPos(calendar, HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SetCapture(calendar);
    InvalidateRect(window, nullptr, FALSE);
}

void DateTimePicker::CloseUp(bool accept) {
    HWND calendar = m_calendar;
    if (!calendar)
        return;
    HWND window = m_window;
    SYSTEMTIME chosen{};
    bool picked = accept && SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&chosen));
    m_calendar = nullptr;
    if (GetCapture() == calendar)
        ReleaseCapture();
    DestroyWindow(calendar);
    InvalidateRect(window, nullptr, FALSE);
    if (picked) {
        // The day comes from the calendar; the time of day stays.
        SYSTEMTIME value = m_value;
        value.wYear = chosen.wYear;
        value.wMonth = chosen.wMonth;
        value.wDay = chosen.wDay;
        Change(value, false);
        if (!IsWindow(window))
            return;
    }
    NMHDR header{};
    NotifyParent(window, DTN_CLOSEUP, header);
}

void DateTimePicker::AcceptCalendarDate() {
    CloseUp(true);
}

std::optional<LRESULT> DateTimePicker::CalendarMessage(HWND calendar, UINT message, WPARAM, LPARAM lParam) {
    if (calendar != m_calendar)
        return std::nullopt;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // A press outside the calendar closes it without a choice and goes no further.
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT client{};
        GetClientRect(calendar, &client);
        if (PtInRect(&client, point))
            return std::nullopt;
        CloseUp(false);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return std::nullopt;
    }
}

} // namespace platform
