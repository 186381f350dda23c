// The up-down control ("msctls_updown32"): a pair of arrow buttons that move a position within
// a range, faster the longer one is held; it may show the position in a buddy window, sit
// beside it and take the buddy's arrow keys. The parent hears of each step with UDN_DELTAPOS
// (and may refuse it) and WM_VSCROLL or WM_HSCROLL.

#include "platform/controls/common/CommonControl.h"
#include "platform/controls/common/CommonControlClasses.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace platform {

namespace {

constexpr UINT_PTR RepeatTimer = 1;
constexpr UINT FirstRepeatDelay = 500;
constexpr UINT RepeatDelay = 100;
// The buddy keeps its own procedure here while the up-down control listens to its keys.
constexpr const WCHAR* BuddyProcProperty = u"QuillmereUpDownBuddyProc";
constexpr const WCHAR* BuddyOwnerProperty = u"QuillmereUpDownBuddyOwner";

enum class Arrow { None, Up, Down };

LRESULT CALLBACK BuddyProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam);

class UpDown {
public:
    explicit UpDown(HWND window) : m_window(window) {}
    ~UpDown() { ReleaseBuddy(); }
    UpDown(const UpDown&) = delete;
    UpDown& operator=(const UpDown&) = delete;

    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the whole client area (WM_PAINT, WM_PRINTCLIENT).
    void Paint(HDC dc);
    // A step asked for by the buddy's arrow keys.
    void StepFromKey(bool up);

private:
    DWORD Style() const { return static_cast<DWORD>(GetWindowLongW(m_window, GWL_STYLE)); }
    bool Horizontal() const { return (Style() & UDS_HORZ) != 0; }
    Arrow ArrowAt(POINT point) const;
    RECT ArrowRect(Arrow arrow) const;

    int Clamp(int position) const;
    LRESULT SetPosition(int position);
    // Reads the position back from the buddy's text; false when the text is no number.
    bool ReadBuddy(int& position) const;
    void ShowInBuddy() const;
    std::u16string FormatPosition(int position) const;
    // One step of the arrow times the increment due after holding it this long.
    void Step(Arrow arrow);
    int Increment() const;
    void NotifyScroll(WORD code) const;

    HWND SetBuddy(HWND buddy);
    void AlignBesideBuddy();
    void ReleaseBuddy();

    void OnButtonDown(LPARAM lParam);
    void OnButtonUp();
    void OnTimer();

    HWND m_window;
    HWND m_buddy = nullptr;
    int m_lower = 100;
    int m_upper = 0;
    int m_position = 0;
    int m_base = 10;
    std::vector<UDACCEL> m_accelerations{{0, 1}, {2, 5}, {5, 20}};
    Arrow m_pressed = Arrow::None;
    DWORD m_pressStart = 0;
};

Arrow UpDown::ArrowAt(POINT point) const {
    RECT client;
    GetClientRect(m_window, &client);
    if (!PtInRect(&client, point))
        return Arrow::None;
    if (Horizontal())
        return point.x >= client.right / 2 ? Arrow::Up : Arrow::Down;
    return point.y < client.bottom / 2 ? Arrow::Up : Arrow::Down;
}

RECT UpDown::ArrowRect(Arrow arrow) const {
    RECT client;
    GetClientRect(m_window, &client);
    if (Horizontal()) {
        int middle = client.right / 2;
        return arrow == Arrow::Up ? RECT{middle, 0, client.right, client.bottom}
                                  : RECT{0, 0, middle, client.bottom};
    }
    int middle = client.bottom / 2;
    return arrow == Arrow::Up ? RECT{0, 0, client.right, middle}
                              : RECT{0, middle, client.right, client.bottom};
}

