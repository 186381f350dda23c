#include "platform/user/MoveSizeLoop.h"

#include "platform/display/Display.h"
#include "platform/gdi/WinRect.h"
#include "platform/user/WinUser.h"
#include "platform/user/WindowManager.h"
#include "platform/user/WindowProcedures.h"

#include <algorithm>

namespace platform {

namespace {

// How far one arrow key moves or sizes the window.
constexpr int KeyboardStep = 8;

LRESULT HitCodeOfEdge(WPARAM edge) {
    // WMSZ_LEFT ... WMSZ_BOTTOMRIGHT follow HTLEFT ... HTBOTTOMRIGHT.
    return HTLEFT + static_cast<LRESULT>(edge) - WMSZ_LEFT;
}

LPCSTR CursorOfEdge(WPARAM edge) {
    switch (edge) {
    case WMSZ_LEFT:
    case WMSZ_RIGHT:
        return IDC_SIZEWE;
    case WMSZ_TOP:
    case WMSZ_BOTTOM:
        return IDC_SIZENS;
    case WMSZ_TOPLEFT:
    case WMSZ_BOTTOMRIGHT:
        return IDC_SIZENWSE;
    case WMSZ_TOPRIGHT:
    case WMSZ_BOTTOMLEFT:
        return IDC_SIZENESW;
    default:
        return IDC_SIZEALL;
    }
}

bool MovesLeft(WPARAM edge) {
    return edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT;
}
bool MovesRight(WPARAM edge) {
    return edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT;
}
bool MovesTop(WPARAM edge) {
    return edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT;
}
bool MovesBottom(WPARAM edge) {
    return edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT || edge == WMSZ_BOTTOMRIGHT;
}

class MoveSizeTracker {
public:
    MoveSizeTracker(Window& window, bool sizing, WPARAM edge, POINT start)
        : m_handle(window.handle), m_sizing(sizing), m_edge(edge), m_start(start) {
        m_original = WindowRectOnScreen(window);
        m_current = m_original;
        if (window.parent && !window.parent->IsDesktop())
            m_parentOrigin = ClientOriginOnScreen(*window.parent);
        m_limits = AskMinMaxInfo(window);
    }

    void Run(bool byKeyboard);

private:
    // The window's rectangle for the pointer at a screen point.
    RECT RectFor(POINT pointer) const {
        int dx = pointer.x - m_start.x;
        int dy = pointer.y - m_start.y;
        RECT r = m_original;
        if (!m_sizing) {
            OffsetRect(&r, dx, dy);
            return r;
        }
        int minWidth = m_limits.ptMinTrackSize.x;
        int minHeight = m_limits.ptMinTrackSize.y;
        int maxWidth = std::max(m_limits.ptMaxTrackSize.x, minWidth);
        int maxHeight = std::max(m_limits.ptMaxTrackSize.y, minHeight);
        if (MovesLeft(m_edge))
            r.left = std::clamp<LONG>(r.left + dx, r.right - maxWidth, r.right - minWidth);
        if (MovesRight(m_edge))
            r.right = std::clamp<LONG>(r.right + dx, r.left + minWidth, r.left + maxWidth);
        if (MovesTop(m_edge))
            r.top = std::clamp<LONG>(r.top + dy, r.bottom - maxHeight, r.bottom - minHeight);
        if (MovesBottom(m_edge))
            r.bottom = std::clamp<LONG>(r.bottom + dy, r.top + minHeight, r.top + maxHeight);
        return r;
    }

    void Apply(RECT r) {
        // The window may correct each step.
        SendMessageW(m_handle, m_sizing ? WM_SIZING : WM_MOVING, m_sizing ? m_edge : 0,
                     reinterpret_cast<LPARAM>(&r));
        if (EqualRect(&r, &m_current))
            return;
        m_current = r;
        SetWindowPos(m_handle, nullptr, r.left - m_parentOrigin.x, r.top - m_parentOrigin.y, r.right - r.left,
                     r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE | (m_sizing ? 0 : SWP_NOSIZE));
    }

