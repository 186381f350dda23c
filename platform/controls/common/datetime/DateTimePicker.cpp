// The date and time picker's value, range, format and messages, its keyboard and mouse, and
// the up-down control that DTS_UPDOWN puts in place of the calendar's button.

#include "platform/controls/common/datetime/DateTimePicker.h"

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/CommonControlClasses.h"
#include "platform/controls/common/monthcal/CalendarDate.h"

#include <algorithm>

namespace platform {

namespace {

constexpr int UpDownId = 1;

SYSTEMTIME Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    now.wMilliseconds = 0;
    return WithDayOfWeek(now);
}

std::u16string DefaultPicture(DWORD style) {
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
        return TimePicture();
    if (style & DTS_LONGDATEFORMAT)
        return LongDatePicture();
    return ShortDatePicture();
}

} // namespace

DateTimePicker::DateTimePicker(HWND window) : m_window(window), m_value(Now()) {}

DateTimePicker::~DateTimePicker() = default;

SYSTEMTIME DateTimePicker::Clamp(const SYSTEMTIME& value) const {
    if ((m_rangeFlags & GDTR_MIN) && CompareDateTimes(value, m_min) < 0)
        return m_min;
    if ((m_rangeFlags & GDTR_MAX) && CompareDateTimes(value, m_max) > 0)
        return m_max;
    return value;
}

void DateTimePicker::Change(const SYSTEMTIME& value, bool none) {
    SYSTEMTIME clamped = WithDayOfWeek(Clamp(value));
    bool changed = none != m_none || CompareDateTimes(clamped, m_value) != 0;
    m_value = clamped;
    m_none = none;
    InvalidateRect(m_window, nullptr, FALSE);
    if (changed)
        NotifyChange();
}

void DateTimePicker::NotifyChange() {
    NMDATETIMECHANGE change{};
    change.dwFlags = m_none ? GDT_NONE : GDT_VALID;
    change.st = m_value;
    NotifyParent(m_window, DTN_DATETIMECHANGE, change.nmhdr);
}

LRESULT DateTimePicker::GetTime(SYSTEMTIME* time) const {
    if (!time)
        return GDT_ERROR;
    if (m_none)
        return GDT_NONE;
    *time = m_value;
    return GDT_VALID;
}

LRESULT DateTimePicker::SetTime(DWORD flag, const SYSTEMTIME* time) {
    if (flag == GDT_NONE) {
        if (!HasCheckBox())
            return FALSE;
        m_none = true;
        InvalidateRect(m_window, nullptr, FALSE);
        return TRUE;
    }
    if (flag != GDT_VALID || !time || !IsValidDate(*time))
        return FALSE;
    m_value = WithDayOfWeek(Clamp(*time));
    m_none = false;
    m_typed.clear();
    InvalidateRect(m_window, nullptr, FALSE);
    return TRUE;
}

LRESULT DateTimePicker::GetRange(SYSTEMTIME* range) const {
    if (range) {
        range[0] = (m_rangeFlags & GDTR_MIN) ? m_min : SYSTEMTIME{};
        range[1] = (m_rangeFlags & GDTR_MAX) ? m_max : SYSTEMTIME{};
    }
    return m_rangeFlags;
}

LRESULT DateTimePicker::SetRange(DWORD which, const SYSTEMTIME* range) {
    if ((which & (GDTR_MIN | GDTR_MAX)) && !range)
        return FALSE;
    if (((which & GDTR_MIN) && !IsValidDate(range[0])) || ((which & GDTR_MAX) && !IsValidDate(range[1])))
        return FALSE;
    if ((which & GDTR_MIN) && (which & GDTR_MAX) && CompareDateTimes(range[0], range[1]) > 0)
        return FALSE;
    m_rangeFlags = which & (GDTR_MIN | GDTR_MAX);
    if (which & GDTR_MIN)
        m_min = WithDayOfWeek(range[0]);
    if (which & GDTR_MAX)
        m_max = WithDayOfWeek(range[1]);
    m_value = WithDayOfWeek(Clamp(m_value));
    InvalidateRect(m_window, nullptr, FALSE);
    return TRUE;
}