int UpDown::Clamp(int position) const {
    return std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

LRESULT UpDown::SetPosition(int position) {
    int previous = m_position;
    m_position = Clamp(position);
    ShowInBuddy();
    return previous;
}

bool UpDown::ReadBuddy(int& position) const {
    if (!m_buddy || !(Style() & UDS_SETBUDDYINT))
        return false;
    WCHAR text[64] = {};
    GetWindowTextW(m_buddy, text, 64);
    std::u16string digits;
    for (const WCHAR* c = text; *c; ++c) {
        if (*c != u',')
            digits += *c;
    }
    std::string narrow(digits.begin(), digits.end());
    char* end = nullptr;
    long value = std::strtol(narrow.c_str(), &end, m_base == 16 ? 16 : 10);
    if (narrow.empty() || *end != '\0')
        return false;
    position = static_cast<int>(value);
    return true;
}

std::u16string UpDown::FormatPosition(int position) const {
    char buffer[32];
    if (m_base == 16) {
        std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(position));
        return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
    }
    std::snprintf(buffer, sizeof buffer, "%lld",
                  position < 0 ? -static_cast<long long>(position) : position * 1LL);
    std::string digits(buffer);
    bool grouped = !(Style() & UDS_NOTHOUSANDS);
    std::u16string text = position < 0 ? u"-" : u"";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (grouped && i > 0 && (digits.size() - i) % 3 == 0)
            text += u',';
        text += static_cast<char16_t>(digits[i]);
    }
    return text;
}

void UpDown::ShowInBuddy() const {
    if (m_buddy && (Style() & UDS_SETBUDDYINT))
        SetWindowTextW(m_buddy, FormatPosition(m_position).c_str());
}

int UpDown::Increment() const {
    DWORD heldSeconds = (static_cast<DWORD>(GetMessageTime()) - m_pressStart) / 1000;
    int increment = 1;
    for (const UDACCEL& acceleration : m_accelerations) {
        if (heldSeconds >= acceleration.nSec)
            increment = static_cast<int>(acceleration.nInc);
    }
    return increment;
}

void UpDown::NotifyScroll(WORD code) const {
    HWND parent = GetParent(m_window);
    if (!parent)
        return;
    WPARAM wParam = MAKEWPARAM(code, static_cast<WORD>(m_position));
    SendMessageW(parent, Horizontal() ? WM_HSCROLL : WM_VSCROLL, wParam, reinterpret_cast<LPARAM>(m_window));
}

void UpDown::Step(Arrow arrow) {
    int read = 0;
    if (ReadBuddy(read))
        m_position = Clamp(read);
    // "Up" moves toward the upper end of the range, whichever number is larger.
    int direction = (m_upper >= m_lower) == (arrow == Arrow::Up) ? 1 : -1;
    int delta = direction * Increment();
    NMUPDOWN change{};
    change.iPos = m_position;
    change.iDelta = delta;
    if (NotifyParent(m_window, UDN_DELTAPOS, change.hdr))
        return;
    int low = std::min(m_lower, m_upper);
    int high = std::max(m_lower, m_upper);
    long long target = static_cast<long long>(m_position) + change.iDelta;
    int next = 0;
    if (target > high)
        next = (Style() & UDS_WRAP) ? low : high;
    else if (target < low)
        next = (Style() & UDS_WRAP) ? high : low;
    else
        next = static_cast<int>(target);
    if (next == m_position)
        return;
    m_position = next;
    ShowInBuddy();
    NotifyScroll(SB_THUMBPOSITION);
}

void UpDown::StepFromKey(bool up) {
    m_pressStart = static_cast<DWORD>(GetMessageTime());
    Step(up ? Arrow::Up : Arrow::Down);
    NotifyScroll(SB_ENDSCROLL);
}

HWND UpDown::SetBuddy(HWND buddy) {
    HWND previous = m_buddy;
    ReleaseBuddy();
    m_buddy = IsWindow(buddy) ? buddy : nullptr;
    if (!m_buddy)
        return previous;
    if (Style() & UDS_ARROWKEYS) {
        LONG_PTR procedure = GetWindowLongPtrW(m_buddy, GWLP_WNDPROC);
        SetPropW(m_buddy, BuddyProcProperty, reinterpret_cast<HANDLE>(procedure));
        SetPropW(m_buddy, BuddyOwnerProperty, reinterpret_cast<HANDLE>(m_window));
        SetWindowLongPtrW(m_buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(BuddyProc));
    }
    AlignBesideBuddy();
    ShowInBuddy();
    return previous;
}