    // Arrow keys: the first one chooses the edge when sizing from the keyboard.
    void Step(UINT key) {
        int dx = key == VK_LEFT ? -KeyboardStep : key == VK_RIGHT ? KeyboardStep : 0;
        int dy = key == VK_UP ? -KeyboardStep : key == VK_DOWN ? KeyboardStep : 0;
        if (m_sizing && m_edge == 0)
            m_edge = dx < 0 ? WMSZ_LEFT : dx > 0 ? WMSZ_RIGHT : dy < 0 ? WMSZ_TOP : WMSZ_BOTTOM;
        m_pointer = {m_pointer.x + dx, m_pointer.y + dy};
        SetCursorPos(m_pointer.x, m_pointer.y);
        Apply(RectFor(m_pointer));
    }

    HWND m_handle;
    bool m_sizing;
    WPARAM m_edge;
    POINT m_start;
    POINT m_pointer{};
    RECT m_original{};
    RECT m_current{};
    POINT m_parentOrigin{0, 0};
    MINMAXINFO m_limits{};
};

void MoveSizeTracker::Run(bool byKeyboard) {
    m_pointer = m_start;
    SendMessageW(m_handle, WM_ENTERSIZEMOVE, 0, 0);
    SetCapture(m_handle);
    SetCursor(LoadCursorA(nullptr, m_sizing ? CursorOfEdge(m_edge) : IDC_SIZEALL));
    bool cancelled = false;
    MSG message;
    for (;;) {
        if (!IsWindow(m_handle) || GetCapture() != m_handle)
            break;
        if (!GetMessageW(&message, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        UINT id = message.message;
        if (id == WM_MOUSEMOVE || id == WM_NCMOUSEMOVE) {
            m_pointer = message.pt;
            if (!(byKeyboard && m_sizing && m_edge == 0))
                Apply(RectFor(m_pointer));
            continue;
        }
        if (id == WM_LBUTTONUP || id == WM_NCLBUTTONUP || (byKeyboard && id == WM_LBUTTONDOWN))
            break;
        if (id == WM_KEYDOWN || id == WM_SYSKEYDOWN) {
            UINT key = static_cast<UINT>(message.wParam);
            if (key == VK_ESCAPE) {
                cancelled = true;
                break;
            }
            if (key == VK_RETURN)
                break;
            if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN)
                Step(key);
            continue;
        }
        if ((id >= WM_MOUSEFIRST && id <= WM_MOUSELAST) ||
            (id >= WM_NCMOUSEMOVE && id <= WM_NCMBUTTONDBLCLK) || id == WM_KEYUP || id == WM_SYSKEYUP ||
            id == WM_CHAR || id == WM_SYSCHAR)
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (GetCapture() == m_handle)
        ReleaseCapture();
    if (cancelled && IsWindow(m_handle)) {
        const RECT& r = m_original;
        SetWindowPos(m_handle, nullptr, r.left - m_parentOrigin.x, r.top - m_parentOrigin.y, r.right - r.left,
                     r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (IsWindow(m_handle))
        SendMessageW(m_handle, WM_EXITSIZEMOVE, 0, 0);
}

} // namespace

void MoveOrSizeWindow(Window& window, WPARAM command, POINT start) {
    // A maximised window keeps its place; a minimised one is restored first by its caption.
    if (window.style & WS_MAXIMIZE)
        return;
    bool sizing = (command & 0xFFF0) == SC_SIZE;
    if (sizing && !(window.style & WS_THICKFRAME))
        return;
    WPARAM part = command & 0x000F;
    bool byKeyboard = part == 0;
    if (byKeyboard) {
        // The pointer goes to the middle of the caption (moving) or of the window (sizing).
        RECT r = WindowRectOnScreen(window);
        start = {(r.left + r.right) / 2,
                 sizing ? (r.top + r.bottom) / 2 : r.top + GetSystemMetrics(SM_CYCAPTION) / 2};
        SetCursorPos(start.x, start.y);
    } else if (window.IsTopLevel()) {
        LRESULT hitCode = sizing ? HitCodeOfEdge(part) : HTCAPTION;
        if (Display().BeginMoveSize(window.handle, static_cast<int>(hitCode), start))
            return;
    }
    MoveSizeTracker(window, sizing, sizing ? part : 0, start).Run(byKeyboard);
}

} // namespace platform