void DateTimePicker::SetPicture(std::u16string picture, bool custom) {
    m_customPicture = custom;
    m_picture = custom ? std::move(picture) : DefaultPicture(Style());
    m_parts = ParseDateFormat(m_picture);
    m_typed.clear();
    if (m_field >= static_cast<int>(m_parts.size()) ||
        (m_field >= 0 && !IsEditable(static_cast<std::size_t>(m_field))))
        m_field = -1;
    if (m_field < 0 && !HasCheckBox())
        m_field = NeighbourField(-1, true);
    InvalidateRect(m_window, nullptr, FALSE);
}

std::u16string DateTimePicker::Text() const {
    std::u16string text;
    for (std::size_t i = 0; i < m_parts.size(); ++i)
        text += PartDisplay(i);
    return text;
}

void DateTimePicker::PlaceUpDown() {
    if (!m_upDown)
        return;
    RECT client{};
    GetClientRect(m_window, &client);
    int width = GetSystemMetrics(SM_CXVSCROLL);
    SetWindowPos(m_upDown, nullptr, client.right - width, 0, width, client.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void DateTimePicker::OnButtonDown(POINT point) {
    HWND window = m_window;
    if (GetFocus() != window)
        SetFocus(window);
    if (!IsWindow(window) || !IsWindowEnabled(window))
        return;
    RECT button = ButtonRect();
    if (!HasUpDown() && PtInRect(&button, point)) {
        if (m_calendar)
            CloseUp(false);
        else
            DropDown();
        return;
    }
    RECT box = CheckBoxRect();
    if (HasCheckBox() && PtInRect(&box, point)) {
        CommitTyping();
        m_field = -1;
        Change(m_value, !m_none);
        return;
    }
    std::vector<RECT> parts = PartRects();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (IsEditable(i) && point.x >= parts[i].left && point.x < parts[i].right) {
            ChooseField(static_cast<int>(i));
            return;
        }
    }
}

bool DateTimePicker::OnKeyDown(WPARAM key) {
    bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
    if (m_calendar) {
        switch (key) {
        case VK_ESCAPE:
            CloseUp(false);
            return true;
        case VK_RETURN:
        case VK_F4:
            CloseUp(true);
            return true;
        case VK_UP:
            if (alt) {
                CloseUp(true);
                return true;
            }
            [[fallthrough]];
        default:
            SendMessageW(m_calendar, WM_KEYDOWN, key, 0);
            return true;
        }
    }
    if (!HasUpDown() && (key == VK_F4 || (alt && key == VK_DOWN))) {
        DropDown();
        return true;
    }
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT: {
        CommitTyping();
        int next = NeighbourField(m_field, key == VK_RIGHT);
        // The check box is a stop before the first field.
        if (key == VK_LEFT && next == m_field && HasCheckBox())
            next = -1;
        ChooseField(next);
        return true;
    }
    case VK_UP:
    case VK_DOWN:
        StepField(key == VK_UP ? 1 : -1);
        return true;
    case VK_HOME:
    case VK_END:
        SetFieldToEnd(key == VK_END);
        return true;
    case VK_SPACE:
        if (m_field < 0 && HasCheckBox()) {
            Change(m_value, !m_none);
            return true;
        }
        return false;
    case VK_BACK:
        m_typed.clear();
        InvalidateRect(m_window, nullptr, FALSE);
        return true;
    default:
        return false;
    }
}

void DateTimePicker::OnChar(WPARAM character) {
    if (character >= u'0' && character <= u'9')
        TypeDigit(static_cast<int>(character - u'0'));
}