void UpDown::ReleaseBuddy() {
    if (!m_buddy || !IsWindow(m_buddy))
        return;
    HANDLE procedure = GetPropW(m_buddy, BuddyProcProperty);
    if (procedure && GetPropW(m_buddy, BuddyOwnerProperty) == reinterpret_cast<HANDLE>(m_window)) {
        SetWindowLongPtrW(m_buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
        RemovePropW(m_buddy, BuddyProcProperty);
        RemovePropW(m_buddy, BuddyOwnerProperty);
    }
    m_buddy = nullptr;
}

// UDS_ALIGNRIGHT and UDS_ALIGNLEFT narrow the buddy by the control's width and put the
// control in the room made, as tall as the buddy.
void UpDown::AlignBesideBuddy() {
    DWORD style = Style();
    if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || !m_buddy)
        return;
    RECT buddy;
    GetWindowRect(m_buddy, &buddy);
    MapWindowPoints(nullptr, GetParent(m_window), reinterpret_cast<POINT*>(&buddy), 2);
    RECT own;
    GetWindowRect(m_window, &own);
    int width = own.right - own.left;
    if (width <= 0)
        width = GetSystemMetrics(SM_CXVSCROLL);
    int buddyWidth = std::max(0, static_cast<int>(buddy.right - buddy.left) - width);
    int height = buddy.bottom - buddy.top;
    if (style & UDS_ALIGNRIGHT) {
        SetWindowPos(m_buddy, nullptr, buddy.left, buddy.top, buddyWidth, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(m_window, nullptr, buddy.left + buddyWidth, buddy.top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(m_buddy, nullptr, buddy.left + width, buddy.top, buddyWidth, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowPos(m_window, nullptr, buddy.left, buddy.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void UpDown::OnButtonDown(LPARAM lParam) {
    Arrow arrow = ArrowAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    if (arrow == Arrow::None || !IsWindowEnabled(m_window))
        return;
    SetCapture(m_window);
    m_pressed = arrow;
    m_pressStart = static_cast<DWORD>(GetMessageTime());
    InvalidateRect(m_window, nullptr, FALSE);
    Step(arrow);
    SetTimer(m_window, RepeatTimer, FirstRepeatDelay, nullptr);
}

void UpDown::OnButtonUp() {
    if (m_pressed == Arrow::None)
        return;
    m_pressed = Arrow::None;
    KillTimer(m_window, RepeatTimer);
    if (GetCapture() == m_window)
        ReleaseCapture();
    InvalidateRect(m_window, nullptr, FALSE);
    NotifyScroll(SB_ENDSCROLL);
}

void UpDown::OnTimer() {
    if (m_pressed == Arrow::None)
        return;
    SetTimer(m_window, RepeatTimer, RepeatDelay, nullptr);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(m_window, &cursor);
    // Held but moved off its arrow, the button waits until the pointer comes back.
    if (ArrowAt(cursor) == m_pressed)
        Step(m_pressed);
}

void UpDown::Paint(HDC dc) {
    UINT disabled = IsWindowEnabled(m_window) ? 0 : DFCS_INACTIVE;
    for (Arrow arrow : {Arrow::Up, Arrow::Down}) {
        RECT rect = ArrowRect(arrow);
        UINT kind = Horizontal() ? (arrow == Arrow::Up ? DFCS_SCROLLRIGHT : DFCS_SCROLLLEFT)
                                 : (arrow == Arrow::Up ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
        DrawFrameControl(dc, &rect, DFC_SCROLL, kind | disabled | (m_pressed == arrow ? DFCS_PUSHED : 0));
    }
}

LRESULT UpDown::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (Style() & UDS_AUTOBUDDY)
            SetBuddy(GetWindow(m_window, GW_HWNDPREV));
        return 0;
    case WM_DESTROY:
        ReleaseBuddy();
        break;
    case UDM_SETRANGE:
        m_upper = std::clamp(static_cast<int>(static_cast<short>(LOWORD(lParam))), UD_MINVAL, UD_MAXVAL);
        m_lower = std::clamp(static_cast<int>(static_cast<short>(HIWORD(lParam))), UD_MINVAL, UD_MAXVAL);
        m_position = Clamp(m_position);
        return 0;
    case UDM_GETRANGE:
        return MAKELONG(static_cast<WORD>(m_upper), static_cast<WORD>(m_lower));
    case UDM_SETRANGE32:
        m_lower = static_cast<int>(wParam);
        m_upper = static_cast<int>(lParam);
        m_position = Clamp(m_position);
        return 0;
    case UDM_GETRANGE32:
        if (auto* lower = reinterpret_cast<int*>(wParam))
            *lower = m_lower;
        if (auto* upper = reinterpret_cast<int*>(lParam))
            *upper = m_upper;
        return 0;
    case UDM_SETPOS:
        return static_cast<WORD>(SetPosition(static_cast<short>(LOWORD(lParam))));
    case UDM_SETPOS32:
        return SetPosition(static_cast<int>(lParam));
    case UDM_GETPOS: {
        int read = m_position;
        bool failed = m_buddy && (Style() & UDS_SETBUDDYINT) && !ReadBuddy(read);
        if (!failed)
            m_position = Clamp(read);
        return MAKELONG(static_cast<WORD>(m_position), failed ? 1 : 0);
    }
    case UDM_GETPOS32: {
        int read = m_position;
        bool failed = m_buddy && (Style() & UDS_SETBUDDYINT) && !ReadBuddy(read);
        if (!failed)
            m_position = Clamp(read);
        if (auto* error = reinterpret_cast<BOOL*>(lParam))
            *error = failed;
        return m_position;
    }
    case UDM_SETBUDDY:
        return reinterpret_cast<LRESULT>(SetBuddy(reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(m_buddy);
    case UDM_SETACCEL: {
        auto* table = reinterpret_cast<const UDACCEL*>(lParam);
        if (!table || wParam == 0)
            return FALSE;
        m_accelerations.assign(table, table + wParam);
        return TRUE;
    }
    case UDM_GETACCEL: {
        auto* table = reinterpret_cast<UDACCEL*>(lParam);
        if (table)
            std::copy_n(m_accelerations.begin(), std::min<std::size_t>(wParam, m_accelerations.size()),
                        table);
        return static_cast<LRESULT>(m_accelerations.size());
    }
    case UDM_SETBASE: {
        if (wParam != 10 && wParam != 16)
            return 0;
        int previous = m_base;
        m_base = static_cast<int>(wParam);
        ShowInBuddy();
        return previous;
    }
    case UDM_GETBASE:
        return m_base;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(lParam);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != m_window)
            OnButtonUp();
        return 0;
    case WM_TIMER:
        if (wParam == RepeatTimer) {
            OnTimer();
            return 0;
        }
        break;
    case WM_ENABLE:
        InvalidateRect(m_window, nullptr, FALSE);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK BuddyProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(buddy, BuddyProcProperty));
    auto owner = static_cast<HWND>(GetPropW(buddy, BuddyOwnerProperty));
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN)) {
        if (auto* upDown = GetControlState<UpDown>(owner)) {
            upDown->StepFromKey(wParam == VK_UP);
            return 0;
        }
    }
    return CallWindowProcW(previous, buddy, message, wParam, lParam);
}

} // namespace

void RegisterUpDownClass() {
    RegisterCommonControlClass(UPDOWN_CLASSW, CommonControlProc<UpDown>, CS_HREDRAW | CS_VREDRAW);
}

} // namespace platform
