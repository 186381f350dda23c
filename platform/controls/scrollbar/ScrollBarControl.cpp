// The "SCROLLBAR" window procedure. The bar's state lives in the window record (SB_CTL), so the
// scroll calls, the painter and the tracking loop of the window bars serve it unchanged; this
// procedure adds the SBM_ messages, the keyboard, the standard thickness by alignment style,
// and the size box, whose press sizes the top-level window.

#include "platform/controls/scrollbar/ScrollBarControl.h"

#include "platform/controls/ControlPaint.h"
#include "platform/user/ScrollBarCalls.h"
#include "platform/user/ScrollBarGeometry.h"
#include "platform/user/ScrollBarPainter.h"
#include "platform/user/ScrollBarTracking.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowClass.h"

namespace platform {

namespace {

DWORD StyleOf(HWND bar) {
    return static_cast<DWORD>(GetWindowLongW(bar, GWL_STYLE));
}

bool IsSizeBox(DWORD style) {
    return (style & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

// A bar with an alignment style takes the standard thickness at that side of its rectangle; a
// size box takes the standard square in its corner.
void ApplyAlignment(HWND bar, const CREATESTRUCTW& create) {
    DWORD style = static_cast<DWORD>(create.style);
    DWORD align = style & (SBS_TOPALIGN | SBS_BOTTOMALIGN);
    if (!align)
        return;
    RECT r{create.x, create.y, create.x + create.cx, create.y + create.cy};
    int width = GetSystemMetrics(SM_CXVSCROLL);
    int height = GetSystemMetrics(SM_CYHSCROLL);
    bool first = (align & SBS_TOPALIGN) != 0;
    if (IsSizeBox(style)) {
        r = first ? RECT{r.left, r.top, r.left + width, r.top + height}
                  : RECT{r.right - width, r.bottom - height, r.right, r.bottom};
    } else if (style & SBS_VERT) {
        r = first ? RECT{r.left, r.top, r.left + width, r.bottom}
                  : RECT{r.right - width, r.top, r.right, r.bottom};
    } else {
        r = first ? RECT{r.left, r.top, r.right, r.top + height}
                  : RECT{r.left, r.bottom - height, r.right, r.bottom};
    }
    SetWindowPos(bar, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void Paint(HWND bar, HDC dc) {
    RECT client{};
    GetClientRect(bar, &client);
    if (IsSizeBox(StyleOf(bar))) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_3DFACE));
        DrawFrameControl(dc, &client, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
        return;
    }
    Window* window = FindLiveWindow(bar);
    if (!window)
        return;
    ScrollBarGeometry geometry = MeasureScrollBar(*window, SB_CTL);
    // The painter places the bar by screen position; the DC's origin is the client's corner.
    POINT origin{0, 0};
    ClientToScreen(bar, &origin);
    DrawScrollBar(dc, origin, geometry, window->scrollBars.control);
}

void Press(HWND bar, LPARAM lParam) {
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(bar, &screen);
    if (IsSizeBox(StyleOf(bar))) {
        // The size box sizes the window it sits in from the bottom-right corner.
        if (HWND top = GetAncestor(bar, GA_ROOT); top && top != bar)
            SendMessageW(top, WM_SYSCOMMAND, SC_SIZE | WMSZ_BOTTOMRIGHT, MAKELPARAM(screen.x, screen.y));
        return;
    }
    if ((StyleOf(bar) & WS_TABSTOP) && GetFocus() != bar)
        SetFocus(bar);
    if (Window* window = FindLiveWindow(bar))
        TrackScrollBar(*window, SB_CTL, screen);
}

// The scroll code of a key, or -1 for a key the bar does not use.
int KeyCode(WPARAM key) {
    switch (key) {
    case VK_UP:
    case VK_LEFT:
        return SB_LINEUP;
    case VK_DOWN:
    case VK_RIGHT:
        return SB_LINEDOWN;
    case VK_PRIOR:
        return SB_PAGEUP;
    case VK_NEXT:
        return SB_PAGEDOWN;
    case VK_HOME:
        return SB_TOP;
    case VK_END:
        return SB_BOTTOM;
    default:
        return -1;
    }
}

void NotifyParent(HWND bar, WORD code) {
    HWND parent = GetParent(bar);
    if (!parent || IsSizeBox(StyleOf(bar)))
        return;
    UINT message = (StyleOf(bar) & SBS_VERT) ? WM_VSCROLL : WM_HSCROLL;
    SendMessageW(parent, message, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar));
}

LRESULT CALLBACK ScrollBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        MarkScrollBarControl(bar);
        if (auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam))
            ApplyAlignment(bar, *create);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_ERASEBKGND:
        return 1; // the bar paints every pixel
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintControl(bar, wParam, [&](HDC dc) { Paint(bar, dc); });
        return 0;
    case WM_ENABLE:
        InvalidateRect(bar, nullptr, FALSE);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(bar, lParam);
        return 0;
    case WM_SETCURSOR:
        if (IsSizeBox(StyleOf(bar)) && (StyleOf(bar) & SBS_SIZEGRIP) && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorA(nullptr, IDC_SIZENWSE));
            return TRUE;
        }
        break;
    case WM_KEYDOWN:
        if (int code = KeyCode(wParam); code >= 0) {
            NotifyParent(bar, static_cast<WORD>(code));
            return 0;
        }
        break;
    case WM_KEYUP:
        if (KeyCode(wParam) >= 0) {
            NotifyParent(bar, SB_ENDSCROLL);
            return 0;
        }
        break;
    case SBM_SETPOS:
        return SetScrollPos(bar, SB_CTL, static_cast<int>(wParam), lParam != 0);
    case SBM_GETPOS:
        return GetScrollPos(bar, SB_CTL);
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW: {
        int previous = GetScrollPos(bar, SB_CTL);
        SetScrollRange(bar, SB_CTL, static_cast<int>(wParam), static_cast<int>(lParam),
                       message == SBM_SETRANGEREDRAW);
        return previous;
    }
    case SBM_GETRANGE: {
        int minimum = 0;
        int maximum = 0;
        GetScrollRange(bar, SB_CTL, &minimum, &maximum);
        if (auto* out = reinterpret_cast<int*>(wParam))
            *out = minimum;
        if (auto* out = reinterpret_cast<int*>(lParam))
            *out = maximum;
        return 0;
    }
    case SBM_ENABLE_ARROWS:
        return EnableScrollBar(bar, SB_CTL, static_cast<UINT>(wParam));
    case SBM_SETSCROLLINFO:
        return SetControlScrollInfo(bar, reinterpret_cast<LPCSCROLLINFO>(lParam), wParam != 0);
    case SBM_GETSCROLLINFO:
        return GetControlScrollInfo(bar, reinterpret_cast<LPSCROLLINFO>(lParam));
    case SBM_GETSCROLLBARINFO:
        return GetScrollBarInfo(bar, OBJID_CLIENT, reinterpret_cast<PSCROLLBARINFO>(lParam));
    default:
        break;
    }
    return DefWindowProcW(bar, message, wParam, lParam);
}

} // namespace

void RegisterScrollBarClass() {
    WNDCLASSEXW description{};
    description.cbSize = sizeof description;
    description.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    description.lpfnWndProc = ScrollBarProc;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.lpszClassName = WC_SCROLLBARW;
    RegisterSystemClass(description);
}

} // namespace platform