LRESULT DateTimePicker::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    auto* time = reinterpret_cast<SYSTEMTIME*>(lParam);
    switch (message) {
    case WM_NCCREATE:
        // The picker shows a sunken edge of its own.
        SetWindowLongW(m_window, GWL_EXSTYLE, GetWindowLongW(m_window, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
        break;
    case WM_CREATE:
        SetPicture({}, false);
        if (HasUpDown()) {
            m_upDown =
                CreateWindowExW(0, UPDOWN_CLASSW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(UpDownId)), nullptr, nullptr);
            // A middle position never reaches an end: every press steps the field.
            SendMessageW(m_upDown, UDM_SETRANGE32, 0, 2);
            SendMessageW(m_upDown, UDM_SETPOS32, 0, 1);
            PlaceUpDown();
        }
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam))
            InvalidateRect(m_window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SIZE:
        PlaceUpDown();
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_STYLECHANGED:
        if (!m_customPicture)
            SetPicture({}, false);
        return 0;
    case WM_ENABLE:
        if (m_upDown)
            EnableWindow(m_upDown, static_cast<BOOL>(wParam));
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        m_focused = message == WM_SETFOCUS;
        if (!m_focused) {
            CommitTyping();
            CloseUp(false);
        }
        InvalidateRect(m_window, nullptr, FALSE);
        NMHDR header{};
        NotifyParent(m_window, m_focused ? NM_SETFOCUS : NM_KILLFOCUS, header);
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_PARENTNOTIFY:
        // A press on the up-down control focuses the picker.
        if (LOWORD(wParam) == WM_LBUTTONDOWN && GetFocus() != m_window)
            SetFocus(m_window);
        return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (OnKeyDown(wParam))
            return 0;
        break;
    case WM_CHAR:
        OnChar(wParam);
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom == m_upDown && header->code == UDN_DELTAPOS) {
            StepField(reinterpret_cast<const NMUPDOWN*>(lParam)->iDelta > 0 ? 1 : -1);
            return 1; // the up-down keeps its own position
        }
        if (header && header->hwndFrom == m_calendar && header->code == MCN_SELECT)
            AcceptCalendarDate();
        return 0;
    }
    case WM_GETTEXT: {
        std::u16string text = Text();
        int size = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFFFFFF));
        CopyTextToCaller(text, reinterpret_cast<LPWSTR>(lParam), size);
        return size > 0 && lParam ? std::min<LRESULT>(static_cast<LRESULT>(text.size()), size - 1) : 0;
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(Text().size());
    case DTM_GETSYSTEMTIME:
        return GetTime(time);
    case DTM_SETSYSTEMTIME:
        return SetTime(static_cast<DWORD>(wParam), time);
    case DTM_GETRANGE:
        return GetRange(time);
    case DTM_SETRANGE:
        return SetRange(static_cast<DWORD>(wParam), time);
    case DTM_SETFORMATA:
    case DTM_SETFORMATW:
        if (!lParam)
            SetPicture({}, false);
        else if (message == DTM_SETFORMATA)
            SetPicture(TextFromCaller(reinterpret_cast<LPCSTR>(lParam)), true);
        else
            SetPicture(TextFromCaller(reinterpret_cast<LPCWSTR>(lParam)), true);
        return TRUE;
    case DTM_SETMCCOLOR:
    case DTM_GETMCCOLOR: {
        if (wParam >= m_calendarColours.size())
            return -1;
        COLORREF previous = m_calendarColourSet[wParam] ? m_calendarColours[wParam] : 0;
        if (m_calendar)
            previous = static_cast<COLORREF>(SendMessageW(m_calendar, MCM_GETCOLOR, wParam, 0));
        if (message == DTM_SETMCCOLOR) {
            m_calendarColours[wParam] = static_cast<COLORREF>(lParam);
            m_calendarColourSet[wParam] = true;
            if (m_calendar)
                SendMessageW(m_calendar, MCM_SETCOLOR, wParam, lParam);
        }
        return previous;
    }
    case DTM_GETMONTHCAL:
        return reinterpret_cast<LRESULT>(m_calendar);
    case DTM_SETMCFONT:
        m_calendarFont = reinterpret_cast<HFONT>(wParam);
        if (m_calendar)
            SendMessageW(m_calendar, WM_SETFONT, wParam, lParam);
        return 0;
    case DTM_GETMCFONT:
        return reinterpret_cast<LRESULT>(m_calendarFont);
    case DTM_SETMCSTYLE: {
        DWORD previous = m_calendarStyle;
        m_calendarStyle = static_cast<DWORD>(lParam);
        return previous;
    }
    case DTM_GETMCSTYLE:
        return m_calendarStyle;
    case DTM_CLOSEMONTHCAL:
        CloseUp(false);
        return 0;
    case DTM_GETIDEALSIZE: {
        auto* size = reinterpret_cast<SIZE*>(lParam);
        if (!size)
            return FALSE;
        RECT area = TextArea();
        RECT client{};
        GetClientRect(m_window, &client);
        int textWidth = platform::TextWidth(ControlFont(m_font), Text());
        size->cx = textWidth + (client.right - (area.right - area.left)) + 8;
        size->cy = LineHeight(ControlFont(m_font)) + 8;
        return TRUE;
    }
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void RegisterDateTimePickerClass() {
    RegisterCommonControlClass(DATETIMEPICK_CLASSW, CommonControlProc<DateTimePicker>,
                               CS_DBLCLKS | CS_HREDRAW);
}

} // namespace platform
